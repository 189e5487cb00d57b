import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "qrc:/QeloDown/content/QeloDown"

// The settings of the selected command or group: name, content (text with
// escapes or hex), comment, and how often and how fast it repeats.
Item {
    id: settings
    property var node: null
    property int revision: 0
    property string encoder: "UTF-8"
    // The content as shown: hex, or the text with its escapes.
    property string content: ""
    signal member_edited(string name, var value)
    signal content_edited(string text, bool hex_on)

    readonly property bool has_node: node !== null && revision >= 0
    readonly property bool is_group: has_node && node.is_group

    Flickable {
        anchors.fill: parent
        contentHeight: column.implicitHeight + 8
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}
        Column {
            id: column
            x: 6
            width: parent.width - 12
            spacing: 2
            SettingRightArrow {
                id: arrow
                width: parent.width
                title: qsTr("命令设置")
            }
            MyText {
                visible: arrow.down && !settings.has_node
                text: qsTr("空")
                color: theme.fontColorTips
            }
            Column {
                width: parent.width
                spacing: 2
                visible: arrow.down && settings.has_node
                SettingPair {
                    width: parent.width
                    title: qsTr("名称")
                    title_width: 70
                    MyTextInput {
                        objectName: "cmdNameInput"
                        anchors.fill: parent
                        text: settings.has_node ? settings.node.name : ""
                        onEditingFinished: settings.member_edited("name", text)
                    }
                }
                SettingPair {
                    width: parent.width
                    visible: !settings.is_group
                    title: qsTr("发送内容")
                    title_width: 70
                    MyComboBox {
                        id: modeCombo
                        objectName: "cmdHexCombo"
                        anchors.fill: parent
                        tr_context: "CommandSettings"
                        model: [QT_TRANSLATE_NOOP("CommandSettings", "字符串"), QT_TRANSLATE_NOOP("CommandSettings", "十六进制")]
                        currentIndex: settings.has_node && settings.node.hex_on ? 1 : 0
                        // Switching converts what is typed.
                        onActivated: {
                            var hex = index === 1
                            if (hex === settings.node.hex_on)
                                return
                            var text = hex ? myapp.stringToHex(contentInput.text, settings.encoder)
                                           : myapp.hexToString(contentInput.text.replace(new RegExp(myapp.newLineSymbolReg(), "g"), ""), settings.encoder)
                            settings.content_edited(text, hex)
                        }
                    }
                }
                TextArea {
                    id: contentInput
                    objectName: "cmdContentInput"
                    visible: !settings.is_group
                    width: parent.width
                    height: Math.max(60, implicitHeight)
                    text: settings.content
                    color: theme.fontColor
                    selectByMouse: true
                    wrapMode: TextArea.WrapAnywhere
                    font.family: g_settings.fontFamilyTerm
                    font.pixelSize: g_settings.fontPixelSizeNormal
                    placeholderText: modeCombo.currentIndex === 1 ? "01 0A FF %%" : "V=%.2f\\r\\n"
                    background: Rectangle {
                        color: theme.objColor
                        border.color: contentInput.activeFocus ? theme.iconColor1 : theme.lineColor
                        radius: 3
                    }
                    onEditingFinished: if (settings.has_node) settings.content_edited(text, settings.node.hex_on)
                }
                MyText {
                    visible: !settings.is_group
                    width: parent.width
                    wrapMode: Text.WordWrap
                    text: qsTr("支持转义符：") + "\\r,\\n\n" + qsTr("命令内容中的%%占位符，可以接收控件参数") + "\n"
                          + qsTr("命令内容中的%f占位符(%f|%.0f|%.2f|%.3f|...)，可以接收控件参数")
                    color: theme.fontColorTips
                    font.pixelSize: g_settings.fontPixelSizeSmall
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("注释")
                    title_width: 70
                    RowLayout {
                        anchors.fill: parent
                        MyCheckBox {
                            objectName: "cmdIntroOn"
                            checked: settings.has_node && settings.node.intro_on
                            onToggled: settings.member_edited("intro_on", checked)
                        }
                        MyTextInput {
                            objectName: "cmdIntroInput"
                            Layout.fillWidth: true
                            text: settings.has_node ? settings.node.intro : ""
                            onEditingFinished: settings.member_edited("intro", text)
                        }
                    }
                }
                MyText {
                    text: qsTr("连续发送参数")
                    font.bold: true
                    color: theme.mainColor
                }
                NumberSettingPair {
                    objectName: "cmdLoopCount"
                    width: parent.width
                    title: qsTr("重复次数")
                    title_width: 110
                    tip: qsTr("输入负数，表示无限次数")
                    from: -1
                    to: 100000000
                    value: settings.has_node ? settings.node.loop_count : 1
                    onValue_edited: settings.member_edited("loop_count", value)
                }
                NumberSettingPair {
                    objectName: "cmdLoopMs"
                    width: parent.width
                    title: qsTr("发送后延时(ms)")
                    title_width: 110
                    from: 0
                    to: 100000000
                    value: settings.has_node ? settings.node.loop_ms : 0
                    onValue_edited: settings.member_edited("loop_ms", value)
                }
            }
        }
    }
}
