import QtQuick 2.15
import QtQuick.Controls 2.15

// A number field; the mouse wheel steps the value.
SpinBox {
    id: spin
    property string tip: qsTr("鼠标滚轮可增减")
    // Ports and the like read as plain digits, without group separators.
    property bool grouping: true
    textFromValue: function(value, locale) {
        return grouping ? Number(value).toLocaleString(locale, 'f', 0) : String(value)
    }
    editable: true
    implicitHeight: g_settings.rowHeight
    implicitWidth: 110
    // The style's padding would push the number above the middle of a low row.
    topPadding: 0
    bottomPadding: 0
    font.family: g_settings.fontFamilyNumber
    font.pixelSize: g_settings.fontPixelSizeNormal
    contentItem: TextInput {
        text: spin.displayText
        color: theme.fontColor
        font: spin.font
        horizontalAlignment: Qt.AlignHCenter
        verticalAlignment: Qt.AlignVCenter
        readOnly: !spin.editable
        validator: spin.validator
        inputMethodHints: Qt.ImhFormattedNumbersOnly
        selectByMouse: true
    }
    up.indicator: Text {
        x: spin.width - width - 4
        height: spin.height
        verticalAlignment: Text.AlignVCenter
        text: "+"
        color: spin.up.pressed ? theme.iconColor2 : theme.iconColor1
        font.pixelSize: 15
    }
    down.indicator: Text {
        x: 4
        height: spin.height
        verticalAlignment: Text.AlignVCenter
        text: "\u2212"
        color: spin.down.pressed ? theme.iconColor2 : theme.iconColor1
        font.pixelSize: 15
    }
    background: Rectangle {
        color: theme.objColor
        border.color: spin.activeFocus ? theme.iconColor1 : theme.lineColor
        radius: 3
    }
    WheelHandler {
        onWheel: {
            if (event.angleDelta.y > 0) spin.increase(); else spin.decrease()
            spin.valueModified()
        }
    }
    MyToolTip {
        visible: spin.tip !== "" && spin.hovered
        text: spin.tip
    }
}
