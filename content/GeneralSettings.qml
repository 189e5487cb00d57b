import QtQuick 2.15
import "qrc:/MyModules/content/ctx.js" as Ctx

// Global settings: fonts, font sizes and scales of the whole UI. The four
// sizes are chosen at scale 1; every text and row of the UI takes the
// scaled ones (`fontPixelSize...`, `rowHeight`).
QtObject {
    id: generalSettings
    readonly property string defaultFontFamily: myapp.general_font !== "" ? myapp.general_font : "Microsoft YaHei"
    readonly property string defaultFontFamilyTerm: myapp.mono_font !== "" ? myapp.mono_font : "Consolas"
    property string fontFamily: defaultFontFamily
    property string fontFamilyNumber: "Arial"
    property string fontFamilyAxis: "Arial"
    property string fontFamilyTerm: defaultFontFamilyTerm
    property bool fontBold: false
    // Native glyphs: crisp on desktop screens and far cheaper to draw than
    // distance-field text when OpenGL runs in software.
    property int fontRenderType: Text.NativeRendering
    property real globalScale: 1.0
    property real fontScaleTerm: 1.0
    property int sizeTiny: 10
    property int sizeSmall: 12
    property int sizeNormal: 14
    property int sizeBig: 17
    readonly property int fontPixelSizeTiny: Math.round(sizeTiny * globalScale)
    readonly property int fontPixelSizeSmall: Math.round(sizeSmall * globalScale)
    readonly property int fontPixelSizeNormal: Math.round(sizeNormal * globalScale)
    readonly property int fontPixelSizeBig: Math.round(sizeBig * globalScale)
    // Rows grow with the normal text so that a larger font is never cut.
    readonly property int rowHeight: Math.round(Math.max(26 * globalScale, fontPixelSizeNormal * 1.85))

    readonly property var members: ["fontFamily", "fontFamilyNumber", "fontFamilyAxis", "fontFamilyTerm", "fontBold",
                                    "fontRenderType", "globalScale", "fontScaleTerm"]
    // The sizes are saved under the names of the sizes they give at scale 1.
    readonly property var sizes: ({ fontPixelSizeTiny: "sizeTiny", fontPixelSizeSmall: "sizeSmall",
                                    fontPixelSizeNormal: "sizeNormal", fontPixelSizeBig: "sizeBig" })
    function get_ctx() {
        var ctx = Ctx.pick(generalSettings, members)
        for (var key in sizes)
            ctx[key] = generalSettings[sizes[key]]
        return ctx
    }
    function set_ctx(ctx) {
        Ctx.apply(generalSettings, ctx, members)
        for (var key in sizes)
            generalSettings[sizes[key]] = Math.max(6, Math.min(72, Ctx.integer(ctx, key, generalSettings[sizes[key]])))
        if (fontRenderType !== Text.QtRendering && fontRenderType !== Text.NativeRendering)
            fontRenderType = Text.NativeRendering
        globalScale = Math.max(0.5, Math.min(3, globalScale))
        fontScaleTerm = Math.max(0.4, Math.min(4, fontScaleTerm))
        if (fontFamily === "")
            fontFamily = defaultFontFamily
        if (fontFamilyTerm === "")
            fontFamilyTerm = defaultFontFamilyTerm
    }
    function reset() {
        fontFamily = defaultFontFamily
        fontFamilyNumber = "Arial"
        fontFamilyAxis = "Arial"
        fontFamilyTerm = defaultFontFamilyTerm
        fontBold = false
        fontRenderType = Text.NativeRendering
        globalScale = 1.0
        fontScaleTerm = 1.0
        sizeTiny = 10
        sizeSmall = 12
        sizeNormal = 14
        sizeBig = 17
    }
}
