import QtQuick 2.15

// The value over each bar of a bar chart, one bar per drawn line in the
// order the chart lays them out. Without `show_all` a value wider than its
// bar's slot is left out, so values never run into each other.
Item {
    id: labels
    property var chart: null
    property int font_size: 12
    property bool show_all: false
    property color base_color: theme.fontColor
    // One entry per bar: {pos, ch, x, w, top, value}; shared with the names.
    property var bars: []

    function decimals_of(ch) {
        var d = datahub_global.decimal(ch)
        return d > 0 ? d - 1 : datahub_global.global_decimal
    }
    function refresh() {
        var list = []
        var n = chart.visible_count
        var slot = width / Math.max(1, n)
        var k = 0
        for (var pos = 0; n > 0 && pos < chart.num_lines; pos++) {
            if (!chart.visible(pos))
                continue
            var d = chart.bar_datas(pos), p = chart.bar_y_pixels(pos)
            var ch = chart.index(pos)
            if (d.length > 0 && p.length > 0)
                list.push({ pos: pos, ch: ch, x: k * slot, w: slot, top: p[0],
                            value: d[0].toFixed(decimals_of(ch)) })
            k++
        }
        bars = list
    }
    Timer {
        interval: 200
        running: labels.visible
        repeat: true
        triggeredOnStart: true
        onTriggered: labels.refresh()
    }
    readonly property real base_y: height * chart.barchart_base_index / 10

    Repeater {
        model: labels.bars
        Text {
            objectName: "barValue"
            readonly property bool fits: implicitWidth <= modelData.w
            visible: labels.show_all || fits
            x: modelData.x + (modelData.w - implicitWidth) / 2
            // Over the bar's upper end; under it for a bar below the base.
            y: modelData.top <= labels.base_y ? modelData.top - implicitHeight : modelData.top
            text: modelData.value
            color: labels.base_color
            font.family: g_settings.fontFamilyNumber
            font.pixelSize: labels.font_size
        }
    }
}
