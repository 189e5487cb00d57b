import QtQuick 2.15
import "qrc:/MyModules/content"
import "qrc:/MyModules/content/widgettools.js" as Tools

// A knob over 270 degrees: drag around it (or up and down), turn the
// wheel or use the arrow keys. Sends its value with the bound command as
// the slider does: at most once per tick while turning, the last value
// always.
Rectangle {
    id: root
    property var host: null
    property int preferred_width: 180
    property int preferred_height: 200

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
    property string name_text: qsTr("旋钮")
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

    CommandSender { id: sender; objectName: "valueKnobSender"; host: root.host; path: root.cmd_path }
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

    WidgetName {
        id: nameText
        objectName: "valueKnobName"
        anchors { top: parent.top; topMargin: 6; left: parent.left; right: parent.right; margins: 8 }
        target: root
        follow_text: root.cmd_label !== "" ? root.cmd_label.split(" / ").pop() : qsTr("旋钮")
    }
    Item {
        id: dial
        objectName: "valueKnobDial"
        anchors { top: nameText.visible ? nameText.bottom : parent.top; bottom: parent.bottom; left: parent.left; right: parent.right; margins: 8 }
        readonly property real size: Math.min(width, height)
        Canvas {
            id: canvas
            anchors.centerIn: parent
            width: dial.size
            height: dial.size
            property real fraction: root.fraction
            property color track: theme.lightColor
            property color fill: theme.iconColor1
            onFractionChanged: requestPaint()
            onTrackChanged: requestPaint()
            onWidthChanged: requestPaint()
            onPaint: {
                var ctx = getContext("2d")
                ctx.reset()
                var c = width / 2, r = c - 6, start = 0.75 * Math.PI, sweep = 1.5 * Math.PI
                ctx.lineWidth = 6
                ctx.lineCap = "round"
                ctx.strokeStyle = track
                ctx.beginPath()
                ctx.arc(c, c, r, start, start + sweep)
                ctx.stroke()
                ctx.strokeStyle = fill
                ctx.beginPath()
                ctx.arc(c, c, r, start, start + sweep * Math.max(0.001, fraction))
                ctx.stroke()
            }
        }
        Rectangle {
            id: cap
            anchors.centerIn: parent
            width: dial.size * 0.62
            height: width
            radius: width / 2
            color: turn.pressed ? theme.lightColor : theme.cbColor3
            border.color: theme.lineColor
            Rectangle {
                width: 4
                height: cap.height * 0.3
                radius: 2
                color: theme.iconColor1
                x: cap.width / 2 - 2
                y: 4
                transform: Rotation { origin.x: 2; origin.y: cap.height / 2 - 4; angle: -135 + 270 * root.fraction }
            }
            ValueText {
                objectName: "valueKnobValue"
                anchors.centerIn: parent
                width: parent.width - 8
                target: root
                value: root.value
            }
        }
        MouseArea {
            id: turn
            objectName: "valueKnobArea"
            anchors.fill: parent
            preventStealing: true
            acceptedButtons: Qt.LeftButton
            // The angle from the top, clockwise, mapped onto the 270 degrees.
            function value_at(x, y) {
                var a = Math.atan2(x - width / 2, height / 2 - y) * 180 / Math.PI
                var f = Tools.clamp((a + 135) / 270, 0, 1)
                return root.range_min + f * (root.range_max - root.range_min)
            }
            onPressed: { root.forceActiveFocus(); root.user_set(value_at(mouse.x, mouse.y), false) }
            onPositionChanged: if (pressed) root.user_set(value_at(mouse.x, mouse.y), false)
            onReleased: root.user_set(value_at(mouse.x, mouse.y), true)
            onWheel: root.step_by(wheel.angleDelta.y > 0 ? 1 : -1)
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
        objectName: "valueKnobMenu"
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
