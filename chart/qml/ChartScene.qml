import QtQuick 2.15
import mine.qt.RingBufferWave 1.0

// A chart over the global hub.
Item {
    id: scene
    property alias chart: chart

    RingBufferWave {
        id: chart
        anchors.fill: parent
        datahub: datahub_global
        auto_mode: 0
        fake_continuous: true
        min_value: 99999
        max_value: -99999
        x_grid_num: 10
    }
}
