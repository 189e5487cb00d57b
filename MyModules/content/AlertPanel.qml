import QtQuick 2.15
import QtQuick.Controls 2.15

// The modal message box of the main window. open_alert() shows a message,
// confirm() a question whose accepted callback runs on "确 定".
Popup {
    id: panel
    property string message: ""
    property bool asking: false
    property var on_accepted: null

    function open_alert(text) {
        message = text
        asking = false
        on_accepted = null
        open()
    }
    function confirm(text, accepted) {
        message = text
        asking = true
        on_accepted = accepted
        open()
    }

    objectName: "alertPanel"
    modal: true
    focus: true
    anchors.centerIn: Overlay.overlay
    width: Math.min(520, Math.max(320, body.implicitWidth + 40))
    padding: 16
    closePolicy: Popup.CloseOnEscape
    background: Rectangle {
        color: theme.barColor
        border.color: theme.lineColor
        radius: 6
    }
    contentItem: Column {
        spacing: 14
        MyText {
            text: qsTr("提醒！")
            color: theme.badColor
            font.bold: true
            font.pixelSize: g_settings.fontPixelSizeBig
        }
        MyText {
            id: body
            objectName: "alertText"
            width: panel.availableWidth
            text: panel.message
            wrapMode: Text.WrapAnywhere
            elide: Text.ElideNone
        }
        Row {
            anchors.right: parent.right
            spacing: 10
            IconButton {
                objectName: "alertOk"
                width: 90
                text: qsTr("确 定")
                color: theme.objColor
                onClicked: {
                    var f = panel.on_accepted
                    panel.on_accepted = null
                    panel.close()
                    if (panel.asking && f)
                        f()
                }
            }
            IconButton {
                objectName: "alertCancel"
                visible: panel.asking
                width: 90
                text: qsTr("取 消")
                color: theme.objColor
                onClicked: {
                    panel.on_accepted = null
                    panel.close()
                }
            }
        }
    }
}
