import QtQuick 2.15

// Deletes the hosted widget from its tab.
MyMenuItem {
    property var host: null
    objectName: "deleteWidgetItem"
    text: qsTr("删除")
    enabled: host !== null
    onTriggered: host.remove()
}
