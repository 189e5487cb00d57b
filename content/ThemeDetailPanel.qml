import QtQuick 2.15
import QtQuick.Controls 2.15
import "qrc:/MyModules/content"

// The colours of the theme in use, by group, each with its name: a click
// on a swatch opens "选择颜色"; and the ANSI styles of the terminal's time,
// received, sent and error text.
Flickable {
    id: panel
    objectName: "themeDetailPanel"
    property var target: null
    property var file_dialog: null
    contentHeight: column.height
    clip: true
    boundsBehavior: Flickable.StopAtBounds
    ScrollBar.vertical: ScrollBar {}

    readonly property var groups: [
        { title: QT_TR_NOOP("主体配色"), members: [
            ["bgColor", QT_TR_NOOP("背景颜色")], ["objColor", QT_TR_NOOP("实体对象颜色")],
            ["mainColor", QT_TR_NOOP("主标题颜色")], ["barColor", QT_TR_NOOP("功能栏颜色")],
            ["fontColor", QT_TR_NOOP("普通字色")], ["fontColorBar", QT_TR_NOOP("功能栏字色")],
            ["fontColorTips", QT_TR_NOOP("注解字色")], ["lineColor", QT_TR_NOOP("分割线颜色")],
            ["lineColorMain", QT_TR_NOOP("主分割线颜色")]] },
        { title: QT_TR_NOOP("图标配色"), members: [
            ["iconColor1", QT_TR_NOOP("图标1颜色")], ["iconColor2", QT_TR_NOOP("图标2颜色")],
            ["iconColor3", QT_TR_NOOP("图标3颜色")], ["iconSColor1", QT_TR_NOOP("图标1颜色-已选中")],
            ["iconSColor2", QT_TR_NOOP("图标2颜色-已选中")], ["iconSColor3", QT_TR_NOOP("图标3颜色-已选中")]] },
        { title: QT_TR_NOOP("杂项配色"), members: [
            ["goodColor", QT_TR_NOOP("友好颜色")], ["badColor", QT_TR_NOOP("警告颜色")],
            ["lightColor", QT_TR_NOOP("开关灯颜色")]] },
        { title: QT_TR_NOOP("缓冲控制区配色"), members: [
            ["cbColor1", QT_TR_NOOP("色条颜色1")], ["cbColor2", QT_TR_NOOP("色条颜色2")],
            ["cbColor3", QT_TR_NOOP("色条颜色3")], ["cbColor4", QT_TR_NOOP("色条颜色4")]] }
    ]
    readonly property var ansi: [["textAnsiTime", QT_TR_NOOP("时间")], ["textAnsiRx", QT_TR_NOOP("接收")],
                                 ["textAnsiTx", QT_TR_NOOP("发送")], ["textAnsiErr", QT_TR_NOOP("错误")]]

    Column {
        id: column
        width: panel.width - 12
        spacing: 2
        Repeater {
            model: panel.groups
            Column {
                width: column.width
                spacing: 2
                MyText {
                    height: g_settings.rowHeight + 4
                    verticalAlignment: Text.AlignBottom
                    font.bold: true
                    color: theme.mainColor
                    text: qsTr(modelData.title)
                }
                Flow {
                    width: parent.width
                    spacing: 4
                    Repeater {
                        model: modelData.members
                        Rectangle {
                            objectName: "themeColor_" + modelData[0]
                            width: Math.max(150 * g_settings.globalScale, (parent.width - 4) / 2)
                            height: g_settings.rowHeight
                            radius: 3
                            color: swatchArea.containsMouse ? theme.objColor : "transparent"
                            Rectangle {
                                id: swatch
                                anchors { left: parent.left; leftMargin: 4; verticalCenter: parent.verticalCenter }
                                width: parent.height - 8
                                height: width
                                radius: 3
                                color: panel.target[modelData[0]]
                                border.color: theme.lineColorMain
                            }
                            MyText {
                                anchors { left: swatch.right; leftMargin: 6; right: parent.right; verticalCenter: parent.verticalCenter }
                                text: qsTr(modelData[1])
                            }
                            MouseArea {
                                id: swatchArea
                                anchors.fill: parent
                                hoverEnabled: true
                                onClicked: picker.pick(modelData[0], qsTr(modelData[1]))
                            }
                        }
                    }
                }
            }
        }
        LineColorSettings {
            width: column.width
            target: panel.target
        }
        BackgroundSettings {
            width: column.width
            props: panel.target.bg
            file_dialog: panel.file_dialog
        }
        MyText {
            height: g_settings.rowHeight + 4
            verticalAlignment: Text.AlignBottom
            font.bold: true
            color: theme.mainColor
            text: qsTr("文本区Ansi转义码")
        }
        Repeater {
            model: panel.ansi
            MenuField {
                objectName: "themeAnsi_" + modelData[0]
                width: column.width
                label: qsTr(modelData[1])
                value: panel.target[modelData[0]]
                // SGR parameters: numbers separated by ";".
                onEdited: if (/^\d{1,3}(;\d{1,3})*$/.test(text.trim())) panel.target[modelData[0]] = text.trim()
            }
        }
    }

    MyMenu {
        id: picker
        objectName: "themeColorPicker"
        property string member: ""
        function pick(name, caption) {
            member = name
            title = caption
            popup()
        }
        MyMenuItem {
            enabled: false
            text: qsTr("选择颜色") + ": " + picker.title
        }
        MyColorMenuItem {
            value: picker.member !== "" ? panel.target[picker.member] : "white"
            onPicked: {
                panel.target[picker.member] = value
                picker.close()
            }
        }
    }
}
