import QtQuick 2.15
import "qrc:/MyModules/content"

// A settings row with a path and a button that opens the file dialog.
SettingPair {
    id: pair
    property string path: ""
    property string caption: ""
    property string filter: ""
    property bool select_dir: false
    property bool save_mode: false
    property alias button_text: pick.text
    signal path_chosen(string path)

    MyTextInput {
        id: pathField
        anchors { left: parent.left; right: pick.left; rightMargin: 4; top: parent.top; bottom: parent.bottom }
        text: pair.path
        font.family: g_settings.fontFamily
        font.pixelSize: g_settings.fontPixelSizeSmall
        onEditingFinished: if (text !== pair.path) { pair.path = text; pair.path_chosen(text) }
    }
    IconButton {
        id: pick
        objectName: "pickFile"
        anchors { right: parent.right; top: parent.top; bottom: parent.bottom }
        icon: pair.select_dir ? "qrc:/icons/folder.svg" : "qrc:/icons/file.svg"
        tip: pair.caption
        width: text === "" ? 28 : implicitWidth
        onClicked: file_dialog.ask(pair.caption, pair.path, pair.filter, pair.save_mode, pair.select_dir,
                                   function(p) { pair.path = p; pair.path_chosen(p) })
    }
}
