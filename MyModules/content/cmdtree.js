.pragma library
// The command tree of the command panel: plain nodes as the "cmds" files
// hold them, addressed by paths (lists of child indexes from the top).

// Limits for trees read from files: deeper or further nodes are left out
// (and counted), so a hostile file cannot stall the window.
var max_depth = 32
var max_nodes = 5000

function new_node(is_group, name) {
    return { name: name, intro: "", intro_on: false, hex_on: false, loop_on: true, loop_ms: is_group ? 0 : 1000,
             loop_count: 1, cmd_hex: "", is_group: is_group, down: true, subCmds: [] }
}

function pick(v, type, fallback) {
    return typeof v === type && (type !== "number" || isFinite(v)) ? v : fallback
}

// A sound copy of nodes read from a file: members of the wrong type take
// their defaults, non-objects are dropped. Answers {nodes, dropped}.
function normalize(list) {
    var state = { count: 0, dropped: 0 }
    var nodes = normalize_list(list, 1, state)
    return { nodes: nodes, dropped: state.dropped }
}

function count_all(list) {
    var n = 0
    for (var i = 0; Array.isArray(list) && i < list.length; i++) {
        n++
        if (list[i] !== null && typeof list[i] === "object")
            n += count_all(list[i].subCmds)
    }
    return n
}

function normalize_list(list, depth, state) {
    var out = []
    if (!Array.isArray(list))
        return out
    for (var i = 0; i < list.length; i++) {
        var src = list[i]
        if (src === null || typeof src !== "object" || Array.isArray(src)) {
            state.dropped++
            continue
        }
        if (depth > max_depth || state.count >= max_nodes) {
            state.dropped += 1 + count_all(src.subCmds)
            continue
        }
        state.count++
        var group = pick(src.is_group, "boolean", false)
        var node = new_node(group, pick(src.name, "string", ""))
        node.intro = pick(src.intro, "string", "")
        node.intro_on = pick(src.intro_on, "boolean", false)
        node.hex_on = pick(src.hex_on, "boolean", false)
        node.loop_on = pick(src.loop_on, "boolean", true)
        node.loop_ms = Math.max(0, Math.round(pick(src.loop_ms, "number", node.loop_ms)))
        node.loop_count = Math.max(-1, Math.round(pick(src.loop_count, "number", 1)))
        node.cmd_hex = pick(src.cmd_hex, "string", "")
        node.down = pick(src.down, "boolean", true)
        if (group)
            node.subCmds = normalize_list(src.subCmds, depth + 1, state)
        out.push(node)
    }
    return out
}

function node_at(tree, path) {
    var list = tree, node = null
    for (var i = 0; i < path.length; i++) {
        if (!Array.isArray(list) || path[i] < 0 || path[i] >= list.length)
            return null
        node = list[path[i]]
        list = node.subCmds
    }
    return node
}

// The list that holds the node at path (the top list for a top node).
function siblings_of(tree, path) {
    if (path.length <= 1)
        return tree
    var parent = node_at(tree, path.slice(0, -1))
    return parent ? parent.subCmds : null
}

function same_path(a, b) {
    if (a.length !== b.length)
        return false
    for (var i = 0; i < a.length; i++)
        if (a[i] !== b[i])
            return false
    return true
}

function starts_with(path, prefix) {
    return path.length >= prefix.length && same_path(path.slice(0, prefix.length), prefix)
}

// The visible rows, depth first, skipping the children of folded groups.
function flatten(tree) {
    var rows = []
    function walk(list, prefix) {
        for (var i = 0; i < list.length; i++) {
            var path = prefix.concat([i])
            rows.push({ path: path, depth: prefix.length, node: list[i] })
            if (list[i].is_group && list[i].down)
                walk(list[i].subCmds, path)
        }
    }
    walk(tree, [])
    return rows
}

// Every node, depth first, with its path and the names from the root:
// {path, label, is_group, hex_on}.
function all_nodes(tree) {
    var out = []
    function walk(list, prefix, names) {
        for (var i = 0; i < list.length; i++) {
            var path = prefix.concat([i])
            var label = names.concat([list[i].name])
            out.push({ path: path, label: label.join(" / "), is_group: list[i].is_group, hex_on: list[i].hex_on })
            if (list[i].is_group)
                walk(list[i].subCmds, path, label)
        }
    }
    walk(tree, [], [])
    return out
}

function remove(tree, path) {
    var list = siblings_of(tree, path)
    return list ? list.splice(path[path.length - 1], 1)[0] : null
}

// Moves the node at `from` to position `index` of the group at
// `parent_path` (the top for []). Answers the new path, or null when the
// move is impossible (into itself or one of its descendants).
function move(tree, from, parent_path, index) {
    if (starts_with(parent_path, from))
        return null
    var node = node_at(tree, from)
    var target = parent_path.length === 0 ? tree : (node_at(tree, parent_path) || {}).subCmds
    if (!node || !Array.isArray(target))
        return null
    var source = siblings_of(tree, from)
    var at = from[from.length - 1]
    // Taking the node out shifts what follows it in the same list, and the
    // path of the target group when it lies after the node.
    var moved_parent = parent_path.slice()
    if (moved_parent.length >= from.length && same_path(moved_parent.slice(0, from.length - 1), from.slice(0, -1))
            && moved_parent[from.length - 1] > at)
        moved_parent[from.length - 1]--
    if (source === target && index > at)
        index--
    source.splice(at, 1)
    index = Math.max(0, Math.min(target.length, index))
    target.splice(index, 0, node)
    return moved_parent.concat([index])
}

// The send buffer's JSON of a node and its children; `fill` gives each
// leaf's bytes as hex (with the placeholders filled in).
function to_cmd_json(node, fill) {
    var json = { loop_on: node.loop_on, is_group: node.is_group, loop_ms: node.loop_ms,
                 loop_count: node.loop_count, cmd_hex: node.is_group ? "" : fill(node) }
    if (node.is_group)
        json.subCmds = node.subCmds.map(function(child) { return to_cmd_json(child, fill) })
    return json
}
