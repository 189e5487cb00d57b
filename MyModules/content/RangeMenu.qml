import QtQuick 2.15

// "范围": the range of a widget's value (`range_min`, `range_max`) and,
// when the widget has one, its step (`range_step`; 0: any value).
MyMenu {
    id: menu
    objectName: "rangeMenu"
    property var target: null
    property bool has_step: true
    title: qsTr("范围")
    MenuField {
        objectName: "rangeMinField"
        label: qsTr("最小值:")
        value: menu.target !== null ? String(menu.target.range_min) : ""
        onEdited: {
            var v = Number(text)
            if (text.trim() !== "" && isFinite(v) && v < menu.target.range_max)
                menu.target.range_min = v
        }
    }
    MenuField {
        objectName: "rangeMaxField"
        label: qsTr("最大值:")
        value: menu.target !== null ? String(menu.target.range_max) : ""
        onEdited: {
            var v = Number(text)
            if (text.trim() !== "" && isFinite(v) && v > menu.target.range_min)
                menu.target.range_max = v
        }
    }
    MenuField {
        objectName: "rangeStepField"
        visible: menu.has_step
        height: visible ? implicitHeight : 0
        label: qsTr("步长:")
        value: menu.target !== null && menu.has_step ? String(menu.target.range_step) : ""
        onEdited: {
            var v = Number(text)
            if (text.trim() !== "" && isFinite(v) && v >= 0)
                menu.target.range_step = v
        }
    }
}
