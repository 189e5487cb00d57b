import QtQuick 2.15
import "ctx.js" as Ctx

// How the window's background is drawn (saved with the theme as
// "bgProperties"): a colour of its own, a picture ("none", "qelo" for the
// built-in one, or a file), its opacity, its size relative to the screen,
// kept in proportion or filling, on top of everything or behind, and its
// place: centred or from a side with an offset.
QtObject {
    id: bg
    property bool color_on: false
    property color color: "#000000"
    property real color_opacity: 1.0
    property string picture: "qelo"
    property real picture_opacity: 0.18
    property real size: 1.0
    property bool fill: true
    property bool on_top: false
    // "center", "left", "right"; "center", "top", "bottom".
    property string x_mode: "center"
    property int x_offset: 0
    property string y_mode: "center"
    property int y_offset: 0

    readonly property var members: ["color_on", "color", "color_opacity", "picture", "picture_opacity", "size", "fill",
                                    "on_top", "x_mode", "x_offset", "y_mode", "y_offset"]
    function get_ctx() { return Ctx.pick(bg, members) }
    function set_ctx(ctx) {
        Ctx.apply(bg, ctx, members)
        color_opacity = Math.max(0, Math.min(1, color_opacity))
        picture_opacity = Math.max(0, Math.min(1, picture_opacity))
        size = Math.max(0.05, Math.min(4, size))
        if (["center", "left", "right"].indexOf(x_mode) < 0)
            x_mode = "center"
        if (["center", "top", "bottom"].indexOf(y_mode) < 0)
            y_mode = "center"
        x_offset = Math.max(-10000, Math.min(10000, x_offset))
        y_offset = Math.max(-10000, Math.min(10000, y_offset))
    }
    function reset() {
        color_on = false
        color = "#000000"
        color_opacity = 1.0
        picture = "qelo"
        picture_opacity = 0.18
        size = 1.0
        fill = true
        on_top = false
        x_mode = "center"
        x_offset = 0
        y_mode = "center"
        y_offset = 0
    }
}
