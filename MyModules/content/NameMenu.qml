import QtQuick 2.15

// "名称": how a widget shows its name: on or off, font scale, following
// the bound channel or command or a custom text, and its colour
// (`name_on`, `name_scale`, `name_follow`, `name_text`,
// `name_color_follow`, `name_color` of the widget).
MyMenu {
    id: menu
    objectName: "nameMenu"
    property var target: null
    // Whether the widget binds a channel (else a command) for the name to follow.
    property bool follows_channel: true
    title: qsTr("名称")
    MyMenuItem {
        objectName: "showNameItem"
        text: qsTr("显示名称")
        checkable: true
        checked: menu.target !== null && menu.target.name_on
        onTriggered: menu.target.name_on = checked
    }
    MenuField {
        label: qsTr("字体缩放:")
        value: menu.target !== null ? String(menu.target.name_scale) : ""
        onEdited: {
            var v = Number(text)
            if (isFinite(v) && v >= 0.1 && v <= 20)
                menu.target.name_scale = v
        }
    }
    MyMenuItem {
        objectName: "nameFollowItem"
        text: menu.follows_channel ? qsTr("名称跟随已绑定通道") : qsTr("名称跟随已绑定命令")
        checkable: true
        checked: menu.target !== null && menu.target.name_follow
        onTriggered: menu.target.name_follow = checked
    }
    MenuField {
        objectName: "customNameField"
        visible: menu.target !== null && !menu.target.name_follow
        height: visible ? implicitHeight : 0
        label: qsTr("自定义名称:")
        value: menu.target !== null ? menu.target.name_text : ""
        onEdited: menu.target.name_text = text
    }
    MyMenuItem {
        text: qsTr("颜色跟随已绑定通道")
        visible: menu.follows_channel
        height: visible ? implicitHeight : 0
        checkable: true
        checked: menu.target !== null && menu.target.name_color_follow
        onTriggered: menu.target.name_color_follow = checked
    }
    MyColorMenuItem {
        visible: menu.target !== null && !(menu.follows_channel && menu.target.name_color_follow)
        height: visible ? implicitHeight : 0
        value: menu.target !== null ? menu.target.name_color : "white"
        onPicked: menu.target.name_color = value
    }
}
