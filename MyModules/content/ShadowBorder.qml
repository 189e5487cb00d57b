import QtQuick 2.15

// A soft shadow around a frameless window, drawn as four gradient strips
// along the edges only, so the window's inside costs nothing to render.
Item {
    id: shadow
    property int size: 8
    property color dark: Qt.rgba(0, 0, 0, 0.45)
    property color clear: Qt.rgba(0, 0, 0, 0)

    Rectangle {
        x: shadow.size; y: 0; width: parent.width - 2 * shadow.size; height: shadow.size
        gradient: Gradient {
            GradientStop { position: 0; color: shadow.clear }
            GradientStop { position: 1; color: shadow.dark }
        }
    }
    Rectangle {
        x: shadow.size; y: parent.height - shadow.size; width: parent.width - 2 * shadow.size; height: shadow.size
        gradient: Gradient {
            GradientStop { position: 0; color: shadow.dark }
            GradientStop { position: 1; color: shadow.clear }
        }
    }
    Rectangle {
        x: 0; y: shadow.size; width: shadow.size; height: parent.height - 2 * shadow.size
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0; color: shadow.clear }
            GradientStop { position: 1; color: shadow.dark }
        }
    }
    Rectangle {
        x: parent.width - shadow.size; y: shadow.size; width: shadow.size; height: parent.height - 2 * shadow.size
        gradient: Gradient {
            orientation: Gradient.Horizontal
            GradientStop { position: 0; color: shadow.dark }
            GradientStop { position: 1; color: shadow.clear }
        }
    }
}
