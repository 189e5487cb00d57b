import QtQuick 2.15

// The link session's counters in a line: frames and undecoded bytes, and
// what was dropped only when something was. Its tip lists every counter;
// a click starts the counting over.
MyText {
    id: line
    objectName: "intakeLine"
    property var values: ({})
    readonly property real dropped_bytes: values.dropped_bytes || 0
    readonly property real dropped_rows: (values.rows_too_wide || 0) + (values.rows_width_change || 0)
    readonly property bool dropped: dropped_bytes > 0 || dropped_rows > 0
    // Counter names and their labels, in the tip's order.
    readonly property var labels: [
        ["received_bytes", qsTr("已接收字节")], ["decoded_bytes", qsTr("帧内字节")],
        ["undecoded_bytes", qsTr("帧外字节")], ["frames", qsTr("帧")], ["rows", qsTr("行")],
        ["rows_too_wide", qsTr("超出通道上限而丢弃的行")], ["rows_width_change", qsTr("通道数变化时丢弃的行")],
        ["images", qsTr("图片")], ["sent_bytes", qsTr("已发送字节")], ["link_errors", qsTr("链路错误")],
        ["dropped_bytes", qsTr("超出接收上限而丢弃的字节")]
    ]
    function refresh() { values = datahub_global.counter_values() }
    function tip_text() {
        var out = []
        for (var i = 0; i < labels.length; i++)
            out.push(labels[i][1] + ": " + (values[labels[i][0]] || 0))
        return out.join("\n") + "\n" + qsTr("点击清零")
    }
    text: qsTr("帧") + " " + (values.frames || 0) + "  " + qsTr("帧外") + " " + (values.undecoded_bytes || 0) + " B"
          + (dropped ? "  " + qsTr("丢弃") + " " + dropped_bytes + " B / " + dropped_rows + qsTr("行") : "")
    color: dropped ? theme.iconColor2 : theme.fontColorBar
    font.family: g_settings.fontFamilyNumber
    elide: Text.ElideRight
    Timer {
        interval: 1000
        running: line.visible
        repeat: true
        triggeredOnStart: true
        onTriggered: line.refresh()
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: { datahub_global.reset_counters(); line.refresh() }
    }
    MyToolTip {
        visible: area.containsMouse
        text: line.tip_text()
    }
}
