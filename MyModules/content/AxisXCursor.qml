import QtQuick 2.15

// A cursor handle on the strip above the chart with its coordinate beside
// it: drag to move the cursor, right click for its menu. The flags are the
// chart widget's; a menu entry asks for a change through `flag_changed`.
Rectangle {
    id: handle
    property int cursor_id: -1
    property real pixel_x: 0
    property string coordinate: ""
    property bool hide_coord: false
    property bool hide_line: false
    property bool hide_point: false
    property bool hide_text: false
    property color line_color: theme.iconColor2
    signal moved(real pixel_x)
    signal remove()
    signal flag_changed(string name, bool value)

    x: pixel_x - width / 2
    width: 14
    height: 14
    radius: 2
    color: line_color
    MyText {
        anchors.centerIn: parent
        text: handle.cursor_id
        color: theme.bgColor
        font.pixelSize: 10
    }
    Text {
        objectName: "cursorCoordinate"
        visible: !handle.hide_coord && handle.coordinate !== ""
        anchors { left: parent.right; leftMargin: 3; verticalCenter: parent.verticalCenter }
        text: handle.coordinate
        color: handle.line_color
        font.family: g_settings.fontFamilyAxis
        font.pixelSize: g_settings.fontPixelSizeSmall
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        property real press_x: 0
        onPressed: {
            press_x = mouse.x
            if (mouse.button === Qt.RightButton)
                menu.popup()
        }
        onPositionChanged: if (pressed && (mouse.buttons & Qt.LeftButton))
                               handle.moved(handle.pixel_x + mouse.x - press_x)
    }
    MyToolTip {
        visible: area.containsMouse && !menu.visible
        text: qsTr("右键: 弹出菜单")
    }
    component FlagItem: MyMenuItem {
        property string flag
        objectName: "cursorMenu_" + flag
        checkable: true
        checked: handle[flag]
        onTriggered: handle.flag_changed(flag, checked)
    }
    MyMenu {
        id: menu
        objectName: "cursorMenu"
        FlagItem { flag: "hide_coord"; text: qsTr("隐藏坐标") }
        FlagItem { flag: "hide_line"; text: qsTr("隐藏标线") }
        FlagItem { flag: "hide_point"; text: qsTr("隐藏交点") }
        FlagItem { flag: "hide_text"; text: qsTr("隐藏文字") }
        MyMenuItem {
            objectName: "cursorMenu_remove"
            text: qsTr("删除")
            onTriggered: handle.remove()
        }
    }
}
