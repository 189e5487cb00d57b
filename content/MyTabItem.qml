import QtQuick 2.15
import "qrc:/MyModules/content"
import "qrc:/MyModules/content/ctx.js" as Ctx

// One tab page: any number of hosted widgets, placed freely.
Item {
    id: tab
    objectName: "tabItem"
    property string name: ""
    property bool locked: false
    property string widgets_dir: ""
    property var commands: null
    property var hosts: []
    readonly property int count: hosts.length
    // A tab file asking for thousands of widgets must not stall the window.
    readonly property int max_widgets: 100
    clip: true

    Component { id: hostComp; WidgetRectangle {} }

    // Adds a widget described by an entry {name, path, type} with the
    // saved geometry and state of `saved` (null: a new widget placed at
    // `at`, its own preferred size).
    function add_widget(entry, at, saved) {
        if (hosts.length >= max_widgets)
            return null
        var h = hostComp.createObject(tab, {
            name: Ctx.text(entry, "name", ""), path: Ctx.text(entry, "path", ""),
            type: Ctx.text(entry, "type", "builtin") === "custom" ? "custom" : "builtin",
            widgets_dir: tab.widgets_dir, commands: tab.commands, locked: tab.locked
        })
        h.locked = Qt.binding(function() { return tab.locked })
        h.commands = Qt.binding(function() { return tab.commands })
        h.remove_requested.connect(function() { tab.remove_widget(h) })
        h.raise_requested.connect(function() { tab.raise_widget(h) })
        if (saved !== null) {
            h.set_geometry(saved)
            h.load(Ctx.is_object(saved) && "ctx" in saved ? saved.ctx : null)
        } else {
            h.load(null)
            var size = h.preferred_size()
            h.fw = Math.max(h.min_width, Math.min(size.width, Math.max(h.min_width, tab.width)))
            h.fh = Math.max(h.min_height, Math.min(size.height, Math.max(h.min_height, tab.height)))
            h.fx = Math.max(0, Math.min(tab.width - h.fw, at.x))
            h.fy = Math.max(0, Math.min(tab.height - h.fh, at.y))
            h.z = top_z() + 1
        }
        hosts = hosts.concat([h])
        return h
    }
    function remove_widget(h) {
        hosts = hosts.filter(function(o) { return o !== h })
        h.parent = null
        h.destroy()
    }
    function clear() {
        var old = hosts
        hosts = []
        for (var i = 0; i < old.length; i++) {
            old[i].parent = null
            old[i].destroy()
        }
    }
    function top_z() {
        var z = 0
        for (var i = 0; i < hosts.length; i++)
            z = Math.max(z, hosts[i].z)
        return z
    }
    function raise_widget(h) {
        if (h.z < top_z() || hosts.some(function(o) { return o !== h && o.z === h.z }))
            h.z = top_z() + 1
    }
    // The widgets from the back to the front.
    function ordered() {
        return hosts.slice().sort(function(a, b) { return a.z - b.z })
    }

    // A tab's own members and its widgets, back to front, each as an entry
    // {name, path, type, index, x, y, width, height, filled, ctx}.
    function get_ctx() {
        var list = ordered().map(function(h, i) {
            var c = h.get_ctx()
            c.index = i
            return c
        })
        return { ".": { name: name }, "widgets": list }
    }
    function set_ctx(ctx) {
        name = Ctx.text(Ctx.own(ctx), "name", name)
        var widgets = Ctx.array(ctx, "widgets")
        if (widgets === null)
            return
        clear()
        for (var i = 0; i < widgets.length; i++)
            if (Ctx.is_object(widgets[i]) && Ctx.text(widgets[i], "path", "") !== "")
                add_widget(widgets[i], null, widgets[i])
    }

    MyText {
        objectName: "emptyTabHint"
        anchors.centerIn: parent
        width: Math.min(implicitWidth, parent.width - 20)
        visible: tab.hosts.length === 0
        text: qsTr("从左侧「控件」页拖入控件")
        color: theme.fontColorTips
    }
}
