import QtQuick 2.15
import "qrc:/MyModules/content/ctx.js" as Ctx

// The widget windows: the main window's tab view and every window opened
// for tabs. Moves tabs between them, drops widgets into them, and saves and
// loads tabs, windows and all of them as files.
QtObject {
    id: manager
    property var main_view: null
    property var main_window: null
    property var alert: null
    property var file_dialog: null
    property var state_file: null
    property var commands: null
    property string widgets_dir: ""
    property var windows: []
    property bool closing_all: false
    readonly property int max_windows: 16
    property int next_number: 1

    property Component windowComp: Component { WidgetWindow {} }

    function all_views() {
        return [main_view].concat(windows.map(function(w) { return w.tab_view }))
    }
    // The tab view under a point of the screen: the newest window first.
    function view_at(gp) {
        for (var i = windows.length - 1; i >= 0; i--)
            if (windows[i].visible && windows[i].tab_view.content_contains(gp))
                return windows[i].tab_view
        return main_view.content_contains(gp) ? main_view : null
    }

    function new_window(geometry, show_now) {
        if (windows.length >= max_windows) {
            ask(qsTr("控件窗口数量已达上限: ") + max_windows, null)
            return null
        }
        var w = windowComp.createObject(null, { manager: manager, number: next_number++ })
        if (Ctx.is_object(geometry))
            w.set_geometry_ctx(geometry)
        windows = windows.concat([w])
        if (show_now)
            w.show_restored()
        return w
    }
    function close_window(w) {
        windows = windows.filter(function(o) { return o !== w })
        var was = closing_all
        closing_all = true
        w.close()
        closing_all = was
        w.destroy()
    }
    function ask_close_window(w) {
        if (w.tab_view.widget_count() > 0)
            ask(qsTr("此窗口内的标签及控件会被关闭，") + qsTr("您确定要这么做吗？"), function() { close_window(w) })
        else
            close_window(w)
    }
    function close_windows() {
        var old = windows
        for (var i = 0; i < old.length; i++)
            close_window(old[i])
    }
    function show_windows() {
        for (var i = 0; i < windows.length; i++)
            windows[i].show_restored()
    }

    // Messages and questions appear in the main window, brought forward.
    function ask(text, accepted) {
        if (main_window !== null) {
            main_window.raise()
            main_window.requestActivate()
        }
        if (accepted)
            alert.confirm(text, accepted)
        else
            alert.open_alert(text)
    }

    // ---- widgets and tabs between windows ------------------------------------
    // Puts a new widget (an entry of the widget list) where it was dropped.
    function drop_widget(entry, gp) {
        var v = view_at(gp)
        if (v === null)
            return false
        if (v.current_tab === null)
            v.new_tab()
        var tab = v.current_tab
        if (tab === null)
            return false
        var p = v.content_point(gp)
        return tab.add_widget(entry, Qt.point(Math.max(0, p.x), Math.max(0, p.y)), null) !== null
    }
    // Moves tab `index` of `from` to the view `to` by its state, so nothing
    // drawn for one window is handed to another.
    function move_tab(from, index, to) {
        var tab = from.tab_at(index)
        if (!tab || to === from)
            return false
        if (to.count >= to.max_tabs) {
            ask(qsTr("此窗口的标签数量已达上限: ") + to.max_tabs, null)
            return false
        }
        // The main window keeps a tab of its own.
        if (from.is_main && from.count === 1)
            from.new_tab()
        to.add_tab_ctx(tab.get_ctx())
        from.close_tab(from.tabs.indexOf(tab))
        return true
    }
    function move_tab_to_new_window(from, index, gp) {
        var geometry = null
        if (gp !== undefined)
            geometry = { x: gp.x - 80, y: gp.y - 20, width: 820, height: 560, screen: main_window.screen_name_at(gp.x, gp.y) }
        var w = new_window(geometry, true)
        if (w === null)
            return null
        if (!move_tab(from, index, w.tab_view))
            close_window(w)
        return w
    }
    function move_tab_to_main(from, index) {
        move_tab(from, index, main_view)
        main_window.raise()
    }
    // A tab dragged out of its bar: into the other window under the
    // pointer, or into a new window there.
    function tab_dropped(from, index, gp) {
        var to = view_at(gp)
        if (to !== null && to !== from)
            move_tab(from, index, to)
        else
            move_tab_to_new_window(from, index, gp)
    }

    // ---- state ---------------------------------------------------------------------
    function view_ctx(v) {
        var c = v.get_ctx()
        for (var i = 0; i < windows.length; i++)
            if (windows[i].tab_view === v)
                c["."].window = windows[i].get_geometry_ctx()
        return c
    }
    // All windows with their tabs, each as {skip_header, ctx}; the main window first.
    function get_ctx() {
        return all_views().map(function(v) { return { skip_header: false, ctx: view_ctx(v) } })
    }
    // Replaces the widget windows by the saved ones. The main window keeps
    // its tabs when the entry has none it can use; windows without a usable
    // tab are not opened. Windows are shown at once unless `hidden`.
    function set_ctx(list, hidden) {
        if (!Array.isArray(list) || list.length === 0)
            return
        close_windows()
        main_view.set_ctx(Ctx.object(list[0], "ctx"))
        for (var i = 1; i < list.length && windows.length < max_windows; i++)
            open_window(Ctx.object(list[i], "ctx"), !hidden)
    }
    function open_window(ctx, show_now) {
        if (Ctx.array(ctx, "tabs") === null)
            return null
        var w = new_window(Ctx.object(Ctx.own(ctx), "window"), false)
        if (w === null)
            return null
        w.tab_view.set_ctx(ctx)
        if (w.tab_view.count === 0) {
            close_window(w)
            return null
        }
        if (show_now)
            w.show_restored()
        return w
    }
    // Closes every widget window and tab, then opens the saved ones.
    function replace_all(list) {
        close_windows()
        main_view.close_all()
        set_ctx(list, false)
        if (main_view.count === 0)
            main_view.new_tab()
    }

    // ---- files -----------------------------------------------------------------------
    function dir() { return myapp.data_dir_path() }
    function with_suffix(path, suffix) {
        return path.toLowerCase().endsWith(suffix) ? path : path + suffix
    }
    function save(path, type, ctx, done_text) {
        var error = state_file.write(path, type, ctx)
        ask(error === "" ? done_text + "\n\n" + path : qsTr("保存失败: ") + path + "\n\n" + error, null)
    }
    function ask_save_tab(v) {
        var tab = v.current_tab
        if (tab === null || tab.count === 0) {
            ask(qsTr("当前没有控件"), null)
            return
        }
        file_dialog.ask(qsTr("当前标签另存为..."), dir() + "/" + qsTranslate("MyTabView", tab.name) + ".tab.json",
                        "tab (*.tab.json)", true, false, function(path) {
                            save(with_suffix(path, ".tab.json"), "tab", tab.get_ctx(), qsTr("标签页已保存至以下路径:"))
                        })
    }
    function ask_save_window(v) {
        file_dialog.ask(qsTr("本窗口另存为..."), dir() + "/tabs.tabview.json", "tabview (*.tabview.json)", true, false,
                        function(path) {
                            save(with_suffix(path, ".tabview.json"), "tabview", view_ctx(v), qsTr("本窗口已保存至以下路径:"))
                        })
    }
    function ask_save_all() {
        file_dialog.ask(qsTr("保存控件窗口及标签"), dir() + "/qelo+.tabviews.json", "tabviews (*.tabviews.json)", true,
                        false, function(path) {
                            save(with_suffix(path, ".tabviews.json"), "tabviews", get_ctx(),
                                 qsTr("所有控件窗口及标签已保存至以下文件:"))
                        })
    }
    function ask_load_into(v) {
        file_dialog.ask(qsTr("载入..."), dir(), "tab tabview tabviews (*.tab.json *.tabview.json *.tabviews.json)", false,
                        false, function(path) { load_file(v, path, "tab tabview tabviews") })
    }
    function ask_load_all() {
        file_dialog.ask(qsTr("载入控件窗口及标签"), dir(), "tabviews (*.tabviews.json)", false, false,
                        function(path) { load_file(main_view, path, "tabviews") })
    }
    // Loads a tab, window or all-windows file after asking what it will do.
    function load_file(v, path, types) {
        var answer = state_file.read(path, types, false)
        if (answer.status === "refused") {
            ask(answer.message, null)
            return
        }
        if (answer.status !== "ok") {
            ask(qsTr("文件不存在或为空，没有可载入的内容。") + "\n\n" + path, null)
            return
        }
        var ctx = answer.ctx
        var head = path + "\n"
        if (answer.type === "tab") {
            ask(head + qsTr("是一个标签配置文件，") + qsTr("即将在当前窗口加入新标签，") + qsTr("是否继续?"), function() {
                if (v.add_tab_ctx(ctx) === null)
                    ask(qsTr("此窗口的标签数量已达上限: ") + v.max_tabs, null)
            })
        } else if (answer.type === "tabview") {
            if (v.widget_count() === 0)
                ask(head + qsTr("是一个窗口配置文件，即将把文件内记录的标签，") + qsTr("载入此空白窗口，") + qsTr("是否继续?"),
                    function() { load_window_into(v, ctx) })
            else
                ask(head + qsTr("是一个窗口配置文件，即将打开一个新窗口，") + qsTr("把文件内记录的标签载入，") + qsTr("是否继续?"),
                    function() { load_window_into(null, ctx) })
        } else {
            ask(head + qsTr("是一个记录所有控件窗口及标签的配置文件，") + qsTr("载入前会先关闭软件现有的所有控件窗口及标签，")
                + qsTr("是否继续?"), function() { replace_all(ctx) })
        }
    }
    function load_window_into(v, ctx) {
        var tabs = Ctx.array(ctx, "tabs")
        if (tabs === null || !tabs.some(function(t) { return Ctx.object(t, "ctx") !== null })) {
            ask(qsTr("文件内没有可载入的标签。"), null)
            return
        }
        if (v === null) {
            open_window(ctx, true)
        } else {
            v.set_ctx(ctx)
        }
    }
}
