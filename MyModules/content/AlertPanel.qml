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
        ok_text = ""
        on_accepted = null
        on_rejected = null
        open()
    }
    function confirm(text, accepted) {
        ask(text, "", "", accepted, null)
    }
    // A question with its own answers; an empty text keeps the usual one.
    property string ok_text: ""
    property string cancel_text: ""
    property var on_rejected: null
    function ask(text, ok, cancel, accepted, rejected) {
        message = text
        asking = true
        ok_text = ok
        cancel_text = cancel
        on_accepted = accepted
        on_rejected = rejected
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
                width: Math.max(90, implicitWidth + 16)
                text: panel.ok_text !== "" ? panel.ok_text : qsTr("确 定")
                color: theme.objColor
                onClicked: {
                    var f = panel.on_accepted
                    panel.on_accepted = null
                    panel.on_rejected = null
                    panel.close()
                    if (panel.asking && f)
                        f()
                }
            }
            IconButton {
                objectName: "alertCancel"
                visible: panel.asking
                width: Math.max(90, implicitWidth + 16)
                text: panel.cancel_text !== "" ? panel.cancel_text : qsTr("取 消")
                color: theme.objColor
                onClicked: {
                    var f = panel.on_rejected
                    panel.on_accepted = null
                    panel.on_rejected = null
                    panel.close()
                    if (f)
                        f()
                }
            }
        }
    }
}
