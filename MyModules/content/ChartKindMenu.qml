import QtQuick 2.15

// "图形种类": the chart widget's kind (`view.kind`, set through `view.set_kind`).
MyMenu {
    id: menu
    property var view: null
    property string item_prefix: ""
    title: qsTr("图形种类")
    Repeater {
        model: menu.view !== null ? menu.view.kind_names : []
        MyMenuItem {
            objectName: menu.item_prefix !== "" ? menu.item_prefix + index : ""
            text: modelData
            checkable: true
            checked: menu.view.kind === index
            onTriggered: {
                menu.view.set_kind(index)
                checked = Qt.binding(function() { return menu.view.kind === index })
            }
        }
    }
}
