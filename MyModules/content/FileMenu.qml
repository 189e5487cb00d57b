import QtQuick 2.15

// The file menu: data and command files; widget files come later.
MyMenu {
    id: menu
    title: qsTr("文件")
    signal save_data()
    signal load_data()
    signal save_cmds()
    signal load_cmds()

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
}
