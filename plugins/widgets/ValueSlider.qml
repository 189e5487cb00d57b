import QtQuick 2.15
import "qrc:/MyModules/content"
import "qrc:/MyModules/content/widgettools.js" as Tools

// A value in a range, on a grid of steps, sent with the bound command as
// its argument whenever it changes: at most once per tick while dragging,
// and the value where the user lets go always. Arrow keys and the wheel
// move it by one step.
Rectangle {
    id: root
    property var host: null
    property int preferred_width: 300
    property int preferred_height: 90

    property real value: 0
    property real range_min: 0
    property real range_max: 100
    property real range_step: 1
    property var cmd_path: []
    property string cmd_label: ""
    property bool cmd_hex: false
    property real argument: 0
    property bool value_on: true
    property real value_scale: 1
    property int value_decimal: 1
    property bool value_color_custom: false
    property color value_color: "#ffffff"
    property bool name_on: true
    property real name_scale: 1
    property bool name_follow: true
    property string name_text: qsTr("滑块")
    property bool name_color_follow: true
    property color name_color: "#ffffff"

    color: theme.objColor
    radius: 4

    readonly property var members: ["value", "range_min", "range_max", "range_step", "cmd_path", "cmd_label", "cmd_hex",
        "argument", "value_on", "value_scale", "value_decimal", "value_color_custom", "value_color",
        "name_on", "name_scale", "name_follow", "name_text", "name_color_follow", "name_color"]
    function get_ctx() { return Tools.get(root, members) }
    function set_ctx(ctx) {
        Tools.set(root, members, ctx)
        if (!(range_max > range_min))
            range_max = range_min + 1
        range_step = Math.max(0, range_step)
        value_decimal = Tools.clamp(value_decimal, 0, 10)
        value = Tools.snap(value, range_min, range_max, range_step)
    }
    readonly property real fraction: (value - range_min) / (range_max - range_min)

    CommandSender { id: sender; objectName: "valueSliderSender"; host: root.host; path: root.cmd_path }
    // Sets the value from the user; `done` when the gesture ends.
    function user_set(v, done) {
        var next = Tools.snap(v, range_min, range_max, range_step)
        var changed = next !== value
        value = next
        if (changed || done)
            sender.offer(value, done)
    }
    function step_by(n) {
        user_set(value + n * (range_step > 0 ? range_step : (range_max - range_min) / 100), true)
    }

    Column {
        anchors { left: parent.left; right: parent.right; verticalCenter: parent.verticalCenter; margins: 12 }
        spacing: 6
        Item {
            width: parent.width
            height: Math.max(nameText.height, valueText.height)
            WidgetName {
                id: nameText
                objectName: "valueSliderName"
                anchors.left: parent.left
                width: parent.width - valueText.width - 8
                horizontalAlignment: Text.AlignLeft
                target: root
                follow_text: root.cmd_label !== "" ? root.cmd_label.split(" / ").pop() : qsTr("滑块")
            }
            ValueText {
                id: valueText
                objectName: "valueSliderValue"
                anchors.right: parent.right
                target: root
                value: root.value
            }
        }
        Item {
            id: groove
            objectName: "valueSliderGroove"
            width: parent.width
            height: 24
            Rectangle {
                anchors.verticalCenter: parent.verticalCenter
                width: parent.width
                height: 6
                radius: 3
                color: theme.lightColor
                Rectangle {
                    width: parent.width * root.fraction
                    height: parent.height
                    radius: 3
                    color: theme.iconColor1
                }
            }
            Rectangle {
                objectName: "valueSliderHandle"
                width: 18
                height: 18
                radius: 9
                anchors.verticalCenter: parent.verticalCenter
                x: root.fraction * (parent.width - width)
                color: drag.pressed ? theme.iconSColor1 : theme.mainColor
                border.color: theme.iconColor1
            }
            MouseArea {
                id: drag
                objectName: "valueSliderArea"
                anchors.fill: parent
                anchors.margins: -6
                preventStealing: true
                acceptedButtons: Qt.LeftButton
                function value_at(x) {
                    return root.range_min + (x - 6 - 9) / (groove.width - 18) * (root.range_max - root.range_min)
                }
                onPressed: { root.forceActiveFocus(); root.user_set(value_at(mouse.x), false) }
                onPositionChanged: if (pressed) root.user_set(value_at(mouse.x), false)
                onReleased: root.user_set(value_at(mouse.x), true)
                onWheel: root.step_by(wheel.angleDelta.y > 0 ? 1 : -1)
            }
        }
    }
    activeFocusOnTab: true
    Keys.onLeftPressed: step_by(-1)
    Keys.onDownPressed: step_by(-1)
    Keys.onRightPressed: step_by(1)
    Keys.onUpPressed: step_by(1)

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.RightButton
        onClicked: menu.popup()
    }
    MyMenu {
        id: menu
        objectName: "valueSliderMenu"
        CmdMenu { target: root; host: root.host }
        ArgumentMenu { target: root }
        RangeMenu { target: root }
        ValueMenu { target: root }
        NameMenu { target: root; follows_channel: false }
        MyMenuSeparator {}
        FillParentMenu { host: root.host }
        DeleteMenuItem { host: root.host }
    }
}
