import QtQuick 2.15

// "背景" as a menu: the background settings where the tabs are.
MyMenu {
    id: menu
    objectName: "backgroundMenu"
    property var props: null
    property var file_dialog: null
    title: qsTr("背景")
    BackgroundSettings {
        width: 460 * g_settings.globalScale
        leftPadding: 8
        props: menu.props
        file_dialog: menu.file_dialog
    }
}
