import QtQuick 2.15
import QtQuick.Window 2.15
import mine.qt.MyWindow 1.0

// A frameless window with its own title bar, resize border and shadow.
// Content goes into the area below the title bar.
MyWindow {
    id: win
    default property alias content: body.data
    property alias title_bar: titleBar
    property alias body: body
    property int shadow_size: visibility === Window.Maximized || visibility === Window.FullScreen ? 0 : 8

    flags: Qt.Window | Qt.FramelessWindowHint
    color: "transparent"
    minimumWidth: 480
    minimumHeight: 320

    ShadowBorder {
        anchors.fill: parent
        size: win.shadow_size
        visible: win.shadow_size > 0
    }

    Rectangle {
        id: frame
        anchors.fill: parent
        anchors.margins: win.shadow_size
        color: theme.bgColor
        border.color: theme.lineColorMain
        radius: win.shadow_size > 0 ? 4 : 0
        clip: true

        WindowTitleBar {
            id: titleBar
            anchors { left: parent.left; right: parent.right; top: parent.top; margins: 1 }
            window: win
            title: win.title
            onClose_clicked: win.close()
        }
        Item {
            id: body
            anchors { left: parent.left; right: parent.right; top: titleBar.bottom; bottom: parent.bottom; margins: 1 }
        }
    }

    ResizeBorder {
        anchors.fill: parent
        anchors.margins: Math.max(0, win.shadow_size - 3)
        window: win
        visible: win.visibility !== Window.Maximized
    }
}
