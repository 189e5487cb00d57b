import QtQuick 2.15

// An icon of the program: a one-colour drawing shown in the theme's colour
// (or `color`), so that it stays visible in a light and a dark theme. A
// picture with colours of its own (`tinted` false) is shown as it is.
Item {
    id: icon
    property url source: ""
    property color color: theme.fontColorBar
    property bool tinted: true
    // At scale 1; the icon grows with the UI scale.
    property int size: 18
    readonly property int shown_size: Math.round(size * g_settings.globalScale)
    implicitWidth: shown_size
    implicitHeight: shown_size
    Image {
        id: picture
        anchors.fill: parent
        source: icon.source
        sourceSize: Qt.size(icon.shown_size * 2, icon.shown_size * 2)
        smooth: true
        visible: !icon.tinted
    }
    // Keeps the drawing's coverage and paints it in the tint.
    ShaderEffect {
        anchors.fill: parent
        visible: icon.tinted && picture.status === Image.Ready
        property variant src: picture
        property color tint: icon.color
        fragmentShader: "
            varying highp vec2 qt_TexCoord0;
            uniform sampler2D src;
            uniform lowp vec4 tint;
            uniform lowp float qt_Opacity;
            void main() {
                lowp float a = texture2D(src, qt_TexCoord0).a * tint.a * qt_Opacity;
                gl_FragColor = vec4(tint.rgb * a, a);
            }"
    }
}
