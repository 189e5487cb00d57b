import QtQuick 2.15
import "qrc:/MyModules/content"

// A window of its own for widget tabs: title bar, tab view and lock.
NewWindow {
    id: win
    objectName: "widgetWindow"
    property alias tab_view: view
    property var manager: null
    property int number: 1
    title: qsTr("控件窗口") + " " + number + " - QELO+"
    width: 820
    height: 560

    // Closing asks first when the window holds widgets (the manager decides).
    onClosing: {
        if (manager !== null && !manager.closing_all) {
            close.accepted = false
            manager.ask_close_window(win)
        }
    }

    MyTabView {
        id: view
        anchors.fill: parent
        is_main: false
        manager: win.manager
        widgets_dir: win.manager ? win.manager.widgets_dir : ""
        commands: win.manager ? win.manager.commands : null
        alert: win.manager ? win.manager.alert : null
        onLast_tab_closed: Qt.callLater(win.manager.close_window, win)
    }
}
