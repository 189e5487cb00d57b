import QtQuick 2.15

// The file menu: data, command and widget window files.
MyMenu {
    id: menu
    title: qsTr("文件")
    signal save_data()
    signal load_data()
    signal save_cmds()
    signal load_cmds()
    signal save_tabviews()
    signal load_tabviews()

    MyMenuItem {
        objectName: "saveDataItem"
        text: qsTr("保存数据")
        onTriggered: menu.save_data()
    }
    MyMenuItem {
        objectName: "loadDataItem"
        text: qsTr("载入数据")
        onTriggered: menu.load_data()
    }
    MyMenuItem {
        objectName: "saveCmdsItem"
        text: qsTr("保存命令")
        onTriggered: menu.save_cmds()
    }
    MyMenuItem {
        objectName: "loadCmdsItem"
        text: qsTr("载入命令")
        onTriggered: menu.load_cmds()
    }
    MyMenuItem {
        objectName: "saveTabviewsItem"
        text: qsTr("保存控件窗口及标签")
        tip: qsTr("将已打开的所有控件窗口及标签，保存为1个文件")
        onTriggered: menu.save_tabviews()
    }
    MyMenuItem {
        objectName: "loadTabviewsItem"
        text: qsTr("载入控件窗口及标签")
        tip: qsTr("载入1个记录所有控件窗口及标签的配置文件")
        onTriggered: menu.load_tabviews()
    }
}
