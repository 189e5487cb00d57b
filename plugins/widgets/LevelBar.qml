import QtQuick 2.15
import "qrc:/MyModules/content"
import "qrc:/MyModules/content/widgettools.js" as Tools

// A level bar of one channel's newest value within a range, upright or
// lying, turning to the warning colour outside the warning limits, whose
// marks are drawn on the bar.
Rectangle {
    id: root
    property var host: null
    property int preferred_width: 120
    property int preferred_height: 260

    property int ch: 0
    property bool vertical: true
    property real range_min: 0
    property real range_max: 100
    property bool warn_on: false
    property real warn_low: 10
    property real warn_high: 90
    property bool value_on: true
    property real value_scale: 1
    property int value_decimal: 1
    property bool value_color_custom: false
    property color value_color: "#ffffff"
    property bool name_on: true
    property real name_scale: 1
    property bool name_follow: true
    property string name_text: "CH1"
    property bool name_color_follow: true
    property color name_color: "#ffffff"

    property real value: NaN
    property var names: []
    Component.onCompleted: names = datahub_global.names
    readonly property color channel_color: ch < names.length ? datahub_global.color(ch) : theme.iconColor1
    readonly property bool warning: warn_on && !isNaN(value) && (value < warn_low || value > warn_high)
    function fraction_of(v) { return Tools.clamp((v - range_min) / (range_max - range_min), 0, 1) }
    readonly property real fraction: isNaN(value) ? 0 : fraction_of(value)

    color: theme.objColor
    radius: 4

    Connections {
        target: datahub_global
        function onNeed_update() {
            var values = datahub_global.rt_values()
            root.value = root.ch < values.length ? values[root.ch] : NaN
            root.names = datahub_global.names
        }
    }

    readonly property var members: ["ch", "vertical", "range_min", "range_max", "warn_on", "warn_low", "warn_high",
        "value_on", "value_scale", "value_decimal", "value_color_custom", "value_color",
        "name_on", "name_scale", "name_follow", "name_text", "name_color_follow", "name_color"]
    function get_ctx() { return Tools.get(root, members) }
    function set_ctx(ctx) {
        Tools.set(root, members, ctx)
        ch = Tools.clamp(ch, 0, 255)
        if (!(range_max > range_min))
            range_max = range_min + 1
        value_decimal = Tools.clamp(value_decimal, 0, 10)
    }

    Column {
        id: labels
        anchors { top: parent.top; left: parent.left; right: parent.right; margins: 6 }
        WidgetName {
            objectName: "levelBarName"
            width: parent.width
            target: root
            follow_text: Tools.channel_name(root.names, root.ch)
            follow_color: root.channel_color
        }
        ValueText {
            objectName: "levelBarValue"
            width: parent.width
            target: root
            value: root.value
            normal_color: root.warning ? theme.badColor : theme.fontColor
        }
    }
    Rectangle {
        id: bar
        objectName: "levelBarTrack"
        anchors { top: labels.bottom; horizontalCenter: parent.horizontalCenter; margins: 8 }
        width: root.vertical ? Math.min(40, parent.width * 0.4) : parent.width - 16
        height: root.vertical ? parent.height - labels.height - 22 : 28
        color: theme.lightColor
        radius: 3
        Rectangle {
            objectName: "levelBarFill"
            color: root.warning ? theme.badColor : root.channel_color
            radius: 3
            x: 0
            y: root.vertical ? parent.height * (1 - root.fraction) : 0
            width: root.vertical ? parent.width : parent.width * root.fraction
            height: root.vertical ? parent.height * root.fraction : parent.height
        }
        Repeater {
            model: root.warn_on ? [root.warn_low, root.warn_high] : []
            Rectangle {
                color: theme.badColor
                width: root.vertical ? bar.width + 8 : 2
                height: root.vertical ? 2 : bar.height + 8
                x: root.vertical ? -4 : bar.width * root.fraction_of(modelData) - 1
                y: root.vertical ? bar.height * (1 - root.fraction_of(modelData)) - 1 : -4
            }
        }
    }
    MyText {
        anchors { left: bar.right; leftMargin: 4; top: root.vertical ? bar.top : bar.bottom }
        visible: root.vertical
        text: String(root.range_max)
        color: theme.fontColorTips
    }
    MyText {
        anchors { left: bar.right; leftMargin: 4; bottom: bar.bottom }
        visible: root.vertical
        text: String(root.range_min)
        color: theme.fontColorTips
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.RightButton
        onClicked: menu.popup()
    }
    MyMenu {
        id: menu
        objectName: "levelBarMenu"
        ChMenu { target: root }
        MyMenuItem {
            objectName: "levelBarVerticalItem"
            text: qsTr("竖直")
            checkable: true
            checked: root.vertical
            onTriggered: root.vertical = checked
        }
        RangeMenu { target: root; has_step: false }
        ZoneMenu { target: root }
        ValueMenu { target: root }
        NameMenu { target: root }
        MyMenuSeparator {}
        FillParentMenu { host: root.host }
        DeleteMenuItem { host: root.host }
    }
}
