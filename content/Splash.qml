import QtQuick 2.15
import QtQuick.Window 2.15
import mine.qt.MyWindow 1.0

MyWindow {
    id: splash
    width: 420
    height: 220
    visible: true
    modality: Qt.ApplicationModal
    flags: Qt.SplashScreen | Qt.FramelessWindowHint
    color: "#1c2128"

    Column {
        anchors.centerIn: parent
        spacing: 14
        Image {
            anchors.horizontalCenter: parent.horizontalCenter
            source: "qrc:/content/qelo+.svg"
            width: 300
            height: 100
            sourceSize: Qt.size(600, 200)
            fillMode: Image.PreserveAspectFit
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: myapp ? myapp.version() : ""
            color: "#9aa0a6"
            font.family: myapp ? myapp.mono_font : "monospace"
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
