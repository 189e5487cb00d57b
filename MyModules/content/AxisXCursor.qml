import QtQuick 2.15

// A cursor handle on the strip above the chart: drag to move the cursor,
// right click for its menu.
Rectangle {
    id: handle
    property int cursor_id: -1
    property real pixel_x: 0
    property color line_color: theme.iconColor2
    signal moved(real pixel_x)
    signal remove()
    signal hide_point_changed(bool hide)
    signal hide_text_changed(bool hide)

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
    MyMenu {
        id: menu
        MyMenuItem {
            text: qsTr("隐藏交点")
            checkable: true
            onToggled: handle.hide_point_changed(checked)
        }
        MyMenuItem {
            text: qsTr("隐藏文字")
            checkable: true
            onToggled: handle.hide_text_changed(checked)
        }
        MyMenuItem {
            text: qsTr("删除")
            onTriggered: handle.remove()
        }
    }
}
