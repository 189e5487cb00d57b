import QtQuick 2.15
import mine.qt.RingBufferWave 1.0
import mine.qt.MarkerPainter 1.0
import mine.qt.DottedLine 1.0
import mine.qt.GridPainter 1.0
import mine.qt.AxisPainter 1.0

// A chart over the global hub with its grid, axes, cursor markers and a
// guide line at the mouse.
Item {
    id: scene
    property alias chart: chart
    property alias marker: marker
    property alias grid: grid
    property color line_color: "#606060"

    GridPainter {
        id: grid
        anchors.fill: parent
        color: scene.line_color
        vcount: chart.x_grid_num
        hcount: chart.y_grid_num
        hoffset: chart.x_offset_pixel
    }

    RingBufferWave {
        id: chart
        anchors.fill: parent
        datahub: datahub_global
        auto_mode: 0
        fake_continuous: true
        min_value: 99999
        max_value: -99999
        x_grid_num: 10
        theme_color: scene.line_color
    }

    AxisPainter {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        height: 14
        color: scene.line_color
        vcount: chart.x_grid_num
        right_offset: chart.x_offset_pixel
        on_top: true
    }

    DottedLine {
        id: guide
        anchors.fill: parent
        visible: mouse.containsMouse
        color: scene.line_color
        line_width: 1
        dash_on: true
        start_x: chart.mouse_x_pixel
        start_y: 0
        end_x: chart.mouse_x_pixel
        end_y: height
    }

    MarkerPainter {
        id: marker
        x: 0
        y: 0
        width: chart.width - chart.x_offset_pixel
        height: chart.height
        rbw_ptr: chart
        mouse_index: chart.draw_index_begin
                     + (chart.draw_index_end - chart.draw_index_begin) * chart.mouse_x_pixel / Math.max(width, 1)
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        hoverEnabled: true
        onPositionChanged: {
            chart.mouse_x_pixel = mouse.x
            chart.mouse_y_pixel = mouse.y
            marker.repaint(false)
        }
    }
}
