import QtQuick 2.15

// A widget's name as its `NameMenu` sets it: shown or not, its scale, the
// bound channel's or command's name (`follow_text`) or a custom text, the
// channel's colour (`follow_color`) or a custom one.
Text {
    property var target: null
    property string follow_text: ""
    property color follow_color: theme.fontColor
    visible: target !== null && target.name_on
    horizontalAlignment: Text.AlignHCenter
    elide: Text.ElideRight
    text: target === null ? "" : target.name_follow ? follow_text : target.name_text
    color: target === null || target.name_color_follow ? follow_color : target.name_color
    font.family: g_settings.fontFamily
    font.pixelSize: g_settings.fontPixelSizeNormal * (target !== null ? target.name_scale : 1)
}
