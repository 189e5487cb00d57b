import QtQuick 2.15

// "事件与参数": the argument a widget sends with its command ("示例参数"
// until the widget supplies its own value) and how it is filled in: as
// text ("浮点", for "%f" placeholders) or as four bytes ("十六进制", for
// "%%"). A bound command decides the mode.
MyMenu {
    id: menu
    objectName: "argumentMenu"
    property var target: null
    readonly property bool bound: target !== null && target.cmd_label !== ""
    title: qsTr("事件与参数")
    MenuField {
        objectName: "sampleArgumentField"
        label: qsTr("示例参数")
        value: menu.target !== null ? String(menu.target.argument) : ""
        onEdited: {
            var v = Number(text)
            if (text.trim() !== "" && isFinite(v))
                menu.target.argument = v
        }
    }
    MyMenuItem {
        text: qsTr("模式") + ": " + qsTr("十六进制")
        checkable: true
        checked: menu.target !== null && menu.target.cmd_hex
        enabled: !menu.bound
        onTriggered: menu.target.cmd_hex = true
    }
    MyMenuItem {
        text: qsTr("模式") + ": " + qsTr("浮点")
        checkable: true
        checked: menu.target !== null && !menu.target.cmd_hex
        enabled: !menu.bound
        onTriggered: menu.target.cmd_hex = false
    }
    MyMenuItem {
        visible: menu.bound
        height: visible ? implicitHeight : 0
        enabled: false
        text: qsTr("模式已跟随命令")
    }
}
