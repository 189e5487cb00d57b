import QtQuick 2.15
import QtQuick.Controls 2.15

TextField {
    id: field
    property string tip: ""
    color: theme.fontColor
    selectionColor: theme.iconColor1
    selectedTextColor: theme.bgColor
    font.family: g_settings.fontFamilyNumber
    font.pixelSize: g_settings.fontPixelSizeNormal
    selectByMouse: true
    leftPadding: 6
    rightPadding: 6
    topPadding: 2
    bottomPadding: 2
    implicitHeight: g_settings.rowHeight
    background: Rectangle {
        color: theme.objColor
        border.color: field.activeFocus ? theme.iconColor1 : theme.lineColor
        radius: 3
    }
    MyToolTip {
        visible: field.tip !== "" && field.hovered
        text: field.tip
    }
}
