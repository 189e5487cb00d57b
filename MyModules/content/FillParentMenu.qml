import QtQuick 2.15

// "填充" makes the hosted widget cover its tab; "恢复" gives it back its
// own place and size. Not while the tab is locked.
MyMenuItem {
    property var host: null
    objectName: "fillParentItem"
    text: host && host.filled ? qsTr("恢复") : qsTr("填充")
    enabled: host !== null && !host.locked
    onTriggered: host.filled ? host.restore() : host.fill()
}
