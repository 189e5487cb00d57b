import QtQuick 2.15
import QtQuick.Window 2.15
import QtQuick.Controls 2.15
import mine.qt.MyWindow 1.0

MyWindow {
    id: root
    width: 1100
    height: 700
    visible: true
    color: "#2b2f36"
    title: "QELO+"

    Rectangle {
        id: titleBar
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 36
        color: "#1e2228"

        MouseArea {
            anchors.fill: parent
            property point pressAt
            onPressed: pressAt = Qt.point(mouse.x, mouse.y)
            onPositionChanged: {
                root.x += mouse.x - pressAt.x
                root.y += mouse.y - pressAt.y
            }
        }

        Text {
            anchors { left: parent.left; leftMargin: 12; verticalCenter: parent.verticalCenter }
            text: "QELO+ " + myapp.version()
            color: "#e8eaed"
            font.pixelSize: 15
        }

        Button {
            id: closeButton
            objectName: "closeButton"
            anchors { right: parent.right; rightMargin: 4; verticalCenter: parent.verticalCenter }
            text: qsTr("关闭")
            onClicked: Qt.quit()
        }
    }

    Text {
        anchors.centerIn: parent
        text: "datahub: " + datahub_global.num_lines + " / " + datahub_global.size
        color: "#9aa0a6"
    }

    Component.onCompleted: myapp.initialized = true
}
