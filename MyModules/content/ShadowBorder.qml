import QtQuick 2.15

// A soft shadow of a few fading outlines around a frameless window.
Item {
    id: shadow
    property int size: 8
    property real radius: 6
    Repeater {
        model: shadow.size
        Rectangle {
            anchors.fill: parent
            anchors.margins: index
            radius: shadow.radius + shadow.size - index
            color: "transparent"
            border.width: 1
            border.color: Qt.rgba(0, 0, 0, 0.05 + 0.32 * index / shadow.size)
        }
    }
}
