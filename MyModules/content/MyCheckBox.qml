import QtQuick 2.15
import QtQuick.Controls 2.15

CheckBox {
    id: box
    property string tip: ""
    implicitHeight: g_settings.rowHeight
    spacing: 6
    padding: 0
    indicator: Rectangle {
        implicitWidth: 16
        implicitHeight: 16
        x: box.leftPadding
        y: (box.height - height) / 2
        radius: 3
        color: box.checked ? theme.iconColor1 : theme.objColor
        border.color: box.checked ? theme.iconColor1 : theme.lineColor
        Text {
            anchors.centerIn: parent
            visible: box.checked
            text: "\u2713"
            color: theme.bgColor
            font.pixelSize: 12
            font.bold: true
        }
    }
    contentItem: Text {
        leftPadding: box.indicator.width + box.spacing
        text: box.text
        color: theme.fontColor
        font.family: g_settings.fontFamily
        font.pixelSize: g_settings.fontPixelSizeNormal
        verticalAlignment: Text.AlignVCenter
    }
    MyToolTip {
        visible: box.tip !== "" && box.hovered
        text: box.tip
    }
}
