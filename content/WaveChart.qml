import QtQuick 2.15
import QtQuick.Controls 2.15
import mine.qt.RingBufferWave 1.0
import mine.qt.MarkerPainter 1.0
import mine.qt.DottedLine 1.0
import mine.qt.GridPainter 1.0
import mine.qt.AxisPainter 1.0
import "qrc:/MyModules/content"
import "qrc:/MyModules/content/ctx.js" as Ctx

// The built-in chart widget: waveform, bars, histogram or spectrum of the
// hub's channels with axes, zoom and pan, automatic scaling and cursors.
Rectangle {
    id: widget
    objectName: "waveChart"
    property alias chart: chart
    property alias marker: marker
    // The size it takes when dropped into a tab.
    property int preferred_width: 520
    property int preferred_height: 320
    // 0 waveform, 1 bars, 2 histogram, 3 spectrum
    property int kind: 0
    readonly property var kind_names: [qsTr("波形图"), qsTr("条形图"), qsTr("直方图"), qsTr("频域图")]
    property bool auto_on: true
    // Samples shown in the waveform's index window.
    property int shown_count: 1000
    property var cursors: []
    // Whether a click picked points that the marker keeps showing.
    property bool has_selection: false
    readonly property int range_decimals: step_decimals(chart.histog_range_max - chart.histog_range_min, 4)
    // Decimals that tell apart labels `count` steps across `span`.
    function step_decimals(span, count) {
        var step = Math.abs(span) / Math.max(1, count)
        return step > 0 ? Math.max(0, Math.min(6, Math.ceil(-Math.log(step) / Math.LN10) + 1)) : 2
    }
    color: "transparent"

    readonly property int hub_size: datahub_global.size
    readonly property real plot_width: plot.width - chart.x_offset_pixel

    function set_kind(k) {
        if (k === 2 && kind !== 2) {
            // The histogram counts over the value range the waveform shows.
            chart.histog_range_min = Math.min(chart.bottom_value, chart.top_value)
            chart.histog_range_max = Math.max(chart.bottom_value, chart.top_value)
        }
        kind = k
        chart.if_draw_wave = k === 0
        chart.if_draw_bar = k === 1
        chart.if_draw_histog = k === 2
        chart.if_draw_freq = k === 3
        if (auto_on)
            auto_once()
        chart.repaint()
    }

    function auto_once() {
        if (kind === 2 || kind === 3)
            chart.autoBar()
        else
            chart.autoFill()
    }

    // Sets the index window, keeping it inside the ring (written under the
    // hub's lock, as the renderer reads it there).
    function set_window(begin, end) {
        var last = Math.max(1, hub_size - 1)
        var n = Math.max(2, Math.min(last, end - begin))
        begin = Math.max(0, Math.min(last - n, Math.round(begin)))
        chart.lockDatas()
        chart.draw_index_begin = begin
        chart.draw_index_end = begin + n
        chart.unlockDatas()
    }
    function show_newest() {
        set_window(hub_size - 1 - shown_count, hub_size - 1)
    }
    function index_at(px) {
        return chart.draw_index_begin + (chart.draw_index_end - chart.draw_index_begin) * px / Math.max(1, plot_width)
    }
    function pixel_of(index) {
        return plot_width * (index - chart.draw_index_begin) / Math.max(1, chart.draw_index_end - chart.draw_index_begin)
    }

    function zoom_x(factor, px) {
        var at = index_at(px)
        var n = Math.max(4, Math.min(hub_size - 1, (chart.draw_index_end - chart.draw_index_begin) * factor))
        var begin = at - (at - chart.draw_index_begin) * n / Math.max(1, chart.draw_index_end - chart.draw_index_begin)
        shown_count = Math.round(n)
        set_window(begin, begin + n)
    }
    function zoom_y(factor, py) {
        auto_on = false
        var top = chart.top_value, bottom = chart.bottom_value
        var at = top - (top - bottom) * py / Math.max(1, plot.height)
        chart.top_value = at + (top - at) * factor
        chart.bottom_value = at - (at - bottom) * factor
    }

    function add_cursor_at(px) {
        var index = Math.round(index_at(px))
        var id = marker.add_cursor(index, -1)
        marker.select_cursor(id)
        var list = cursors.filter(function(c) { return c.id !== id })
        list.push({ id: id, index: index })
        cursors = list
        marker.repaint(false)
        return id
    }
    function move_cursor(id, px) {
        var index = Math.max(0, Math.min(hub_size - 1, Math.round(index_at(px))))
        marker.set_cursor_point_index(id, index)
        cursors = cursors.map(function(c) { return c.id === id ? { id: id, index: index } : c })
        marker.repaint(false)
    }
    function remove_cursor(id) {
        marker.remove_cursor(id)
        cursors = cursors.filter(function(c) { return c.id !== id })
        marker.repaint(false)
    }
    function clear_cursors() {
        for (var i = cursors.length - 1; i >= 0; i--)
            marker.remove_cursor(cursors[i].id)
        cursors = []
        marker.repaint(false)
    }

    // ---- state -----------------------------------------------------------------
    readonly property var chart_keys: ["top_value", "bottom_value", "histog_range_min", "histog_range_max",
                                       "histog_gap_num", "freq_gap_num", "line_width", "fake_continuous"]
    function get_ctx() {
        var own = Ctx.pick(chart, chart_keys)
        own.kind = kind
        own.auto_on = auto_on
        own.shown_count = shown_count
        own.begin = chart.draw_index_begin
        own.end = chart.draw_index_end
        return { ".": own }
    }
    function set_ctx(ctx) {
        var own = Ctx.own(ctx)
        if (own === null)
            return
        auto_on = Ctx.boolean(own, "auto_on", auto_on)
        shown_count = Math.max(2, Ctx.integer(own, "shown_count", shown_count))
        // The kind first: switching to the histogram sets its range.
        var k = Ctx.integer(own, "kind", kind)
        if (k >= 0 && k < kind_names.length)
            set_kind(k)
        Ctx.apply(chart, own, chart_keys)
        chart.histog_gap_num = Math.max(1, Math.min(10000, chart.histog_gap_num))
        chart.freq_gap_num = Math.max(2, Math.min(65536, chart.freq_gap_num))
        var begin = Ctx.integer(own, "begin", -1), end = Ctx.integer(own, "end", -1)
        if (begin >= 0 && end > begin)
            set_window(begin, end)
    }

    // The axis counts back from the newest sample. Kept apart from hub_size
    // so the axis labels never depend on it while the window moves with it.
    property int newest_index: 0
    onHub_sizeChanged: {
        newest_index = hub_size - 1
        show_newest()
    }
    Component.onCompleted: {
        newest_index = hub_size - 1
        chart.add_all_line()
        set_kind(0)
        show_newest()
    }
    Connections {
        target: datahub_global
        function onNum_lines_changed() { chart.add_all_line() }
        // With Auto off the value window is the user's (or the one restored).
        function onDatas_loaded() { chart.add_all_line(); if (widget.auto_on) widget.auto_once() }
    }
    Timer {
        // Bars have no automatic mode in the chart; rescale them here.
        interval: 500
        repeat: true
        running: widget.auto_on && (widget.kind === 2 || widget.kind === 3)
        onTriggered: chart.autoBar()
    }

    // ---- tool row ----------------------------------------------------------
    Row {
        id: tools
        anchors { left: parent.left; top: parent.top; leftMargin: axisY.width; topMargin: 2 }
        height: g_settings.rowHeight
        spacing: 4
        IconButton {
            id: kindButton
            objectName: "chartKindButton"
            icon: "qrc:/icons/chart.svg"
            text: qsTr("当前绘图模式: ") + widget.kind_names[widget.kind]
            onClicked: kindMenu.popup()
        }
        IconButton {
            objectName: "autoButton"
            text: "Auto"
            checkable: true
            checked: widget.auto_on
            onClicked: { widget.auto_on = checked; if (checked) widget.auto_once() }
        }
        IconButton {
            objectName: "newestButton"
            icon: "qrc:/icons/arrow_right.svg"
            tip: qsTr("显示最新数据")
            onClicked: widget.show_newest()
        }
    }

    // The chart kind menu, opened from the tool row and inside the chart's menu.
    component KindMenu: MyMenu {
        property string item_prefix: ""
        title: qsTr("图形种类")
        Repeater {
            model: widget.kind_names
            MyMenuItem {
                objectName: item_prefix !== "" ? item_prefix + index : ""
                text: modelData
                checkable: true
                checked: widget.kind === index
                onTriggered: widget.set_kind(index)
            }
        }
    }
    KindMenu {
        id: kindMenu
        objectName: "chartKindMenu"
        item_prefix: "chartKind"
    }

    MyMenu {
        id: chartMenu
        objectName: "chartMenu"
        property real at_x: 0
        MyMenuItem {
            text: qsTr("添加游标")
            onTriggered: widget.add_cursor_at(chartMenu.at_x)
        }
        MyMenuItem {
            text: qsTr("清除所有游标")
            enabled: widget.cursors.length > 0
            onTriggered: widget.clear_cursors()
        }
        MyMenuSeparator {}
        KindMenu {}
    }

    // ---- cursor strip --------------------------------------------------------
    Item {
        id: cursorStrip
        anchors { left: plot.left; right: plot.right; top: tools.bottom; topMargin: 2 }
        height: 16
        clip: true
        Repeater {
            model: widget.cursors
            AxisXCursor {
                objectName: "cursorHandle"
                cursor_id: modelData.id
                pixel_x: widget.pixel_of(modelData.index)
                visible: pixel_x >= 0 && pixel_x <= widget.plot_width
                onMoved: widget.move_cursor(cursor_id, pixel_x)
                onRemove: widget.remove_cursor(cursor_id)
                onHide_point_changed: { marker.set_cursor_hide_point(cursor_id, hide); marker.repaint(false) }
                onHide_text_changed: { marker.set_cursor_hide_text(cursor_id, hide); marker.repaint(false) }
            }
        }
    }

    // ---- axes and plot -------------------------------------------------------
    AxisY {
        id: axisY
        objectName: "axisY"
        anchors { left: parent.left; top: plot.top; bottom: plot.bottom }
        width: Math.max(40, label_width + 8)
        count: chart.y_grid_num
        top_value: widget.kind === 2 ? chart.histog_top_value : (widget.kind === 3 ? chart.freq_top_value : chart.top_value)
        bottom_value: widget.kind === 2 || widget.kind === 3 ? 0 : chart.bottom_value
        decimals: widget.kind === 2 ? 0 : widget.step_decimals(top_value - bottom_value, count)
    }
    AxisX2 {
        id: axisX
        objectName: "axisX"
        anchors { left: plot.left; top: plot.bottom; topMargin: 2 }
        width: widget.plot_width
        height: 16
        visible: widget.kind === 0
        count: chart.x_grid_num
        begin: chart.draw_index_begin - widget.newest_index
        end: chart.draw_index_end - widget.newest_index
    }

    // Histogram range: its ends are edited under the plot.
    Item {
        anchors { left: plot.left; right: plot.right; top: plot.bottom; topMargin: 1 }
        height: 18
        visible: widget.kind === 2
        AxisX2 {
            anchors { left: rangeMin.right; right: rangeMax.left; leftMargin: 4; rightMargin: 4; top: parent.top; bottom: parent.bottom }
            count: 4
            begin: chart.histog_range_min
            end: chart.histog_range_max
            decimals: widget.range_decimals
        }
        MyTextInput {
            id: rangeMin
            objectName: "histogRangeMin"
            anchors { left: parent.left; top: parent.top; bottom: parent.bottom }
            width: 70
            tip: qsTr("此处可设置直方统计范围的最小值")
            text: chart.histog_range_min.toFixed(widget.range_decimals)
            validator: DoubleValidator {}
            onEditingFinished: chart.histog_range_min = Number(text)
        }
        MyTextInput {
            id: rangeMax
            objectName: "histogRangeMax"
            anchors { right: parent.right; top: parent.top; bottom: parent.bottom }
            width: 70
            tip: qsTr("此处可设置直方统计范围的最大值")
            text: chart.histog_range_max.toFixed(widget.range_decimals)
            validator: DoubleValidator {}
            onEditingFinished: chart.histog_range_max = Number(text)
        }
    }

    Rectangle {
        id: plot
        objectName: "plotArea"
        anchors { left: axisY.right; right: parent.right; top: cursorStrip.bottom; bottom: parent.bottom
                  rightMargin: 6; bottomMargin: 20 }
        color: "transparent"
        border.color: theme.lineColor

        GridPainter {
            anchors.fill: parent
            color: theme.lineColor
            vcount: chart.x_grid_num
            hcount: chart.y_grid_num
            hoffset: chart.x_offset_pixel
        }

        RingBufferWave {
            id: chart
            objectName: "ringBufferWave"
            anchors.fill: parent
            datahub: datahub_global
            auto_mode: widget.auto_on && widget.kind <= 1 ? 2 : 0
            fake_continuous: true
            // Bars grow from the zero line, or from the nearer edge when zero
            // is outside the value window.
            barchart_base_index: top_value > bottom_value
                                 ? Math.max(0, Math.min(10, 10 * top_value / (top_value - bottom_value))) : 10
            min_value: 99999
            max_value: -99999
            x_grid_num: 10
            y_grid_num: 4
            x_offset_pixel: 0
            top_value: 5
            bottom_value: -5
            line_width: 1
            unit_a: 1
            unit_text: ""
            histog_gap_num: 20
            histog_left_index: 0
            histog_right_index: histog_gap_num - 1
            freq_gap_num: 64
            freq_left_index: 0
            freq_right_index: freq_gap_num / 2 - 1
            theme_color: theme.lineColor
        }

        AxisPainter {
            anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
            height: 8
            visible: widget.kind === 0
            color: theme.lineColor
            vcount: chart.x_grid_num
            right_offset: chart.x_offset_pixel
        }

        DottedLine {
            anchors.fill: parent
            visible: mouse.containsMouse && widget.kind === 0
            color: theme.fontColorTips
            line_width: 1
            dash_on: true
            start_x: chart.mouse_x_pixel
            start_y: 0
            end_x: chart.mouse_x_pixel
            end_y: height
        }

        MarkerPainter {
            id: marker
            objectName: "markerPainter"
            // Drawn only when it has something to show: an idle full-size
            // layer would still be blended into every frame.
            visible: mouse.containsMouse || widget.cursors.length > 0 || widget.has_selection
            x: 0
            y: 0
            width: widget.plot_width
            height: parent.height
            rbw_ptr: chart
            font_pixel_size: g_settings.fontPixelSizeSmall
        }

        MouseArea {
            id: mouse
            objectName: "chartMouse"
            anchors.fill: parent
            hoverEnabled: true
            acceptedButtons: Qt.LeftButton | Qt.RightButton
            property point press_at
            property int press_begin: 0
            property int press_end: 0
            property real press_top: 0
            property real press_bottom: 0
            property bool dragged: false

            onPositionChanged: {
                chart.mouse_x_pixel = mouse.x
                chart.mouse_y_pixel = mouse.y
                marker.mouse_index = widget.index_at(mouse.x)
                if (pressed && (mouse.buttons & Qt.LeftButton) && widget.kind === 0) {
                    var dx = mouse.x - press_at.x, dy = mouse.y - press_at.y
                    if (Math.abs(dx) + Math.abs(dy) > 3)
                        dragged = true
                    if (dragged) {
                        var per_px = (press_end - press_begin) / Math.max(1, widget.plot_width)
                        widget.set_window(press_begin - dx * per_px, press_end - dx * per_px)
                        if (mouse.modifiers & Qt.ControlModifier) {
                            widget.auto_on = false
                            var per_py = (press_top - press_bottom) / Math.max(1, plot.height)
                            chart.top_value = press_top + dy * per_py
                            chart.bottom_value = press_bottom + dy * per_py
                        }
                    }
                }
                marker.repaint(false)
            }
            onPressed: {
                press_at = Qt.point(mouse.x, mouse.y)
                press_begin = chart.draw_index_begin
                press_end = chart.draw_index_end
                press_top = chart.top_value
                press_bottom = chart.bottom_value
                dragged = false
                if (mouse.button === Qt.RightButton) {
                    chartMenu.at_x = mouse.x
                    chartMenu.popup()
                }
            }
            // A single click picks the point under the mouse, but only once
            // it is clear that no double click (add a cursor) follows.
            onClicked: {
                if (mouse.button === Qt.LeftButton && !dragged && widget.kind === 0)
                    pickTimer.restart()
            }
            onDoubleClicked: {
                pickTimer.stop()
                if (mouse.button === Qt.LeftButton && widget.kind === 0)
                    widget.add_cursor_at(mouse.x)
            }
            Timer {
                id: pickTimer
                interval: Qt.styleHints.mouseDoubleClickInterval + 20
                onTriggered: widget.has_selection = marker.select_point() >= 0
            }
            onWheel: {
                var factor = wheel.angleDelta.y > 0 ? 0.8 : 1.25
                if (wheel.modifiers & Qt.ControlModifier)
                    widget.zoom_y(factor, wheel.y)
                else if (widget.kind === 0)
                    widget.zoom_x(factor, wheel.x)
            }
        }
    }
}
