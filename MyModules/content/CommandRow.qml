import QtQuick 2.15
import QtQuick.Layouts 1.15

// One row of the command tree: fold arrow for groups, name and comment,
// the repetition (its progress while the node runs) and a run button.
// Dragging the row reports where it is; the panel moves the node on drop.
Rectangle {
    id: row
    property var path: []
    property int depth: 0
    property var node: null
    property int revision: 0
    property bool selected: false
    // The send buffer's node while this one runs, else null.
    property var live: null
    property bool drop_here: false
    property bool drop_into: false
    signal picked()
    signal folded()
    signal run_clicked()
    // The pointer at (px, py) in the row while a drag moves.
    signal dragging(real px, real py)
    signal dropped()

    readonly property bool current: live !== null && live.is_current
    readonly property bool is_group: revision >= 0 && node !== null && node.is_group
    readonly property string count_text: {
        var n = live !== null ? live.loop_count : (node !== null && revision >= 0 ? node.loop_count : 0)
        var shown = n < 0 ? "\u221e" : String(n)
        return live !== null ? live.loop_current_count + "/" + shown : "\u00d7" + shown
    }
    objectName: "cmdRow_" + path.join("_")
    implicitHeight: column.implicitHeight + 8
    radius: 3
    color: current ? Qt.rgba(theme.goodColor.r, theme.goodColor.g, theme.goodColor.b, 0.25)
                   : (selected ? theme.objColor : "transparent")
    border.color: drop_here ? theme.iconColor1 : "transparent"

    Rectangle {
        // Where a dropped node goes: a line above the row, or the row's
        // lower half for the inside of a group.
        visible: row.drop_here
        anchors { left: parent.left; right: parent.right }
        y: row.drop_into && row.is_group ? parent.height - 2 : 0
        height: 2
        color: theme.iconColor1
    }

    MouseArea {
        id: area
        anchors.fill: parent
        property point pressed_at
        property bool moved: false
        onPressed: { pressed_at = Qt.point(mouse.x, mouse.y); moved = false; row.picked() }
        onPositionChanged: {
            if (!moved && Math.abs(mouse.y - pressed_at.y) > 6)
                moved = true
            if (moved)
                row.dragging(mouse.x, mouse.y)
        }
        onReleased: if (moved) row.dropped()
        onDoubleClicked: if (row.is_group) row.folded()
    }

    ColumnLayout {
        id: column
        anchors { left: parent.left; right: runButton.left; verticalCenter: parent.verticalCenter
                  leftMargin: 4 + row.depth * 14 }
        spacing: 0
        RowLayout {
            spacing: 4
            MyIcon {
                visible: row.is_group
                source: row.node !== null && row.node.down ? "qrc:/icons/arrow_down.svg" : "qrc:/icons/arrow_right.svg"
                size: 12
                Layout.preferredWidth: 12
                Layout.preferredHeight: 12
                MouseArea { anchors.fill: parent; anchors.margins: -4; onClicked: row.folded() }
            }
            MyText {
                objectName: "cmdName"
                Layout.fillWidth: true
                text: row.revision >= 0 && row.node !== null ? (row.node.name !== "" ? row.node.name : "-") : ""
                font.bold: row.is_group
                color: row.node !== null && row.node.loop_on ? theme.fontColor : theme.fontColorTips
            }
            MyText {
                objectName: "cmdCount"
                text: row.count_text
                color: row.live !== null ? theme.goodColor : theme.fontColorTips
                font.family: g_settings.fontFamilyNumber
                font.pixelSize: g_settings.fontPixelSizeSmall
            }
        }
        MyText {
            objectName: "cmdIntro"
            Layout.fillWidth: true
            visible: row.revision >= 0 && row.node !== null && row.node.intro_on === true && !!row.node.intro
            text: row.node !== null && row.node.intro ? row.node.intro : ""
            color: theme.fontColorTips
            font.pixelSize: g_settings.fontPixelSizeSmall
            wrapMode: Text.WrapAnywhere
        }
    }
    IconButton {
        id: runButton
        objectName: "cmdRun"
        anchors { right: parent.right; verticalCenter: parent.verticalCenter }
        icon: "qrc:/icons/send.svg"
        iconSize: 14
        tip: qsTr("发送")
        onClicked: row.run_clicked()
    }
}
