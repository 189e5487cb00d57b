import QtQuick 2.15
import "qrc:/MyModules/content"

// The "皮肤" page: the themes to choose ("系统": the built-in default and
// the installed ones; "自定义": the user's own), what to do with them, and
// the colours of the theme in use.
Item {
    id: panel
    objectName: "themePanel"
    property var funcs: null
    property var file_dialog: null

    Column {
        id: list
        anchors { left: parent.left; top: parent.top; bottom: parent.bottom; margins: 8 }
        width: Math.max(170 * g_settings.globalScale, actions.implicitWidth)
        spacing: 2
        MyText {
            color: theme.fontColorTips
            text: qsTr("系统")
        }
        ThemeEntry {
            objectName: "themeEntry_builtin"
            name: panel.funcs.builtin_name
            current: panel.funcs.theme_name === ""
            removable: false
            onChosen: panel.funcs.use_builtin()
        }
        Repeater {
            model: panel.funcs.installed_list()
            ThemeEntry {
                objectName: "themeEntry_" + modelData.name
                name: modelData.name
                current: panel.funcs.theme_name === modelData.filename
                onChosen: panel.funcs.use_file(modelData.filename)
                onRemove: panel.funcs.remove(modelData)
            }
        }
        MyText {
            color: theme.fontColorTips
            text: qsTr("自定义")
        }
        Repeater {
            model: panel.funcs.custom_list()
            ThemeEntry {
                objectName: "themeEntry_" + modelData.name
                name: modelData.name
                current: panel.funcs.theme_name === modelData.filename
                onChosen: panel.funcs.use_file(modelData.filename)
                onRemove: panel.funcs.remove(modelData)
            }
        }
        Flow {
            id: actions
            width: parent.width
            spacing: 4
            IconButton {
                objectName: "themeMoreButton"
                text: qsTr("更多...")
                tip: qsTr("载入一个皮肤文件")
                onClicked: panel.file_dialog.ask(qsTr("载入皮肤"), myapp.themes_path(), "json (*.json)", false, false,
                                                 function(path) { panel.funcs.use_file(path) })
            }
            IconButton {
                objectName: "themeSaveAsButton"
                text: qsTr("另存为...")
                onClicked: panel.file_dialog.ask(qsTr("皮肤另存为"), panel.funcs.custom_dir() + "/theme 1.json",
                                                 "json (*.json)", true, false, function(path) { panel.funcs.save_as(path) })
            }
            IconButton {
                objectName: "themeCloneButton"
                text: qsTr("克隆")
                onClicked: panel.funcs.clone()
            }
            IconButton {
                objectName: "themeRefreshButton"
                icon: "qrc:/icons/reset.svg"
                text: qsTr("刷新")
                onClicked: panel.funcs.refresh()
            }
        }
    }
    Rectangle {
        id: divider
        anchors { left: list.right; leftMargin: 8; top: parent.top; bottom: parent.bottom }
        width: 1
        color: theme.lineColor
    }
    ThemeDetailPanel {
        anchors { left: divider.right; right: parent.right; top: parent.top; bottom: parent.bottom; margins: 8 }
        target: panel.funcs.theme
        file_dialog: panel.file_dialog
    }

    // One theme of the list: a click uses it; the cross deletes it.
    component ThemeEntry: Rectangle {
        id: entry
        property string name: ""
        property bool current: false
        property bool removable: true
        signal chosen()
        signal remove()
        width: list.width
        height: g_settings.rowHeight + 2
        radius: 4
        color: current ? theme.lightColor : entryArea.containsMouse ? theme.objColor : "transparent"
        MouseArea {
            id: entryArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: entry.chosen()
        }
        MyText {
            anchors { left: parent.left; leftMargin: 10; right: removeButton.left; verticalCenter: parent.verticalCenter }
            text: entry.name
            color: entry.current ? theme.mainColor : theme.fontColor
        }
        IconButton {
            id: removeButton
            objectName: "themeRemove_" + entry.name
            anchors { right: parent.right; rightMargin: 2; verticalCenter: parent.verticalCenter }
            visible: entry.removable
            icon: "qrc:/icons/close.svg"
            tip: qsTr("删除")
            onClicked: entry.remove()
        }
    }
}
