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

    Repeater {
        model: axis.count + 1
        Text {
            id: label
            objectName: "axisXLabel"
            readonly property string tip: index === 0 ? axis.first_tip : (index === axis.count ? axis.last_tip : "")
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
