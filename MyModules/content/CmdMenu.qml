import QtQuick 2.15

// "绑定命令": binds a widget to a command of the command panel; the widget
// keeps the command's path (`cmd_path`), its names (`cmd_label`) and its
// mode (`cmd_hex`). A widget with a second command gives another `key`
// ("cmd2": `cmd2_path`, ...) and title.
MyMenu {
    id: menu
    objectName: "cmdMenu"
    property var target: null
    property string key: "cmd"
    // The hosting rectangle, which knows the command list.
    property var host: null
    property var nodes: []
    title: qsTr("绑定命令")
    onAboutToShow: nodes = host !== null ? host.command_list() : []
    MyMenuItem {
        text: qsTr("空")
        enabled: menu.nodes.length === 0
    }
    MyMenuItem {
        objectName: menu.objectName + "None"
        text: qsTr("不绑定")
        visible: menu.target !== null && menu.target[menu.key + "_label"] !== ""
        height: visible ? implicitHeight : 0
        onTriggered: {
            menu.target[menu.key + "_path"] = []
            menu.target[menu.key + "_label"] = ""
        }
    }
    Repeater {
        model: menu.nodes
        MyMenuItem {
            objectName: "cmdMenuItem" + index
            text: modelData.label
            checkable: true
            checked: menu.target !== null && menu.target[menu.key + "_label"] === modelData.label
            onTriggered: {
                menu.target[menu.key + "_path"] = modelData.path
                menu.target[menu.key + "_label"] = modelData.label
                menu.target[menu.key + "_hex"] = modelData.hex_on
            }
        }
    }
}
