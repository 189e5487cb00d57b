import QtQuick 2.15
import "qrc:/MyModules/content"

// A settings row showing a colour; clicking asks for a new one.
SettingPair {
    id: pair
    property color color: "white"
    signal pick()

    Rectangle {
        anchors { left: parent.left; top: parent.top; bottom: parent.bottom }
        width: 48
        radius: 3
        color: pair.color
        border.color: theme.lineColor
        MouseArea {
            anchors.fill: parent
            onClicked: pair.pick()
        }
    }
}
