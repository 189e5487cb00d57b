import QtQuick 2.15

// Binds a widget to a second channel: the widget's `ch2`.
ChMenu {
    objectName: "secondChMenu"
    member: "ch2"
    title: qsTr("指定第二通道")
}
