import QtQuick 2.15

// The chart widget's menu (right click on the plot). `view` is the chart
// widget: its members and functions are what the entries drive.
MyMenu {
    id: chartMenu
    objectName: "chartMenu"
    property var view: null
    readonly property var chart: view !== null ? view.chart : null
    // Where the menu was opened, for a cursor added there.
    property real at_x: 0
    implicitWidth: 290

    // A number field for an integer member of the view (or of the chart
    // when `on_chart`); empty text stands for -1 (automatic) where allowed.
    component NumberField: MenuField {
        property string member
        property bool on_chart: false
        property int low: 0
        property int high: 100
        property bool auto_allowed: false
        readonly property var owner: on_chart ? chartMenu.chart : chartMenu.view
        objectName: "chartField_" + member
        value: owner === null ? "" : (auto_allowed && owner[member] < 0 ? "" : String(owner[member]))
        field.placeholderText: auto_allowed ? qsTr("自动") : ""
        onEdited: {
            if (auto_allowed && text.trim() === "") {
                owner[member] = -1
                return
            }
            var v = Number(text)
            if (text.trim() !== "" && isFinite(v) && Math.round(v) === v && v >= low && v <= high)
                owner[member] = v
            else
                field.text = value
        }
    }
    // A check entry for a boolean member of the view (or of the chart
    // when `on_chart`).
    component CheckItem: MyMenuItem {
        property string member
        property bool on_chart: false
        readonly property var owner: on_chart ? chartMenu.chart : chartMenu.view
        objectName: "chartCheck_" + member
        checkable: true
        checked: owner !== null && owner[member]
        // The mark follows the member, also when something else sets it.
        onTriggered: {
            owner[member] = checked
            checked = Qt.binding(function() { return owner !== null && owner[member] })
        }
    }

    MyMenuItem {
        objectName: "addCursorItem"
        text: qsTr("添加游标")
        onTriggered: chartMenu.view.add_cursor_at(chartMenu.at_x)
    }
    MyMenuItem {
        objectName: "clearCursorsItem"
        text: qsTr("清除所有游标")
        enabled: chartMenu.view !== null && chartMenu.view.cursors.length > 0
        onTriggered: chartMenu.view.clear_cursors()
    }
    MyMenuSeparator {}
    ChartKindMenu {
        view: chartMenu.view
    }
    MyMenuItem {
        objectName: "lineMethodItem"
        text: qsTr("线宽实现方法: ") + (datahub_global.use_instance ? "Shader" : "OpenGL")
        tip: qsTr("如果你发现设置线宽不起作用，请切换线宽实现方式为Shader。")
        onTriggered: datahub_global.use_instance = !datahub_global.use_instance
    }
    NumberField {
        label: qsTr("线宽(px):")
        member: "line_width"
        on_chart: true
        low: 1
        high: 20
    }
    CheckItem { member: "fake_continuous"; on_chart: true; text: qsTr("连接数据点") }
    CheckItem { member: "simplify"; text: qsTr("简化辅助线") }
    CheckItem { member: "hide_border"; text: qsTr("隐藏外框") }
    CheckItem { member: "all_bar_text"; text: qsTr("显示柱形图上方所有文字") }
    NumberField {
        label: qsTr("柱形图文字大小(px):")
        member: "font_size"
        low: 6
        high: 72
    }
    NumberField {
        label: qsTr("直方图统计格数:")
        member: "histog_gap_num"
        on_chart: true
        low: 1
        high: 10000
    }
    MyMenuSeparator {}
    MyMenu {
        objectName: "yAxisMenu"
        title: qsTr("Y轴")
        implicitWidth: 280
        NumberField {
            label: qsTr("波形图Y轴小数位数:")
            member: "y_decimals"
            high: 10
            auto_allowed: true
        }
        CheckItem { member: "hide_axis_y"; text: qsTr("隐藏Y轴") }
    }
    MyMenu {
        objectName: "xAxisMenu"
        title: qsTr("X轴")
        implicitWidth: 300
        CheckItem { member: "hide_axis_x"; text: qsTr("隐藏X轴") }
        CheckItem {
            member: "time_axis"
            text: qsTr("使用时间轴")
            tip: qsTr("X轴为时间模式")
        }
        MenuField {
            objectName: "chartField_sample_period_ms"
            label: qsTr("采样周期(ms):")
            value: chartMenu.view !== null && chartMenu.view.sample_period_ms > 0 ? String(chartMenu.view.sample_period_ms) : ""
            field.placeholderText: chartMenu.view !== null && chartMenu.view.measured_period_ms > 0
                                   ? qsTr("自动") + " " + chartMenu.view.measured_period_ms.toPrecision(4) : qsTr("自动")
            onEdited: {
                var v = Number(text)
                if (text.trim() === "")
                    chartMenu.view.sample_period_ms = 0
                else if (isFinite(v) && v > 0)
                    chartMenu.view.sample_period_ms = v
                else
                    field.text = value
            }
        }
        NumberField {
            label: qsTr("波形图X轴(X→T)小数位数:")
            member: "x_decimals"
            high: 10
            auto_allowed: true
        }
        NumberField {
            label: qsTr("直方图X轴小数位数:")
            member: "histog_decimals"
            high: 10
            auto_allowed: true
        }
        NumberField {
            label: qsTr("频率图X轴小数位数:")
            member: "freq_decimals"
            high: 10
            auto_allowed: true
        }
        MyMenuSeparator {}
        CheckItem { member: "xy_mode"; text: qsTr("XY模式") }
        ChMenu {
            objectName: "xChannelMenu"
            title: qsTr("X轴数据通道")
            target: chartMenu.view
            member: "x_channel"
        }
    }
    MyMenu {
        id: linesMenu
        objectName: "linesMenu"
        title: qsTr("指定通道")
        property var names: []
        onAboutToShow: names = datahub_global.names
        Repeater {
            model: linesMenu.names.length
            MyMenuItem {
                objectName: "lineItem" + index
                text: "CH" + (index + 1) + (linesMenu.names[index] !== "" ? ": " + linesMenu.names[index] : "")
                checkable: true
                checked: chartMenu.view !== null && chartMenu.view.shows_line(index)
                onTriggered: {
                    chartMenu.view.set_line_shown(index, checked)
                    checked = Qt.binding(function() { return chartMenu.view !== null && chartMenu.view.shows_line(index) })
                }
            }
        }
    }
    MyMenuItem {
        objectName: "allLinesItem"
        text: "All"
        checkable: true
        checked: chartMenu.view !== null && chartMenu.view.all_lines
        onTriggered: {
            chartMenu.view.show_all_lines()
            checked = Qt.binding(function() { return chartMenu.view !== null && chartMenu.view.all_lines })
        }
    }
    AxisColorMenu {
        objectName: "axisColor1Menu"
        title: qsTr("轴线颜色1")
        target: chartMenu.view
        prefix: "axis_color1"
        follow_names: [qsTr("跟随主题字色"), qsTr("跟随主题分割线颜色")]
    }
    AxisColorMenu {
        objectName: "axisColor2Menu"
        title: qsTr("轴线颜色2")
        target: chartMenu.view
        prefix: "axis_color2"
        follow_names: [qsTr("跟随主题分割线颜色"), qsTr("跟随主题注解字色")]
    }
}
