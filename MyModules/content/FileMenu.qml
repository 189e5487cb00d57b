import QtQuick 2.15

// The file menu: data, command and widget window files.
MyMenu {
    id: menu
    title: qsTr("文件")
    // Room for the longest entries in every language.
    implicitWidth: 280
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
    MyMenu {
        objectName: "timeColumnMenu"
        title: qsTr("保存数据时的时间列")
        Repeater {
            model: [QT_TR_NOOP("不保存时间"), QT_TR_NOOP("日期时间（毫秒）"), QT_TR_NOOP("相对时间（秒）")]
            MyMenuItem {
                objectName: "timeColumn" + index
                text: qsTr(modelData)
                tip: index === 0 ? "" : qsTr("每行数据前加一列接收时间；载入时忽略该列")
                checkable: true
                checked: datahub_global.save_time_column === index
                onTriggered: {
                    datahub_global.save_time_column = index
                    checked = Qt.binding(function() { return datahub_global.save_time_column === index })
                }
            }
        }
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
