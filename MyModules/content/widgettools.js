.pragma library
// get_ctx()/set_ctx(ctx) for widgets whose state is a list of their own
// properties: numbers, booleans, texts, colours (saved as "#rrggbb") and
// lists of numbers (a command's path).

function is_color(v) {
    return v !== null && typeof v === "object" && !Array.isArray(v) && "hsvHue" in v
}

function get(root, members) {
    var ctx = {}
    for (var i = 0; i < members.length; i++) {
        var v = root[members[i]]
        if (is_color(v))
            v = v.toString()
        else if (v !== null && typeof v === "object")
            v = Array.prototype.slice.call(v)
        ctx[members[i]] = v
    }
    return ctx
}

// Takes each member only when it has the type the property has now; a
// missing, unknown or mistyped member keeps the current value.
function set(root, members, ctx) {
    if (ctx === null || typeof ctx !== "object" || Array.isArray(ctx))
        return
    for (var i = 0; i < members.length; i++) {
        var key = members[i], v = ctx[key], cur = root[key]
        if (v === undefined || v === null)
            continue
        if (is_color(cur)) {
            if (typeof v === "string" && /^#([0-9a-fA-F]{6}|[0-9a-fA-F]{8})$/.test(v))
                root[key] = v
        } else if (cur !== null && typeof cur === "object") {
            if (Array.isArray(v) && v.every(function(n) { return typeof n === "number" && isFinite(n) && n >= 0 }))
                root[key] = v.map(Math.round)
        } else if (typeof v === typeof cur && (typeof v !== "number" || isFinite(v))) {
            root[key] = v
        }
    }
}

function clamp(v, lo, hi) {
    return Math.max(lo, Math.min(hi, v))
}

// v within [lo, hi], on the grid of `step` from lo (step 0: any value).
function snap(v, lo, hi, step) {
    if (!isFinite(v))
        v = lo
    if (step > 0)
        v = lo + Math.round((v - lo) / step) * step
    v = clamp(v, lo, hi)
    // Keeps 0.1 steps from showing as 0.30000000000000004.
    return Number(v.toPrecision(12))
}

// The channel's name, or "CHn" before it exists.
function channel_name(names, ch) {
    return ch >= 0 && ch < names.length && names[ch] !== "" ? names[ch] : "CH" + (ch + 1)
}
