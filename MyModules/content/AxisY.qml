import QtQuick 2.15

// Value labels beside the chart, one per horizontal grid line.
Item {
    id: axis
    property real top_value: 1
    property real bottom_value: 0
    property int count: 4
    property int decimals: 2
    property color color: theme.fontColor
    property real label_height: 14
    // Widest label, so the chart can leave room for it.
    property real label_width: metrics.width
    TextMetrics {
        id: metrics
        font.family: g_settings.fontFamilyAxis
        font.pixelSize: g_settings.fontPixelSizeSmall
        text: {
            var a = axis.top_value.toFixed(axis.decimals), b = axis.bottom_value.toFixed(axis.decimals)
            return a.length > b.length ? a : b
        }
    }

    Repeater {
        model: axis.count + 1
        Text {
            objectName: "axisYLabel"
            width: axis.width - 4
            y: Math.min(axis.height - height, Math.max(0, axis.height * index / axis.count - height / 2))
            horizontalAlignment: Text.AlignRight
            text: (axis.top_value - (axis.top_value - axis.bottom_value) * index / axis.count).toFixed(axis.decimals)
            color: axis.color
            font.family: g_settings.fontFamilyAxis
            font.pixelSize: g_settings.fontPixelSizeSmall
        }
    }
}
