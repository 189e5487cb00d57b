import QtQuick 2.15

// The page buttons at the top of the left panel.
Row {
    id: list
    property int current: 0
    property var pages: []
    property var icons: []
    spacing: 2
    Repeater {
        model: list.pages
        IconButton {
            objectName: "functionPage" + index
            width: (list.width - list.spacing * (list.pages.length - 1)) / list.pages.length
            height: g_settings.rowHeight + 4
            // The icon gives way when the page name needs the room.
            icon: list.width / Math.max(1, list.pages.length) > label.implicitWidth + 26 ? (list.icons[index] || "") : ""
            TextMetrics {
                id: label
                font.family: g_settings.fontFamily
                font.pixelSize: g_settings.fontPixelSizeNormal
                text: modelData
            }
            text: modelData
            checked: list.current === index
            onClicked: list.current = index
        }
    }
}
