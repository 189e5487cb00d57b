import QtQuick 2.15
import "qrc:/MyModules/content/ctx.js" as Ctx

// Global settings: fonts, font sizes and scales of the whole UI.
QtObject {
    id: generalSettings
    property string fontFamily: myapp.general_font !== "" ? myapp.general_font : "Microsoft YaHei"
    property string fontFamilyNumber: "Arial"
    property string fontFamilyAxis: "Arial"
    // Native glyphs: crisp on desktop screens and far cheaper to draw than
    // distance-field text when OpenGL runs in software.
    property int fontRenderType: Text.NativeRendering
    property real globalScale: 1.0
    property real fontScaleTerm: 1.0
    property int fontPixelSizeSmall: Math.round(12 * globalScale)
    property int fontPixelSizeNormal: Math.round(14 * globalScale)
    property int fontPixelSizeBig: Math.round(17 * globalScale)
    property int rowHeight: Math.round(26 * globalScale)

    readonly property var members: ["fontFamily", "fontFamilyNumber", "fontFamilyAxis", "fontRenderType",
                                    "globalScale", "fontScaleTerm"]
    function get_ctx() { return Ctx.pick(generalSettings, members) }
    function set_ctx(ctx) {
        Ctx.apply(generalSettings, ctx, members)
        if (fontRenderType !== Text.QtRendering && fontRenderType !== Text.NativeRendering)
            fontRenderType = Text.NativeRendering
        globalScale = Math.max(0.5, Math.min(3, globalScale))
        fontScaleTerm = Math.max(0.4, Math.min(4, fontScaleTerm))
    }
}
