import QtQuick 2.15
import "qrc:/MyModules/content"
import "qrc:/MyModules/content/widgettools.js" as Tools

// A readout of one channel's newest value with its name. Right click for
// its menu: the channel, how the value and the name are shown, fill and
// delete.
Rectangle {
    id: root
    // Given by the tab that hosts this widget.
    property var host: null
    property int preferred_width: 220
    property int preferred_height: 110

    // What the menus edit.
    property int ch: 0
    property bool value_on: true
    property real value_scale: 1.6
    property int value_decimal: 2
    property bool value_color_custom: false
    property color value_color: "#ffffff"
    property bool name_on: true
    property real name_scale: 1
    property bool name_follow: true
    property string name_text: "CH1"
    property bool name_color_follow: true
    property color name_color: "#ffffff"

    property real value: NaN
    property var names: []
    Component.onCompleted: names = datahub_global.names
    // The channel's colour once the channel exists.
    readonly property color channel_color: ch < names.length ? datahub_global.color(ch) : theme.fontColor

    color: theme.objColor
    radius: 4

    Connections {
        target: datahub_global
        function onNeed_update() {
            var values = datahub_global.rt_values()
            root.value = root.ch < values.length ? values[root.ch] : NaN
            root.names = datahub_global.names
        }
    }

    readonly property var members: ["ch", "value_on", "value_scale", "value_decimal", "value_color_custom",
        "value_color", "name_on", "name_scale", "name_follow", "name_text", "name_color_follow", "name_color"]
    function get_ctx() { return Tools.get(root, members) }
    function set_ctx(ctx) {
        Tools.set(root, members, ctx)
        ch = Tools.clamp(ch, 0, 255)
        value_decimal = Tools.clamp(value_decimal, 0, 10)
    }

    Column {
        anchors.centerIn: parent
        width: parent.width - 16
        spacing: 4
        WidgetName {
            objectName: "channelValueName"
            width: parent.width
            target: root
            follow_text: Tools.channel_name(root.names, root.ch)
            follow_color: root.channel_color
        }
        ValueText {
            objectName: "channelValueText"
            width: parent.width
            target: root
            value: root.value
        }
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.RightButton
        onClicked: menu.popup()
    }
    MyMenu {
        id: menu
        objectName: "channelValueMenu"
        ChMenu { target: root }
        ValueMenu { target: root }
        NameMenu { target: root }
        MyMenuSeparator {}
        FillParentMenu { host: root.host }
        DeleteMenuItem { host: root.host }
    }
}
