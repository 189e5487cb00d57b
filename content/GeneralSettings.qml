import QtQuick 2.15

// Global settings: fonts, font sizes and scales of the whole UI.
QtObject {
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
}
