import QtQuick 2.15
import QtQuick.Window 2.15
import mine.qt.MyWindow 1.0
import "ctx.js" as Ctx

// A frameless window with its own title bar, resize border and shadow.
// Content goes into the area below the title bar.
MyWindow {
    id: win
    default property alias content: body.data
    property alias title_bar: titleBar
    property alias body: body
    // The window's picture as the user sees it: title bar and content.
    property alias frame: frame
    property int shadow_size: visibility === Window.Maximized || visibility === Window.FullScreen ? 0 : 8

    flags: Qt.Window | Qt.FramelessWindowHint
    color: "transparent"
    minimumWidth: 480
    minimumHeight: 320

    // The last geometry the window had while neither maximised nor full
    // screen: what a restart brings back, with the maximised state beside.
    property rect normal_geometry
    property bool restore_maximized: false
    Component.onCompleted: note_geometry()
    function note_geometry() {
        if (visibility === Window.Windowed || visibility === Window.Hidden)
            normal_geometry = Qt.rect(x, y, width, height)
    }
    // Noted once the window manager has settled the state that goes with
    // a geometry change.
    onXChanged: Qt.callLater(note_geometry)
    onYChanged: Qt.callLater(note_geometry)
    onWidthChanged: Qt.callLater(note_geometry)
    onHeightChanged: Qt.callLater(note_geometry)

    function get_geometry_ctx() {
        var g = normal_geometry
        return { x: g.x, y: g.y, width: g.width, height: g.height,
                 maximized: visibility === Window.Maximized, screen: screen_name_at(g.x + g.width / 2, g.y + g.height / 2) }
    }
    function screen_name_at(px, py) {
        var screens = Qt.application.screens
        for (var i = 0; i < screens.length; i++) {
            var s = screens[i]
            if (px >= s.virtualX && px < s.virtualX + s.width && py >= s.virtualY && py < s.virtualY + s.height)
                return s.name
        }
        return ""
    }
    // Places the window on the screen it was on, or centred on the primary
    // screen when that one is gone, always inside the screen.
    function set_geometry_ctx(ctx) {
        if (!Ctx.is_object(ctx))
            return
        var screens = Qt.application.screens
        if (screens.length === 0)
            return
        var name = Ctx.text(ctx, "screen", "")
        var target = null
        for (var i = 0; i < screens.length; i++)
            if (screens[i].name === name)
                target = screens[i]
        var w = Ctx.integer(ctx, "width", width), h = Ctx.integer(ctx, "height", height)
        var nx = Ctx.integer(ctx, "x", x), ny = Ctx.integer(ctx, "y", y)
        if (target === null) {
            target = screens[0]
            nx = target.virtualX + (target.width - w) / 2
            ny = target.virtualY + (target.height - h) / 2
        }
        w = Math.max(minimumWidth, Math.min(target.width, w))
        h = Math.max(minimumHeight, Math.min(target.height, h))
        x = Math.round(Math.max(target.virtualX, Math.min(target.virtualX + target.width - w, nx)))
        y = Math.round(Math.max(target.virtualY, Math.min(target.virtualY + target.height - h, ny)))
        width = w
        height = h
        restore_maximized = Ctx.boolean(ctx, "maximized", false)
        note_geometry()
    }
    // A window shown maximised first has no normal geometry of its own
    // yet: the first return to normal takes the restored one.
    property bool normal_pending: false
    function show_restored() {
        normal_pending = restore_maximized
        if (restore_maximized)
            showMaximized()
        else
            show()
    }
    function apply_normal_geometry() {
        x = normal_geometry.x
        y = normal_geometry.y
        width = normal_geometry.width
        height = normal_geometry.height
    }
    // After the platform has put back the geometry it knew.
    onVisibilityChanged: {
        if (visibility === Window.Windowed && normal_pending) {
            normal_pending = false
            Qt.callLater(apply_normal_geometry)
        }
    }

    ShadowBorder {
        anchors.fill: parent
        size: win.shadow_size
        visible: win.shadow_size > 0
    }

    Rectangle {
        id: frame
        anchors.fill: parent
        anchors.margins: win.shadow_size
        color: theme.bgColor
        border.color: theme.lineColorMain
        radius: win.shadow_size > 0 ? 4 : 0
        clip: true

        WindowTitleBar {
            id: titleBar
            anchors { left: parent.left; right: parent.right; top: parent.top; margins: 1 }
            window: win
            title: win.title
            onClose_clicked: win.close()
        }
        Item {
            id: body
            anchors { left: parent.left; right: parent.right; top: titleBar.bottom; bottom: parent.bottom; margins: 1 }
        }
    }

    ResizeBorder {
        anchors.fill: parent
        anchors.margins: Math.max(0, win.shadow_size - 3)
        window: win
        visible: win.visibility !== Window.Maximized
    }
}
