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
            height: 30
            icon: list.icons[index] || ""
            text: modelData
            checked: list.current === index
            onClicked: list.current = index
        }
    }
}
