import QtQuick 2.15
import QtQuick.Controls 2.15
import mine.qt.RingBufferWave 1.0
import mine.qt.MarkerPainter 1.0
import mine.qt.DottedLine 1.0
import mine.qt.GridPainter 1.0
import mine.qt.AxisPainter 1.0
import "qrc:/MyModules/content"
import "qrc:/MyModules/content/ctx.js" as Ctx
import "qrc:/MyModules/content/timeunits.js" as TimeUnits

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
    // Cursors as {id, kind (0 at a sample index, 1 at an x value in XY
    // mode), at, hide_coord, hide_line, hide_point, hide_text}.
    property var cursors: []
    // XY mode: every shown channel drawn against channel x_channel.
    property bool xy_mode: false
    property int x_channel: 0
    // Channels shown when not all are.
    property bool all_lines: true
    property var lines: []
    // The x axis in time: the user's sample period, else the measured one.
    property bool time_axis: false
    property int time_unit: 1
    property real sample_period_ms: 0
    readonly property real measured_period_ms: rowRate.rows_per_second > 0 ? 1000 / rowRate.rows_per_second : 0
    readonly property real period_ms: sample_period_ms > 0 ? sample_period_ms : measured_period_ms
    property string custom_unit: ""
    // Axis units per sample and the unit's name, also for the read-outs.
    readonly property real unit_per_sample: time_axis && period_ms > 0
                                            ? TimeUnits.per_sample(period_ms / 1000, time_unit) : 1
    readonly property string unit_name: time_axis ? TimeUnits.names[time_unit] : custom_unit
    // Label decimals; -1 picks them from the step between labels.
    property int y_decimals: -1
    property int x_decimals: -1
    property int histog_decimals: -1
    property int freq_decimals: -1
    property bool hide_axis_x: false
    property bool hide_axis_y: false
    property bool hide_border: false
    property bool simplify: false
    property bool all_bar_text: false
    property int font_size: 12
    // Axis colours: 0 and 1 follow a theme colour, 2 is the custom one.
    property int axis_color1_mode: 0
    property color axis_color1_custom: "#808080"
    property int axis_color2_mode: 0
    property color axis_color2_custom: "#808080"
    readonly property color axis_color1: axis_color1_mode === 0 ? theme.fontColor
                                         : axis_color1_mode === 1 ? theme.lineColor : axis_color1_custom
    readonly property color axis_color2: axis_color2_mode === 0 ? theme.lineColor
                                         : axis_color2_mode === 1 ? theme.fontColorTips : axis_color2_custom
    // Whether a click picked points that the marker keeps showing.
    property bool has_selection: false
    readonly property int range_decimals: histog_decimals >= 0 ? histog_decimals
                                          : step_decimals(chart.histog_range_max - chart.histog_range_min, 4)
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
        if (xy_mode) {
            auto_on = false
            var x0 = chart.axis_x_begin, x1 = chart.axis_x_end
            var x = x0 + (x1 - x0) * px / Math.max(1, plot_width)
            chart.axis_x_begin = x - (x - x0) * factor
            chart.axis_x_end = x + (x1 - x) * factor
            return
        }
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

    // ---- channels ------------------------------------------------------------
    function shows_line(ch) {
        return all_lines || lines.indexOf(ch) >= 0
    }
    function set_line_shown(ch, on) {
        var list = []
        for (var i = 0; i < datahub_global.num_lines; i++)
            if (i === ch ? on : shows_line(i))
                list.push(i)
        lines = list
        all_lines = false
        refresh_lines()
    }
    function show_all_lines() {
        lines = []
        all_lines = true
        refresh_lines()
    }
    // The chart's line list from the shown channels; in XY mode the x
    // channel gives every other line its x.
    function refresh_lines() {
        var n = datahub_global.num_lines
        var xch = Math.max(0, Math.min(n - 1, x_channel))
        chart.remove_all_line()
        for (var ch = 0; ch < n; ch++) {
            if (!shows_line(ch) || (xy_mode && ch === xch))
                continue
            chart.add_line(ch)
            chart.set_line_xindex(ch, xy_mode ? xch : -1)
        }
        chart.axis_x_index = xy_mode ? xch : -1
        chart.two_d_mode = xy_mode
        if (auto_on)
            auto_once()
        chart.repaint()
    }
    onXy_modeChanged: { clear_cursors(); refresh_lines() }
    onX_channelChanged: if (xy_mode) refresh_lines()

    // ---- cursors ---------------------------------------------------------------
    function x_at(px) {
        return chart.axis_x_begin + (chart.axis_x_end - chart.axis_x_begin) * px / Math.max(1, plot_width)
    }
    function cursor_pixel(c) {
        if (c.kind === 1)
            return plot_width * (c.at - chart.axis_x_begin) / ((chart.axis_x_end - chart.axis_x_begin) || 1)
        return pixel_of(c.at)
    }
    // The cursor's read-out on the axis: a time, an index or an x value.
    function cursor_text(c) {
        if (c.kind === 1)
            return c.at.toFixed(step_decimals(chart.axis_x_end - chart.axis_x_begin, chart.x_grid_num) + 1) + custom_unit
        return ((c.at - newest_index) * unit_per_sample).toFixed(x_axis_decimals) + unit_name
    }
    function place_cursor(c) {
        var id = c.kind === 1 ? marker.add_cursor_f(c.at, -1) : marker.add_cursor(c.at, -1)
        if (c.kind === 1)
            marker.select_cursor2d(id)
        else
            marker.select_cursor(id)
        marker.set_cursor_hide_point(id, c.hide_point, c.kind)
        marker.set_cursor_hide_text(id, c.hide_text, c.kind)
        var placed = Object.assign({}, c)
        placed.id = id
        return placed
    }
    function add_cursor_at(px) {
        var c = xy_mode ? { kind: 1, at: x_at(px) } : { kind: 0, at: Math.round(index_at(px)) }
        c.hide_coord = c.hide_line = c.hide_point = c.hide_text = false
        var placed = place_cursor(c)
        cursors = cursors.concat([placed])
        marker.repaint(false)
        return placed.id
    }
    function cursor_of(id) {
        return cursors.filter(function(k) { return k.id === id })[0]
    }
    function update_cursor(id, change) {
        cursors = cursors.map(function(c) { return c.id === id ? Object.assign({}, c, change) : c })
    }
    function move_cursor(id, px) {
        var c = cursor_of(id)
        if (c === undefined)
            return
        if (c.kind === 1) {
            var x = x_at(px)
            marker.set_cursor_cursor_x(id, x)
            update_cursor(id, { at: x })
        } else {
            var index = Math.max(0, Math.min(hub_size - 1, Math.round(index_at(px))))
            marker.set_cursor_point_index(id, index)
            update_cursor(id, { at: index })
        }
        marker.repaint(false)
    }
    function set_cursor_flag(id, name, value) {
        var c = cursor_of(id)
        if (c === undefined)
            return
        if (name === "hide_point")
            marker.set_cursor_hide_point(id, value, c.kind)
        else if (name === "hide_text")
            marker.set_cursor_hide_text(id, value, c.kind)
        var change = {}
        change[name] = value
        update_cursor(id, change)
        marker.repaint(false)
    }
    function drop_cursor(c) {
        if (c.kind === 1)
            marker.remove_cursor_f(c.id)
        else
            marker.remove_cursor(c.id)
    }
    function remove_cursor(id) {
        var c = cursor_of(id)
        if (c !== undefined)
            drop_cursor(c)
        cursors = cursors.filter(function(k) { return k.id !== id })
        marker.repaint(false)
    }
    function clear_cursors() {
        for (var i = cursors.length - 1; i >= 0; i--)
            drop_cursor(cursors[i])
        cursors = []
        marker.repaint(false)
    }

    // ---- axes --------------------------------------------------------------------
    readonly property int x_axis_decimals: x_decimals >= 0 ? x_decimals
                                           : (time_axis ? step_decimals((chart.draw_index_end - chart.draw_index_begin) * unit_per_sample,
                                                                        chart.x_grid_num) : 0)
    // Spectrum bins in Hz when the sample rate is known: the transform runs
    // over L = 2 * freq_gap_num - 2 samples taken every `step` samples.
    readonly property real freq_bin_hz: {
        var L = 2 * chart.freq_gap_num - 2
        var step = Math.floor(chart.num_points / Math.max(1, L))
        return period_ms > 0 && step > 0 && L > 0 ? 1000 / period_ms / (step * L) : 0
    }
    readonly property real freq_low: chart.freq_left_index * (freq_bin_hz > 0 ? freq_bin_hz : 1)
    readonly property real freq_high: chart.freq_right_index * (freq_bin_hz > 0 ? freq_bin_hz : 1)

    // ---- state -----------------------------------------------------------------
    readonly property var chart_keys: ["top_value", "bottom_value", "histog_range_min", "histog_range_max",
                                       "histog_gap_num", "freq_gap_num", "line_width", "fake_continuous",
                                       "axis_x_begin", "axis_x_end"]
    // The check entries, saved as {checked} under their ids.
    readonly property var check_keys: ({ "simplify_check": "simplify", "all_font_on": "all_bar_text",
                                         "hide_axis_x_check": "hide_axis_x", "hide_axis_y_check": "hide_axis_y",
                                         "hide_border_check": "hide_border", "auto_bt_menu": "auto_on" })
    readonly property var cursor_flags: ["hide_coord", "hide_line", "hide_point", "hide_text"]
    function get_ctx() {
        var own = Ctx.pick(chart, chart_keys)
        own.kind = kind
        own.auto_on = auto_on
        own.shown_count = shown_count
        own.begin = chart.draw_index_begin
        own.end = chart.draw_index_end
        own.x_channel = x_channel
        own.lines = all_lines ? null : lines.slice()
        own.lineColor = axis_color1_custom.toString()
        own.lineColorFollow1 = axis_color1_mode === 0
        own.lineColorFollow2 = axis_color1_mode === 1
        own.lineColor2 = axis_color2_custom.toString()
        own.lineColor2Follow1 = axis_color2_mode === 0
        own.lineColor2Follow2 = axis_color2_mode === 1
        own.cursors = cursors.map(function(c) {
            var out = { kind: c.kind, at: c.at }
            cursor_flags.forEach(function(f) { out[f] = c[f] })
            return out
        })
        var ctx = {
            ".": own,
            "font_size": font_size,
            "xy_mode": xy_mode,
            "axis_x_wave": { time_axis: time_axis, unit: time_unit, period_ms: sample_period_ms,
                             custom_unit: custom_unit, decimals: x_decimals },
            "axis_x_histog": { decimals: histog_decimals },
            "axis_x_freq": { decimals: freq_decimals },
            "axis_y_wave": { decimals: y_decimals }
        }
        for (var key in check_keys)
            ctx[key] = { checked: widget[check_keys[key]] }
        return ctx
    }
    function decimals_of(ctx, key, current) {
        return Math.max(-1, Math.min(10, Ctx.integer(Ctx.object(ctx, key), "decimals", current)))
    }
    function set_ctx(ctx) {
        var own = Ctx.own(ctx)
        if (own === null)
            return
        for (var key in check_keys)
            widget[check_keys[key]] = Ctx.boolean(Ctx.object(ctx, key), "checked", widget[check_keys[key]])
        auto_on = Ctx.boolean(own, "auto_on", auto_on)
        shown_count = Math.max(2, Ctx.integer(own, "shown_count", shown_count))
        font_size = Math.max(6, Math.min(72, Ctx.integer(ctx, "font_size", font_size)))
        var wave = Ctx.object(ctx, "axis_x_wave")
        time_axis = Ctx.boolean(wave, "time_axis", time_axis)
        time_unit = Math.max(0, Math.min(TimeUnits.names.length - 1, Ctx.integer(wave, "unit", time_unit)))
        var period = Ctx.number(wave, "period_ms", sample_period_ms)
        sample_period_ms = period > 0 ? period : 0
        custom_unit = Ctx.text(wave, "custom_unit", custom_unit)
        x_decimals = decimals_of(ctx, "axis_x_wave", x_decimals)
        histog_decimals = decimals_of(ctx, "axis_x_histog", histog_decimals)
        freq_decimals = decimals_of(ctx, "axis_x_freq", freq_decimals)
        y_decimals = decimals_of(ctx, "axis_y_wave", y_decimals)
        axis_color1_custom = Ctx.color(own, "lineColor", axis_color1_custom)
        axis_color1_mode = Ctx.boolean(own, "lineColorFollow1", false) ? 0 : Ctx.boolean(own, "lineColorFollow2", false) ? 1
                         : ("lineColorFollow1" in own ? 2 : axis_color1_mode)
        axis_color2_custom = Ctx.color(own, "lineColor2", axis_color2_custom)
        axis_color2_mode = Ctx.boolean(own, "lineColor2Follow1", false) ? 0 : Ctx.boolean(own, "lineColor2Follow2", false) ? 1
                         : ("lineColor2Follow1" in own ? 2 : axis_color2_mode)
        // The kind first: switching to the histogram sets its range.
        var k = Ctx.integer(own, "kind", kind)
        if (k >= 0 && k < kind_names.length)
            set_kind(k)
        Ctx.apply(chart, own, chart_keys)
        chart.line_width = Math.max(1, Math.min(20, chart.line_width))
        chart.histog_gap_num = Math.max(1, Math.min(10000, chart.histog_gap_num))
        chart.freq_gap_num = Math.max(2, Math.min(65536, chart.freq_gap_num))
        var saved_lines = Ctx.array(own, "lines")
        lines = saved_lines === null ? [] : saved_lines.filter(function(v) { return typeof v === "number" && v >= 0 })
                                                       .map(Math.round)
        all_lines = saved_lines === null
        x_channel = Math.max(0, Ctx.integer(own, "x_channel", x_channel))
        xy_mode = Ctx.boolean(ctx, "xy_mode", xy_mode)
        refresh_lines()
        var begin = Ctx.integer(own, "begin", -1), end = Ctx.integer(own, "end", -1)
        if (begin >= 0 && end > begin)
            set_window(begin, end)
        clear_cursors()
        var saved = Ctx.array(own, "cursors")
        var placed = []
        for (var i = 0; saved !== null && i < saved.length; i++) {
            var c = saved[i]
            var kind_of = Ctx.integer(c, "kind", -1)
            var at = Ctx.number(c, "at", NaN)
            if ((kind_of !== 0 && kind_of !== 1) || isNaN(at) || (kind_of === 1) !== xy_mode)
                continue
            var entry = { kind: kind_of, at: kind_of === 0 ? Math.max(0, Math.min(hub_size - 1, Math.round(at))) : at }
            cursor_flags.forEach(function(f) { entry[f] = Ctx.boolean(c, f, false) })
            placed.push(place_cursor(entry))
        }
        cursors = placed
        marker.repaint(false)
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
        set_kind(0)
        refresh_lines()
        show_newest()
    }
    Connections {
        target: datahub_global
        function onNum_lines_changed() { widget.refresh_lines() }
        // With Auto off the value window is the user's (or the one restored).
        function onDatas_loaded() { widget.refresh_lines() }
    }
    Timer {
        // Bars have no automatic mode in the chart; rescale them here.
        interval: 500
        repeat: true
        running: widget.auto_on && (widget.kind === 2 || widget.kind === 3)
        onTriggered: chart.autoBar()
    }
    RowRate {
        id: rowRate
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
    ChartKindMenu {
        id: kindMenu
        objectName: "chartKindMenu"
        view: widget
        item_prefix: "chartKind"
    }
    ChartMenu {
        id: chartMenu
        view: widget
    }

    // ---- cursor strip --------------------------------------------------------
    Item {
        id: cursorStrip
        anchors { left: plot.left; right: plot.right; top: tools.bottom; topMargin: 2 }
        height: 16
        Repeater {
            model: widget.cursors
            AxisXCursor {
                objectName: "cursorHandle"
                cursor_id: modelData.id
                pixel_x: widget.cursor_pixel(modelData)
                visible: pixel_x >= 0 && pixel_x <= widget.plot_width
                coordinate: widget.cursor_text(modelData)
                hide_coord: modelData.hide_coord
                hide_line: modelData.hide_line
                hide_point: modelData.hide_point
                hide_text: modelData.hide_text
                onMoved: widget.move_cursor(cursor_id, pixel_x)
                onRemove: widget.remove_cursor(cursor_id)
                onFlag_changed: widget.set_cursor_flag(cursor_id, name, value)
            }
        }
    }

    // ---- axes and plot -------------------------------------------------------
    AxisY {
        id: axisY
        objectName: "axisY"
        anchors { left: parent.left; top: plot.top; bottom: plot.bottom }
        visible: !widget.hide_axis_y
        width: visible ? Math.max(40, label_width + 8) : 4
        count: chart.y_grid_num
        color: widget.axis_color1
        top_value: widget.kind === 2 ? chart.histog_top_value : (widget.kind === 3 ? chart.freq_top_value : chart.top_value)
        bottom_value: widget.kind === 2 || widget.kind === 3 ? 0 : chart.bottom_value
        decimals: widget.kind === 2 ? 0 : (widget.y_decimals >= 0 ? widget.y_decimals
                                                                   : widget.step_decimals(top_value - bottom_value, count))
    }
    // The waveform's x axis: samples back from the newest (or time), or the
    // x channel's values in XY mode.
    Item {
        id: waveAxis
        anchors { left: plot.left; right: plot.right; top: plot.bottom; topMargin: 2 }
        height: 16
        visible: widget.kind === 0 && !widget.hide_axis_x
        readonly property real ua: widget.unit_per_sample
        AxisX2 {
            id: axisX
            objectName: "axisX"
            anchors { left: parent.left; right: unitLabel.left; top: parent.top; bottom: parent.bottom; rightMargin: 4 }
            count: chart.x_grid_num
            color: widget.axis_color1
            begin: widget.xy_mode ? chart.axis_x_begin : (chart.draw_index_begin - widget.newest_index) * waveAxis.ua
            end: widget.xy_mode ? chart.axis_x_end : (chart.draw_index_end - widget.newest_index) * waveAxis.ua
            decimals: widget.xy_mode ? (widget.x_decimals >= 0 ? widget.x_decimals : widget.step_decimals(end - begin, count))
                                     : widget.x_axis_decimals
            first_tip: widget.xy_mode ? "" : qsTr("缓冲区可容纳的最远时间点") + ": "
                       + (-(widget.hub_size - 1) * waveAxis.ua).toFixed(decimals) + widget.unit_name
                       + (widget.time_axis && widget.period_ms > 0
                          ? " (" + TimeUnits.clock(rowRate.last_time - (widget.hub_size - 1) * widget.period_ms) + ")" : "")
            last_tip: widget.xy_mode ? "" : qsTr("离当前最近时间点") + ": 0" + widget.unit_name
                      + (widget.time_axis ? " (" + TimeUnits.clock(rowRate.last_time) + ")" : "")
        }
        AxisUnit {
            id: unitLabel
            anchors { right: parent.right; top: parent.top; bottom: parent.bottom }
            switchable: widget.time_axis && !widget.xy_mode
            text: switchable ? widget.unit_name : widget.custom_unit
            color: widget.axis_color1
            onSwitched: widget.time_unit = TimeUnits.next(widget.time_unit)
            onEdited: widget.custom_unit = text
        }
    }
    // The spectrum's x axis: frequencies in Hz once the row rate is known.
    AxisX2 {
        objectName: "axisXFreq"
        anchors { left: plot.left; top: plot.bottom; topMargin: 2 }
        width: widget.plot_width
        height: 16
        visible: widget.kind === 3 && !widget.hide_axis_x
        count: 4
        color: widget.axis_color1
        begin: widget.freq_low
        end: widget.freq_high
        decimals: widget.freq_decimals >= 0 ? widget.freq_decimals : widget.step_decimals(end - begin, count)
        first_tip: qsTr("量程范围内最小频率") + ": " + begin.toFixed(decimals) + (widget.freq_bin_hz > 0 ? " Hz" : "")
        last_tip: qsTr("量程范围内最大频率") + ": " + end.toFixed(decimals) + (widget.freq_bin_hz > 0 ? " Hz" : "")
    }

    // Histogram range: its ends are edited under the plot.
    Item {
        anchors { left: plot.left; right: plot.right; top: plot.bottom; topMargin: 1 }
        height: 18
        visible: widget.kind === 2 && !widget.hide_axis_x
        AxisX2 {
            anchors { left: rangeMin.right; right: rangeMax.left; leftMargin: 4; rightMargin: 4; top: parent.top; bottom: parent.bottom }
            count: 4
            color: widget.axis_color1
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
    // The bar chart's channel names, renamed or taken off from here.
    BarNames {
        objectName: "barNames"
        anchors { left: plot.left; top: plot.bottom; topMargin: 2 }
        width: widget.plot_width
        height: 16
        visible: widget.kind === 1 && !widget.hide_axis_x
        bars: barLabels.bars
        onRemove: widget.set_line_shown(ch, false)
    }

    Rectangle {
        id: plot
        objectName: "plotArea"
        anchors { left: axisY.right; right: parent.right; top: cursorStrip.bottom; bottom: parent.bottom
                  rightMargin: 6; bottomMargin: widget.hide_axis_x ? 4 : 20 }
        color: "transparent"
        border.color: widget.axis_color2
        border.width: widget.hide_border ? 0 : 1

        GridPainter {
            anchors.fill: parent
            visible: !widget.simplify
            color: widget.axis_color2
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
            optimization_on: true
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
            unit_a: widget.unit_per_sample
            unit_text: widget.unit_name
            histog_gap_num: 20
            histog_left_index: 0
            histog_right_index: histog_gap_num - 1
            freq_gap_num: 64
            freq_left_index: 0
            freq_right_index: freq_gap_num / 2 - 1
            theme_color: widget.axis_color2
        }

        AxisPainter {
            anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
            height: 8
            visible: widget.kind === 0 && !widget.simplify
            color: widget.axis_color2
            vcount: chart.x_grid_num
            right_offset: chart.x_offset_pixel
        }

        BarLabels {
            id: barLabels
            objectName: "barLabels"
            x: 0
            y: 0
            width: widget.plot_width
            height: parent.height
            visible: widget.kind === 1
            chart: chart
            font_size: widget.font_size
            show_all: widget.all_bar_text
            base_color: widget.axis_color1
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
        // A dotted line down from each cursor.
        Repeater {
            model: widget.kind === 0 ? widget.cursors : []
            DottedLine {
                objectName: "cursorLine"
                readonly property real at: widget.cursor_pixel(modelData)
                anchors.fill: parent
                visible: !modelData.hide_line && at >= 0 && at <= widget.plot_width
                color: theme.iconColor2
                line_width: 1
                dash_on: true
                start_x: at
                start_y: 0
                end_x: at
                end_y: height
            }
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
            property real press_x0: 0
            property real press_x1: 0
            property real press_top: 0
            property real press_bottom: 0
            property bool dragged: false

            // Dragging moves the index window, or the x window in XY mode;
            // with Ctrl it moves the value window too.
            function drag(dx, dy, modifiers) {
                if (widget.xy_mode) {
                    widget.auto_on = false
                    var per_x = (press_x1 - press_x0) / Math.max(1, widget.plot_width)
                    chart.axis_x_begin = press_x0 - dx * per_x
                    chart.axis_x_end = press_x1 - dx * per_x
                } else {
                    var per_px = (press_end - press_begin) / Math.max(1, widget.plot_width)
                    widget.set_window(press_begin - dx * per_px, press_end - dx * per_px)
                }
                if (widget.xy_mode || (modifiers & Qt.ControlModifier)) {
                    widget.auto_on = false
                    var per_py = (press_top - press_bottom) / Math.max(1, plot.height)
                    chart.top_value = press_top + dy * per_py
                    chart.bottom_value = press_bottom + dy * per_py
                }
            }
            onPositionChanged: {
                chart.mouse_x_pixel = mouse.x
                chart.mouse_y_pixel = mouse.y
                marker.mouse_index = widget.index_at(mouse.x)
                if (pressed && (mouse.buttons & Qt.LeftButton) && widget.kind === 0) {
                    var dx = mouse.x - press_at.x, dy = mouse.y - press_at.y
                    if (Math.abs(dx) + Math.abs(dy) > 3)
                        dragged = true
                    if (dragged)
                        drag(dx, dy, mouse.modifiers)
                }
                marker.repaint(false)
            }
            onPressed: {
                press_at = Qt.point(mouse.x, mouse.y)
                press_begin = chart.draw_index_begin
                press_end = chart.draw_index_end
                press_x0 = chart.axis_x_begin
                press_x1 = chart.axis_x_end
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
                onTriggered: widget.has_selection = (widget.xy_mode ? marker.select_point2d(-2) : marker.select_point()) >= 0
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
