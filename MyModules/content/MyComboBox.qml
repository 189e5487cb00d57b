import QtQuick 2.15
import QtQuick.Controls 2.15

ComboBox {
    id: combo
    property string tip: ""
    // When set, the model holds source texts marked with QT_TRANSLATE_NOOP
    // in this context; they are shown translated, so switching the language
    // neither rebuilds the model nor loses the selection.
    property string tr_context: ""
    function shown(text) { return tr_context !== "" ? qsTranslate(tr_context, text) : text }
    displayText: shown(currentText)
    implicitHeight: g_settings.rowHeight
    font.family: g_settings.fontFamily
    font.pixelSize: g_settings.fontPixelSizeNormal
    contentItem: TextField {
        leftPadding: 6
        rightPadding: combo.indicator.width
        // The field's own padding would cut the glyphs at the top in a row
        // this low; a read-only field keeps full colour.
        topPadding: 0
        bottomPadding: 0
        opacity: 1
        text: combo.editable ? combo.editText : combo.displayText
        readOnly: !combo.editable
        enabled: combo.editable
        color: theme.fontColor
        font: combo.font
        verticalAlignment: Text.AlignVCenter
        selectByMouse: true
        background: Item {}
        onTextEdited: if (combo.editable) combo.editText = text
        onAccepted: if (combo.editable) combo.accepted()
    }
    indicator: Text {
        x: combo.width - width - 6
        y: (combo.height - height) / 2
        text: "\u25be"
        color: theme.iconColor1
        font.pixelSize: 14
    }
    background: Rectangle {
        color: theme.objColor
        border.color: combo.activeFocus ? theme.iconColor1 : theme.lineColor
        radius: 3
    }
    delegate: ItemDelegate {
        width: combo.width
        height: g_settings.rowHeight
        highlighted: combo.highlightedIndex === index
        contentItem: Text {
            text: combo.shown(combo.textRole ? (Array.isArray(combo.model) ? modelData[combo.textRole] : model[combo.textRole]) : modelData)
            color: theme.fontColor
            font: combo.font
            elide: Text.ElideRight
            verticalAlignment: Text.AlignVCenter
        }
        background: Rectangle { color: highlighted ? theme.lightColor : theme.barColor }
    }
    popup: Popup {
        y: combo.height
        width: combo.width
        implicitHeight: Math.min(contentItem.implicitHeight + 2, 320)
        padding: 1
        contentItem: ListView {
            clip: true
            implicitHeight: contentHeight
            model: combo.popup.visible ? combo.delegateModel : null
            currentIndex: combo.highlightedIndex
            ScrollIndicator.vertical: ScrollIndicator {}
        }
        background: Rectangle { color: theme.barColor; border.color: theme.lineColor }
    }
    MyToolTip {
        visible: combo.tip !== "" && combo.hovered && !combo.popup.visible
        text: combo.tip
    }
}
