import QtQuick 2.15

// The channel names under the bars of a bar chart: a click renames the
// channel, a right click offers to take it off this chart.
Item {
    id: names
    // The bars of BarLabels.
    property var bars: []
    property var channel_names: []
    signal remove(int ch)

    Connections {
        target: datahub_global
        function onName_changed() { names.channel_names = datahub_global.names }
    }
    Component.onCompleted: channel_names = datahub_global.names

    Repeater {
        model: names.bars
        Item {
            id: slot
            readonly property int ch: modelData.ch
            readonly property string name: names.channel_names[ch] !== undefined && names.channel_names[ch] !== ""
                                            ? names.channel_names[ch] : "CH" + (ch + 1)
            x: modelData.x
            width: modelData.w
            height: names.height
            MyText {
                objectName: "barName"
                visible: !edit.visible
                anchors.fill: parent
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideRight
                text: slot.name
                color: datahub_global.color(slot.ch)
            }
            MouseArea {
                id: area
                objectName: "barNameArea"
                anchors.fill: parent
                hoverEnabled: true
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                onClicked: {
                    if (mouse.button === Qt.RightButton) {
                        menu.popup()
                    } else {
                        edit.text = names.channel_names[slot.ch] !== undefined ? names.channel_names[slot.ch] : ""
                        edit.visible = true
                        edit.forceActiveFocus()
                        edit.selectAll()
                    }
                }
            }
            MyToolTip {
                visible: area.containsMouse && !edit.visible && !menu.visible
                text: qsTr("点击此处可修改通道名称")
            }
            MyTextInput {
                id: edit
                objectName: "barNameInput"
                visible: false
                anchors.fill: parent
                onAccepted: {
                    datahub_global.set_name(slot.ch, text)
                    visible = false
                }
                onActiveFocusChanged: if (!activeFocus) visible = false
                Keys.onEscapePressed: visible = false
            }
            MyMenu {
                id: menu
                MyMenuItem {
                    objectName: "barNameRemove"
                    text: qsTr("删除")
                    onTriggered: names.remove(slot.ch)
                }
            }
        }
    }
}
