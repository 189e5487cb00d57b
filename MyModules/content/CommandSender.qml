import QtQuick 2.15

// Sends a widget's value with its bound command (`path`): at once for a
// click; for a value the user drags, at most once per tick while it moves
// and the last value always, as soon as the send buffer is free.
Item {
    id: sender
    property var host: null
    property var path: []
    property int tick_ms: 50
    readonly property bool bound: host !== null && path !== null && path !== undefined && path.length > 0
    property bool pending: false
    property bool pending_final: false
    property real pending_value: 0
    property int sent_count: 0
    property real last_sent: NaN
    signal sent(real value)
    // Another command has not had the value yet.
    onPathChanged: last_sent = NaN

    function send(value) {
        if (!bound || !host.send_command(path, value))
            return false
        sent_count++
        last_sent = value
        sent(value)
        return true
    }
    // A value while dragging; `done` when the user let go. Letting go
    // where the last value already went out sends nothing more.
    function offer(value, done) {
        if (done && !pending && value === last_sent)
            return
        pending_value = value
        pending = true
        pending_final = pending_final || done
        if (!timer.running)
            try_send()
        timer.start()
    }
    function try_send() {
        if (!pending)
            return
        if (!bound) {
            pending = false
            return
        }
        // Without a link only the last value asks for one, not every step.
        if (host.can_send() || (pending_final && !host.link_ready())) {
            pending = false
            pending_final = false
            send(pending_value)
        }
    }
    Timer {
        id: timer
        interval: sender.tick_ms
        repeat: true
        onTriggered: {
            sender.try_send()
            if (!sender.pending)
                stop()
        }
    }
}
