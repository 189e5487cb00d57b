import QtQuick 2.15

// "数值": how a widget shows its value: on or off, font scale, decimals
// and colour (`value_on`, `value_scale`, `value_decimal`,
// `value_color_custom`, `value_color` of the widget).
MyMenu {
    id: menu
    objectName: "valueMenu"
    property var target: null
    title: qsTr("数值")
    MyMenuItem {
        objectName: "showValueItem"
        text: qsTr("显示数值")
        checkable: true
        checked: menu.target !== null && menu.target.value_on
        onTriggered: menu.target.value_on = checked
    }
    MenuField {
        objectName: "valueScaleField"
        label: qsTr("字体缩放:")
        value: menu.target !== null ? String(menu.target.value_scale) : ""
        onEdited: {
            var v = Number(text)
            if (isFinite(v) && v >= 0.1 && v <= 20)
                menu.target.value_scale = v
        }
    }
    MenuField {
        objectName: "valueDecimalField"
        label: qsTr("保留小数点后位数:")
        value: menu.target !== null ? String(menu.target.value_decimal) : ""
        onEdited: {
            var v = parseInt(text)
            if (v >= 0 && v <= 10)
                menu.target.value_decimal = v
        }
    }
    MyMenuItem {
        objectName: "valueColorCustomItem"
        text: qsTr("自定义颜色")
        checkable: true
        checked: menu.target !== null && menu.target.value_color_custom
        onTriggered: menu.target.value_color_custom = checked
    }
    MyColorMenuItem {
        visible: menu.target !== null && menu.target.value_color_custom
        height: visible ? implicitHeight : 0
        value: menu.target !== null ? menu.target.value_color : "white"
        onPicked: menu.target.value_color = value
    }
}
