import QtQuick 2.15

// The tab view's "更多操作" menu: tab and window files, and moving the
// current tab to another window.
MyMenu {
    id: menu
    objectName: "tabViewMenu"
    property var view: null
    property var manager: null

    MyMenuItem {
        objectName: "loadTabFileItem"
        text: qsTr("载入...")
        onTriggered: menu.manager.ask_load_into(menu.view)
    }
    MyMenuItem {
        objectName: "saveTabItem"
        text: qsTr("当前标签另存为...")
        onTriggered: menu.manager.ask_save_tab(menu.view)
    }
    MyMenuItem {
        objectName: "saveWindowItem"
        text: qsTr("本窗口另存为...")
        tip: qsTr("将本窗口内的所有标签保存为1个文件")
        onTriggered: menu.manager.ask_save_window(menu.view)
    }
    MyMenuSeparator {}
    BackgroundMenu {
        props: theme.bg
        file_dialog: menu.manager !== null ? menu.manager.file_dialog : null
    }
    MyMenuSeparator {}
    MyMenuItem {
        objectName: "tabToNewWindowItem"
        text: qsTr("当前标签移到新窗口")
        onTriggered: menu.manager.move_tab_to_new_window(menu.view, menu.view.current)
    }
    MyMenuItem {
        objectName: "tabToMainItem"
        visible: menu.view !== null && !menu.view.is_main
        height: visible ? implicitHeight : 0
        text: qsTr("当前标签移回主窗口")
        onTriggered: menu.manager.move_tab_to_main(menu.view, menu.view.current)
    }
}
