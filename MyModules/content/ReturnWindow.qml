import QtQuick 2.15

// The window of a pane taken out of the main window. "回到主体" (or
// closing it) puts the pane back.
NewWindow {
    id: win
    objectName: "returnWindow"
    property var pane: null
    signal return_requested()
    width: 640
    height: 480
    // Wide enough for the title bar: "回到主体", the title and the window buttons.
    minimumWidth: 420
    minimumHeight: 160
    title: pane !== null ? pane.title + " - QELO+" : "QELO+"
    title_bar.left_items: [
        IconButton {
            objectName: "returnButton"
            icon: "qrc:/icons/restore.svg"
            text: qsTr("回到主体")
            onClicked: win.return_requested()
        }
    ]
    onClosing: {
        close.accepted = false
        win.return_requested()
    }
    // The pane's content lives here while the window is open.
    property alias slot: slot
    Item {
        id: slot
        anchors.fill: parent
    }
}
