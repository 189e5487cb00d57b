import QtQuick 2.15
import "qrc:/MyModules/content/ctx.js" as Ctx

// Theme files: the installed ones in plugins/themes (read only) and the
// user's own in the "themes" folder of the configuration. A theme file
// holds the theme's members under "."; applying one starts from the
// built-in defaults, so a member it lacks or spoils stays at its default.
QtObject {
    id: funcs
    property var theme: null
    property var defaults: null
    property var state_file: null
    property var files: null
    property var alert: null
    // The theme in use: its file path, "" for the built-in default.
    property string theme_name: ""
    property int revision: 0
    readonly property string builtin_name: qsTr("默认")

    function custom_dir() { return myapp.get_config_file("themes", "", true) }
    function list_in(dir, installed) {
        var names = files.filesInDirectory(dir)
        var out = []
        for (var i = 0; i < names.length; i++) {
            // The current theme's own files are not themes to choose.
            if (!/\.json$/i.test(names[i]) || names[i] === "theme.json" || names[i] === "theme.swap.json")
                continue
            out.push({ filename: dir + "/" + names[i], name: names[i].replace(/\.json$/i, ""), indir: installed })
        }
        return out
    }
    function installed_list() { return revision >= 0 ? list_in(myapp.themes_path(), true) : [] }
    function custom_list() { return revision >= 0 ? list_in(custom_dir(), false) : [] }
    function refresh() { revision++ }

    function reset_to_defaults() {
        var all = defaults.get_ctx()
        theme.set_ctx(all)
    }
    function use_builtin() {
        reset_to_defaults()
        theme_name = ""
    }
    // Applies a theme file; a refused file changes nothing and is named.
    function use_file(path) {
        var answer = state_file.read(path, "theme", false)
        if (answer.status !== "ok" || !Ctx.is_object(answer.ctx)) {
            alert.open_alert(qsTr("无法载入皮肤文件: ") + "\n\n" + (answer.message !== "" ? answer.message : path))
            return false
        }
        reset_to_defaults()
        theme.set_ctx(answer.ctx)
        theme_name = path
        return true
    }
    function save_to(path) {
        if (!/\.json$/i.test(path))
            path += ".json"
        var error = state_file.write(path, "theme", theme.get_ctx())
        if (error !== "") {
            alert.open_alert(qsTr("皮肤保存失败: ") + path + "\n\n" + error)
            return ""
        }
        refresh()
        return path
    }
    function save_as(path) {
        var saved = save_to(path)
        if (saved !== "") {
            theme_name = saved
            alert.open_alert(qsTr("皮肤已保存至以下路径: ") + "\n\n" + saved)
        }
    }
    // A copy of the theme in use among the user's themes.
    function clone() {
        var base = theme_name === "" ? builtin_name : theme_name.replace(/^.*\//, "").replace(/\.json$/i, "")
        var n = 1
        var path = custom_dir() + "/" + base + " " + n + ".json"
        while (files.exist(path))
            path = custom_dir() + "/" + base + " " + (++n) + ".json"
        save_as(path)
    }
    function remove(entry) {
        if (entry.indir) {
            alert.open_alert(qsTr("安装在plugins/themes的主题不能被删除, ") + "\n\n" + entry.filename)
            return false
        }
        alert.confirm(qsTr("删除皮肤文件") + "\n\n" + entry.filename + "\n\n" + qsTr("您确定要这么做吗？"), function() {
            files.remove(entry.filename)
            if (funcs.theme_name === entry.filename)
                funcs.theme_name = ""
            funcs.refresh()
        })
        return true
    }

    // The theme in use is kept as "theme.json", the one before it as
    // "theme.swap.json": a damaged file falls back to its swap copy.
    function current_path() { return custom_dir() + "/theme.json" }
    function swap_path() { return custom_dir() + "/theme.swap.json" }
    function save_current() {
        if (files.exist(current_path())) {
            files.remove(swap_path())
            files.copyTo(current_path(), swap_path())
        }
        return state_file.write(current_path(), "theme", theme.get_ctx())
    }
    // True when a kept theme was applied; a refused one is named in `refused`.
    function load_current(refused) {
        var paths = [current_path(), swap_path()]
        for (var i = 0; i < paths.length; i++) {
            if (!files.exist(paths[i]))
                continue
            var answer = state_file.read(paths[i], "theme", true)
            if (answer.status === "ok" && Ctx.is_object(answer.ctx)) {
                reset_to_defaults()
                theme.set_ctx(answer.ctx)
                return true
            }
            refused(answer.message !== "" ? answer.message : paths[i])
        }
        return false
    }

    function get_ctx() { return { theme_name: theme_name } }
    function set_ctx(ctx) { theme_name = Ctx.text(ctx, "theme_name", theme_name) }
}
