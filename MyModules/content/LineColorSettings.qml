import QtQuick 2.15

// "数据配色": the channel colour presets of the theme (`target.lColors`).
// A click changes a colour, a long press deletes it; "上移"/"下移" move the
// chosen one; new channels take the presets in turn.
Column {
    id: settings
    objectName: "lineColorSettings"
    property var target: null
    property int selected: -1
    readonly property var colours: target !== null ? target.lColors : []
    spacing: 4

    function set_list(list) { target.lColors = list }
    function add() {
        if (colours.length >= target.max_line_colors)
            return
        set_list(colours.concat([colours.length > 0 ? colours[colours.length - 1] : "#ffffff"]))
        selected = colours.length - 1
    }
    function remove(i) {
        // One preset stays, so that new channels always get a colour.
        if (colours.length <= 1)
            return
        var list = colours.slice()
        list.splice(i, 1)
        set_list(list)
        selected = -1
    }
    function move(step) {
        var to = selected + step
        if (selected < 0 || to < 0 || to >= colours.length)
            return
        var list = colours.slice()
        var c = list[selected]
        list[selected] = list[to]
        list[to] = c
        set_list(list)
        selected = to
    }
    function set_colour(i, value) {
        var list = colours.slice()
        list[i] = value.toString()
        set_list(list)
    }

    MyText {
        height: g_settings.rowHeight + 4
        verticalAlignment: Text.AlignBottom
        font.bold: true
        color: theme.mainColor
        text: qsTr("数据配色")
    }
    Flow {
        width: settings.width
        spacing: 4
        Repeater {
            model: settings.colours
            Rectangle {
                id: swatch
                objectName: "lineColor" + index
                width: g_settings.rowHeight
                height: width
                radius: 3
                color: modelData
                border.color: settings.selected === index ? theme.iconColor1 : theme.lineColorMain
                border.width: settings.selected === index ? 2 : 1
                MouseArea {
                    id: swatchArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: {
                        settings.selected = index
                        picker.index = index
                        picker.popup(swatch, 0, swatch.height)
                    }
                    onPressAndHold: settings.remove(index)
                }
                MyToolTip {
                    visible: swatchArea.containsMouse
                    text: qsTr("点击修改颜色，或长按删除此预设颜色")
                }
            }
        }
    }
    Row {
        spacing: 4
        IconButton {
            objectName: "addLineColorButton"
            icon: "qrc:/icons/plus.svg"
            text: qsTr("添加配色")
            onClicked: settings.add()
        }
        IconButton {
            objectName: "lineColorUpButton"
            text: qsTr("上移")
            enabled: settings.selected > 0
            onClicked: settings.move(-1)
        }
        IconButton {
            objectName: "lineColorDownButton"
            text: qsTr("下移")
            enabled: settings.selected >= 0 && settings.selected < settings.colours.length - 1
            onClicked: settings.move(1)
        }
    }
    MyMenu {
        id: picker
        objectName: "lineColorPicker"
        property int index: -1
        MyColorMenuItem {
            value: picker.index >= 0 && picker.index < settings.colours.length ? settings.colours[picker.index] : "white"
            onPicked: {
                settings.set_colour(picker.index, value)
                picker.close()
            }
        }
    }
}
