import QtQuick 2.15

// Edges and corners that resize the frameless window.
Item {
    id: border
    property var window
    property int size: 6

    component Edge: MouseArea {
        property int edges: 0
        hoverEnabled: true
        property point press_pos
        property rect press_geom
        onPressed: {
            if (border.window.startSystemResize && border.window.startSystemResize(edges))
                return
            press_pos = mapToGlobal(mouse.x, mouse.y)
            press_geom = Qt.rect(border.window.x, border.window.y, border.window.width, border.window.height)
        }
        onPositionChanged: {
            if (!pressed || press_geom.width === 0)
                return
            var p = mapToGlobal(mouse.x, mouse.y)
            var dx = p.x - press_pos.x, dy = p.y - press_pos.y
            var g = press_geom
            var w = border.window
            if (edges & Qt.LeftEdge) { w.x = g.x + Math.min(dx, g.width - w.minimumWidth); w.width = Math.max(w.minimumWidth, g.width - dx) }
            if (edges & Qt.RightEdge) w.width = Math.max(w.minimumWidth, g.width + dx)
            if (edges & Qt.TopEdge) { w.y = g.y + Math.min(dy, g.height - w.minimumHeight); w.height = Math.max(w.minimumHeight, g.height - dy) }
            if (edges & Qt.BottomEdge) w.height = Math.max(w.minimumHeight, g.height + dy)
        }
        onReleased: press_geom = Qt.rect(0, 0, 0, 0)
    }

    Edge { edges: Qt.LeftEdge; cursorShape: Qt.SizeHorCursor
           x: 0; y: border.size; width: border.size; height: parent.height - 2 * border.size }
    Edge { edges: Qt.RightEdge; cursorShape: Qt.SizeHorCursor
           x: parent.width - border.size; y: border.size; width: border.size; height: parent.height - 2 * border.size }
    Edge { edges: Qt.TopEdge; cursorShape: Qt.SizeVerCursor
           x: border.size; y: 0; width: parent.width - 2 * border.size; height: border.size }
    Edge { edges: Qt.BottomEdge; cursorShape: Qt.SizeVerCursor
           x: border.size; y: parent.height - border.size; width: parent.width - 2 * border.size; height: border.size }
    Edge { edges: Qt.LeftEdge | Qt.TopEdge; cursorShape: Qt.SizeFDiagCursor
           x: 0; y: 0; width: border.size; height: border.size }
    Edge { edges: Qt.RightEdge | Qt.BottomEdge; cursorShape: Qt.SizeFDiagCursor
           x: parent.width - border.size; y: parent.height - border.size; width: border.size; height: border.size }
    Edge { edges: Qt.RightEdge | Qt.TopEdge; cursorShape: Qt.SizeBDiagCursor
           x: parent.width - border.size; y: 0; width: border.size; height: border.size }
    Edge { edges: Qt.LeftEdge | Qt.BottomEdge; cursorShape: Qt.SizeBDiagCursor
           x: 0; y: parent.height - border.size; width: border.size; height: border.size }
}
