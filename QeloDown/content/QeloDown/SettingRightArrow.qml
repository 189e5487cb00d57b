import QtQuick 2.15
import "qrc:/MyModules/content"

// A section header that folds its content open and closed.
Item {
    id: arrow
    property string title: ""
    property string tip: ""
    property bool down: true
    implicitHeight: g_settings.rowHeight + 4
    implicitWidth: 200

    Row {
        anchors.verticalCenter: parent.verticalCenter
        spacing: 4
        MyIcon {
            anchors.verticalCenter: parent.verticalCenter
            source: arrow.down ? "qrc:/icons/arrow_down.svg" : "qrc:/icons/arrow_right.svg"
            size: 14
        }
        MyText {
            text: arrow.title
            font.bold: true
            color: theme.mainColor
        }
    }
    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: arrow.down = !arrow.down
    }
    MyToolTip {
        visible: arrow.tip !== "" && area.containsMouse
        text: arrow.tip
    }
}
