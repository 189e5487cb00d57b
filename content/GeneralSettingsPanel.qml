import QtQuick 2.15
import QtQuick.Controls 2.15
import "qrc:/MyModules/content"
import "qrc:/QeloDown/content/QeloDown"

// The "常用" page of the settings: language, fonts, drawing quality and
// scale, each section shown alone or all together ("全部"). Changes apply
// at once, except multisampling, which the next start takes.
Item {
    id: panel
    objectName: "generalSettingsPanel"
    property var settings: null
    // The window whose multisampling count is chosen.
    property var main_window: null
    property bool link_connected: false
    property var alert: null
    // "" shows every section.
    property string section: ""

    readonly property var sections: [
        { key: "", text: QT_TR_NOOP("全部") },
        { key: "language", text: "语言/language" },
        { key: "font", text: QT_TR_NOOP("字体") },
        { key: "quality", text: QT_TR_NOOP("画质") },
        { key: "scale", text: QT_TR_NOOP("缩放") }
    ]
    function shows(key) { return section === "" || section === key }

    // Language is refused while a link is connected.
    function choose_language(index) {
        if (link_connected) {
            alert.open_alert(qsTr("先断开与下位机的连接才能切换语言。"))
            return false
        }
        dyntranslator.select_language(index)
        return true
    }

    MyText {
        id: widest
        visible: false
        text: "语言/language"
    }
    Column {
        id: sectionList
        anchors { left: parent.left; top: parent.top; bottom: parent.bottom; margins: 8 }
        width: Math.max(120 * g_settings.globalScale, widest.implicitWidth + 24)
        spacing: 2
        Repeater {
            model: panel.sections
            Rectangle {
                objectName: "settingsSection_" + (modelData.key === "" ? "all" : modelData.key)
                width: sectionList.width
                height: g_settings.rowHeight + 4
                radius: 4
                color: panel.section === modelData.key ? theme.lightColor : sectionArea.containsMouse ? theme.objColor : "transparent"
                MyText {
                    anchors { left: parent.left; leftMargin: 10; right: parent.right; verticalCenter: parent.verticalCenter }
                    text: qsTr(modelData.text)
                }
                MouseArea {
                    id: sectionArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: panel.section = modelData.key
                }
            }
        }
    }
    Rectangle {
        id: divider
        anchors { left: sectionList.right; leftMargin: 8; top: parent.top; bottom: parent.bottom }
        width: 1
        color: theme.lineColor
    }

    // A section chosen shows from its top.
    onSectionChanged: flick.contentY = 0
    Flickable {
        id: flick
        anchors { left: divider.right; right: parent.right; top: parent.top; bottom: resetRow.top; margins: 10 }
        contentHeight: rows.height
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}
        Column {
            id: rows
            width: parent.width - 10
            spacing: 2

            SectionTitle { text: "语言/language"; visible: panel.shows("language") }
            SettingPair {
                width: rows.width
                visible: panel.shows("language")
                title: "语言/language"
                MyComboBox {
                    id: languageCombo
                    objectName: "languageCombo"
                    anchors.fill: parent
                    model: dyntranslator.language_string_list()
                    currentIndex: dyntranslator.language_index
                    onActivated: {
                        if (!panel.choose_language(index))
                            currentIndex = Qt.binding(function() { return dyntranslator.language_index })
                    }
                }
            }

            SectionTitle { text: qsTr("字体"); visible: panel.shows("font") }
            Repeater {
                model: [
                    { key: "fontFamily", text: QT_TR_NOOP("常规字体") },
                    { key: "fontFamilyNumber", text: QT_TR_NOOP("数字字体") },
                    { key: "fontFamilyAxis", text: QT_TR_NOOP("坐标轴字体") },
                    { key: "fontFamilyTerm", text: QT_TR_NOOP("文本区字体") }
                ]
                SettingPair {
                    width: rows.width
                    visible: panel.shows("font")
                    title: qsTr(modelData.text)
                    MyComboBox {
                        objectName: "fontCombo_" + modelData.key
                        anchors.fill: parent
                        editable: true
                        model: Qt.fontFamilies()
                        Component.onCompleted: {
                            var i = find(panel.settings[modelData.key])
                            if (i >= 0)
                                currentIndex = i
                            else
                                editText = panel.settings[modelData.key]
                        }
                        onAccepted: if (editText.trim() !== "") panel.settings[modelData.key] = editText.trim()
                        onActivated: panel.settings[modelData.key] = textAt(index)
                    }
                }
            }
            SettingPair {
                width: rows.width
                visible: panel.shows("font")
                title: qsTr("加粗")
                MyCheckBox {
                    objectName: "fontBoldCheck"
                    anchors.verticalCenter: parent.verticalCenter
                    checked: panel.settings.fontBold
                    onToggled: panel.settings.fontBold = checked
                }
            }
            Repeater {
                model: [
                    { key: "sizeTiny", text: QT_TR_NOOP("极小") },
                    { key: "sizeSmall", text: QT_TR_NOOP("小") },
                    { key: "sizeNormal", text: QT_TR_NOOP("中") },
                    { key: "sizeBig", text: QT_TR_NOOP("大") }
                ]
                NumberSettingPair {
                    objectName: "fontSize_" + modelData.key
                    width: rows.width
                    visible: panel.shows("font")
                    title: qsTr("字号") + " " + qsTr(modelData.text)
                    from: 6
                    to: 72
                    value: panel.settings[modelData.key]
                    onValue_edited: panel.settings[modelData.key] = value
                }
            }

            SectionTitle { text: qsTr("画质"); visible: panel.shows("quality") }
            SettingPair {
                width: rows.width
                visible: panel.shows("quality")
                title: qsTr("渲染风格")
                MyComboBox {
                    objectName: "renderTypeCombo"
                    anchors.fill: parent
                    tr_context: "GeneralSettingsPanel"
                    model: [QT_TR_NOOP("原生(清晰)"), QT_TR_NOOP("Qt(平滑缩放)")]
                    currentIndex: panel.settings.fontRenderType === Text.NativeRendering ? 0 : 1
                    onActivated: panel.settings.fontRenderType = index === 0 ? Text.NativeRendering : Text.QtRendering
                }
            }
            SettingPair {
                width: rows.width
                visible: panel.shows("quality")
                title: qsTr("多重采样(重启生效)")
                title_width: 150 * g_settings.globalScale
                MyComboBox {
                    objectName: "samplesCombo"
                    anchors.fill: parent
                    readonly property var counts: [1, 2, 4, 8]
                    model: ["1", "2", "4", "8"]
                    currentIndex: panel.main_window !== null ? Math.max(0, counts.indexOf(panel.main_window.samples)) : 0
                    onActivated: panel.main_window.samples = counts[index]
                }
            }
            SettingPair {
                width: rows.width
                visible: panel.shows("quality")
                title: qsTr("刷新率(fps)")
                Row {
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: 6
                    IconButton {
                        objectName: "fpsDownButton"
                        text: "\u2212"
                        onClicked: datahub_global.fps_down()
                    }
                    MyText {
                        objectName: "fpsText"
                        anchors.verticalCenter: parent.verticalCenter
                        width: 48
                        horizontalAlignment: Text.AlignHCenter
                        font.family: g_settings.fontFamilyNumber
                        text: datahub_global.real_fps
                    }
                    IconButton {
                        objectName: "fpsUpButton"
                        text: "+"
                        onClicked: datahub_global.fps_up()
                    }
                }
            }

            SectionTitle { text: qsTr("缩放"); visible: panel.shows("scale") }
            SettingPair {
                width: rows.width
                visible: panel.shows("scale")
                title: qsTr("界面缩放")
                tip: qsTr("作用到所有文本、窗体部件。")
                MySpinBox {
                    objectName: "globalScaleSpin"
                    anchors.fill: parent
                    from: 50
                    to: 300
                    stepSize: 10
                    value: Math.round(panel.settings.globalScale * 100)
                    textFromValue: function(v) { return v + "%" }
                    valueFromText: function(t) { return parseInt(t) }
                    validator: RegularExpressionValidator { regularExpression: /\d{1,3}%?/ }
                    onValueModified: panel.settings.globalScale = value / 100
                }
            }
        }
    }

    Row {
        id: resetRow
        anchors { right: parent.right; bottom: parent.bottom; margins: 10 }
        IconButton {
            objectName: "settingsResetButton"
            icon: "qrc:/icons/reset.svg"
            text: qsTr("重置")
            onClicked: panel.alert.confirm(qsTr("字体、画质和缩放将恢复默认，是否继续?"), function() { panel.settings.reset() })
        }
    }

    component SectionTitle: MyText {
        width: rows.width
        height: visible ? g_settings.rowHeight + 4 : 0
        font.bold: true
        color: theme.mainColor
        verticalAlignment: Text.AlignBottom
    }
}
