import QtQuick 2.15
import QtQuick.Layouts 1.15
import "ctx.js" as Ctx

// Left panel: connection state, the function list and its pages.
Rectangle {
    id: panel
    property alias pal: pal
    property alias lpf: lpf
    property alias command_panel: commandPanel
    property alias widgets_panel: widgetsPanel
    // The window's message box, file dialog and state files.
    property var alert: null
    property var file_dialog: null
    property var state_file: null
    property string encoder: "UTF-8"
    color: theme.barColor
    property string widgets_dir: ""
    signal need_link()
    signal widget_dropped(var entry, point gp)
    signal widget_chosen(var entry)

    function get_ctx() {
        return { ".": { ctx_width: width }, "pal": pal.get_ctx(), "lpf": { current: lpf.current },
                 "command_panel": commandPanel.get_ctx() }
    }
    function set_ctx(ctx) {
        pal.set_ctx(Ctx.object(ctx, "pal"))
        commandPanel.set_ctx(Ctx.object(ctx, "command_panel"))
        var page = Ctx.integer(Ctx.object(ctx, "lpf"), "current", lpf.current)
        if (page >= 0 && page < lpf.pages.length)
            lpf.current = page
    }

    RowLayout {
        id: status
        anchors { left: parent.left; right: parent.right; top: parent.top; margins: 8 }
        height: 24
        MyStatusIndicator {
            objectName: "heartBeat"
            active: pal.connected
            beat: datahub_global.heart_beat
        }
        MyText {
            Layout.fillWidth: true
            text: pal.connected ? qsTr("已连接")
                                 : pal.reconnecting ? qsTr("重新连接中...")
                                 : pal.link_open ? qsTr("连接中...") : qsTr("未连接")
            color: pal.connected ? theme.goodColor : theme.fontColorTips
            font.pixelSize: g_settings.fontPixelSizeSmall
        }
    }

    LP_FunctionList {
        id: lpf
        anchors { left: parent.left; right: parent.right; top: status.bottom; margins: 6 }
        pages: [qsTr("协议与连接"), qsTr("命令"), qsTr("控件")]
        icons: ["qrc:/icons/link.svg", "qrc:/icons/cmd.svg", "qrc:/icons/widgets.svg"]
    }

    SplitLine {
        id: line
        anchors { left: parent.left; right: parent.right; top: lpf.bottom; topMargin: 6 }
    }

    StackLayout {
        anchors { left: parent.left; right: parent.right; top: line.bottom; bottom: parent.bottom; topMargin: 4 }
        currentIndex: lpf.current
        ProtocalAndLink { id: pal }
        CommandPanel {
            id: commandPanel
            link_open: pal.link_open
            alert: panel.alert
            file_dialog: panel.file_dialog
            state_file: panel.state_file
            encoder: panel.encoder
            onNeed_link: panel.need_link()
        }
        WidgetsPanel {
            id: widgetsPanel
            widgets_dir: panel.widgets_dir
            onDropped: panel.widget_dropped(entry, gp)
            onChosen: panel.widget_chosen(entry)
        }
    }
}
