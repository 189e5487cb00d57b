import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "qrc:/MyModules/content"
import "qrc:/QeloDown/content/QeloDown"
import "qrc:/MyModules/content/ctx.js" as Ctx

// The terminal: received text with time stamps, hex view and colours on
// top, the send area below.
Rectangle {
    id: zone
    objectName: "txRxZone"
    property var text_buffer: datahub_global.text_buffer
    property var out_buffer: datahub_global.out_buffer
    // Whether a link is open; sending without one only shows the hint.
    property bool link_open: false
    signal need_link()

    property alias input: input
    property bool send_hex_on: false
    property alias loop_on: loopCheck.checked
    property alias loop_ms: loopMs.value
    property alias loop_count: loopCount.value
    property alias send_file: fileCheck.checked
    property alias send_file_path: filePair.path
    property bool enter_to_send: true
    property int send_record_max_count: 30
    property alias send_record_model: recordModel
    property alias encoder_model: encoderModel
    property real font_scale: 1.0
    readonly property var endings: ["", "\n", "\r", "\n\r", "\r\n"]

    color: theme.bgColor

    Component.onCompleted: {
        text_buffer.if_show_time = timeCheck.checked
        text_buffer.if_show_echo = rxCheck.checked
        text_buffer.if_show_tx = txCheck.checked
        text_buffer.if_show_hex = false
        text_buffer.doc = rxText.textDocument
    }

    // ---- state -------------------------------------------------------------
    readonly property var own_keys: ["loop_on", "loop_ms", "loop_count", "send_file", "send_file_path",
                                     "enter_to_send", "send_record_max_count", "font_scale"]
    // Check boxes and menu items saved as {checked}.
    readonly property var checks: ({
        "tx_show_echo": txCheck, "rx_show_echo": rxCheck, "rx_show_plot_data": plotData,
        "rx_show_image_data": imageData, "t_string_on_check": timeCheck
    })
    function list_of(model, keys) {
        var list = []
        for (var i = 0; i < model.count; i++)
            list.push(Ctx.pick(model.get(i), keys))
        return list
    }
    function get_ctx() {
        var own = Ctx.pick(zone, own_keys)
        own.hex_on = hexView.checked
        own.send_hex_on = send_hex_on
        own.input = input.text
        own.cmd_hex = send_hex_on ? hex_input() : myapp.stringToHex(input.text, text_buffer.encoder)
        var ctx = {
            ".": own,
            "send_record_model": list_of(recordModel, ["hex_on", "cmd", "visible"]),
            "encoder_menu": list_of(encoderModel, ["name", "editable"]),
            "split_view": { ctx: split.get_ctx() },
            "tx_rect": { show_more: txRect.show_more },
            "append_combo": { currentIndex: appendCombo.currentIndex }
        }
        for (var key in checks)
            ctx[key] = { checked: checks[key].checked }
        return ctx
    }
    function set_ctx(ctx) {
        var own = Ctx.own(ctx)
        Ctx.apply(zone, own, own_keys)
        font_scale = Math.max(0.4, Math.min(4, font_scale))
        send_record_max_count = Math.max(1, Math.min(1000, send_record_max_count))
        set_hex_view(Ctx.boolean(own, "hex_on", hexView.checked))
        send_hex_on = Ctx.boolean(own, "send_hex_on", send_hex_on)
        var typed = Ctx.text(own, "input", null)
        if (typed === null && Ctx.text(own, "cmd_hex", null) !== null)
            typed = send_hex_on ? own.cmd_hex : myapp.hexToString(own.cmd_hex, text_buffer.encoder)
        if (typed !== null)
            input.text = typed
        for (var key in checks)
            checks[key].checked = Ctx.boolean(Ctx.object(ctx, key), "checked", checks[key].checked)
        datahub_global.is_hide_wave_text = !plotData.checked
        datahub_global.is_hide_image_text = !imageData.checked
        txRect.show_more = Ctx.boolean(Ctx.object(ctx, "tx_rect"), "show_more", txRect.show_more)
        var ending = Ctx.integer(Ctx.object(ctx, "append_combo"), "currentIndex", appendCombo.currentIndex)
        if (ending >= 0 && ending < endings.length)
            appendCombo.currentIndex = ending
        var records = Ctx.array(ctx, "send_record_model")
        if (records !== null) {
            recordModel.clear()
            for (var i = 0; i < records.length && recordModel.count < send_record_max_count; i++) {
                var cmd = Ctx.text(records[i], "cmd", null)
                if (cmd !== null)
                    recordModel.append({ hex_on: Ctx.boolean(records[i], "hex_on", false), cmd: cmd,
                                         visible: Ctx.boolean(records[i], "visible", true) })
            }
        }
        var encoders = Ctx.array(ctx, "encoder_menu")
        if (encoders !== null) {
            var chosen = text_buffer.encoder
            reset_encoders()
            for (var j = 0; j < encoders.length && encoderModel.count < 64; j++) {
                var name = Ctx.text(encoders[j], "name", "")
                if (Ctx.boolean(encoders[j], "editable", true) && name !== "")
                    add_encoder_quietly(name)
            }
            text_buffer.encoder = chosen
        }
        split.set_ctx(Ctx.child(ctx, "split_view"))
    }

    // ---- received text ---------------------------------------------------
    property bool follow: true

    function refresh_text() {
        if (text_buffer.updated && follow)
            show_newest()
    }
    // Reading `text` rebuilds the document from the newest chunks.
    function show_newest() {
        var unused = text_buffer.text
        scroll_to_end()
    }
    // Set while the view itself moves the text, so only the user's
    // scrolling decides between following and reading history.
    property bool auto_scroll: false
    function scroll_to_end() {
        auto_scroll = true
        rxFlick.contentY = Math.max(0, rxFlick.contentHeight - rxFlick.height)
        auto_scroll = false
    }
    function load_history() {
        var before = rxFlick.contentHeight
        auto_scroll = true
        if (text_buffer.all_text())
            rxFlick.contentY = Math.max(0, rxText.contentHeight - before)
        auto_scroll = false
    }
    function set_hex_view(on) {
        hexView.checked = Qt.binding(function() { return zone.text_buffer.if_show_hex })
        if (text_buffer.if_show_hex === on)
            return
        text_buffer.if_show_hex = on
        follow = true
        show_newest()
    }
    function clear_text() {
        text_buffer.clear()
        rxText.clear()
        follow = true
    }

    // Text is refreshed on every third paint tick: readable, and in step
    // with the chart so the two share a frame.
    property int ticks: 0
    Connections {
        target: datahub_global
        function onNeed_update() {
            if (++zone.ticks % 3 === 0)
                zone.refresh_text()
        }
        function onText_message_updated() { zone.refresh_text() }
    }
    Timer {
        // Tunes the buffer's chunk size to about twice the visible text.
        interval: 1000
        running: true
        repeat: true
        onTriggered: if (rxFlick.contentHeight > 0)
                         zone.text_buffer.aysnc_scrollbar_size(rxFlick.height / Math.max(1, rxFlick.contentHeight))
    }

    Rectangle {
        id: toolbar
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: g_settings.rowHeight + 6
        color: theme.barColor
        Row {
            anchors { left: parent.left; leftMargin: 4; verticalCenter: parent.verticalCenter }
            spacing: 2
            IconButton {
                id: timeCheck
                objectName: "timeToggle"
                icon: "qrc:/icons/time.svg"
                tip: qsTr("时间戳")
                checkable: true
                checked: true
                onCheckedChanged: zone.text_buffer.if_show_time = checked
            }
            IconButton {
                id: rxCheck
                objectName: "rxToggle"
                icon: "qrc:/icons/rx.svg"
                tip: qsTr("显示接收数据")
                checkable: true
                checked: true
                onCheckedChanged: zone.text_buffer.if_show_echo = checked
            }
            IconButton {
                id: txCheck
                objectName: "txToggle"
                icon: "qrc:/icons/tx.svg"
                tip: qsTr("显示已发送数据")
                checkable: true
                checked: true
                onCheckedChanged: zone.text_buffer.if_show_tx = checked
            }
            IconButton {
                id: hexView
                objectName: "hexViewToggle"
                text: "HEX"
                tip: qsTr("十六进制")
                checkable: true
                checked: zone.text_buffer.if_show_hex
                onClicked: zone.set_hex_view(checked)
            }
            IconButton {
                icon: "qrc:/icons/text.svg"
                tip: qsTr("文本设置")
                onClicked: textMenu.popup()
            }
            IconButton {
                icon: "qrc:/icons/zoomin.svg"
                tip: qsTr("放大")
                onClicked: zone.font_scale = Math.min(4, zone.font_scale * 1.1)
            }
            IconButton {
                icon: "qrc:/icons/zoomout.svg"
                tip: qsTr("缩小")
                onClicked: zone.font_scale = Math.max(0.4, zone.font_scale / 1.1)
            }
            IconButton {
                objectName: "encoderButton"
                icon: "qrc:/icons/encoder.svg"
                text: zone.text_buffer.encoder
                tip: qsTr("编码设置")
                onClicked: encoderMenu.popup()
            }
            IconButton {
                icon: "qrc:/icons/textarea.svg"
                tip: qsTr("文本区设置")
                onClicked: rxMenu.popup()
            }
            IconButton {
                objectName: "clearText"
                icon: "qrc:/icons/clear.svg"
                tip: qsTr("清空文本区")
                onClicked: zone.clear_text()
            }
        }
    }

    MyMenu {
        id: rxMenu
        MyMenu {
            title: qsTr("显示方式")
            MyMenuItem { text: qsTr("十六进制"); checkable: true; checked: hexView.checked
                         onTriggered: zone.set_hex_view(true) }
            MyMenuItem { text: qsTr("字符串"); checkable: true; checked: !hexView.checked
                         onTriggered: zone.set_hex_view(false) }
            MyMenuItem { text: qsTr("时间戳"); checkable: true; checked: timeCheck.checked
                         onTriggered: timeCheck.checked = !timeCheck.checked }
        }
        MyMenu {
            title: qsTr("RX设置")
            MyMenuItem { text: qsTr("显示接收数据"); checkable: true; checked: rxCheck.checked
                         onTriggered: rxCheck.checked = !rxCheck.checked }
            MyMenuItem { id: plotData; objectName: "showPlotData"; text: qsTr("采样数据包"); checkable: true; checked: true
                         onToggled: datahub_global.is_hide_wave_text = !checked }
            MyMenuItem { id: imageData; text: qsTr("图片数据包"); checkable: true; checked: true
                         onToggled: datahub_global.is_hide_image_text = !checked }
            MenuItem {
                height: g_settings.rowHeight + 8
                contentItem: Row {
                    spacing: 6
                    MyText { text: qsTr("超时时间(ms):"); anchors.verticalCenter: parent.verticalCenter }
                    MySpinBox {
                        width: 100
                        from: 0
                        to: 100000
                        value: datahub_global.timeout_ms
                        onValueModified: datahub_global.timeout_ms = value
                    }
                }
                background: Item {}
            }
            MyMenuItem { text: qsTr("显示已发送数据"); checkable: true; checked: txCheck.checked
                         onTriggered: txCheck.checked = !txCheck.checked }
        }
    }

    MyMenu {
        id: textMenu
        MyMenu {
            title: qsTr("文本区Ansi转义样式")
            Repeater {
                model: [
                    { label: qsTr("时间"), key: "textAnsiTime" },
                    { label: qsTr("接收"), key: "textAnsiRx" },
                    { label: qsTr("发送"), key: "textAnsiTx" },
                    { label: qsTr("错误"), key: "textAnsiErr" }
                ]
                MenuItem {
                    height: g_settings.rowHeight + 8
                    contentItem: Row {
                        spacing: 6
                        MyText { width: 50; text: modelData.label; anchors.verticalCenter: parent.verticalCenter }
                        MyTextInput {
                            width: 140
                            text: theme[modelData.key]
                            onEditingFinished: theme[modelData.key] = text.trim()
                        }
                    }
                    background: Item {}
                }
            }
        }
        MenuItem {
            height: g_settings.rowHeight + 8
            contentItem: Row {
                spacing: 6
                MyText { text: qsTr("缩放"); anchors.verticalCenter: parent.verticalCenter }
                MySpinBox {
                    width: 110
                    from: 40
                    to: 400
                    stepSize: 10
                    value: Math.round(zone.font_scale * 100)
                    onValueModified: zone.font_scale = value / 100
                }
            }
            background: Item {}
        }
    }

    ListModel {
        id: encoderModel
        ListElement { name: "UTF-8"; editable: false }
        ListElement { name: "GBK"; editable: false }
    }
    function reset_encoders() {
        encoderModel.clear()
        encoderModel.append({ name: "UTF-8", editable: false })
        encoderModel.append({ name: "GBK", editable: false })
        text_buffer.encoder = "UTF-8"
    }
    // Adds a codec name after checking that it exists and selects it;
    // returns whether it did.
    function add_encoder(name) {
        name = name.trim()
        if (name === "")
            return false
        if (!add_encoder_quietly(name)) {
            alert_panel.open_alert(qsTr("不支持此编码: ") + name)
            return false
        }
        for (var i = 0; i < encoderModel.count; i++)
            if (encoderModel.get(i).name.toLowerCase() === name.toLowerCase())
                text_buffer.encoder = encoderModel.get(i).name
        return true
    }
    // Adds a known codec name unless listed; false for an unknown name.
    function add_encoder_quietly(name) {
        if (!text_buffer.checkEncoder(name))
            return false
        for (var i = 0; i < encoderModel.count; i++)
            if (encoderModel.get(i).name.toLowerCase() === name.toLowerCase())
                return true
        encoderModel.append({ name: name, editable: true })
        return true
    }

    MyMenu {
        id: encoderMenu
        objectName: "encoderMenu"
        Instantiator {
            model: encoderModel
            delegate: MyMenuItem {
                text: name
                checkable: true
                checked: zone.text_buffer.encoder === name
                onTriggered: zone.text_buffer.encoder = name
            }
            onObjectAdded: encoderMenu.insertItem(index, object)
            onObjectRemoved: encoderMenu.removeItem(object)
        }
        MyMenuSeparator {}
        MenuItem {
            height: g_settings.rowHeight + 8
            contentItem: Row {
                spacing: 4
                MyTextInput {
                    id: newEncoder
                    objectName: "newEncoderInput"
                    width: 110
                    placeholderText: qsTr("增加编码")
                    onAccepted: if (zone.add_encoder(text)) { text = ""; encoderMenu.close() }
                }
                IconButton {
                    text: qsTr("增加编码")
                    onClicked: if (zone.add_encoder(newEncoder.text)) { newEncoder.text = ""; encoderMenu.close() }
                }
            }
            background: Item {}
        }
        MyMenuItem {
            text: qsTr("重置")
            onTriggered: zone.reset_encoders()
        }
    }

    MySplitView {
        id: split
        anchors { left: parent.left; right: parent.right; top: toolbar.bottom; bottom: parent.bottom }
        orientation: Qt.Vertical
        handle_color: theme.lineColor

        Item {
            SplitView.fillHeight: true
            SplitView.minimumHeight: 40
            Flickable {
                id: rxFlick
                objectName: "rxFlick"
                anchors.fill: parent
                anchors.margins: 4
                clip: true
                contentWidth: width
                contentHeight: rxText.contentHeight
                // Following the newest text: stay at the bottom as it grows.
                onContentHeightChanged: if (zone.follow) zone.scroll_to_end()
                boundsBehavior: Flickable.StopAtBounds
                ScrollBar.vertical: ScrollBar { id: rxBar; policy: ScrollBar.AsNeeded }
                onContentYChanged: if (!zone.auto_scroll) zone.check_scroll()
                TextEdit {
                    id: rxText
                    objectName: "rxText"
                    width: rxFlick.width - 12
                    readOnly: true
                    selectByMouse: true
                    textFormat: TextEdit.RichText
                    wrapMode: TextEdit.WrapAnywhere
                    color: theme.fontColor
                    selectionColor: theme.iconColor1
                    font.family: g_settings.fontFamilyTerm
                    font.pixelSize: Math.round(g_settings.fontPixelSizeNormal * g_settings.fontScaleTerm * zone.font_scale)
                }
            }
        }

        // ---- send area ----------------------------------------------------
        Rectangle {
            id: txRect
            property bool show_more: true
            SplitView.preferredHeight: 150
            SplitView.minimumHeight: 90
            color: theme.barColor

            // The send settings wrap onto a second row when the terminal is
            // narrow; the history and clear buttons stay at the right.
            Flow {
                id: sendBar
                anchors { left: parent.left; right: sendTools.left; top: parent.top; margins: 4 }
                spacing: 6
                MyComboBox {
                    id: modeCombo
                    objectName: "sendModeCombo"
                    width: 96
                    tr_context: "TxRxZone"
                    model: [QT_TRANSLATE_NOOP("TxRxZone", "字符串"), QT_TRANSLATE_NOOP("TxRxZone", "十六进制")]
                    currentIndex: zone.send_hex_on ? 1 : 0
                    onActivated: zone.set_send_hex(index === 1)
                }
                MyComboBox {
                    id: appendCombo
                    objectName: "appendCombo"
                    width: 104
                    tr_context: "TxRxZone"
                    model: [QT_TRANSLATE_NOOP("TxRxZone", "无追加"), "\\n", "\\r", "\\n\\r", "\\r\\n"]
                }
                MyCheckBox {
                    id: loopCheck
                    objectName: "loopCheck"
                    height: g_settings.rowHeight
                    text: qsTr("连续发送")
                }
                Row {
                    visible: loopCheck.checked
                    spacing: 4
                    MyText {
                        height: g_settings.rowHeight
                        verticalAlignment: Text.AlignVCenter
                        text: qsTr("发送后延时(ms): ")
                    }
                    MySpinBox {
                        id: loopMs
                        objectName: "loopMs"
                        width: 100
                        from: 0
                        to: 100000000
                        value: 1000
                    }
                }
                Row {
                    visible: loopCheck.checked
                    spacing: 4
                    MyText {
                        height: g_settings.rowHeight
                        verticalAlignment: Text.AlignVCenter
                        text: qsTr("重复次数: ")
                    }
                    MySpinBox {
                        id: loopCount
                        objectName: "loopCount"
                        width: 100
                        tip: qsTr("输入负数，表示无限次数")
                        from: -1
                        to: 100000000
                        value: 10
                    }
                }
                MyCheckBox {
                    id: fileCheck
                    objectName: "fileCheck"
                    height: g_settings.rowHeight
                    text: qsTr("发送文件")
                }
            }
            Row {
                id: sendTools
                anchors { right: parent.right; top: parent.top; margins: 4 }
                IconButton {
                    id: recordButton
                    objectName: "recordButton"
                    icon: "qrc:/icons/history.svg"
                    tip: qsTr("发送记录")
                    onClicked: recordMenu.popup()
                }
                IconButton {
                    icon: "qrc:/icons/clear.svg"
                    tip: qsTr("清空输入框")
                    onClicked: input.clear()
                }
            }

            FileSettingPair {
                id: filePair
                objectName: "filePair"
                visible: fileCheck.checked
                anchors { left: parent.left; right: sendButton.left; top: sendBar.bottom; margins: 4 }
                title: qsTr("选择文件")
                caption: qsTr("选择文件")
            }
            MyText {
                objectName: "sendProgressText"
                visible: fileCheck.checked
                anchors { left: parent.left; top: filePair.bottom; margins: 8 }
                text: zone.out_buffer.is_sending_file
                      ? qsTr("发送中: ") + zone.out_buffer.sending_progress + "%  ("
                        + zone.out_buffer.file_sent_size + " / " + zone.out_buffer.file_size + ")"
                      : (zone.out_buffer.sending_progress > 0 ? zone.out_buffer.sending_progress + "%" : "")
                font.family: g_settings.fontFamilyNumber
            }

            ScrollView {
                id: inputScroll
                visible: !fileCheck.checked
                anchors { left: parent.left; right: sendButton.left; top: sendBar.bottom; bottom: parent.bottom; margins: 4 }
                TextArea {
                    id: input
                    objectName: "sendInput"
                    color: theme.fontColor
                    selectByMouse: true
                    wrapMode: TextArea.WrapAnywhere
                    font.family: g_settings.fontFamilyTerm
                    font.pixelSize: g_settings.fontPixelSizeNormal
                    placeholderText: zone.send_hex_on ? "01 0A FF" : ""
                    background: Rectangle {
                        color: theme.objColor
                        border.color: input.activeFocus ? theme.iconColor1 : theme.lineColor
                        radius: 3
                    }
                    Keys.onPressed: {
                        if (event.key !== Qt.Key_Return && event.key !== Qt.Key_Enter)
                            return
                        var ctrl = (event.modifiers & Qt.ControlModifier) !== 0
                        if (zone.enter_to_send !== ctrl) {
                            zone.send()
                            event.accepted = true
                        }
                    }
                }
            }

            Column {
                id: sendButton
                anchors { right: parent.right; top: sendBar.bottom; bottom: parent.bottom; margins: 4 }
                width: 120
                spacing: 4
                IconButton {
                    objectName: "sendButton"
                    width: parent.width
                    height: 34
                    icon: "qrc:/icons/send.svg"
                    text: zone.out_buffer.repeating ? qsTr("停止发送")
                                                    : (fileCheck.checked ? qsTr("发送文件") : qsTr("发送消息"))
                    color: theme.objColor
                    onClicked: zone.out_buffer.repeating ? zone.stop_repeat() : zone.send()
                }
                IconButton {
                    objectName: "enterModeButton"
                    width: parent.width
                    text: zone.enter_to_send ? qsTr("按Enter发送") : qsTr("按Ctrl+Enter发送")
                    textColor: theme.fontColorTips
                    onClicked: zone.enter_to_send = !zone.enter_to_send
                }
            }
        }
    }

    function check_scroll() {
        var bottom = rxFlick.contentHeight - rxFlick.height
        if (rxFlick.contentY <= 0 && rxFlick.contentHeight > rxFlick.height) {
            follow = false
            load_history()
        } else if (rxFlick.contentY >= bottom - 4) {
            if (!follow) {
                follow = true
                show_newest()
            }
        } else {
            follow = false
        }
    }

    // Switches the input between text and hex, converting what is typed.
    function set_send_hex(on) {
        if (on === send_hex_on)
            return
        var enc = text_buffer.encoder
        input.text = on ? myapp.stringToHex(input.text, enc) : myapp.hexToString(hex_input(), enc)
        send_hex_on = on
    }

    // The hex input without the visible line-break symbols.
    function hex_input() {
        return input.text.replace(new RegExp(myapp.newLineSymbolReg(), "g"), "")
    }

    ListModel { id: recordModel }
    function remember(text, hex_on) {
        for (var i = 0; i < recordModel.count; i++)
            if (recordModel.get(i).cmd === text && recordModel.get(i).hex_on === hex_on) {
                recordModel.remove(i)
                break
            }
        recordModel.insert(0, { hex_on: hex_on, cmd: text, visible: true })
        while (recordModel.count > send_record_max_count)
            recordModel.remove(recordModel.count - 1)
    }

    MyMenu {
        id: recordMenu
        objectName: "recordMenu"
        width: 320
        MyMenuItem {
            visible: recordModel.count === 0
            height: visible ? implicitHeight : 0
            text: qsTr("无记录")
            enabled: false
        }
        Instantiator {
            model: recordModel
            delegate: MyMenuItem {
                text: (hex_on ? "[HEX] " : "") + cmd
                onTriggered: {
                    zone.set_send_hex(hex_on)
                    input.text = cmd
                }
            }
            onObjectAdded: recordMenu.insertItem(index + 1, object)
            onObjectRemoved: recordMenu.removeItem(object)
        }
    }

    function stop_repeat() {
        out_buffer.repeating = false
    }

    // Sends what the send area holds: a file, a repeating command or the text.
    function send() {
        if (!link_open) {
            need_link()
            return false
        }
        if (fileCheck.checked) {
            if (out_buffer.is_sending_file)
                return false
            if (!out_buffer.appendFile(filePair.path)) {
                alert_panel.open_alert(qsTr("无法发送文件: ") + filePair.path)
                return false
            }
            return true
        }
        var text = input.text
        if (text === "")
            return false
        var ending = endings[appendCombo.currentIndex]
        var hex = send_hex_on ? hex_input() + " " + myapp.stringToHex(ending, "UTF-8") : ""
        if (loopCheck.checked) {
            // A repetition runs as a one-node command holding the bytes as hex
            // (stringToHex also turns the escapes into their characters).
            if (!send_hex_on)
                hex = myapp.stringToHex(text + ending, text_buffer.encoder)
            out_buffer.appendRepeatCmd({ loop_on: true, is_group: false, loop_ms: loopMs.value,
                                         loop_count: loopCount.value, cmd_hex: hex }, [0])
        } else if (send_hex_on) {
            out_buffer.appendHex(hex)
        } else {
            out_buffer.appendString(text + ending, text_buffer.encoder)
        }
        remember(text, send_hex_on)
        return true
    }
}
