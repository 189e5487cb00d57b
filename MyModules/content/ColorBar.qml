import QtQuick 2.15
import QtQuick.Layouts 1.15
import "ctx.js" as Ctx

// The buffer control zone: ring size, the time the buffer spans, clearing.
Rectangle {
    id: bar
    property alias no_clear_warning: noWarn.checked
    readonly property alias rows_per_second: rowRate.rows_per_second
    color: theme.cbColor1
    implicitHeight: g_settings.rowHeight + 8

    // The buffer size is the hub's; restoring it re-lays the rings out, so
    // it comes before any saved data is loaded.
    function get_ctx() {
        return { ".": { size: datahub_global.size, no_clear_warning: noWarn.checked } }
    }
    function set_ctx(ctx) {
        var own = Ctx.own(ctx)
        noWarn.checked = Ctx.boolean(own, "no_clear_warning", noWarn.checked)
        var size = Ctx.integer(own, "size", datahub_global.size)
        if (size >= sizeBox.from && size <= sizeBox.to && size !== datahub_global.size)
            resize(size)
    }
    // Loading a recording fills the rings up to max_size: keep the two equal.
    function resize(n) {
        datahub_global.max_size = n
        datahub_global.size = n
    }

    function clear_data() {
        if (noWarn.checked) {
            datahub_global.clear()
            return
        }
        alert_panel.confirm(qsTr("所有通道的数据将被清空，") + qsTr("您确定要这么做吗？"),
                            function() { datahub_global.clear() })
    }

    RowRate {
        id: rowRate
    }

    RowLayout {
        anchors { fill: parent; leftMargin: 8; rightMargin: 8 }
        spacing: 8
        MyText {
            text: qsTr("缓冲区大小")
            color: theme.fontColorBar
        }
        MySpinBox {
            id: sizeBox
            objectName: "bufferSize"
            Layout.preferredWidth: 130
            from: 1
            to: 100000000
            stepSize: 10000
            value: datahub_global.size
            onValueModified: bar.resize(value)
        }
        MyText {
            objectName: "deltaT"
            text: "Δt: " + (bar.rows_per_second > 0
                             ? (datahub_global.size * 1000 / bar.rows_per_second).toFixed(0) : "-") + " ms"
            color: theme.fontColorBar
            font.family: g_settings.fontFamilyNumber
        }
        // Takes only the room left over, cut short when there is little.
        IntakeLine {
            Layout.fillWidth: true
            Layout.preferredWidth: 0
            Layout.minimumWidth: 0
        }
        MyCheckBox {
            id: noWarn
            objectName: "noClearWarning"
            text: qsTr("清空数据时不弹出警告")
        }
        IconButton {
            objectName: "clearData"
            icon: "qrc:/icons/clear.svg"
            // Its name moves into the tip when the bar is too narrow for it.
            text: bar.width >= 620 ? qsTr("清空数据") : ""
            tip: bar.width >= 620 ? "" : qsTr("清空数据")
            onClicked: bar.clear_data()
        }
    }
}
