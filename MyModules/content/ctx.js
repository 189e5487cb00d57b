.pragma library
// Helpers for the components' get_ctx()/set_ctx(ctx) (see content/STATE.md).
// A saved member is used only when it has the JSON type the control
// expects; a missing or mistyped member keeps the control's current value.

function is_object(v) {
    return v !== null && v !== undefined && typeof v === "object" && !Array.isArray(v)
}

// The member `key` of ctx when it is an object, else null.
function object(ctx, key) {
    return is_object(ctx) && is_object(ctx[key]) ? ctx[key] : null
}

// The member `key` of ctx when it is an array, else null.
function array(ctx, key) {
    return is_object(ctx) && Array.isArray(ctx[key]) ? ctx[key] : null
}

// A child's state, kept as {"ctx": state} under the child's id.
function child(ctx, key) {
    return object(object(ctx, key), "ctx")
}

// A container's own members, kept under ".".
function own(ctx) {
    return object(ctx, ".")
}

function number(ctx, key, current) {
    var v = is_object(ctx) ? ctx[key] : undefined
    return typeof v === "number" && isFinite(v) ? v : current
}

function integer(ctx, key, current) {
    var v = number(ctx, key, NaN)
    return isNaN(v) ? current : Math.round(v)
}

function boolean(ctx, key, current) {
    var v = is_object(ctx) ? ctx[key] : undefined
    return typeof v === "boolean" ? v : current
}

function text(ctx, key, current) {
    var v = is_object(ctx) ? ctx[key] : undefined
    return typeof v === "string" ? v : current
}

var color_pattern = /^#([0-9a-fA-F]{6}|[0-9a-fA-F]{8})$/
function is_color_value(v) {
    return v !== null && typeof v === "object" && v.r !== undefined && v.a !== undefined && v.hsvHue !== undefined
}

function color(ctx, key, current) {
    var v = text(ctx, key, "")
    return color_pattern.test(v) ? v : current
}

// A plain object of the named properties of target; colours as "#rrggbb".
function pick(target, keys) {
    var out = {}
    for (var i = 0; i < keys.length; i++) {
        var v = target[keys[i]]
        out[keys[i]] = is_color_value(v) ? v.toString() : v
    }
    return out
}

// Sets the named properties of target from ctx, each only when the saved
// value has the type of the property's current value.
function apply(target, ctx, keys) {
    if (!is_object(ctx))
        return
    for (var i = 0; i < keys.length; i++) {
        var key = keys[i]
        if (!(key in ctx))
            continue
        var cur = target[key]
        // A property of another kind (a list, an object) is left alone.
        var v = undefined
        if (is_color_value(cur))
            v = color(ctx, key, undefined)
        else if (typeof cur === "number")
            v = number(ctx, key, undefined)
        else if (typeof cur === "boolean")
            v = boolean(ctx, key, undefined)
        else if (typeof cur === "string")
            v = text(ctx, key, undefined)
        if (v !== undefined && v !== cur)
            target[key] = v
    }
}
