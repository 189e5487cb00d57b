import QtQuick 2.15

// One tab page holding a chart widget.
Item {
    id: tab
    property string name: ""
    property alias wave_chart: chart
    WaveChart {
        id: chart
        anchors.fill: parent
        anchors.margins: 4
    }
}
