import QtQuick 2.15
import "qrc:/MyModules/content"

// A settings row holding an integer field.
SettingPair {
    id: pair
    property alias value: spin.value
    property alias from: spin.from
    property alias to: spin.to
    property alias step: spin.stepSize
    property alias spin: spin
    property alias grouping: spin.grouping
    signal value_edited(int value)

    MySpinBox {
        id: spin
        anchors.fill: parent
        from: 0
        to: 1000000000
        onValueModified: pair.value_edited(value)
    }
}
