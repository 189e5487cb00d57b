import QtQuick 2.15

// A colour choice inside a menu: preset swatches and a "#rrggbb" field.
Item {
    id: item
    property color value: "white"
    property var presets: ["#f44336", "#ff9800", "#ffeb3b", "#4caf50", "#00bcd4", "#2196f3", "#9c27b0", "#ffffff"]
    signal picked(color value)
    implicitWidth: 220
    implicitHeight: g_settings.rowHeight * 2 + 12
    width: parent ? parent.width : implicitWidth
    Row {
        id: swatches
        anchors { left: parent.left; leftMargin: 8; top: parent.top; topMargin: 4 }
        spacing: 4
        Repeater {
            model: item.presets
            Rectangle {
                objectName: "colorSwatch" + index
                width: 20
                height: 20
                radius: 3
                color: modelData
                border.color: Qt.colorEqual(item.value, modelData) ? theme.iconColor1 : theme.lineColor
                border.width: Qt.colorEqual(item.value, modelData) ? 2 : 1
                MouseArea {
                    anchors.fill: parent
                    onClicked: item.picked(modelData)
                }
            }
        }
    }
    MenuField {
        anchors { top: swatches.bottom; topMargin: 2 }
        label: "#"
        value: item.value.toString()
        onEdited: if (/^#([0-9a-fA-F]{6}|[0-9a-fA-F]{8})$/.test(text)) item.picked(text)
    }
}
