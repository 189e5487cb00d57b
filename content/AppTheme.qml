import QtQuick 2.15
import "qrc:/MyModules/content"
import "qrc:/MyModules/content/ctx.js" as Ctx

// The current theme: colours of the UI and the terminal's ANSI styles.
QtObject {
    id: appTheme
    property color goodColor: "#6bc46d"
    property color badColor: "#ff7b72"
    property color iconColor1: "#6cb6ff"
    property color iconColor2: "#daaa3f"
    property color iconColor3: "#b083f0"
    property color iconSColor1: "#96d0ff"
    property color iconSColor2: "#eac55f"
    property color iconSColor3: "#dcbdfb"
    property color objColor: "#2d333b"
    property color bgColor: "#1c2128"
    property color mainColor: "#e6edf3"
    property color barColor: "#22272e"
    property color lightColor: "#373e47"
    property color lineColor: "#444c56"
    property color lineColorMain: "#545d68"
    property color fontColor: "#cdd9e5"
    property color fontColorTips: "#909dab"
    property color fontColorBar: "#adbac7"
    property color cbColor1: "#262c36"
    property color cbColor2: "#2d3440"
    property color cbColor3: "#3b4452"
    property color cbColor4: "#4b5566"
    property string textAnsiTime: "38;2;0;125;255"
    property string textAnsiRx: "32"
    property string textAnsiTx: "38;2;0;0;255"
    property string textAnsiErr: "91"

    readonly property var members: ["goodColor", "badColor", "iconColor1", "iconColor2", "iconColor3",
        "iconSColor1", "iconSColor2", "iconSColor3", "objColor", "bgColor", "mainColor", "barColor",
        "lightColor", "lineColor", "lineColorMain", "fontColor", "fontColorTips", "fontColorBar",
        "cbColor1", "cbColor2", "cbColor3", "cbColor4", "textAnsiTime", "textAnsiRx", "textAnsiTx", "textAnsiErr"]
    // Channel colour presets: new channels take them in turn.
    property var lColors: ["#ff5252", "#4caf50", "#2196f3", "#ffc107", "#e040fb", "#00bcd4",
                           "#ff9800", "#8bc34a", "#9e9e9e", "#ffffff"]
    readonly property int max_line_colors: 64

    property BackgroundProperties bg: BackgroundProperties {}

    function get_ctx() {
        return { ".": Ctx.pick(appTheme, members), "lColors": lColors.slice(), "bgProperties": bg.get_ctx() }
    }
    function set_ctx(ctx) {
        Ctx.apply(appTheme, Ctx.own(ctx), members)
        bg.set_ctx(Ctx.object(ctx, "bgProperties"))
        var list = Ctx.array(ctx, "lColors")
        if (list !== null) {
            var colours = list.filter(function(c) { return typeof c === "string" && Ctx.color_pattern.test(c) })
            if (colours.length > 0)
                lColors = colours.slice(0, max_line_colors)
        }
    }
}
