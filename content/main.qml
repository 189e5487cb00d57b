import QtQuick 2.15
import QtQuick.Window 2.15
import QtQuick.Controls 2.15
import mine.qt.QMLFileDialog 1.0
import mine.qt.FileIO 1.0
import mine.qt.Clipboard 1.0
import mine.qt.LocalInfo 1.0
import mine.qt.MyTools 1.0
import mine.qt.Mouse 1.0
import mine.qt.StateFile 1.0
import "qrc:/MyModules/content"
import "qrc:/MyModules/content/ctx.js" as Ctx

NewWindow {
    id: mainRect
    objectName: "mainWindow"
    width: 1240
    height: 780
    minimumWidth: 900
    minimumHeight: 560
    visible: false
    title: "QELO+ " + myapp.version()
    property bool initializing: true
    property alias wave_view: waveView
    property alias alert_panel: alertPanel
    property int init_step: 0

    readonly property string docs_url: "https://qelo-plus.example.org/docs"
    readonly property string plugins_url: "https://qelo-plus.example.org/plugins"

    AppTheme { id: theme }
    AppThemeReadOnly { id: defaultTheme }
    ThemeFuncs {
        id: themeFuncs
        theme: theme
        defaults: defaultTheme
        state_file: state_file
        files: file_io
        alert: alertPanel
    }
    GeneralSettings { id: g_settings }
    FileIO { id: file_io }
    Clipboard { id: clipboard }
    LocalInfo { id: local_info }
    MyTools { id: mytools }
    Mouse { id: cpp_mouse }
    StateFile { id: state_file }

    // The file dialog: ask() runs `chosen` with the selected path, if any.
    QMLFileDialog {
        id: file_dialog
        property var pending: null
        function ask(caption, dir, filter, save, select_dir, chosen) {
            pending = chosen
            open(caption, dir, filter, save, select_dir)
            pending = null
        }
        onFile_urlChanged: if (pending) pending(file_url)
    }

    AlertPanel { id: alertPanel }

    SettingsWindow {
        id: settingsWindow
        settings: g_settings
        main_window: mainRect
        link_connected: waveView.pal.link_open
        alert: alertPanel
        theme_funcs: themeFuncs
        file_dialog: file_dialog
    }

    Connections {
        target: datahub_global
        function onAlert(msg) { alertPanel.open_alert(msg) }
        function onAlert_single_line(msg) { alertPanel.open_alert(msg) }
    }

    Binding { target: datahub_global.text_buffer; property: "ansi_time"; value: theme.textAnsiTime }
    Binding { target: datahub_global.text_buffer; property: "ansi_rx"; value: theme.textAnsiRx }
    Binding { target: datahub_global.text_buffer; property: "ansi_tx"; value: theme.textAnsiTx }
    Binding { target: datahub_global.text_buffer; property: "ansi_err"; value: theme.textAnsiErr }

    function save_data() {
        file_dialog.ask(qsTr("保存数据"), myapp.data_dir_path() + "/qelo+.csv", "csv (*.csv)", true, false,
                        function(path) {
                            if (!/\.csv$/i.test(path))
                                path += ".csv"
                            datahub_global.saveTo(path, datahub_global.names, true)
                        })
    }
    function load_data_file(path) {
        datahub_global.loadFrom(path, true)
    }
    function load_data() {
        file_dialog.ask(qsTr("载入数据"), myapp.data_dir_path(), "csv (*.csv)", false, false, load_data_file)
    }
    function confirm_load_csv(path) {
        alertPanel.confirm(path + "\n" + qsTr("是一个数据文件，") + qsTr("载入前将清空现有数据，") + qsTr("是否继续?"),
                           function() { mainRect.load_data_file(path) })
    }
    function open_browser(url) {
        alertPanel.confirm(qsTr("是否允许打开浏览器，访问以下网址？") + "\n\n" + url,
                           function() { Qt.openUrlExternally(url) })
    }
    function show_info() {
        alertPanel.open_alert("QELO+ " + myapp.version() + "\nQt " + myapp.qtVersionStr() + "\n" + myapp.platform())
    }
    function take_screenshot() {
        file_dialog.ask(qsTr("截图"), myapp.data_dir_path() + "/qelo+.png", "png (*.png)", true, false,
                        function(path) {
                            if (!/\.png$/i.test(path))
                                path += ".png"
                            mainRect.frame.grabToImage(function(result) {
                                if (result.saveToFile(path))
                                    alertPanel.open_alert(qsTr("截图已保存至以下路径:") + "\n\n" + path)
                                else
                                    alertPanel.open_alert(qsTr("截图保存失败:") + "\n\n" + path)
                            })
                        })
    }

    // ---- persisted state (content/STATE.md) ----------------------------------
    readonly property var command_panel: waveView.command_panel

    function get_ctx() {
        var tb = datahub_global.text_buffer
        return {
            ".": { samples: mainRect.samples, ctx: mainRect.get_geometry_ctx(), hide_menu: false },
            "text_buffer": { encoder: tb.encoder, list_size: tb.list_size },
            "datahub_global": Ctx.pick(datahub_global, ["fps", "use_instance", "timeout_ms", "global_decimal",
                                                        "save_time_column"]),
            "defaultAppTheme": { ctx: theme.get_ctx() },
            "theme_funcs": { ctx: themeFuncs.get_ctx() },
            "g_settings": { ctx: g_settings.get_ctx() },
            "wave_view": { ctx: waveView.get_ctx() }
        }
    }
    function set_ctx(ctx) {
        mainRect.set_geometry_ctx(Ctx.object(Ctx.own(ctx), "ctx"))
        var tb = datahub_global.text_buffer
        var tb_ctx = Ctx.object(ctx, "text_buffer")
        var encoder = Ctx.text(tb_ctx, "encoder", "")
        if (encoder !== "" && tb.checkEncoder(encoder))
            tb.encoder = encoder
        var chunks = Ctx.integer(tb_ctx, "list_size", tb.list_size)
        if (chunks >= 1 && chunks <= 1000)
            tb.list_size = chunks
        var hub = Ctx.object(ctx, "datahub_global")
        var fps = Ctx.integer(hub, "fps", datahub_global.fps)
        if (fps >= 1 && fps <= 1000)
            datahub_global.fps = fps
        datahub_global.use_instance = Ctx.boolean(hub, "use_instance", datahub_global.use_instance)
        datahub_global.timeout_ms = Math.max(0, Math.min(100000, Ctx.integer(hub, "timeout_ms", datahub_global.timeout_ms)))
        datahub_global.global_decimal = Math.max(0, Math.min(10, Ctx.integer(hub, "global_decimal", datahub_global.global_decimal)))
        datahub_global.save_time_column = Ctx.integer(hub, "save_time_column", datahub_global.save_time_column)
        theme.set_ctx(Ctx.child(ctx, "defaultAppTheme"))
        themeFuncs.set_ctx(Ctx.child(ctx, "theme_funcs"))
        g_settings.set_ctx(Ctx.child(ctx, "g_settings"))
        waveView.set_ctx(Ctx.child(ctx, "wave_view"))
    }
    // All widget windows with their tabs; the main window's comes first.
    function get_tabviews_ctx() { return widgetWindows.get_ctx() }
    WidgetWindows {
        id: widgetWindows
        main_view: waveView.tab_view
        main_window: mainRect
        alert: alertPanel
        file_dialog: file_dialog
        state_file: state_file
        commands: waveView.command_panel
        widgets_dir: waveView.widgets_dir
    }

    function state_path(name) { return myapp.get_config_file("context", name) }
    function data_path() { return myapp.get_config_file("..", "qelo+.datas.csv") }
    // One line in the terminal for a state file that could not be used or
    // written: the user did nothing with it, so no message box.
    function state_error(text) {
        datahub_global.PutErrorData(text.replace(/\s*\n+\s*/g, " ") + "\n")
    }
    // An automatic state file's state, or null; a refused file is kept
    // beside as "<name>.bad" before the close writes a new one.
    function read_state(name, type) {
        var answer = state_file.read(state_path(name), type, true)
        if (answer.status === "refused")
            state_error(qsTr("已忽略状态文件: ") + answer.message)
        return answer.status === "ok" ? answer.ctx : null
    }
    function write_state(name, type, ctx) {
        var error = state_file.write(state_path(name), type, ctx)
        if (error !== "")
            state_error(qsTr("状态文件保存失败: ") + state_path(name) + " - " + error)
    }

    function restore_state() {
        // Reading the configuration first moves an older version's
        // directory over when this version has none yet.
        myapp.read_config("context", "")
        // The commands first: the configuration selects one of them.
        var cmds = read_state("qelo+.cmds.json", "cmds")
        if (Array.isArray(cmds)) {
            var dropped = command_panel.restore(cmds)
            if (dropped !== "")
                state_error(dropped + " - " + state_path("qelo+.cmds.json"))
        }
        var config = read_state("qelo+.config.json", "config")
        if (config !== null)
            set_ctx(config)
        themeFuncs.load_current(function(message) { state_error(qsTr("已忽略状态文件: ") + message) })
        if (file_io.exist(data_path())) {
            datahub_global.loadFrom(data_path(), false)
            datahub_global.wait_job(-1)
        }
        // The widget windows appear with the main window.
        var tabviews = read_state("qelo+.tabviews.json", "tabviews")
        if (tabviews !== null)
            widgetWindows.set_ctx(tabviews, true)
    }
    function save_state() {
        mainRect.saveSamples()
        write_state("qelo+.tabviews.json", "tabviews", get_tabviews_ctx())
        // The data goes only when the buffer holds some; a file left from
        // before would bring back data the user cleared.
        datahub_global.wait_job(-1)
        if (datahub_global.effective_size > 0 && datahub_global.num_lines > 0) {
            datahub_global.saveTo(data_path(), datahub_global.names, false)
            datahub_global.wait_job(-1)
        } else if (file_io.exist(data_path())) {
            file_io.remove(data_path())
        }
        write_state("qelo+.cmds.json", "cmds", command_panel.tree)
        write_state("qelo+.config.json", "config", get_ctx())
        var error = themeFuncs.save_current()
        if (error !== "")
            state_error(qsTr("状态文件保存失败: ") + themeFuncs.current_path() + " - " + error)
    }

    // Start-up runs in steps so the splash stays responsive.
    Timer {
        id: initTimer
        interval: 500
        repeat: true
        running: true
        triggeredOnStart: true
        onTriggered: {
            switch (mainRect.init_step++) {
            case 0:
                waveView.pal.reload_engines()
                waveView.pal.select_engine_by_name(waveView.pal.demo_protocal)
                if (datahub_global.size !== 50000)
                    datahub_global.size = 50000
                mainRect.restore_state()
                break
            default:
                stop()
                mainRect.initializing = false
                mainRect.show_restored()
                widgetWindows.show_windows()
                myapp.initialized = true
            }
        }
    }

    // Whatever closes the window (its close button, the window manager, a
    // request to end the process) saves the state; a window closed before
    // it restored the state has nothing to save.
    onClosing: {
        waveView.close_all_debug_way()
        if (!initializing)
            save_state()
        widgetWindows.closing_all = true
        widgetWindows.close_windows()
        settingsWindow.close()
        waveView.attach_all()
    }

    title_bar.left_items: [
        IconButton {
            id: menuButton
            objectName: "menuButton"
            icon: "qrc:/content/qelo+icon.svg"
            tip: qsTr("菜单")
            iconSize: 20
            onClicked: mainMenu.popup(menuButton, 0, menuButton.height)
        },
        IconButton {
            objectName: "settingsButton"
            icon: "qrc:/icons/settings.svg"
            tip: qsTr("设置")
            onClicked: settingsWindow.open_page(0)
        },
        IconButton {
            objectName: "skinButton"
            icon: "qrc:/icons/skin.svg"
            tip: qsTr("皮肤")
            onClicked: settingsWindow.open_page(1)
        },
        IconButton {
            objectName: "screenshotButton"
            icon: "qrc:/icons/screenshot.svg"
            tip: qsTr("截图")
            onClicked: mainRect.take_screenshot()
        },
        IconButton {
            objectName: "infoButton"
            icon: "qrc:/icons/info.svg"
            tip: qsTr("软件信息")
            onClicked: mainRect.show_info()
        }
    ]

    MyIconMenu {
        id: mainMenu
        objectName: "mainMenu"
        FileMenu {
            id: fileMenu
            objectName: "fileMenu"
            onSave_data: mainRect.save_data()
            onLoad_data: mainRect.load_data()
            onSave_cmds: mainRect.command_panel.ask_save()
            onLoad_cmds: mainRect.command_panel.ask_replace()
            onSave_tabviews: widgetWindows.ask_save_all()
            onLoad_tabviews: widgetWindows.ask_load_all()
        }
        LanguageMenu {
            link_connected: waveView.pal.link_open
        }
        MyMenuItem {
            objectName: "generalSettingsItem"
            text: qsTr("常用设置")
            onTriggered: settingsWindow.open_page(0)
        }
        MyMenuItem {
            objectName: "skinItem"
            text: qsTr("皮肤")
            onTriggered: settingsWindow.open_page(1)
        }
        MyMenu {
            objectName: "panesMenu"
            title: qsTr("分离窗格")
            Repeater {
                model: waveView.panes
                MyMenuItem {
                    objectName: "paneItem_" + modelData.objectName
                    text: modelData.title
                    checkable: true
                    checked: modelData.detached
                    onTriggered: modelData.detached ? modelData.attach() : modelData.detach()
                }
            }
        }
        MyMenuSeparator {}
        MyMenuItem {
            text: qsTr("文档")
            onTriggered: mainRect.open_browser(mainRect.docs_url)
        }
        MyMenuItem {
            text: qsTr("插件下载")
            onTriggered: mainRect.open_browser(mainRect.plugins_url)
        }
        MyMenuSeparator {}
        MyMenuItem {
            objectName: "screenshotItem"
            text: qsTr("截图")
            onTriggered: mainRect.take_screenshot()
        }
        MyMenuSeparator {}
        MyMenuItem {
            text: qsTr("软件信息")
            onTriggered: mainRect.show_info()
        }
    }

    WaveView {
        id: waveView
        anchors.fill: parent
        alert: alertPanel
        file_dialog: file_dialog
        state_file: state_file
        windows: widgetWindows
    }

    // The background picture on top of everything, when so chosen; it
    // takes no input.
    Background {
        objectName: "backgroundOnTop"
        anchors.fill: parent
        z: 1000
        visible: theme.bg.on_top
        picture_only: true
        props: theme.bg
    }

    DropArea {
        objectName: "dropArea"
        anchors.fill: parent
        keys: ["text/uri-list"]
        onDropped: {
            for (var i = 0; i < drop.urls.length; i++) {
                var url = drop.urls[i].toString()
                if (/\.csv$/i.test(url)) {
                    mainRect.confirm_load_csv(decodeURIComponent(url.replace(/^file:\/\//, "")))
                    drop.accept(Qt.CopyAction)
                    return
                }
            }
        }
    }
}
