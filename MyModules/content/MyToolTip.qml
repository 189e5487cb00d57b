import QtQuick 2.15
import QtQuick.Controls 2.15

ToolTip {
    id: tip
    delay: 600
    contentItem: Text {
        text: tip.text
        color: theme.fontColor
        font.family: g_settings.fontFamily
        font.pixelSize: g_settings.fontPixelSizeSmall
        wrapMode: Text.Wrap
    }
    background: Rectangle {
        color: theme.barColor
        border.color: theme.lineColor
        radius: 3
    }
}
