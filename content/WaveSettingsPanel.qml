import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "qrc:/MyModules/content"
import "qrc:/QeloDown/content/QeloDown"
import "qrc:/MyModules/content/ctx.js" as Ctx

// Right panel: the channels with their current values and, for the one
// opened, name, colour, scale, offsets, decimals and drawing on or off.
Rectangle {
    id: panel
    objectName: "waveSettingsPanel"
    property int selected_line: -1
    property int down_line: -1
    property var names: []
    property var values: []
    property int count: datahub_global.num_lines
    // Bumped whenever the hub changes a channel attribute, so the rows
    // re-read them.
    property int revision: 0
    readonly property var presets: theme.lColors
    color: theme.barColor

    function refresh_names() { names = datahub_global.names }
    function refresh_values() { values = datahub_global.rt_values() }
    // The settings of every channel seen, by index: a channel that comes
    // back (after clearing, a restart or a reconnect) gets them again.
    property var remembered: []
    function channel_settings(i) {
        return { is_draw: datahub_global.if_draws(i), color: datahub_global.color(i).toString(),
                 scale: datahub_global.scale(i), yoffset: datahub_global.offset(i),
                 xoffset: datahub_global.xoffset(i), decimal: datahub_global.decimal(i),
                 name: names[i] !== undefined ? names[i] : "" }
    }
    function remember() {
        var list = remembered.slice()
        for (var i = 0; i < count; i++)
            list[i] = channel_settings(i)
        remembered = list
    }
    function apply_settings(i, c) {
        var now = channel_settings(i)
        datahub_global.set_if_draws(i, Ctx.boolean(c, "is_draw", now.is_draw))
        datahub_global.set_color(i, Ctx.color(c, "color", now.color))
        datahub_global.set_scale(i, Ctx.number(c, "scale", now.scale))
        datahub_global.set_offset(i, Ctx.number(c, "yoffset", now.yoffset))
        datahub_global.set_xoffset(i, Ctx.integer(c, "xoffset", now.xoffset))
        datahub_global.set_decimal(i, Ctx.integer(c, "decimal", now.decimal))
        var name = Ctx.text(c, "name", now.name)
        if (name !== now.name)
            datahub_global.set_name(i, name)
    }
    // New channels get their remembered settings, or else the preset
    // colours in turn unless they already have their own.
    property int coloured: 0
    // While new channels are set up, what they had before is not yet
    // remembered: it would take the place of what they are to get.
    property bool setting_up: false
    onCountChanged: {
        setting_up = true
        var known = remembered
        for (var i = coloured; i < count; i++) {
            if (Ctx.is_object(known[i]))
                apply_settings(i, known[i])
            else if (Qt.colorEqual(datahub_global.color(i), "#ffffff"))
                datahub_global.set_color(i, presets[i % presets.length])
        }
        setting_up = false
        coloured = count
        refresh_names()
        refresh_values()
        remember()
    }
    onRevisionChanged: if (!setting_up) remember()
    onNamesChanged: if (!setting_up) remember()
    Component.onCompleted: refresh_names()

    function get_ctx() {
        remember()
        return { ".": { selected_line: selected_line, down_line: down_line },
                 "settings_ctx": remembered,
                 "data_settings_arrow": { down: dataArrow.down } }
    }
    function set_ctx(ctx) {
        var own = Ctx.own(ctx)
        selected_line = Ctx.integer(own, "selected_line", selected_line)
        down_line = Ctx.integer(own, "down_line", down_line)
        dataArrow.down = Ctx.boolean(Ctx.object(ctx, "data_settings_arrow"), "down", dataArrow.down)
        var list = Ctx.array(ctx, "settings_ctx")
        if (list === null)
            return
        remembered = list.slice(0, 1024)
        for (var i = 0; i < count && i < list.length; i++)
            if (Ctx.is_object(list[i]))
                apply_settings(i, list[i])
    }
    Connections {
        target: datahub_global
        function onName_changed() { panel.refresh_names() }
        function onDatas_loaded() { panel.refresh_names(); panel.revision++ }
        function onColors_changed() { panel.revision++ }
        function onColor_changed() { panel.revision++ }
        function onIf_draws_changed() { panel.revision++ }
        function onScales_changed() { panel.revision++ }
        function onOffsets_changed() { panel.revision++ }
        function onXoffsets_changed() { panel.revision++ }
        function onDecimals_changed() { panel.revision++ }
    }
    // Values shown at a human pace, on every sixth paint tick so they
    // share the chart's frame.
    property int ticks: 0
    Connections {
        target: datahub_global
        function onNeed_update() {
            if (panel.visible && panel.count > 0 && ++panel.ticks % 6 === 0)
                panel.refresh_values()
        }
    }

    SettingRightArrow {
        id: dataArrow
        objectName: "dataSettingsArrow"
        anchors { left: parent.left; right: parent.right; top: parent.top; margins: 8 }
        title: qsTr("数据")
        tip: qsTr("在波形图上使用鼠标操作来调整增益和偏置")
    }
    RowLayout {
        id: globalRow
        visible: dataArrow.down
        anchors { left: parent.left; right: parent.right; top: dataArrow.bottom; leftMargin: 8; rightMargin: 8 }
        height: visible ? g_settings.rowHeight + 4 : 0
        MyText {
            text: qsTr("全局小数位数")
            font.pixelSize: g_settings.fontPixelSizeSmall
        }
        MySpinBox {
            objectName: "globalDecimal"
            Layout.preferredWidth: 90
            from: 0
            to: 10
            value: datahub_global.global_decimal
            onValueModified: datahub_global.global_decimal = value
        }
    }

    ListView {
        id: list
        objectName: "channelList"
        visible: dataArrow.down
        anchors { left: parent.left; right: parent.right; top: globalRow.bottom; bottom: parent.bottom; margins: 6 }
        clip: true
        spacing: 2
        model: panel.count
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}
        delegate: Rectangle {
            id: row
            objectName: "channelRow" + index
            property int ch: index
            property bool open: panel.down_line === index
            property color line_color: panel.revision >= 0 ? datahub_global.color(index) : "white"
            property bool drawn: panel.revision >= 0 && datahub_global.if_draws(index)
            width: list.width - 8
            height: head.height + (open ? details.implicitHeight + 6 : 0)
            radius: 3
            color: panel.selected_line === index ? theme.objColor : "transparent"
            border.color: open ? theme.lineColor : "transparent"

            Item {
                id: head
                width: parent.width
                height: g_settings.rowHeight + 4
                MouseArea {
                    anchors.fill: parent
                    onClicked: {
                        panel.selected_line = row.ch
                        panel.down_line = row.open ? -1 : row.ch
                    }
                }
                RowLayout {
                    anchors { fill: parent; leftMargin: 4; rightMargin: 4 }
                    spacing: 4
                    MyCheckBox {
                        objectName: "drawCheck"
                        checked: row.drawn
                        onToggled: datahub_global.set_if_draws(row.ch, checked)
                    }
                    Rectangle {
                        width: 14
                        height: 4
                        radius: 2
                        color: row.line_color
                    }
                    MyText {
                        objectName: "channelName"
                        Layout.fillWidth: true
                        Layout.minimumWidth: 40
                        property string name: panel.names[row.ch] !== undefined ? panel.names[row.ch] : ""
                        text: name !== "" ? name : "CH" + (row.ch + 1)
                        color: name !== "" ? theme.fontColor : theme.fontColorTips
                    }
                    MyText {
                        objectName: "channelValue"
                        Layout.preferredWidth: implicitWidth
                        elide: Text.ElideNone
                        horizontalAlignment: Text.AlignRight
                        font.family: g_settings.fontFamilyNumber
                        color: row.line_color
                        text: {
                            var v = panel.values[row.ch]
                            if (v === undefined)
                                return ""
                            var d = datahub_global.decimal(row.ch)
                            return Number(v).toFixed(d > 0 ? d - 1 : datahub_global.global_decimal)
                        }
                    }
                }
            }

            Column {
                id: details
                visible: row.open
                anchors { left: parent.left; right: parent.right; top: head.bottom; leftMargin: 8; rightMargin: 6 }
                spacing: 2
                SettingPair {
                    width: parent.width
                    title: qsTr("数据名称")
                    title_width: 70
                    MyTextInput {
                        objectName: "nameInput"
                        anchors.fill: parent
                        text: panel.names[row.ch] !== undefined ? panel.names[row.ch] : ""
                        onEditingFinished: if (text !== panel.names[row.ch]) datahub_global.set_name(row.ch, text)
                    }
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("颜色")
                    title_width: 70
                    Flow {
                        anchors.fill: parent
                        spacing: 3
                        Repeater {
                            model: panel.presets
                            Rectangle {
                                objectName: "colorPreset" + index
                                width: 13
                                height: 13
                                radius: 2
                                color: modelData
                                border.color: Qt.colorEqual(row.line_color, modelData) ? theme.fontColor : theme.lineColor
                                MouseArea {
                                    anchors.fill: parent
                                    onClicked: datahub_global.set_color(row.ch, modelData)
                                }
                            }
                        }
                    }
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("缩放")
                    title_width: 70
                    MyTextInput {
                        objectName: "scaleInput"
                        anchors.fill: parent
                        text: { panel.revision; return datahub_global.scale(row.ch) }
                        validator: DoubleValidator {}
                        onEditingFinished: datahub_global.set_scale(row.ch, Number(text))
                    }
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("Y偏移")
                    title_width: 70
                    MyTextInput {
                        objectName: "offsetInput"
                        anchors.fill: parent
                        text: { panel.revision; return datahub_global.offset(row.ch) }
                        validator: DoubleValidator {}
                        onEditingFinished: datahub_global.set_offset(row.ch, Number(text))
                    }
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("X偏移")
                    title_width: 70
                    MyTextInput {
                        objectName: "xoffsetInput"
                        anchors.fill: parent
                        text: { panel.revision; return datahub_global.xoffset(row.ch) }
                        validator: IntValidator {}
                        onEditingFinished: datahub_global.set_xoffset(row.ch, parseInt(text))
                    }
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("小数位数")
                    title_width: 70
                    RowLayout {
                        anchors.fill: parent
                        spacing: 4
                        property int stored: { panel.revision; return datahub_global.decimal(row.ch) }
                        MyComboBox {
                            objectName: "decimalMode"
                            Layout.fillWidth: true
                            tr_context: "WaveSettingsPanel"
                            model: [QT_TRANSLATE_NOOP("WaveSettingsPanel", "跟随全局"),
                                    QT_TRANSLATE_NOOP("WaveSettingsPanel", "自定义")]
                            currentIndex: parent.stored > 0 ? 1 : 0
                            onActivated: datahub_global.set_decimal(row.ch, index === 0 ? 0 : datahub_global.global_decimal + 1)
                        }
                        MySpinBox {
                            objectName: "decimalValue"
                            Layout.preferredWidth: 80
                            visible: parent.stored > 0
                            from: 0
                            to: 10
                            value: Math.max(0, parent.stored - 1)
                            onValueModified: datahub_global.set_decimal(row.ch, value + 1)
                        }
                    }
                }
                IconButton {
                    objectName: "resetChannel"
                    anchors.right: parent.right
                    icon: "qrc:/icons/reset.svg"
                    text: qsTr("重置")
                    onClicked: {
                        datahub_global.set_scale(row.ch, 1)
                        datahub_global.set_offset(row.ch, 0)
                        datahub_global.set_xoffset(row.ch, 0)
                        datahub_global.set_decimal(row.ch, 0)
                        datahub_global.set_if_draws(row.ch, true)
                    }
                }
            }
        }
    }
}
