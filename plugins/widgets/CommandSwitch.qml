import QtQuick 2.15
import "qrc:/MyModules/content"
import "qrc:/MyModules/content/widgettools.js" as Tools

// An on/off switch. Turning it on sends the bound command with the
// argument 1, off with 0; with a second command bound ("关闭时发送"), off
// sends that one instead. The switch changes only when the command went
// out, so what it shows is what the device was told.
Rectangle {
    id: root
    property var host: null
    property int preferred_width: 180
    property int preferred_height: 80

    property bool on: false
    property var cmd_path: []
    property string cmd_label: ""
    property bool cmd_hex: false
    property var cmd2_path: []
    property string cmd2_label: ""
    property bool cmd2_hex: false
    property bool name_on: true
    property real name_scale: 1
    property bool name_follow: true
    property string name_text: qsTr("开关")
    property bool name_color_follow: true
    property color name_color: "#ffffff"

    color: theme.objColor
    radius: 4

    readonly property var members: ["on", "cmd_path", "cmd_label", "cmd_hex", "cmd2_path", "cmd2_label", "cmd2_hex",
        "name_on", "name_scale", "name_follow", "name_text", "name_color_follow", "name_color"]
    function get_ctx() { return Tools.get(root, members) }
    function set_ctx(ctx) { Tools.set(root, members, ctx) }

    CommandSender { id: onSender; host: root.host; path: root.cmd_path }
    CommandSender { id: offSender; host: root.host; path: root.cmd2_path }

    function toggle() {
        var next = !on
        var sender = !next && cmd2_label !== "" ? offSender : onSender
        if (!sender.bound || sender.send(next ? 1 : 0))
            on = next
    }

    Column {
        anchors.centerIn: parent
        width: parent.width - 12
        spacing: 6
        WidgetName {
            objectName: "commandSwitchName"
            width: parent.width
            target: root
            follow_text: root.cmd_label !== "" ? root.cmd_label.split(" / ").pop() : qsTr("开关")
        }
        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 8
            Rectangle {
                id: track
                objectName: "commandSwitchTrack"
                width: 52
                height: 26
                radius: height / 2
                color: root.on ? theme.goodColor : theme.lightColor
                border.color: theme.lineColor
                Rectangle {
                    width: parent.height - 6
                    height: width
                    radius: width / 2
                    y: 3
                    x: root.on ? parent.width - width - 3 : 3
                    color: theme.mainColor
                    Behavior on x { NumberAnimation { duration: 120 } }
                }
            }
            MyText {
                objectName: "commandSwitchState"
                anchors.verticalCenter: track.verticalCenter
                text: root.on ? qsTr("开") : qsTr("关")
                color: root.on ? theme.goodColor : theme.fontColorTips
            }
        }
    }

    MouseArea {
        objectName: "commandSwitchArea"
        anchors.fill: parent
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        onClicked: mouse.button === Qt.RightButton ? menu.popup() : root.toggle()
    }

    MyMenu {
        id: menu
        objectName: "commandSwitchMenu"
        CmdMenu { target: root; host: root.host }
        CmdMenu {
            objectName: "offCmdMenu"
            target: root
            host: root.host
            key: "cmd2"
            title: qsTr("关闭时发送")
        }
        NameMenu { target: root; follows_channel: false }
        MyMenuSeparator {}
        FillParentMenu { host: root.host }
        DeleteMenuItem { host: root.host }
    }
}
