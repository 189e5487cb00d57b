import QtQuick 2.15
import QtQuick.Layouts 1.15
import "qrc:/MyModules/content"

// The settings window "设置" with its pages "常用" and "皮肤". It stays
// alive while hidden, so a page keeps its place between openings.
NewWindow {
    id: win
    objectName: "settingsWindow"
    property var settings: null
    property var main_window: null
    property bool link_connected: false
    property var alert: null
    property var theme_funcs: null
    property var file_dialog: null
    property int page: 0
    title: qsTr("设置") + " - QELO+"
    width: 640
    height: 560
    minimumWidth: 520
    minimumHeight: 400

    function open_page(index) {
        page = index
        show()
        raise()
        requestActivate()
    }

    Row {
        id: pages
        anchors { left: parent.left; top: parent.top; margins: 8 }
        spacing: 4
        Repeater {
            model: [QT_TR_NOOP("常用"), QT_TR_NOOP("皮肤")]
            Rectangle {
                objectName: "settingsPage" + index
                width: pageText.implicitWidth + 28
                height: g_settings.rowHeight + 4
                radius: 4
                color: win.page === index ? theme.lightColor : pageArea.containsMouse ? theme.objColor : "transparent"
                MyText {
                    id: pageText
                    anchors.centerIn: parent
                    text: qsTr(modelData)
                    color: win.page === index ? theme.mainColor : theme.fontColor
                }
                MouseArea {
                    id: pageArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: win.page = index
                }
            }
        }
    }
    Rectangle {
        id: rule
        anchors { left: parent.left; right: parent.right; top: pages.bottom; topMargin: 6 }
        height: 1
        color: theme.lineColor
    }
    StackLayout {
        anchors { left: parent.left; right: parent.right; top: rule.bottom; bottom: parent.bottom }
        currentIndex: win.page
        GeneralSettingsPanel {
            settings: win.settings
            main_window: win.main_window
            link_connected: win.link_connected
            alert: win.alert
        }
        ThemePanel {
            funcs: win.theme_funcs
            file_dialog: win.file_dialog
        }
    }
}
