import QtQuick 2.15
import "qrc:/MyModules/content/ctx.js" as Ctx

// One tab page holding a chart widget.
Item {
    id: tab
    property string name: ""
    property alias wave_chart: chart

    // A tab's widgets as a list of entries {name, path, type, index, ctx}.
    function get_ctx() {
        return { ".": { name: name },
                 "widgets": [{ name: "波形图", path: "WaveChart", type: "builtin", index: 0, ctx: chart.get_ctx() }] }
    }
    function set_ctx(ctx) {
        name = Ctx.text(Ctx.own(ctx), "name", name)
        var widgets = Ctx.array(ctx, "widgets")
        for (var i = 0; widgets !== null && i < widgets.length; i++)
            if (Ctx.text(widgets[i], "path", "") === "WaveChart") {
                chart.set_ctx(Ctx.object(widgets[i], "ctx"))
                break
            }
    }

    WaveChart {
        id: chart
        anchors.fill: parent
        anchors.margins: 4
    }
}
