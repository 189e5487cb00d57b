import QtQuick 2.15

Text {
    color: theme.fontColor
    font.family: g_settings.fontFamily
    font.pixelSize: g_settings.fontPixelSizeNormal
    font.bold: g_settings.fontBold
    verticalAlignment: Text.AlignVCenter
    elide: Text.ElideRight
    renderType: g_settings.fontRenderType
}
