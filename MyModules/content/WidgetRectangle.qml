import QtQuick 2.15
import "ctx.js" as Ctx
import "paths.js" as Paths

// Hosts one widget in a tab: loads its document, moves it with the grip,
// resizes it from the edges and corners, fills the tab and back, raises it
// on a press and deletes it. A widget that cannot be loaded or restored is
// shown as a placeholder with the reason, and its saved state is kept as it
// was so that saving loses nothing.
Item {
    id: host
    objectName: "widgetRectangle"
    // What the widget is: "builtin" with the name of a document in the
    // program, or "custom" with a file in the widgets folder (or a full path).
    property string name: ""
    property string path: ""
    property string type: "builtin"
    property string widgets_dir: ""
    // A locked tab lets nothing move or resize.
    property bool locked: false
    property bool filled: false
    // The sending service the widgets bind commands to (CommandPanel).
    property var commands: null
    readonly property alias widget: body.widget
    readonly property bool resizing: edges.pressed_edge !== ""
    readonly property string error: body.error
    signal remove_requested()
    signal raise_requested()

    // The free geometry; a filled widget covers the tab instead.
    property real fx: 0
    property real fy: 0
    property real fw: 320
    property real fh: 220
    readonly property int min_width: 60
    readonly property int min_height: 40
    x: filled ? 0 : fx
    y: filled ? 0 : fy
    width: filled && parent ? parent.width : fw
    height: filled && parent ? parent.height : fh

    function fill() { if (!locked) filled = true }
    function restore() { if (!locked) filled = false }
    function remove() { remove_requested() }
    // Sends a command of the command tree (its path of indices) with the
    // argument filling its placeholders; false without a link.
    // A widget's act sends its command once, whatever the command's own repeat count.
    function send_command(cmd_path, argument) {
        return commands !== null && commands.run_with_argument(cmd_path, argument, true)
    }
    function link_ready() { return commands !== null && commands.link_open }
    // A link is open and no command sequence is running.
    function can_send() { return link_ready() && !commands.out_buffer.repeating }
    function command_list() { return commands !== null ? commands.leaf_list() : [] }

    function source_url() {
        if (type === "builtin")
            return "qrc:/content/" + path + ".qml"
        var file = path.indexOf("/") >= 0 || path.indexOf("\\") >= 0 ? path : widgets_dir + "/" + path
        return Paths.file_url(file)
    }

    // Creates the widget and restores its state (null: a new widget).
    function load(ctx) {
        body.kept_ctx = ctx
        body.create(source_url(), ctx)
    }

    function get_ctx() {
        return { name: name, path: path, type: type, index: z, x: fx, y: fy, width: fw, height: fh,
                 filled: filled, ctx: body.widget_ctx() }
    }
    // Geometry from a saved entry, kept within sane bounds.
    function set_geometry(entry) {
        fx = Math.max(-2000, Math.min(20000, Ctx.number(entry, "x", fx)))
        fy = Math.max(-2000, Math.min(20000, Ctx.number(entry, "y", fy)))
        fw = Math.max(min_width, Math.min(20000, Ctx.number(entry, "width", fw)))
        fh = Math.max(min_height, Math.min(20000, Ctx.number(entry, "height", fh)))
        filled = Ctx.boolean(entry, "filled", filled)
        z = Math.max(0, Math.min(100000, Ctx.integer(entry, "index", z)))
    }

    // The widget's own preferred size, when it tells one.
    function preferred_size() {
        var w = body.widget
        if (w === null)
            return Qt.size(320, 200)
        var pw = w.preferred_width !== undefined ? w.preferred_width : w.implicitWidth
        var ph = w.preferred_height !== undefined ? w.preferred_height : w.implicitHeight
        return Qt.size(pw > 0 ? pw : 320, ph > 0 ? ph : 200)
    }

    // A press anywhere on the widget brings it to the front, without taking
    // the press from the widget.
    TapHandler {
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        gesturePolicy: TapHandler.DragThreshold
        onPressedChanged: if (pressed) host.raise_requested()
    }

    // Knows whether the pointer is anywhere on the widget: the widget's
    // own areas are inside it, so it hears of the pointer over them too.
    MouseArea {
        id: hover
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.NoButton
        readonly property bool hovered: containsMouse

        // Widgets placed over each other hide what is behind them.
        Rectangle {
            anchors.fill: parent
            visible: !host.filled
            color: theme.bgColor
        }
        WidgetBody {
            id: body
            objectName: "widgetBody"
            anchors.fill: parent
            host: host
        }

        Rectangle {
            anchors.fill: parent
            color: "transparent"
            border.color: theme.iconColor1
            border.width: 1
            visible: (hover.hovered || moveArea.pressed || host.resizing) && !host.locked
            opacity: 0.6
        }

        // The grip and the menu, top right, shown while the pointer is on the widget.
        Rectangle {
            id: grip
            objectName: "widgetGrip"
            anchors { right: parent.right; top: parent.top; margins: 3 }
            width: gripRow.width + 4
            height: 22
            radius: 4
            color: theme.barColor
            border.color: theme.lineColor
            z: 10
            visible: hover.hovered || moveArea.pressed || menu.visible
            Row {
                id: gripRow
                anchors.centerIn: parent
                MyIcon {
                    objectName: "widgetMoveHandle"
                    visible: !host.locked
                    source: "qrc:/icons/move.svg"
                    MouseArea {
                        id: moveArea
                        anchors.fill: parent
                        anchors.margins: -2
                        cursorShape: Qt.SizeAllCursor
                        property point from
                        property point start
                        onPressed: {
                            host.raise_requested()
                            from = mapToItem(host.parent, mouse.x, mouse.y)
                            start = Qt.point(host.x, host.y)
                        }
                        onPositionChanged: {
                            if (host.locked)
                                return
                            var p = mapToItem(host.parent, mouse.x, mouse.y)
                            if (host.filled) {
                                // Dragging a filled widget puts it back to its own size first.
                                host.filled = false
                                start = Qt.point(Math.min(host.fx, p.x - host.fw / 2), Math.max(0, p.y - 10))
                                from = p
                            }
                            var area = host.parent
                            host.fx = Math.max(0, Math.min(area.width - 40, start.x + p.x - from.x))
                            host.fy = Math.max(0, Math.min(area.height - 24, start.y + p.y - from.y))
                        }
                        onDoubleClicked: host.filled ? host.restore() : host.fill()
                    }
                }
                IconButton {
                    objectName: "widgetMenuButton"
                    icon: "qrc:/icons/more.svg"
                    tip: qsTr("更多操作")
                    width: 22
                    height: 20
                    iconSize: 16
                    onClicked: menu.popup(this, 0, height)
                }
            }
        }

        MyMenu {
            id: menu
            objectName: "widgetMenu"
            FillParentMenu { host: host }
            MyMenuItem {
                objectName: "widgetRaise"
                text: qsTr("置于顶层")
                onTriggered: host.raise_requested()
            }
            MyMenuSeparator {}
            DeleteMenuItem { host: host }
        }

        // ---- resizing from the edges and corners --------------------------------
        Item {
            id: edges
            anchors.fill: parent
            visible: !host.locked && !host.filled
            z: 5
            property string pressed_edge: ""
            readonly property int thickness: 6
            Repeater {
                // Which sides an area moves: left, top, right, bottom.
                model: [
                    { name: "l", l: 1, t: 0, r: 0, b: 0, shape: Qt.SizeHorCursor },
                    { name: "r", l: 0, t: 0, r: 1, b: 0, shape: Qt.SizeHorCursor },
                    { name: "t", l: 0, t: 1, r: 0, b: 0, shape: Qt.SizeVerCursor },
                    { name: "b", l: 0, t: 0, r: 0, b: 1, shape: Qt.SizeVerCursor },
                    { name: "tl", l: 1, t: 1, r: 0, b: 0, shape: Qt.SizeFDiagCursor },
                    { name: "br", l: 0, t: 0, r: 1, b: 1, shape: Qt.SizeFDiagCursor },
                    { name: "tr", l: 0, t: 1, r: 1, b: 0, shape: Qt.SizeBDiagCursor },
                    { name: "bl", l: 1, t: 0, r: 0, b: 1, shape: Qt.SizeBDiagCursor }
                ]
                MouseArea {
                    objectName: "widgetEdge_" + modelData.name
                    readonly property bool horizontal_only: modelData.t === 0 && modelData.b === 0
                    readonly property bool vertical_only: modelData.l === 0 && modelData.r === 0
                    readonly property int k: edges.thickness
                    x: modelData.r ? edges.width - k : 0
                    y: modelData.b ? edges.height - k : 0
                    width: vertical_only ? edges.width : k * (horizontal_only ? 1 : 2)
                    height: horizontal_only ? edges.height : k * (vertical_only ? 1 : 2)
                    z: horizontal_only || vertical_only ? 0 : 1
                    cursorShape: modelData.shape
                    property point from
                    property rect start
                    onPressed: {
                        edges.pressed_edge = modelData.name
                        host.raise_requested()
                        from = mapToItem(host.parent, mouse.x, mouse.y)
                        start = Qt.rect(host.fx, host.fy, host.fw, host.fh)
                    }
                    onReleased: edges.pressed_edge = ""
                    onCanceled: edges.pressed_edge = ""
                    onPositionChanged: {
                        var p = mapToItem(host.parent, mouse.x, mouse.y)
                        var dx = p.x - from.x, dy = p.y - from.y
                        var d = modelData
                        if (d.r)
                            host.fw = Math.max(host.min_width, start.width + dx)
                        if (d.b)
                            host.fh = Math.max(host.min_height, start.height + dy)
                        if (d.l) {
                            var w = Math.max(host.min_width, start.width - Math.max(dx, -start.x))
                            host.fx = start.x + start.width - w
                            host.fw = w
                        }
                        if (d.t) {
                            var h = Math.max(host.min_height, start.height - Math.max(dy, -start.y))
                            host.fy = start.y + start.height - h
                            host.fh = h
                        }
                    }
                }
            }
        }
    }
}
