import QtQuick 2.15
import "qrc:/MyModules/content"

// The language menu; switching is refused while a link is connected.
MyMenu {
    id: menu
    objectName: "languageMenu"
    title: "语言/language"
    property bool link_connected: false

    function choose(index) {
        if (link_connected) {
            alert_panel.open_alert(qsTr("先断开与下位机的连接才能切换语言。"))
            return false
        }
        dyntranslator.select_language(index)
        return true
    }
    Repeater {
        model: dyntranslator.language_string_list()
        MyMenuItem {
            objectName: "language" + index
            text: modelData
            checkable: true
            checked: dyntranslator.language_index === index
            onTriggered: {
                checked = Qt.binding(function() { return dyntranslator.language_index === index })
                menu.choose(index)
            }
        }
    }
}
