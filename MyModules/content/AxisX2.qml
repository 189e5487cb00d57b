import QtQuick 2.15

// Labels under the chart, one per vertical grid line, from begin to end.
Item {
    id: axis
    property real begin: 0
    property real end: 1
    property int count: 10
    property int decimals: 0
    property string unit: ""
    property color color: theme.fontColor

    Repeater {
        model: axis.count + 1
        Text {
            objectName: "axisXLabel"
            x: Math.min(axis.width - width, Math.max(0, axis.width * index / axis.count - width / 2))
            anchors.verticalCenter: parent.verticalCenter
            text: (axis.begin + (axis.end - axis.begin) * index / axis.count).toFixed(axis.decimals)
                  + (index === axis.count ? axis.unit : "")
            color: axis.color
            font.family: g_settings.fontFamilyAxis
            font.pixelSize: g_settings.fontPixelSizeSmall
        }
    }
}
