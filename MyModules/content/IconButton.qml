import QtQuick 2.15

// A flat button with an icon, an optional text and a tooltip; can be a toggle.
Rectangle {
    id: button
    property url icon: ""
    property string text: ""
    property string tip: ""
    property bool checkable: false
    property bool checked: false
    property color textColor: theme.fontColor
    property int iconSize: 18
    signal clicked()

    implicitHeight: g_settings.rowHeight
    implicitWidth: row.implicitWidth + 12
    radius: 3
    // A label longer than the room it is given is cut, not drawn over its neighbours.
    clip: true
    color: area.pressed ? theme.lightColor
                        : (checked ? Qt.rgba(theme.iconColor1.r, theme.iconColor1.g, theme.iconColor1.b, 0.25)
                                   : (area.containsMouse ? theme.objColor : "transparent"))
    opacity: enabled ? 1 : 0.45

    Row {
        id: row
        anchors.centerIn: parent
        spacing: 4
        MyIcon {
            anchors.verticalCenter: parent.verticalCenter
            visible: button.icon != ""
            source: button.icon
            size: button.iconSize
            tinted: String(button.icon).indexOf("qrc:/icons/") === 0
            color: button.checked ? theme.iconColor1 : theme.fontColorBar
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            visible: button.text !== ""
            text: button.text
            color: button.textColor
            font.family: g_settings.fontFamily
            font.pixelSize: g_settings.fontPixelSizeNormal
        }
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            if (button.checkable)
                button.checked = !button.checked
            button.clicked()
        }
    }
    MyToolTip {
        visible: button.tip !== "" && area.containsMouse
        text: button.tip
    }
}
