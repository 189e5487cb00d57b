.pragma library
// The units of the chart's time axis, switched in this order by a click.

var names = ["\u00b5s", "ms", "s", "min"]
var seconds = [1e-6, 1e-3, 1, 60]

function next(unit) {
    return (unit + 1) % names.length
}

// Axis units per sample for a sample period in seconds.
function per_sample(period_s, unit) {
    return period_s / seconds[unit]
}

// A wall-clock time with milliseconds, for the axis tips.
function clock(ms) {
    var d = new Date(ms)
    function two(n) { return (n < 10 ? "0" : "") + n }
    var z = d.getMilliseconds()
    return two(d.getHours()) + ":" + two(d.getMinutes()) + ":" + two(d.getSeconds()) + "."
            + (z < 100 ? "0" : "") + (z < 10 ? "0" : "") + z
}
