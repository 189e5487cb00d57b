import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import mine.qt.MyTools 1.0
import "qrc:/QeloDown/content/QeloDown"
import "ctx.js" as Ctx
import "cmdtree.js" as CmdTree

// The command panel: a tree of commands and groups the user builds, runs
// over the open link, saves and loads. The tree is plain data (the nodes of
// a "cmds" file); running a node hands it to the send buffer, whose command
// nodes report the progress shown on the rows.
Item {
    id: panel
    objectName: "commandPanel"
    property var out_buffer: datahub_global.out_buffer
    property bool link_open: false
    property string encoder: "UTF-8"
    // Message box, file dialog and state files of the window.
    property var alert: null
    property var file_dialog: null
    property var state_file: null
    signal need_link()

    property var tree: []
    property var rows: []
    property var selected: []
    readonly property var selected_node: revision >= 0 ? CmdTree.node_at(tree, selected) : null
    // Bumped on every change of the tree so bindings on nodes re-read them.
    property int revision: 0
    property alias sample_argument: sampleInput.text

    MyTools { id: tools }

    function changed() {
        rows = CmdTree.flatten(tree)
        revision++
    }
    // What a loaded tree left out, for the user; empty when nothing.
    function dropped_text(result) {
        return result.dropped > 0 ? qsTr("部分命令无法载入，已忽略: ") + result.dropped : ""
    }
    // The saved tree at start-up, made sound; answers what was left out.
    function restore(list) {
        var result = CmdTree.normalize(list)
        set_tree(result.nodes)
        return dropped_text(result)
    }
    function set_tree(nodes) {
        tree = nodes
        if (CmdTree.node_at(tree, selected) === null)
            selected = []
        changed()
    }

    // ---- editing --------------------------------------------------------------
    // New nodes go into the selected group, or beside the selected command.
    function add(is_group) {
        var node = CmdTree.new_node(is_group, is_group ? qsTr("命令组") : qsTr("命令"))
        var target = selected_node
        var path
        if (target !== null && target.is_group) {
            target.down = true
            target.subCmds.push(node)
            path = selected.concat([target.subCmds.length - 1])
        } else if (target !== null) {
            var list = CmdTree.siblings_of(tree, selected)
            var at = selected[selected.length - 1] + 1
            list.splice(at, 0, node)
            path = selected.slice(0, -1).concat([at])
        } else {
            tree.push(node)
            path = [tree.length - 1]
        }
        selected = path
        changed()
        return path
    }
    function remove_selected() {
        var node = selected_node
        if (node === null)
            return
        var text = node.is_group ? qsTr("此命令组会被删除，不可恢复，") : qsTr("此命令会被删除，不可恢复，")
        alert.confirm(text + qsTr("您确定要这么做吗？"), function() {
            CmdTree.remove(tree, selected)
            selected = []
            changed()
        })
    }
    // Clears the selected group's commands, or the whole tree.
    function clear_all() {
        var group = selected_node !== null && selected_node.is_group ? selected_node : null
        var text = group !== null ? qsTr("命令组下的所有命令会被清除，不可恢复，")
                                  : qsTr("所有命令和命令组会被清除，不可恢复，")
        alert.confirm(text + qsTr("您确定要这么做吗？"), function() {
            if (group !== null) {
                group.subCmds = []
            } else {
                tree = []
                selected = []
            }
            changed()
        })
    }
    function move_selected(step) {
        if (selected.length === 0)
            return
        var parent = selected.slice(0, -1)
        var at = selected[selected.length - 1] + step
        var list = CmdTree.siblings_of(tree, selected)
        if (at < 0 || at >= list.length)
            return
        selected = CmdTree.move(tree, selected, parent, step > 0 ? at + 1 : at)
        changed()
    }
    // Drops the node at `from` on a row: into a group's end when dropped on
    // the lower half of a group row, else before the row's node.
    function drop(from, to, into) {
        if (CmdTree.same_path(from, to))
            return
        var node = CmdTree.node_at(tree, to)
        var moved = into && node.is_group
                ? CmdTree.move(tree, from, to, node.subCmds.length)
                : CmdTree.move(tree, from, to.slice(0, -1), to[to.length - 1])
        if (moved !== null) {
            selected = moved
            changed()
        }
    }
    function set_member(name, value) {
        var node = selected_node
        if (node === null || node[name] === value)
            return
        node[name] = value
        changed()
    }
    // The content as the user sees it: hex, or text with its escapes.
    function content_text(node) {
        return node.hex_on ? node.cmd_hex : myapp.hexToString(node.cmd_hex, encoder)
    }
    function set_content(text, hex_on) {
        var node = selected_node
        if (node === null)
            return
        node.hex_on = hex_on
        node.cmd_hex = hex_on ? text.replace(new RegExp(myapp.newLineSymbolReg(), "g"), "")
                              : myapp.stringToHex(text, encoder)
        changed()
    }

    // ---- running ----------------------------------------------------------------
    readonly property var float_pattern: /%[-+ 0#]*\d*(\.\d+)?[fFeEgG]/
    // A leaf's bytes as hex with its placeholders filled by the argument:
    // "%f"-style in text, "%%" as the argument's four bytes.
    function filled_hex(node, argument) {
        var hex = node.cmd_hex
        var arg = Number(argument)
        if (!isFinite(arg))
            arg = 0
        if (!node.hex_on) {
            var text = out_buffer.hex_string2string(hex.replace(/%%/g, "25 25"), encoder)
            if (float_pattern.test(text))
                hex = out_buffer.string2hex_string(out_buffer.applyStrArg(text, encoder, arg), encoder)
        }
        // As the send buffer fills hex templates: each "%%" by the argument in capitals.
        var arg_hex = tools.float_to_hex(arg).toUpperCase()
        while (hex.indexOf("%%") >= 0)
            hex = hex.replace("%%", arg_hex)
        return hex
    }
    function run(path, once) {
        return run_with_argument(path, sample_argument, once)
    }
    // Sends the node at `path` with `argument` in its placeholders (the
    // panel's sample argument, or a widget's value).
    function run_with_argument(path, argument, once) {
        if (!link_open) {
            need_link()
            return false
        }
        if (out_buffer.repeating) {
            alert.ask(qsTr("发送进行中"), qsTr("继续等待"), qsTr("手动终止"), null, stop)
            return false
        }
        var node = CmdTree.node_at(tree, path)
        if (node === null)
            return false
        var json = CmdTree.to_cmd_json(node, function(leaf) { return filled_hex(leaf, argument) })
        if (once) {
            json.loop_on = true
            json.loop_count = 1
        }
        out_buffer.appendRepeatCmd(json, path)
        return true
    }
    // Every command and group with its path and its names on the way, for
    // the menus that bind a widget to a command.
    function leaf_list() {
        return revision >= 0 ? CmdTree.all_nodes(tree) : []
    }
    function stop() { out_buffer.repeating = false }

    // The send buffer's node for a row while its sequence runs, else null.
    function running_cmd(path) {
        if (!out_buffer.repeating || !CmdTree.starts_with(path, out_buffer.repeat_cmd_position))
            return null
        return out_buffer.repeatCmd.getCmdAtPosition(path)
    }

    // ---- files ------------------------------------------------------------------
    // Reads a user's command file; null (with the reason shown) when refused.
    function read_file(path) {
        var answer = state_file.read(path, "cmds", false)
        if (answer.status === "refused") {
            alert.open_alert(answer.message)
            return null
        }
        if (answer.status !== "ok" || !Array.isArray(answer.ctx)) {
            alert.open_alert(qsTr("文件不是配置文件，无法加载。") + "\n\n" + path)
            return null
        }
        var result = CmdTree.normalize(answer.ctx)
        if (result.dropped > 0)
            alert.open_alert(dropped_text(result) + "\n\n" + path)
        return result.nodes
    }
    function save_to(path) {
        if (!/\.cmds\.json$/i.test(path))
            path += ".cmds.json"
        var error = state_file.write(path, "cmds", tree)
        if (error !== "")
            alert.open_alert(qsTr("文件保存失败: ") + path + "\n\n" + error)
    }
    function ask_save() {
        file_dialog.ask(qsTr("保存命令"), myapp.data_dir_path() + "/qelo+.cmds.json", "cmds (*.cmds.json)",
                        true, false, save_to)
    }
    // The whole tree from a file, after confirming that the current one goes.
    function ask_replace() {
        file_dialog.ask(qsTr("载入命令"), myapp.data_dir_path(), "cmds (*.cmds.json)", false, false, function(path) {
            var nodes = read_file(path)
            if (nodes === null)
                return
            if (tree.length === 0)
                set_tree(nodes)
            else
                alert.confirm(qsTr("所有命令和命令组会被清除，不可恢复，") + qsTr("您确定要这么做吗？"),
                              function() { panel.set_tree(nodes) })
        })
    }
    // A file's commands as a new group, or appended to the current group.
    function ask_load(as_group) {
        file_dialog.ask(qsTr("载入"), myapp.data_dir_path(), "cmds (*.cmds.json)", false, false, function(path) {
            var nodes = read_file(path)
            if (nodes === null)
                return
            var group = selected_node !== null && selected_node.is_group ? selected_node : null
            var target = group !== null ? group.subCmds : tree
            if (as_group) {
                var wrapper = CmdTree.new_node(true, path.replace(/^.*[\/\\]/, "").replace(/\.cmds\.json$/i, ""))
                wrapper.subCmds = nodes
                target.push(wrapper)
            } else {
                for (var i = 0; i < nodes.length; i++)
                    target.push(nodes[i])
            }
            if (group !== null)
                group.down = true
            changed()
        })
    }

    // ---- state ------------------------------------------------------------------
    function get_ctx() {
        return { ".": { selected: selected, sample_argument: sample_argument },
                 "split_view": { ctx: split.get_ctx() } }
    }
    function set_ctx(ctx) {
        var own = Ctx.own(ctx)
        var path = Ctx.array(own, "selected")
        if (path !== null && path.every(function(i) { return typeof i === "number" })
                && CmdTree.node_at(tree, path) !== null)
            selected = path
        sample_argument = Ctx.text(own, "sample_argument", sample_argument)
        split.set_ctx(Ctx.child(ctx, "split_view"))
    }

    // ---- view -------------------------------------------------------------------
    readonly property bool wide: width > 330

    Column {
        id: top
        anchors { left: parent.left; right: parent.right; top: parent.top; margins: 6 }
        spacing: 4
        Row {
            spacing: 2
            IconButton {
                objectName: "cmdAdd"
                icon: "qrc:/icons/plus.svg"
                text: panel.wide ? qsTr("新增") : ""
                tip: qsTr("新增")
                onClicked: addMenu.popup()
                MyMenu {
                    id: addMenu
                    MyMenuItem { objectName: "cmdAddGroup"; text: qsTr("命令组"); onTriggered: panel.add(true) }
                    MyMenuItem { objectName: "cmdAddCommand"; text: qsTr("命令"); onTriggered: panel.add(false) }
                }
            }
            IconButton {
                objectName: "cmdDelete"
                icon: "qrc:/icons/close.svg"
                text: panel.wide ? qsTr("删除") : ""
                tip: qsTr("删除")
                enabled: panel.selected_node !== null
                onClicked: panel.remove_selected()
            }
            IconButton {
                objectName: "cmdClear"
                icon: "qrc:/icons/clear.svg"
                text: panel.wide ? qsTr("清空") : ""
                tip: qsTr("清空")
                onClicked: panel.clear_all()
            }
            IconButton {
                objectName: "cmdLoad"
                icon: "qrc:/icons/folder.svg"
                text: panel.wide ? qsTr("载入") : ""
                tip: qsTr("载入")
                onClicked: loadMenu.popup()
                MyMenu {
                    id: loadMenu
                    MyMenuItem { objectName: "cmdLoadAsGroup"; text: qsTr("作为子命令组"); onTriggered: panel.ask_load(true) }
                    MyMenuItem { objectName: "cmdLoadAppend"; text: qsTr("追加到当前组"); onTriggered: panel.ask_load(false) }
                }
            }
            IconButton {
                objectName: "cmdSave"
                icon: "qrc:/icons/file.svg"
                text: panel.wide ? qsTr("保存") : ""
                tip: qsTr("保存")
                onClicked: panel.ask_save()
            }
        }
        RowLayout {
            width: parent.width
            MyText { text: qsTr("示例参数") }
            MyTextInput {
                id: sampleInput
                objectName: "cmdSampleArgument"
                Layout.fillWidth: true
                text: "1"
                tip: qsTr("命令内容中的%%占位符，可以接收控件参数")
                validator: DoubleValidator {}
            }
            IconButton {
                objectName: "cmdStop"
                visible: panel.out_buffer.repeating
                icon: "qrc:/icons/close.svg"
                text: qsTr("停止发送")
                textColor: theme.badColor
                onClicked: panel.stop()
            }
        }
    }

    MySplitView {
        id: split
        anchors { left: parent.left; right: parent.right; top: top.bottom; bottom: parent.bottom; topMargin: 4 }
        orientation: Qt.Vertical
        handle_color: theme.lineColor

        Item {
            SplitView.fillHeight: true
            SplitView.minimumHeight: 60
            MyText {
                anchors.centerIn: parent
                visible: panel.tree.length === 0 && panel.revision >= 0
                text: qsTr("空")
                color: theme.fontColorTips
            }
            ListView {
                id: list
                objectName: "cmdList"
                anchors.fill: parent
                anchors.margins: 4
                clip: true
                focus: true
                model: panel.rows
                boundsBehavior: Flickable.StopAtBounds
                ScrollBar.vertical: ScrollBar {}
                property var drag_from: null
                property int drop_row: -1
                property bool drop_into: false
                Keys.onPressed: {
                    var i = panel.rows.findIndex(function(r) { return CmdTree.same_path(r.path, panel.selected) })
                    if (event.modifiers & Qt.ControlModifier) {
                        if (event.key === Qt.Key_Up)
                            panel.move_selected(-1)
                        else if (event.key === Qt.Key_Down)
                            panel.move_selected(1)
                        else
                            return
                    } else if (event.key === Qt.Key_Up && i > 0) {
                        panel.selected = panel.rows[i - 1].path
                    } else if (event.key === Qt.Key_Down && i + 1 < panel.rows.length) {
                        panel.selected = panel.rows[i + 1].path
                    } else if (event.key === Qt.Key_Delete) {
                        panel.remove_selected()
                    } else if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter) {
                        panel.run(panel.selected, false)
                    } else {
                        return
                    }
                    event.accepted = true
                }
                delegate: CommandRow {
                    width: list.width - 8
                    path: modelData.path
                    depth: modelData.depth
                    node: modelData.node
                    revision: panel.revision
                    selected: CmdTree.same_path(modelData.path, panel.selected)
                    drop_here: list.drop_row === index
                    drop_into: list.drop_into
                    live: panel.running_cmd(modelData.path)
                    onPicked: { panel.selected = path; list.forceActiveFocus() }
                    onFolded: { node.down = !node.down; panel.changed() }
                    onRun_clicked: panel.run(path, false)
                    onDragging: {
                        var p = mapToItem(list.contentItem, px, py)
                        var row = list.indexAt(8, p.y)
                        list.drag_from = path
                        list.drop_row = row
                        if (row >= 0) {
                            var item = list.itemAtIndex(row)
                            list.drop_into = item !== null && p.y - item.y > item.height / 2
                        }
                    }
                    // The move rebuilds the rows, this one included: clear first.
                    onDropped: {
                        var from = list.drag_from, at = list.drop_row, into = list.drop_into
                        list.drop_row = -1
                        list.drag_from = null
                        if (at >= 0 && from !== null)
                            panel.drop(from, panel.rows[at].path, into)
                    }
                }
            }
        }

        CommandSettings {
            SplitView.preferredHeight: 340
            SplitView.minimumHeight: 40
            node: panel.selected_node
            revision: panel.revision
            encoder: panel.encoder
            content: panel.selected_node !== null ? panel.content_text(panel.selected_node) : ""
            onMember_edited: panel.set_member(name, value)
            onContent_edited: panel.set_content(text, hex_on)
        }
    }
}
