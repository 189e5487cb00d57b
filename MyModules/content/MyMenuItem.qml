import QtQuick 2.15
import QtQuick.Controls 2.15

MenuItem {
    id: item
    property string tip: ""
    implicitHeight: g_settings.rowHeight + 4
    contentItem: Text {
        leftPadding: item.checkable ? 22 : 6
        rightPadding: item.subMenu ? 16 : 4
        text: item.text
        color: item.enabled ? theme.fontColor : theme.fontColorTips
        font: item.font
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
    }
    indicator: Text {
        x: 6
        anchors.verticalCenter: parent.verticalCenter
        visible: item.checkable && item.checked
        text: "\u2713"
        color: theme.iconColor1
        font.pixelSize: 13
    }
    arrow: Text {
        x: item.width - width - 6
        anchors.verticalCenter: parent.verticalCenter
        visible: item.subMenu
        text: "\u25b8"
        color: theme.iconColor1
    }
    background: Rectangle {
        color: item.highlighted ? theme.lightColor : "transparent"
    }
    MyToolTip {
        visible: item.tip !== "" && item.hovered
        text: item.tip
    }
}
