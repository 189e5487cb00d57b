import QtQuick 2.15
import QtQuick.Controls 2.15
import "qrc:/MyModules/content"
import "qrc:/MyModules/content/ctx.js" as Ctx

// The main window's content: left panel, tab view with the colour bar and
// the terminal, and the channel settings on the right.
Item {
    id: waveView
    objectName: "waveView"
    property alias left_panel: leftPanel
    property alias pal: leftPanel.pal
    property alias tab_view: tabView
    property alias color_bar: colorBar
    property alias tx_rx_zone: txRxZone
    property alias settings_panel: settingsPanel
    property alias command_panel: leftPanel.command_panel
    // The window's message box, file dialog and state files.
    property var alert: null
    property var file_dialog: null
    property var state_file: null
    // The widget windows' manager (WidgetWindows).
    property var windows: null
    readonly property string widgets_dir: myapp.widgets_path()

    function close_all_debug_way() { leftPanel.pal.close_link() }

    // The panes and their splits, each under its id.
    readonly property var ctx_children: ({
        "main_split_view": mainSplit, "center_split_view": centerSplit, "tx_rx_zone": txRxZone,
        "left_panel": leftPanel, "settingsPanel": settingsPanel, "color_bar": colorBar,
        "left_pane": leftPane, "tab_pane": tabPane, "terminal_pane": terminalPane, "settings_pane": settingsPane
    })
    // The panes that can be taken out into windows of their own.
    readonly property var panes: [leftPane, tabPane, terminalPane, settingsPane]
    function attach_all() {
        for (var i = 0; i < panes.length; i++)
            panes[i].attach()
    }
    function get_ctx() {
        var ctx = { ".": { locked: tabView.locked } }
        for (var key in ctx_children)
            ctx[key] = { ctx: ctx_children[key].get_ctx() }
        return ctx
    }
    function set_ctx(ctx) {
        tabView.locked = Ctx.boolean(Ctx.own(ctx), "locked", tabView.locked)
        for (var key in ctx_children) {
            var c = Ctx.child(ctx, key)
            if (c !== null)
                ctx_children[key].set_ctx(c)
        }
    }

    // Shows a short hint near the bottom of the window.
    function show_hint(text) {
        hintText.text = text
        hint.opacity = 1
        hintTimer.restart()
    }


    MySplitView {
        id: mainSplit
        objectName: "mainSplitView"
        anchors.fill: parent
        orientation: Qt.Horizontal

        MySplitItem {
            id: leftPane
            objectName: "leftPane"
            title: qsTr("左侧面板")
            SplitView.preferredWidth: Math.round(270 * g_settings.globalScale)
            SplitView.minimumWidth: Math.round(200 * g_settings.globalScale)
            LeftPanel {
                id: leftPanel
                objectName: "leftPanel"
                anchors.fill: parent
                alert: waveView.alert
                file_dialog: waveView.file_dialog
                state_file: waveView.state_file
                encoder: datahub_global.text_buffer.encoder
                onNeed_link: waveView.show_hint(qsTr("先打开接口哦"))
                widgets_dir: waveView.widgets_dir
                onWidget_dropped: if (!waveView.windows.drop_widget(entry, gp)) waveView.show_hint(qsTr("请拖入标签页"))
                onWidget_chosen: waveView.windows.drop_widget(entry, tabView.mapToGlobal(tabView.width / 3, tabView.height / 3))
            }
        }

        MySplitView {
            id: centerSplit
            objectName: "centerSplitView"
            SplitView.fillWidth: true
            SplitView.minimumWidth: 300
            orientation: Qt.Vertical

            MySplitItem {
                id: tabPane
                objectName: "tabPane"
                title: qsTr("标签页")
                SplitView.fillHeight: true
                SplitView.minimumHeight: 120
                MyTabView {
                    id: tabView
                    anchors.fill: parent
                    manager: waveView.windows
                    commands: leftPanel.command_panel
                    alert: waveView.alert
                    widgets_dir: waveView.widgets_dir
                }
            }
            MySplitItem {
                id: terminalPane
                objectName: "terminalPane"
                title: qsTr("数据区与终端")
                SplitView.preferredHeight: 300
                SplitView.minimumHeight: 120
                // Takes the whole height while the tabs are out.
                SplitView.fillHeight: tabPane.detached
                ColorBar {
                    id: colorBar
                    objectName: "colorBar"
                    anchors { left: parent.left; right: parent.right; top: parent.top }
                }
                TxRxZone {
                    id: txRxZone
                    anchors { left: parent.left; right: parent.right; top: colorBar.bottom; bottom: parent.bottom }
                    link_open: leftPanel.pal.link_open
                    onNeed_link: waveView.show_hint(qsTr("先打开接口哦"))
                }
            }
        }

        MySplitItem {
            id: settingsPane
            objectName: "settingsPane"
            title: qsTr("设置面板")
            SplitView.preferredWidth: Math.round(236 * g_settings.globalScale)
            SplitView.minimumWidth: Math.round(160 * g_settings.globalScale)
            WaveSettingsPanel {
                id: settingsPanel
                anchors.fill: parent
            }
        }
    }

    Rectangle {
        id: hint
        objectName: "hint"
        anchors { horizontalCenter: parent.horizontalCenter; bottom: parent.bottom; bottomMargin: 60 }
        width: hintText.implicitWidth + 32
        height: hintText.implicitHeight + 16
        radius: height / 2
        color: theme.iconColor2
        opacity: 0
        visible: opacity > 0
        Behavior on opacity { NumberAnimation { duration: 200 } }
        MyText {
            id: hintText
            objectName: "hintText"
            anchors.centerIn: parent
            color: theme.bgColor
            font.bold: true
        }
        Timer {
            id: hintTimer
            interval: 2000
            onTriggered: hint.opacity = 0
        }
    }
}
