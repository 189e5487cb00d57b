import QtQuick 2.15
import "qrc:/MyModules/content"
import "qrc:/MyModules/content/widgettools.js" as Tools

// A button that sends its bound command when clicked. With a second
// command bound ("松开时发送"), pressing sends the first and letting go the
// second, for a device that acts while the button is held.
Rectangle {
    id: root
    property var host: null
    property int preferred_width: 160
    property int preferred_height: 70

    property var cmd_path: []
    property string cmd_label: ""
    property bool cmd_hex: false
    property var cmd2_path: []
    property string cmd2_label: ""
    property bool cmd2_hex: false
    property real argument: 0
    property bool name_on: true
    property real name_scale: 1.2
    property bool name_follow: true
    property string name_text: qsTr("按钮")
    property bool name_color_follow: true
    property color name_color: "#ffffff"

    readonly property bool held_mode: cmd2_label !== ""
    color: theme.bgColor

    readonly property var members: ["cmd_path", "cmd_label", "cmd_hex", "cmd2_path", "cmd2_label", "cmd2_hex",
        "argument", "name_on", "name_scale", "name_follow", "name_text", "name_color_follow", "name_color"]
    function get_ctx() { return Tools.get(root, members) }
    function set_ctx(ctx) { Tools.set(root, members, ctx) }

    CommandSender { id: first; host: root.host; path: root.cmd_path }
    CommandSender { id: second; host: root.host; path: root.cmd2_path }

    Rectangle {
        id: face
        objectName: "commandButtonFace"
        anchors.fill: parent
        anchors.margins: 6
        radius: 6
        color: area.pressed ? theme.lightColor : area.containsMouse ? theme.cbColor3 : theme.objColor
        border.color: area.activeFocus ? theme.iconColor1 : theme.lineColor
        Column {
            anchors.centerIn: parent
            width: parent.width - 12
            WidgetName {
                objectName: "commandButtonName"
                width: parent.width
                target: root
                follow_text: root.cmd_label !== "" ? root.cmd_label.split(" / ").pop() : qsTr("按钮")
            }
            MyText {
                width: parent.width
                visible: root.cmd_label === ""
                horizontalAlignment: Text.AlignHCenter
                elide: Text.ElideRight
                color: theme.fontColorTips
                text: qsTr("右键绑定命令")
            }
        }
        MouseArea {
            id: area
            objectName: "commandButtonArea"
            anchors.fill: parent
            hoverEnabled: true
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            onPressed: {
                if (mouse.button === Qt.RightButton)
                    menu.popup()
                else if (root.held_mode)
                    first.send(root.argument)
            }
            onReleased: if (mouse.button === Qt.LeftButton && root.held_mode) second.send(root.argument)
            onClicked: if (mouse.button === Qt.LeftButton && !root.held_mode) first.send(root.argument)
        }
    }

    MyMenu {
        id: menu
        objectName: "commandButtonMenu"
        CmdMenu { target: root; host: root.host }
        CmdMenu {
            objectName: "releaseCmdMenu"
            target: root
            host: root.host
            key: "cmd2"
            title: qsTr("松开时发送")
        }
        ArgumentMenu { target: root }
        NameMenu { target: root; follows_channel: false }
        MyMenuSeparator {}
        FillParentMenu { host: root.host }
        DeleteMenuItem { host: root.host }
    }
}
