import QtQuick 2.15
import "ctx.js" as Ctx

// A pane of a split view that can be taken out into a window of its own
// and put back ("回到主体"). Its content moves whole, so it keeps its
// state and goes on working (a terminal keeps scrolling, a chart keeps
// drawing). Detached, the pane leaves its place in the split.
Item {
    id: pane
    property string title: ""
    default property alias content: holder.data
    readonly property bool detached: window !== null
    property var window: null
    visible: !detached

    Item {
        id: holder
        objectName: "splitItemHolder"
        anchors.fill: parent
    }

    function detach() {
        if (detached)
            return null
        var comp = Qt.createComponent("ReturnWindow.qml")
        var win = comp.createObject(null, { pane: pane })
        if (win === null)
            return null
        win.width = Math.max(win.minimumWidth, pane.width)
        win.height = Math.max(win.minimumHeight, pane.height + win.title_bar.height)
        holder.parent = win.slot
        win.return_requested.connect(pane.attach)
        window = win
        win.show()
        return win
    }
    function attach() {
        if (!detached)
            return
        var win = window
        holder.parent = pane
        window = null
        win.hide()
        win.destroy()
    }

    function get_ctx() {
        return { detached: detached, geometry: detached ? window.get_geometry_ctx() : null }
    }
    function set_ctx(ctx) {
        if (!Ctx.boolean(ctx, "detached", false)) {
            attach()
            return
        }
        var win = detach()
        if (win !== null)
            win.set_geometry_ctx(Ctx.object(ctx, "geometry"))
    }
}
