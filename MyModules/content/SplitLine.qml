import QtQuick 2.15

Rectangle {
    implicitWidth: 1
    implicitHeight: 1
    color: theme.lineColor
}
