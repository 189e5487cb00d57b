import QtQuick 2.15

// Labels under the chart, one per vertical grid line, from begin to end.
// The first and last label can carry a tip (what the axis ends stand for).
Item {
    id: axis
    property real begin: 0
    property real end: 1
    property int count: 10
    property int decimals: 0
    property color color: theme.fontColor
    property string first_tip: ""
    property string last_tip: ""
    // Labels too close to be told apart are thinned out, counting back
    // from the last one, which is always shown. The end labels are pushed
    // half a label inwards, hence room for one and a half between shown ones.
    TextMetrics {
        id: metrics
        font.family: g_settings.fontFamilyAxis
        font.pixelSize: g_settings.fontPixelSizeSmall
        text: {
            var a = axis.begin.toFixed(axis.decimals), b = axis.end.toFixed(axis.decimals)
            return a.length > b.length ? a : b
        }
    }
    readonly property int every: Math.max(1, Math.ceil((1.5 * metrics.width + 8) / Math.max(1, axis.width / axis.count)))

    Repeater {
        model: axis.count + 1
        Text {
            id: label
            objectName: "axisXLabel"
            readonly property string tip: index === 0 ? axis.first_tip : (index === axis.count ? axis.last_tip : "")
            visible: (axis.count - index) % axis.every === 0
            x: Math.min(axis.width - width, Math.max(0, axis.width * index / axis.count - width / 2))
            anchors.verticalCenter: parent.verticalCenter
            text: (axis.begin + (axis.end - axis.begin) * index / axis.count).toFixed(axis.decimals)
            color: axis.color
            font.family: g_settings.fontFamilyAxis
            font.pixelSize: g_settings.fontPixelSizeSmall
            MouseArea {
                id: hover
                anchors.fill: parent
                enabled: label.tip !== ""
                hoverEnabled: true
                acceptedButtons: Qt.NoButton
            }
            MyToolTip {
                visible: hover.containsMouse
                text: label.tip
            }
        }
    }
}
