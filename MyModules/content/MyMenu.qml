import QtQuick 2.15
import QtQuick.Controls 2.15

Menu {
    id: menu
    implicitWidth: 200
    font.family: g_settings.fontFamily
    font.pixelSize: g_settings.fontPixelSizeNormal
    background: Rectangle {
        implicitWidth: 200
        color: theme.barColor
        border.color: theme.lineColor
        radius: 3
    }
    delegate: MyMenuItem {}
}
