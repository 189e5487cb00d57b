import QtQuick 2.15

// "警告区间": values below `warn_low` or above `warn_high` are shown in
// the warning colour while `warn_on` is set.
MyMenu {
    id: menu
    objectName: "zoneMenu"
    property var target: null
    title: qsTr("警告区间")
    MyMenuItem {
        objectName: "warnOnItem"
        text: qsTr("显示警告区间")
        checkable: true
        checked: menu.target !== null && menu.target.warn_on
        onTriggered: menu.target.warn_on = checked
    }
    MenuField {
        objectName: "warnLowField"
        label: qsTr("低于:")
        value: menu.target !== null ? String(menu.target.warn_low) : ""
        onEdited: {
            var v = Number(text)
            if (text.trim() !== "" && isFinite(v))
                menu.target.warn_low = v
        }
    }
    MenuField {
        objectName: "warnHighField"
        label: qsTr("高于:")
        value: menu.target !== null ? String(menu.target.warn_high) : ""
        onEdited: {
            var v = Number(text)
            if (text.trim() !== "" && isFinite(v))
                menu.target.warn_high = v
        }
    }
}
