.pragma library
.import "ctx.js" as Ctx
// get_ctx()/set_ctx(ctx) for widgets whose state is a list of their own
// properties: numbers, booleans, texts, colours (saved as "#rrggbb") and
// lists of numbers (a command's path).

function get(root, members) {
    var ctx = Ctx.pick(root, members)
    for (var key in ctx)
        if (ctx[key] !== null && typeof ctx[key] === "object")
            ctx[key] = Array.prototype.slice.call(ctx[key])
    return ctx
}

// Takes each member only when it has the type the property has now; a
// missing, unknown or mistyped member keeps the current value. A list (a
// command's path) takes only indices.
function set(root, members, ctx) {
    if (!Ctx.is_object(ctx))
        return
    Ctx.apply(root, ctx, members)
    for (var i = 0; i < members.length; i++) {
        var key = members[i], v = ctx[key], cur = root[key]
        if (cur !== null && typeof cur === "object" && !Ctx.is_color_value(cur) && Array.isArray(v)
                && v.every(function(n) { return typeof n === "number" && isFinite(n) && n >= 0 }))
            root[key] = v.map(Math.round)
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
