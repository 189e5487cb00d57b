import QtQuick 2.15
import "qrc:/MyModules/content"

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
    property real value_scale: 1
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
    function get_ctx() {
        var ctx = {}
        for (var i = 0; i < members.length; i++) {
            var v = root[members[i]]
            ctx[members[i]] = typeof v === "object" ? v.toString() : v
        }
        return ctx
    }
    // Takes each member only when it has the type it should; colours as "#rrggbb".
    function set_ctx(ctx) {
        if (ctx === null || typeof ctx !== "object")
            return
        for (var i = 0; i < members.length; i++) {
            var key = members[i], v = ctx[key], cur = root[key]
            if (v === undefined)
                continue
            if (typeof cur === "object" ? (typeof v === "string" && /^#[0-9a-fA-F]{6,8}$/.test(v)) : typeof v === typeof cur)
                root[key] = v
        }
        ch = Math.max(0, Math.min(255, Math.round(ch)))
        value_decimal = Math.max(0, Math.min(10, value_decimal))
    }

    Column {
        anchors.centerIn: parent
        width: parent.width - 16
        spacing: 4
        Text {
            objectName: "channelValueName"
            visible: root.name_on
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            text: root.name_follow ? (root.ch < root.names.length ? root.names[root.ch] : "CH" + (root.ch + 1))
                                   : root.name_text
            color: root.name_color_follow ? root.channel_color : root.name_color
            font.family: g_settings.fontFamily
            font.pixelSize: g_settings.fontPixelSizeNormal * root.name_scale
        }
        Text {
            objectName: "channelValueText"
            visible: root.value_on
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            elide: Text.ElideRight
            text: isNaN(root.value) ? "--" : root.value.toFixed(root.value_decimal)
            color: root.value_color_custom ? root.value_color : theme.fontColor
            font.family: g_settings.fontFamilyNumber
            font.pixelSize: g_settings.fontPixelSizeBig * 1.6 * root.value_scale
            font.bold: true
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
