import QtQuick 2.15
import QtQuick.Window 2.15

// Title bar of a frameless window: dragging moves the window, a double
// click maximises; the buttons keep on top, minimise, maximise and close.
Rectangle {
    id: bar
    property var window
    property string title: ""
    property alias left_items: leftRow.data
    property bool can_maximize: true
    signal close_clicked()

    implicitHeight: 34
    color: theme.barColor

    MouseArea {
        anchors.fill: parent
        property point press_pos
        property point press_window
        property bool system_move: false
        onPressed: {
            system_move = bar.window.startSystemMove ? bar.window.startSystemMove() : false
            press_pos = mapToGlobal(mouse.x, mouse.y)
            press_window = Qt.point(bar.window.x, bar.window.y)
        }
        onPositionChanged: {
            if (system_move || bar.window.visibility === Window.Maximized)
                return
            var p = mapToGlobal(mouse.x, mouse.y)
            bar.window.x = press_window.x + p.x - press_pos.x
            bar.window.y = press_window.y + p.y - press_pos.y
        }
        onDoubleClicked: if (bar.can_maximize) maximize.clicked()
    }

    Row {
        id: leftRow
        anchors { left: parent.left; leftMargin: 6; verticalCenter: parent.verticalCenter }
        spacing: 4
    }

    MyText {
        anchors.centerIn: parent
        text: bar.title
        color: theme.mainColor
        font.bold: true
    }

    Row {
        anchors { right: parent.right; rightMargin: 4; verticalCenter: parent.verticalCenter }
        spacing: 2
        IconButton {
            id: ontop
            objectName: "ontopButton"
            icon: "qrc:/icons/ontop.svg"
            tip: qsTr("置顶")
            checkable: true
            width: 34
            onCheckedChanged: {
                if (checked)
                    bar.window.flags = bar.window.flags | Qt.WindowStaysOnTopHint
                else
                    bar.window.flags = bar.window.flags & ~Qt.WindowStaysOnTopHint
            }
        }
        IconButton {
            objectName: "minimizeButton"
            icon: "qrc:/icons/minimize.svg"
            tip: qsTr("最小化")
            width: 34
            onClicked: bar.window.showMinimized()
        }
        IconButton {
            id: maximize
            objectName: "maximizeButton"
            visible: bar.can_maximize
            icon: bar.window && bar.window.visibility === Window.Maximized ? "qrc:/icons/restore.svg" : "qrc:/icons/maximize.svg"
            tip: bar.window && bar.window.visibility === Window.Maximized ? qsTr("还原") : qsTr("最大化")
            width: 34
            onClicked: {
                if (bar.window.visibility === Window.Maximized)
                    bar.window.showNormal()
                else
                    bar.window.showMaximized()
            }
        }
        IconButton {
            objectName: "closeButton"
            icon: "qrc:/icons/close.svg"
            tip: qsTr("关闭")
            width: 34
            color: closeArea.containsMouse ? theme.badColor : "transparent"
            MouseArea {
                id: closeArea
                anchors.fill: parent
                hoverEnabled: true
                onClicked: bar.close_clicked()
            }
        }
    }
}
