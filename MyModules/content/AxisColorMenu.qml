import QtQuick 2.15

// One of the chart's axis colours: it follows one of two theme colours or
// is the user's own (`mode` 0, 1 or 2 of the target's `<prefix>_mode`, and
// `<prefix>_custom`).
MyMenu {
    id: menu
    property var target: null
    property string prefix: "axis_color1"
    property var follow_names: []
    readonly property int mode: target !== null ? target[prefix + "_mode"] : 0
    Repeater {
        model: menu.follow_names
        MyMenuItem {
            objectName: menu.prefix + "_follow" + (index + 1)
            text: modelData
            checkable: true
            checked: menu.mode === index
            onTriggered: {
                menu.target[menu.prefix + "_mode"] = index
                checked = Qt.binding(function() { return menu.mode === index })
            }
        }
    }
    MyMenuItem {
        objectName: menu.prefix + "_customItem"
        text: qsTr("自定义颜色...")
        checkable: true
        checked: menu.mode === 2
        onTriggered: {
            menu.target[menu.prefix + "_mode"] = 2
            checked = Qt.binding(function() { return menu.mode === 2 })
        }
    }
    MyColorMenuItem {
        visible: menu.mode === 2
        height: visible ? implicitHeight : 0
        value: menu.target !== null ? menu.target[menu.prefix + "_custom"] : "white"
        onPicked: menu.target[menu.prefix + "_custom"] = value
    }
}
