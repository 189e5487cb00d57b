import QtQuick 2.15
import "qrc:/MyModules/content"
import "qrc:/MyModules/content/widgettools.js" as Tools

// A dial showing one channel's newest value on a 270 degree scale, with
// the warning zones below and above given limits drawn in the warning
// colour, and the value and name in the middle.
Rectangle {
    id: root
    property var host: null
    property int preferred_width: 220
    property int preferred_height: 220

    property int ch: 0
    property real range_min: 0
    property real range_max: 100
    property bool warn_on: true
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

    readonly property var members: ["ch", "range_min", "range_max", "warn_on", "warn_low", "warn_high",
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

    Canvas {
        id: canvas
        objectName: "channelGaugeCanvas"
        anchors.centerIn: parent
        width: Math.min(parent.width, parent.height) - 12
        height: width
        property real needle: isNaN(root.value) ? 0 : root.fraction_of(root.value)
        property real low: root.fraction_of(root.warn_low)
        property real high: root.fraction_of(root.warn_high)
        property bool zones: root.warn_on
        property color track: theme.lightColor
        property color fill: root.channel_color
        property color bad: theme.badColor
        property color tick: theme.fontColorTips
        onNeedleChanged: requestPaint()
        onLowChanged: requestPaint()
        onHighChanged: requestPaint()
        onZonesChanged: requestPaint()
        onFillChanged: requestPaint()
        onTrackChanged: requestPaint()
        onWidthChanged: requestPaint()
        onPaint: {
            var ctx = getContext("2d")
            ctx.reset()
            var c = width / 2, r = c - 8, start = 0.75 * Math.PI, sweep = 1.5 * Math.PI
            function arc(from, to, colour, w) {
                if (to <= from)
                    return
                ctx.lineWidth = w
                ctx.strokeStyle = colour
                ctx.beginPath()
                ctx.arc(c, c, r, start + sweep * from, start + sweep * to)
                ctx.stroke()
            }
            arc(0, 1, track, 10)
            if (zones) {
                arc(0, low, bad, 10)
                arc(high, 1, bad, 10)
            }
            arc(0, needle, fill, 4)
            ctx.strokeStyle = tick
            ctx.lineWidth = 1
            for (var i = 0; i <= 10; i++) {
                var a = start + sweep * i / 10
                ctx.beginPath()
                ctx.moveTo(c + Math.cos(a) * (r - 9), c + Math.sin(a) * (r - 9))
                ctx.lineTo(c + Math.cos(a) * (r - 15), c + Math.sin(a) * (r - 15))
                ctx.stroke()
            }
            var na = start + sweep * needle
            ctx.strokeStyle = fill
            ctx.lineWidth = 3
            ctx.lineCap = "round"
            ctx.beginPath()
            ctx.moveTo(c, c)
            ctx.lineTo(c + Math.cos(na) * (r - 18), c + Math.sin(na) * (r - 18))
            ctx.stroke()
        }
    }
    Column {
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.top: parent.verticalCenter
        anchors.topMargin: canvas.height * 0.12
        width: canvas.width * 0.7
        ValueText {
            objectName: "channelGaugeValue"
            width: parent.width
            target: root
            value: root.value
            normal_color: root.warning ? theme.badColor : theme.fontColor
        }
        WidgetName {
            objectName: "channelGaugeName"
            width: parent.width
            target: root
            follow_text: Tools.channel_name(root.names, root.ch)
            follow_color: root.channel_color
        }
    }
    MyText {
        anchors { left: canvas.left; bottom: canvas.bottom; leftMargin: canvas.width * 0.2 }
        text: String(root.range_min)
        color: theme.fontColorTips
    }
    MyText {
        anchors { right: canvas.right; bottom: canvas.bottom; rightMargin: canvas.width * 0.2 }
        text: String(root.range_max)
        color: theme.fontColorTips
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.RightButton
        onClicked: menu.popup()
    }
    MyMenu {
        id: menu
        objectName: "channelGaugeMenu"
        ChMenu { target: root }
        RangeMenu { target: root; has_step: false }
        ZoneMenu { target: root }
        ValueMenu { target: root }
        NameMenu { target: root }
        MyMenuSeparator {}
        FillParentMenu { host: root.host }
        DeleteMenuItem { host: root.host }
    }
}
