import QtQuick 2.15
import QtQuick.Window 2.15

Window {
    id: splash
    width: 360
    height: 200
    visible: true
    flags: Qt.SplashScreen | Qt.FramelessWindowHint
    color: "#1e2228"

    Column {
        anchors.centerIn: parent
        spacing: 8
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: "QELO+"
            color: "#e8eaed"
            font.pixelSize: 36
            font.bold: true
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: myapp ? myapp.version() : ""
            color: "#9aa0a6"
            font.pixelSize: 14
        }
    }

    Connections {
        target: myapp
        function onInitialized_changed() {
            if (myapp.initialized)
                splash.close()
        }
    }
}
