import QtQuick 2.15

// The rows per second the hub took over the last second, measured from its
// write position (which wraps at the ring size). 0 until measured.
Timer {
    id: rate
    property real rows_per_second: 0
    property int last_rows: 0
    property real last_time: 0
    interval: 1000
    running: true
    repeat: true
    onTriggered: {
        var now = Date.now()
        var head = datahub_global.head
        var size = Math.max(1, datahub_global.size)
        if (last_time > 0)
            rows_per_second = ((head - last_rows + size) % size) * 1000 / (now - last_time)
        last_rows = head
        last_time = now
    }
}
