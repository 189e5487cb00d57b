import QtQuick 2.15

// The unit at the right end of the chart's x axis: a time unit switched by
// a click, or a unit of the user's own typed in.
Item {
    id: unit
    // The text shown when switching; the typed text when editable.
    property string text: ""
    property bool switchable: false
    property color color: theme.fontColor
    signal switched()
    signal edited(string text)
    implicitWidth: switchable ? shown.implicitWidth + 8 : 44

    MyText {
        id: shown
        objectName: "axisUnitSwitch"
        visible: unit.switchable
        anchors.centerIn: parent
        text: unit.text
        color: unit.color
        font.family: g_settings.fontFamilyAxis
        font.underline: area.containsMouse
        MouseArea {
            id: area
            anchors.fill: parent
            anchors.margins: -3
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: unit.switched()
        }
        MyToolTip {
            visible: area.containsMouse
            text: qsTr("点击此处可更换时间单位")
        }
    }
    MyTextInput {
        objectName: "axisUnitInput"
        visible: !unit.switchable
        anchors.fill: parent
        text: unit.text
        tip: qsTr("此处可输入自定义单位")
        onEditingFinished: if (text !== unit.text) unit.edited(text)
    }
}
