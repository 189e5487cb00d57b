import QtQuick 2.15

// A labelled input line inside a menu; `edited` on Enter or leaving it.
Item {
    id: row
    property string label: ""
    property string value: ""
    property alias field: input
    signal edited(string text)
    implicitWidth: 220
    implicitHeight: g_settings.rowHeight + 6
    width: parent ? parent.width : implicitWidth
    MyText {
        id: caption
        anchors { left: parent.left; leftMargin: 8; verticalCenter: parent.verticalCenter }
        text: row.label
    }
    MyTextInput {
        id: input
        anchors { left: caption.right; leftMargin: 6; right: parent.right; rightMargin: 6; verticalCenter: parent.verticalCenter }
        text: row.value
        onAccepted: row.edited(text)
        onActiveFocusChanged: if (!activeFocus && text !== row.value) row.edited(text)
    }
}
