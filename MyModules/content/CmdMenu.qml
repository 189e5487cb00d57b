import QtQuick 2.15

// "绑定命令": binds a widget to a command of the command panel; the widget
// keeps the command's path (`cmd_path`) and its names (`cmd_label`).
MyMenu {
    id: menu
    objectName: "cmdMenu"
    property var target: null
    // The hosting rectangle, which knows the command list.
    property var host: null
    property var nodes: []
    title: qsTr("绑定命令")
    onAboutToShow: nodes = host !== null ? host.command_list() : []
    MyMenuItem {
        text: qsTr("空")
        enabled: menu.nodes.length === 0
    }
    Repeater {
        model: menu.nodes
        MyMenuItem {
            objectName: "cmdMenuItem" + index
            text: modelData.label
            checkable: true
            checked: menu.target !== null && menu.target.cmd_label === modelData.label
            onTriggered: {
                menu.target.cmd_path = modelData.path
                menu.target.cmd_label = modelData.label
                menu.target.cmd_hex = modelData.hex_on
            }
        }
    }
}
