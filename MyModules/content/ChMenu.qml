import QtQuick 2.15

// Binds a widget to one of the hub's channels: the widget's `ch` (-1: none).
MyMenu {
    id: menu
    objectName: "chMenu"
    property var target: null
    property string member: "ch"
    title: qsTr("指定通道")
    // The channels the hub has now, at least a few to choose ahead of data.
    property var names: []
    onAboutToShow: names = datahub_global.names
    Repeater {
        model: Math.max(8, menu.names.length)
        MyMenuItem {
            objectName: menu.objectName + "Item" + index
            text: "CH" + (index + 1) + (index < menu.names.length && menu.names[index] !== "" ? ": " + menu.names[index] : "")
            checkable: true
            checked: menu.target !== null && menu.target[menu.member] === index
            onTriggered: menu.target[menu.member] = index
        }
    }
}
