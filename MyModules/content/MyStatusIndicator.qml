import QtQuick 2.15

// A light that blinks on every heart beat of the data hub.
Rectangle {
    id: light
    property bool active: false
    property bool beat: false
    implicitWidth: 12
    implicitHeight: 12
    radius: width / 2
    border.color: theme.lineColor
    // No colour animation: an animation would make the window render
    // continuously instead of only when something changed.
    color: active ? (beat ? theme.goodColor : Qt.darker(theme.goodColor, 2.2)) : theme.objColor
}
