import QtQuick 2.15
import "qrc:/MyModules/content"

// One settings row: icon, title and tip on the left, the control on the right.
Item {
    id: pair
    property url icon: ""
    property string title: ""
    property string tip: ""
    property real title_width: 92 * g_settings.globalScale
    default property alias right_item: right.data

    implicitHeight: g_settings.rowHeight + 6
    implicitWidth: 240

    Row {
        id: left
        anchors { left: parent.left; verticalCenter: parent.verticalCenter }
        spacing: 4
        MyIcon {
            anchors.verticalCenter: parent.verticalCenter
            visible: pair.icon != ""
            source: pair.icon
            size: 16
        }
        MyText {
            id: titleText
            // As wide as its text needs, within limits, so a larger font is not cut.
            width: Math.min(Math.max(pair.title_width - (pair.icon != "" ? 20 : 0), implicitWidth), pair.width * 0.55)
            text: pair.title
            MouseArea {
                id: tipArea
                anchors.fill: parent
                hoverEnabled: true
                acceptedButtons: Qt.NoButton
            }
            MyToolTip {
                visible: pair.tip !== "" && tipArea.containsMouse
                text: pair.tip
            }
        }
    }
    Item {
        id: right
        anchors { left: left.right; leftMargin: 4; right: parent.right; top: parent.top; bottom: parent.bottom; topMargin: 3; bottomMargin: 3 }
    }
}
