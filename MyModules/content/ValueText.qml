import QtQuick 2.15

// A widget's value as its `ValueMenu` sets it: shown or not, decimals,
// scale, a custom colour; "--" while there is none.
Text {
    property var target: null
    property real value: NaN
    property color normal_color: theme.fontColor
    visible: target !== null && target.value_on
    horizontalAlignment: Text.AlignHCenter
    elide: Text.ElideRight
    text: isNaN(value) || target === null ? "--" : value.toFixed(target.value_decimal)
    color: target !== null && target.value_color_custom ? target.value_color : normal_color
    font.family: g_settings.fontFamilyNumber
    font.pixelSize: g_settings.fontPixelSizeBig * (target !== null ? target.value_scale : 1)
    font.bold: true
}
