import QtQuick 2.15

// The file menu: data files now, command and widget files come later.
MyMenu {
    id: menu
    title: qsTr("文件")
    signal save_data()
    signal load_data()

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
}
