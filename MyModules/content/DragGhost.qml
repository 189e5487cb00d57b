import QtQuick 2.15
import QtQuick.Window 2.15

// A small label that follows the pointer while something is dragged
// between windows: a window of its own, so it shows over every window and
// over the desktop between them.
Window {
    id: ghost
    objectName: "dragGhost"
    flags: Qt.ToolTip | Qt.FramelessWindowHint | Qt.WindowTransparentForInput | Qt.WindowDoesNotAcceptFocus
    color: "transparent"
    width: label.implicitWidth + 24
    height: label.implicitHeight + 12
    visible: false

    function show_at(gp, text) {
        label.text = text
        x = gp.x + 12
        y = gp.y + 12
        if (!visible)
            show()
    }

    Rectangle {
        anchors.fill: parent
        radius: 4
        color: theme.barColor
        border.color: theme.iconColor1
        opacity: 0.9
        MyText {
            id: label
            anchors.centerIn: parent
        }
    }
}
