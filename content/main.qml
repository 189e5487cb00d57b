import QtQuick 2.15
import QtQuick.Window 2.15
import QtQuick.Controls 2.15
import mine.qt.QMLFileDialog 1.0
import mine.qt.FileIO 1.0
import mine.qt.Clipboard 1.0
import mine.qt.LocalInfo 1.0
import mine.qt.MyTools 1.0
import mine.qt.Mouse 1.0
import "qrc:/MyModules/content"

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
    GeneralSettings { id: g_settings }
    FileIO { id: file_io }
    Clipboard { id: clipboard }
    LocalInfo { id: local_info }
    MyTools { id: mytools }
    Mouse { id: cpp_mouse }

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
                            mainRect.contentItem.grabToImage(function(result) {
                                if (result.saveToFile(path))
                                    alertPanel.open_alert(qsTr("截图已保存至以下路径:") + "\n\n" + path)
                                else
                                    alertPanel.open_alert(qsTr("截图保存失败:") + "\n\n" + path)
                            })
                        })
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
                break
            default:
                stop()
                mainRect.initializing = false
                mainRect.visible = true
                myapp.initialized = true
            }
        }
    }

    onClosing: waveView.close_all_debug_way()

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
        }
        LanguageMenu {
            link_connected: waveView.pal.link_open
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
