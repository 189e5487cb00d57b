import QtQuick 2.15
import mine.qt.FileIO 1.0

// "背景": every option of the background (`props`, a BackgroundProperties):
// its colour and opacity, the picture ("空白", "QELO", a picture of the
// pictures folder or one chosen), the picture's opacity, size, fill, place
// and whether it lies on top, and "恢复默认背景配置".
Column {
    id: settings
    objectName: "backgroundSettings"
    property var props: null
    property var file_dialog: null
    spacing: 2
    FileIO { id: files }

    readonly property string pictures_dir: myapp.data_dir_path() + "/pictures"
    property var pictures: []
    function reload() {
        var names = files.filesInDirectory(pictures_dir)
        pictures = names.filter(function(n) { return /\.(gif|jpg|png)$/i.test(n) })
                        .map(function(n) { return pictures_dir + "/" + n })
    }
    Component.onCompleted: reload()
    // The picture choices: none, the built-in one, the folder's, one chosen.
    readonly property var choices: ["none", "qelo"].concat(pictures).concat(
        props !== null && props.picture !== "none" && props.picture !== "qelo" && pictures.indexOf(props.picture) < 0
            ? [props.picture] : [])
    function choice_text(c) {
        return c === "none" ? qsTr("空白") : c === "qelo" ? "QELO" : c.replace(/^.*[\/\\]/, "")
    }
    function choose_file() {
        file_dialog.ask(qsTr("选择一个图片文件"), pictures_dir, "images (*.png *.jpg *.gif)", false, false,
                        function(path) { settings.props.picture = path })
    }

    component Line: Row {
        property alias label: caption.text
        spacing: 6
        height: g_settings.rowHeight + 4
        MyText {
            id: caption
            anchors.verticalCenter: parent.verticalCenter
            width: Math.max(110 * g_settings.globalScale, implicitWidth)
        }
    }
    component Percent: MySpinBox {
        anchors.verticalCenter: parent.verticalCenter
        from: 0
        to: 100
        stepSize: 5
        textFromValue: function(v) { return v + "%" }
        valueFromText: function(t) { return parseInt(t) }
        validator: RegularExpressionValidator { regularExpression: /\d{1,3}%?/ }
    }

    MyText {
        height: g_settings.rowHeight + 4
        verticalAlignment: Text.AlignBottom
        font.bold: true
        color: theme.mainColor
        text: qsTr("背景")
    }
    Line {
        label: qsTr("自定义背景颜色")
        MyCheckBox {
            objectName: "bgColorOnCheck"
            anchors.verticalCenter: parent.verticalCenter
            checked: settings.props.color_on
            onToggled: settings.props.color_on = checked
        }
        Rectangle {
            objectName: "bgColorSwatch"
            anchors.verticalCenter: parent.verticalCenter
            width: g_settings.rowHeight - 6
            height: width
            radius: 3
            color: settings.props.color
            border.color: theme.lineColorMain
            MouseArea {
                anchors.fill: parent
                onClicked: colorMenu.popup(parent, 0, parent.height)
            }
        }
    }
    Line {
        label: qsTr("背景颜色不透明度：")
        Percent {
            objectName: "bgColorOpacitySpin"
            value: Math.round(settings.props.color_opacity * 100)
            onValueModified: settings.props.color_opacity = value / 100
        }
    }
    Line {
        label: qsTr("底图")
        MyComboBox {
            id: pictureCombo
            objectName: "bgPictureCombo"
            width: 200 * g_settings.globalScale
            anchors.verticalCenter: parent.verticalCenter
            model: settings.choices.map(settings.choice_text).concat([qsTr("选择一个图片文件")])
            currentIndex: Math.max(0, settings.choices.indexOf(settings.props.picture))
            onActivated: {
                if (index === settings.choices.length)
                    settings.choose_file()
                else
                    settings.props.picture = settings.choices[index]
                currentIndex = Qt.binding(function() { return Math.max(0, settings.choices.indexOf(settings.props.picture)) })
            }
            onPressedChanged: if (pressed) settings.reload()
            tip: settings.props.picture === "none" ? qsTr("不显示底图")
                 : settings.props.picture === "qelo" ? qsTr("默认底图") : qsTr("从右侧选择一个底图文件")
        }
    }
    Line {
        label: qsTr("不透明度：")
        Percent {
            objectName: "bgPictureOpacitySpin"
            value: Math.round(settings.props.picture_opacity * 100)
            onValueModified: settings.props.picture_opacity = value / 100
        }
    }
    Line {
        label: qsTr("长宽占屏比：")
        Percent {
            objectName: "bgSizeSpin"
            from: 5
            to: 400
            value: Math.round(settings.props.size * 100)
            onValueModified: settings.props.size = value / 100
        }
    }
    Line {
        label: qsTr("填充方式")
        MyComboBox {
            objectName: "bgFillCombo"
            width: 140 * g_settings.globalScale
            anchors.verticalCenter: parent.verticalCenter
            tr_context: "BackgroundSettings"
            model: [QT_TR_NOOP("原比例"), QT_TR_NOOP("填充")]
            currentIndex: settings.props.fill ? 1 : 0
            onActivated: settings.props.fill = index === 1
        }
    }
    Line {
        label: qsTr("图片置于顶部")
        MyCheckBox {
            objectName: "bgOnTopCheck"
            anchors.verticalCenter: parent.verticalCenter
            checked: settings.props.on_top
            onToggled: settings.props.on_top = checked
        }
    }
    Repeater {
        model: [
            { key: "x", label: QT_TR_NOOP("x坐标"), modes: ["center", "left", "right"],
              texts: [QT_TR_NOOP("居中"), QT_TR_NOOP("参考左侧"), QT_TR_NOOP("参考右侧")] },
            { key: "y", label: QT_TR_NOOP("y坐标"), modes: ["center", "top", "bottom"],
              texts: [QT_TR_NOOP("居中"), QT_TR_NOOP("参考顶部"), QT_TR_NOOP("参考底部")] }
        ]
        Line {
            label: qsTr(modelData.label)
            MyComboBox {
                objectName: "bg" + modelData.key + "ModeCombo"
                width: 120 * g_settings.globalScale
                anchors.verticalCenter: parent.verticalCenter
                tr_context: "BackgroundSettings"
                model: modelData.texts
                currentIndex: Math.max(0, modelData.modes.indexOf(settings.props[modelData.key + "_mode"]))
                onActivated: settings.props[modelData.key + "_mode"] = modelData.modes[index]
            }
            MyText {
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("偏移:")
            }
            MySpinBox {
                objectName: "bg" + modelData.key + "OffsetSpin"
                anchors.verticalCenter: parent.verticalCenter
                from: -10000
                to: 10000
                value: settings.props[modelData.key + "_offset"]
                onValueModified: settings.props[modelData.key + "_offset"] = value
            }
        }
    }
    IconButton {
        objectName: "bgResetButton"
        icon: "qrc:/icons/reset.svg"
        text: qsTr("恢复默认背景配置")
        onClicked: settings.props.reset()
    }

    MyMenu {
        id: colorMenu
        objectName: "bgColorMenu"
        MyColorMenuItem {
            value: settings.props.color
            onPicked: {
                settings.props.color = value
                settings.props.color_on = true
                colorMenu.close()
            }
        }
    }
}
