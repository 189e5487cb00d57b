import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import mine.qt.DebugDemo 1.0
import mine.qt.DebugSerial 1.0
import mine.qt.DebugUDP 1.0
import mine.qt.DebugClient 1.0
import mine.qt.DebugServer 1.0
import mine.qt.DebugReplay 1.0
import "qrc:/QeloDown/content/QeloDown"
import "ctx.js" as Ctx

// The connection page: data engine, link kind and its parameters, and the
// control that opens and closes the link.
Item {
    id: pal
    objectName: "protocalAndLink"

    // Index of each link kind in the interface list.
    readonly property int serial_index: 0
    readonly property int udp_index: 1
    readonly property int client_index: 2
    readonly property int server_index: 3
    readonly property int demo_index: 4
    readonly property int replay_index: 5

    property var link: null
    // A dropped link being reopened counts as open: closing it stops that.
    readonly property bool link_open: link !== null || reconnecting
    readonly property bool connected: link !== null && link.connected
    property alias link_type: linkCombo.currentIndex
    property alias engine_index: engineCombo.currentIndex

    // Parameters of every link, kept while the link is closed.
    property string demo_protocal: "ZezoRovar"
    property int demo_timeout: 15
    property bool demo_send_csv_list: false
    property string demo_csv_dir: ""
    property int demo_csv_timeout: 1000
    property bool demo_send_picture: false
    property string demo_picture_dir: ""
    property int demo_picture_timeout: 1000
    property string serial_port: ""
    property string serial_baud: "115200"
    property string serial_flow_control: "None"
    property string serial_parity: "None"
    property string serial_databits: "8"
    property string serial_stopbits: "1"
    property bool serial_dtr: false
    property bool serial_rts: false
    property bool serial_break: false
    property string udp_remote_ip: "127.0.0.1"
    property int udp_remote_port: 1346
    property int udp_local_port: 1347
    property string client_server_ip: "127.0.0.1"
    property int client_server_port: 1346
    property string client_banner: "plot0"
    property int server_listen_port: 1347
    property string replay_file: ""
    property real replay_speed: 1  // 0: as fast as the engine decodes
    readonly property var replay_speeds: [0.25, 0.5, 1, 2, 4, 10, 0]

    // Reopening a serial port, TCP client or UDP link that drops: the first
    // attempt 0.5 s after the drop, then at doubling waits up to 5 s.
    property bool reconnect: false
    property bool reconnecting: false
    property bool was_connected: false
    property int reconnect_attempts: 0
    property int reconnect_wait_ms: 500
    function reopens(kind) { return kind === serial_index || kind === udp_index || kind === client_index }
    readonly property bool can_reconnect: reopens(link_kind)

    readonly property var baud_list: ["4000000", "3500000", "3000000", "2500000", "2000000", "1500000",
        "1152000", "1000000", "921600", "576000", "500000", "460800", "230400", "115200", "74800",
        "57600", "38400", "19200", "9600", "4800", "2400", "1200"]

    // Saved state: each link's parameters under the link's key, with the
    // names the links themselves use.
    readonly property var ctx_groups: ({
        "demo": { prefix: "demo_", keys: ["protocal", "timeout", "send_picture", "picture_dir", "picture_timeout",
                                          "send_csv_list", "csv_dir", "csv_timeout"] },
        "serial": { prefix: "serial_", keys: ["port", "baud", "flow_control", "parity", "databits", "stopbits",
                                              "dtr", "rts"] },
        "udp": { prefix: "udp_", keys: ["remote_ip", "remote_port", "local_port"] },
        "tcp_client": { prefix: "client_", keys: ["server_ip", "server_port", "banner"] },
        "tcp_server": { prefix: "server_", keys: ["listen_port"] },
        "replay": { prefix: "replay_", keys: ["file", "speed"] }
    })
    function get_ctx() {
        var ctx = {}
        for (var group in ctx_groups) {
            var g = ctx_groups[group], values = {}
            for (var i = 0; i < g.keys.length; i++)
                values[g.keys[i]] = pal[g.prefix + g.keys[i]]
            ctx[group] = values
        }
        ctx.serial.break_enabled = serial_break
        ctx.protocol_combo = { currentText: engineCombo.currentText }
        ctx.link_type_combo = { currentIndex: linkCombo.currentIndex }
        ctx.param_arrow = { down: paramArrow.down }
        ctx.reconnect_check = { checked: reconnect }
        return ctx
    }
    // Parameters apply to the next link opened; an open link keeps its own.
    function set_ctx(ctx) {
        for (var group in ctx_groups) {
            var g = ctx_groups[group], values = Ctx.object(ctx, group)
            var names = g.keys.map(function(k) { return g.prefix + k })
            var renamed = {}
            for (var i = 0; values !== null && i < g.keys.length; i++)
                if (g.keys[i] in values)
                    renamed[names[i]] = values[g.keys[i]]
            Ctx.apply(pal, renamed, names)
        }
        demo_timeout = Math.max(1, demo_timeout)
        if (replay_speeds.indexOf(replay_speed) < 0)
            replay_speed = 1
        reconnect = Ctx.boolean(Ctx.object(ctx, "reconnect_check"), "checked", reconnect)
        serial_break = Ctx.boolean(Ctx.object(ctx, "serial"), "break_enabled", serial_break)
        var engine = Ctx.text(Ctx.object(ctx, "protocol_combo"), "currentText", "")
        if (engine !== "")
            select_engine_by_name(engine)
        if (!link_open) {
            var kind = Ctx.integer(Ctx.object(ctx, "link_type_combo"), "currentIndex", linkCombo.currentIndex)
            if (kind >= serial_index && kind <= replay_index)
                linkCombo.currentIndex = kind
        }
        paramArrow.down = Ctx.boolean(Ctx.object(ctx, "param_arrow"), "down", paramArrow.down)
    }

    signal link_opened()
    signal link_closed()

    property var engine_names: []
    function reload_engines() {
        datahub_global.data_engine_loader.loadEngines()
        engine_names = datahub_global.data_engine_loader.name_list()
    }
    function select_engine_by_name(name) {
        var i = engine_names.indexOf(name)
        if (i >= 0) {
            engineCombo.currentIndex = i
            datahub_global.data_engine_loader.selectEngine(i)
        }
        return i >= 0
    }

    function link_settings(kind) {
        switch (kind) {
        case demo_index:
            return { protocal: demo_protocal, timeout: demo_timeout, send_csv_list: demo_send_csv_list,
                     csv_dir: demo_csv_dir, csv_timeout: demo_csv_timeout, send_picture: demo_send_picture,
                     picture_dir: demo_picture_dir, picture_timeout: demo_picture_timeout }
        case serial_index:
            return { port: serial_port, baud: serial_baud, flow_control: serial_flow_control,
                     parity: serial_parity, databits: serial_databits, stopbits: serial_stopbits }
        case udp_index:
            return { serverAddr: udp_remote_ip, port_remote: udp_remote_port, port_local: udp_local_port }
        case client_index:
            return { serverAddr: client_server_ip, port: client_server_port, banner: client_banner }
        case server_index:
            return { port: server_listen_port }
        case replay_index:
            return { file: replay_file, speed: replay_speed }
        }
        return {}
    }

    // Writes a setting through to the open link of that kind.
    function live(kind, name, value) {
        if (link !== null && link_kind === kind)
            link[name] = value
    }
    property int link_kind: -1

    function open_link() {
        if (link_open)
            return
        if (linkCombo.currentIndex === serial_index && serial_port.trim() === "") {
            alert_panel.open_alert(qsTr("请先选择或输入端口号"))
            return
        }
        if (linkCombo.currentIndex === replay_index && replay_file.trim() === "") {
            alert_panel.open_alert(qsTr("请先选择原始数据文件"))
            return
        }
        if (!make_link(linkCombo.currentIndex))
            return
        // Each link session counts from zero.
        datahub_global.reset_counters()
        datahub_global.start_paint()
        link_opened()
    }

    function make_link(kind) {
        var comps = [serialComp, udpComp, clientComp, serverComp, demoComp, replayComp]
        var created = comps[kind].createObject(pal, link_settings(kind))
        if (created === null)
            return false
        link_kind = kind
        if (kind === serial_index) {
            created.dtr = serial_dtr
            created.rts = serial_rts
        }
        created.datahub = datahub_global
        link = created
        created.open()
        return true
    }

    function drop_link() {
        if (link === null)
            return
        var old = link
        link = null
        old.close()
        old.destroy()
    }

    function close_link() {
        if (!link_open)
            return
        reopenTimer.stop()
        reconnecting = false
        was_connected = false
        drop_link()
        link_kind = -1
        datahub_global.stop_paint()
        link_closed()
    }

    // need_close from a link: a device error, or the link was closed.
    function link_lost(lost) {
        if (lost !== link)
            return
        if (reconnecting || (reconnect && was_connected && can_reconnect))
            start_reconnect()
        else
            Qt.callLater(close_link)
    }
    // The link went down while reopening was asked for: the link object is
    // dropped, and the timer makes a new one until one connects.
    function start_reconnect() {
        was_connected = false
        if (!reconnecting) {
            reconnecting = true
            reconnect_attempts = 0
            reconnect_wait_ms = 500
            datahub_global.put_link_note(qsTr("接口已断开，%1秒后重新打开").arg(reconnect_wait_ms / 1000))
            reopenTimer.interval = reconnect_wait_ms
            reopenTimer.restart()
        }
        drop_link()
    }
    Timer {
        id: reopenTimer
        onTriggered: {
            if (!pal.reconnecting)
                return
            pal.drop_link()
            pal.reconnect_attempts++
            datahub_global.put_link_note(qsTr("正在重新打开接口（第%1次）").arg(pal.reconnect_attempts))
            pal.make_link(pal.link_kind)
            pal.reconnect_wait_ms = Math.min(pal.reconnect_wait_ms * 2, 5000)
            interval = pal.reconnect_wait_ms
            restart()
        }
    }
    // Unticking the option while a dropped link is being reopened gives up.
    onReconnectChanged: if (!reconnect && reconnecting) close_link()
    onConnectedChanged: {
        if (connected) {
            was_connected = true
            if (reconnecting) {
                reconnecting = false
                reopenTimer.stop()
                datahub_global.put_link_note(qsTr("接口已恢复，共尝试%1次").arg(reconnect_attempts))
            }
        } else if (was_connected && link !== null) {
            // A peer that hung up leaves the link open but unconnected; a
            // replay that reached the end of its capture is closed.
            if (link_kind === replay_index) {
                Qt.callLater(close_link)
            } else if (reconnect && can_reconnect) {
                start_reconnect()
            } else {
                was_connected = false
            }
        }
    }

    Component { id: demoComp; DebugDemo {} }
    Component { id: replayComp; DebugReplay {} }
    Component {
        id: serialComp
        DebugSerial {
            onNeed_close: pal.link_lost(this)
            onDtr_changed: pal.serial_dtr = dtr
            onRts_changed: pal.serial_rts = rts
            onBreak_enabled_changed: pal.serial_break = break_enabled
        }
    }
    Component { id: udpComp; DebugUDP { onNeed_close: pal.link_lost(this) } }
    Component { id: clientComp; DebugClient { onNeed_close: pal.link_lost(this) } }
    Component { id: serverComp; DebugServer { onNeed_close: pal.link_lost(this) } }

    // Lists the serial ports without opening one.
    property var port_lister: null
    property var port_names: []
    property var port_infos: []
    function refresh_ports() {
        if (port_lister === null)
            port_lister = serialComp.createObject(pal)
        port_names = port_lister.available_ports()
        port_infos = port_lister.ports_infos()
    }

    Flickable {
        id: flick
        anchors { left: parent.left; right: parent.right; top: parent.top; bottom: openRow.top; bottomMargin: 6 }
        contentHeight: column.implicitHeight + 8
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}

        Column {
            id: column
            x: 8
            width: flick.width - 16
            spacing: 2

            SettingPair {
                width: parent.width
                title: qsTr("数据引擎")
                tip: qsTr("点击问号：前往详细文档")
                MyComboBox {
                    id: engineCombo
                    objectName: "engineCombo"
                    anchors.fill: parent
                    model: pal.engine_names
                    onActivated: datahub_global.data_engine_loader.selectEngine(index)
                }
            }
            SettingPair {
                width: parent.width
                title: qsTr("数据接口")
                tip: qsTr("与下位机通信的物理接口")
                MyComboBox {
                    id: linkCombo
                    objectName: "linkTypeCombo"
                    anchors.fill: parent
                    enabled: !pal.link_open
                    tr_context: "ProtocalAndLink"
                    model: [QT_TRANSLATE_NOOP("ProtocalAndLink", "串口"), "UDP",
                            QT_TRANSLATE_NOOP("ProtocalAndLink", "TCP客户端"),
                            QT_TRANSLATE_NOOP("ProtocalAndLink", "TCP服务端"),
                            QT_TRANSLATE_NOOP("ProtocalAndLink", "Demo数据"),
                            QT_TRANSLATE_NOOP("ProtocalAndLink", "原始数据回放")]
                    // Set once, not bound: a language switch re-evaluates
                    // bindings and would jump back to the demo link.
                    Component.onCompleted: currentIndex = pal.demo_index
                    onActivated: if (index === pal.serial_index) pal.refresh_ports()
                    tip: currentIndex === pal.demo_index
                         ? qsTr("Demo数据由软件生成，无需硬件支持，以便您对本软件进行评估与测试")
                         : currentIndex === pal.replay_index
                           ? qsTr("把qelo-record --raw录下的原始数据再次送入所选数据引擎") : ""
                }
            }
            SettingPair {
                width: parent.width
                visible: pal.reopens(linkCombo.currentIndex)
                title: qsTr("断线重连")
                tip: qsTr("接口断开后自动重新打开：0.5秒后第一次，之后间隔加倍，最长5秒")
                MyCheckBox {
                    objectName: "reconnectCheck"
                    anchors.verticalCenter: parent.verticalCenter
                    checked: pal.reconnect
                    onToggled: pal.reconnect = checked
                }
            }

            SettingRightArrow {
                id: paramArrow
                objectName: "paramArrow"
                width: parent.width
                title: qsTr("参数配置")
            }

            // Demo parameters
            Column {
                width: parent.width
                spacing: 2
                visible: paramArrow.down && linkCombo.currentIndex === pal.demo_index
                SettingPair {
                    width: parent.width
                    title: qsTr("生成数据格式")
                    tip: qsTr("数据引擎与此一致时，可以成功解析测试数据")
                    MyComboBox {
                        objectName: "demoFormatCombo"
                        anchors.fill: parent
                        model: ["ZezoRovar", "ZazuZavuv"]
                        currentIndex: Math.max(0, model.indexOf(pal.demo_protocal))
                        onActivated: { pal.demo_protocal = model[index]; pal.live(pal.demo_index, "protocal", pal.demo_protocal) }
                    }
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("默认数据源")
                    tip: qsTr("由软件生成的默认数据")
                    MyCheckBox {
                        anchors.verticalCenter: parent.verticalCenter
                        checked: !pal.demo_send_csv_list
                        onToggled: { pal.demo_send_csv_list = !checked; pal.live(pal.demo_index, "send_csv_list", pal.demo_send_csv_list) }
                    }
                }
                NumberSettingPair {
                    objectName: "demoPeriod"
                    width: parent.width
                    title: qsTr("发送周期")
                    from: 1
                    to: 100000
                    value: pal.demo_timeout
                    onValue_edited: { pal.demo_timeout = value; pal.live(pal.demo_index, "timeout", value) }
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("CSV数据源")
                    tip: qsTr("每过一个CSV发送周期，指定目录中的一个CSV文件中的所有数据被发送，发送顺序根据文件名称排序")
                    MyCheckBox {
                        anchors.verticalCenter: parent.verticalCenter
                        checked: pal.demo_send_csv_list
                        onToggled: { pal.demo_send_csv_list = checked; pal.live(pal.demo_index, "send_csv_list", checked) }
                    }
                }
                NumberSettingPair {
                    width: parent.width
                    visible: pal.demo_send_csv_list
                    title: qsTr("CSV发送周期")
                    from: 1
                    to: 1000000
                    value: pal.demo_csv_timeout
                    onValue_edited: { pal.demo_csv_timeout = value; pal.live(pal.demo_index, "csv_timeout", value) }
                }
                FileSettingPair {
                    width: parent.width
                    visible: pal.demo_send_csv_list
                    title: qsTr("CSV文件目录")
                    caption: qsTr("选择一个CSV文件目录")
                    select_dir: true
                    path: pal.demo_csv_dir
                    onPath_chosen: { pal.demo_csv_dir = path; pal.live(pal.demo_index, "csv_dir", path) }
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("发送jpg图片")
                    tip: qsTr("每过一个图片发送周期，指定目录中的一张jpg图片被发送，发送顺序根据图片名称排序")
                    MyCheckBox {
                        anchors.verticalCenter: parent.verticalCenter
                        checked: pal.demo_send_picture
                        onToggled: { pal.demo_send_picture = checked; pal.live(pal.demo_index, "send_picture", checked) }
                    }
                }
                NumberSettingPair {
                    width: parent.width
                    visible: pal.demo_send_picture
                    title: qsTr("图片发送周期")
                    from: 1
                    to: 1000000
                    value: pal.demo_picture_timeout
                    onValue_edited: { pal.demo_picture_timeout = value; pal.live(pal.demo_index, "picture_timeout", value) }
                }
                FileSettingPair {
                    width: parent.width
                    visible: pal.demo_send_picture
                    title: qsTr("图片目录")
                    caption: qsTr("选择一个图片目录")
                    select_dir: true
                    path: pal.demo_picture_dir
                    onPath_chosen: { pal.demo_picture_dir = path; pal.live(pal.demo_index, "picture_dir", path) }
                }
            }

            // Replay parameters
            Column {
                width: parent.width
                spacing: 2
                visible: paramArrow.down && linkCombo.currentIndex === pal.replay_index
                FileSettingPair {
                    objectName: "replayFile"
                    width: parent.width
                    enabled: !pal.link_open
                    title: qsTr("原始数据文件")
                    caption: qsTr("选择一个原始数据文件")
                    path: pal.replay_file
                    onPath_chosen: pal.replay_file = path
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("回放速度")
                    tip: qsTr("按录制时的节奏回放，或尽快解析")
                    MyComboBox {
                        objectName: "replaySpeedCombo"
                        anchors.fill: parent
                        enabled: !pal.link_open
                        tr_context: "ProtocalAndLink"
                        model: ["0.25×", "0.5×", "1×", "2×", "4×", "10×", QT_TRANSLATE_NOOP("ProtocalAndLink", "尽快")]
                        currentIndex: Math.max(0, pal.replay_speeds.indexOf(pal.replay_speed))
                        onActivated: pal.replay_speed = pal.replay_speeds[index]
                    }
                }
            }

            // Serial parameters
            Column {
                width: parent.width
                spacing: 2
                visible: paramArrow.down && linkCombo.currentIndex === pal.serial_index
                SettingPair {
                    width: parent.width
                    title: qsTr("端口号")
                    MyComboBox {
                        id: portCombo
                        objectName: "portCombo"
                        anchors.fill: parent
                        enabled: !pal.link_open
                        editable: true
                        model: pal.port_names
                        tip: pal.port_infos.length > 0 && currentIndex >= 0 && currentIndex < pal.port_infos.length
                             ? pal.port_infos[currentIndex] : ""
                        editText: pal.serial_port
                        onActivated: pal.serial_port = model[index]
                        onAccepted: pal.serial_port = editText.trim()
                        onEditTextChanged: if (editText !== pal.serial_port) pal.serial_port = editText.trim()
                        onPressedChanged: if (pressed) pal.refresh_ports()
                    }
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("波特率")
                    MyComboBox {
                        objectName: "baudCombo"
                        anchors.fill: parent
                        enabled: !pal.link_open
                        editable: true
                        model: pal.baud_list
                        currentIndex: pal.baud_list.indexOf(pal.serial_baud)
                        editText: pal.serial_baud
                        onActivated: pal.serial_baud = model[index]
                        onEditTextChanged: if (editText.trim() !== "") pal.serial_baud = editText.trim()
                        validator: IntValidator { bottom: 1 }
                    }
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("数据流控")
                    MyComboBox {
                        anchors.fill: parent
                        enabled: !pal.link_open
                        model: ["None", "Hard", "Soft"]
                        currentIndex: Math.max(0, model.indexOf(pal.serial_flow_control))
                        onActivated: pal.serial_flow_control = model[index]
                    }
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("校验位")
                    MyComboBox {
                        anchors.fill: parent
                        enabled: !pal.link_open
                        model: ["None", "Even", "Odd", "Space", "Mark"]
                        currentIndex: Math.max(0, model.indexOf(pal.serial_parity))
                        onActivated: pal.serial_parity = model[index]
                    }
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("数据位数")
                    MyComboBox {
                        anchors.fill: parent
                        enabled: !pal.link_open
                        model: ["8", "7", "6", "5"]
                        currentIndex: Math.max(0, model.indexOf(pal.serial_databits))
                        onActivated: pal.serial_databits = model[index]
                    }
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("停止位数")
                    MyComboBox {
                        anchors.fill: parent
                        enabled: !pal.link_open
                        model: ["1", "1.5", "2"]
                        currentIndex: Math.max(0, model.indexOf(pal.serial_stopbits))
                        onActivated: pal.serial_stopbits = model[index]
                    }
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("流控信号")
                    Row {
                        anchors.fill: parent
                        spacing: 8
                        MyCheckBox {
                            text: "DTR"
                            checked: pal.serial_dtr
                            onToggled: { pal.serial_dtr = checked; pal.live(pal.serial_index, "dtr", checked) }
                        }
                        MyCheckBox {
                            text: "RTS"
                            checked: pal.serial_rts
                            onToggled: { pal.serial_rts = checked; pal.live(pal.serial_index, "rts", checked) }
                        }
                        MyCheckBox {
                            text: "Break"
                            checked: pal.serial_break
                            onToggled: { pal.serial_break = checked; pal.live(pal.serial_index, "break_enabled", checked) }
                        }
                    }
                }
            }

            // UDP parameters
            Column {
                width: parent.width
                spacing: 2
                visible: paramArrow.down && linkCombo.currentIndex === pal.udp_index
                SettingPair {
                    width: parent.width
                    title: qsTr("远程IP")
                    MyTextInput {
                        objectName: "udpRemoteIp"
                        anchors.fill: parent
                        text: pal.udp_remote_ip
                        onEditingFinished: { pal.udp_remote_ip = text.trim(); pal.live(pal.udp_index, "serverAddr", pal.udp_remote_ip) }
                    }
                }
                NumberSettingPair {
                    objectName: "udpRemotePort"
                    width: parent.width
                    title: qsTr("远程端口")
                    grouping: false
                    from: 0
                    to: 65535
                    value: pal.udp_remote_port
                    onValue_edited: { pal.udp_remote_port = value; pal.live(pal.udp_index, "port_remote", value) }
                }
                NumberSettingPair {
                    width: parent.width
                    title: qsTr("本地端口")
                    grouping: false
                    enabled: !pal.link_open
                    from: 0
                    to: 65535
                    value: pal.udp_local_port
                    onValue_edited: pal.udp_local_port = value
                }
            }

            // TCP client parameters
            Column {
                width: parent.width
                spacing: 2
                visible: paramArrow.down && linkCombo.currentIndex === pal.client_index
                SettingPair {
                    width: parent.width
                    title: qsTr("服务器IP")
                    MyTextInput {
                        objectName: "clientServerIp"
                        anchors.fill: parent
                        enabled: !pal.link_open
                        text: pal.client_server_ip
                        onEditingFinished: pal.client_server_ip = text.trim()
                    }
                }
                NumberSettingPair {
                    objectName: "clientServerPort"
                    width: parent.width
                    title: qsTr("网络端口")
                    grouping: false
                    enabled: !pal.link_open
                    from: 0
                    to: 65535
                    value: pal.client_server_port
                    onValue_edited: pal.client_server_port = value
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("握手数据")
                    MyTextInput {
                        anchors.fill: parent
                        enabled: !pal.link_open
                        text: pal.client_banner
                        onEditingFinished: pal.client_banner = text
                    }
                }
            }

            // TCP server parameters
            Column {
                width: parent.width
                spacing: 2
                visible: paramArrow.down && linkCombo.currentIndex === pal.server_index
                NumberSettingPair {
                    width: parent.width
                    title: qsTr("监听端口")
                    grouping: false
                    enabled: !pal.link_open
                    from: 0
                    to: 65535
                    value: pal.server_listen_port
                    onValue_edited: pal.server_listen_port = value
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("连接数量")
                    MyText {
                        anchors.verticalCenter: parent.verticalCenter
                        text: pal.link !== null && pal.link_kind === pal.server_index ? pal.link.clients_number : 0
                        font.family: g_settings.fontFamilyNumber
                    }
                }
                SettingPair {
                    width: parent.width
                    title: qsTr("当前连接")
                    MyComboBox {
                        anchors.fill: parent
                        property int clients: pal.link !== null && pal.link_kind === pal.server_index ? pal.link.clients_number : 0
                        model: clients
                        displayText: clients > 0 ? currentIndex : "-"
                        onActivated: pal.live(pal.server_index, "current_client_id", index)
                    }
                }
            }
        }
    }

    Row {
        id: openRow
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom; margins: 8 }
        spacing: 8
        IconButton {
            id: openButton
            objectName: "openLinkButton"
            width: parent.width - 28
            height: 32
            icon: "qrc:/icons/link.svg"
            text: pal.link_open ? qsTr("关闭接口") : qsTr("打开接口")
            textColor: pal.link_open ? theme.badColor : theme.goodColor
            color: theme.objColor
            onClicked: pal.link_open ? pal.close_link() : pal.open_link()
        }
        MyStatusIndicator {
            objectName: "linkIndicator"
            anchors.verticalCenter: parent.verticalCenter
            width: 16
            height: 16
            active: pal.connected
            beat: datahub_global.heart_beat
        }
    }

    Component.onDestruction: close_link()
}
