import QtQuick 2.15
import mine.qt.MyTools 1.0

// The inside of a hosted widget: the widget created from its document, or
// a placeholder saying why it could not be (a missing file, a syntax error,
// a root that is not an Item, a state it could not take).
Item {
    id: body
    property var host: null
    property var widget: null
    property string error: ""
    // The state the widget was restored from: saved again as it was while
    // the widget cannot give its own.
    property var kept_ctx: null

    MyTools { id: tools }

    function fail(text) {
        error = text
        console.warn("widget " + (host ? host.path : "") + ": " + text)
    }

    function create(url, ctx) {
        if (widget !== null)
            widget.destroy()
        widget = null
        error = ""
        // A document fixed on disk after an earlier error is read anew.
        tools.trim_component_cache()
        var comp = Qt.createComponent(url, Component.PreferSynchronous)
        if (comp.status !== Component.Ready) {
            fail(comp.status === Component.Error ? comp.errorString().trim() : qsTr("控件文档未能加载"))
            comp.destroy()
            return
        }
        var obj = comp.createObject(body)
        if (obj === null) {
            fail(comp.errorString().trim() || qsTr("控件创建失败"))
            comp.destroy()
            return
        }
        if (obj.anchors === undefined) {
            obj.destroy()
            fail(qsTr("控件文档的根元素不是Item，无法显示。"))
            comp.destroy()
            return
        }
        obj.anchors.fill = body
        if (obj.host !== undefined)
            obj.host = host
        if (ctx !== null && ctx !== undefined && typeof obj.set_ctx === "function") {
            try {
                obj.set_ctx(ctx)
            } catch (e) {
                obj.destroy()
                fail(qsTr("控件无法恢复保存的状态: ") + e)
                return
            }
        }
        widget = obj
    }

    // The widget's state, or what it was restored from while it has none.
    function widget_ctx() {
        if (widget === null || typeof widget.get_ctx !== "function")
            return widget === null ? kept_ctx : null
        try {
            return widget.get_ctx()
        } catch (e) {
            console.warn("widget " + (host ? host.path : "") + ": get_ctx: " + e)
            return kept_ctx
        }
    }

    Rectangle {
        objectName: "widgetError"
        anchors.fill: parent
        visible: body.error !== ""
        color: theme.barColor
        border.color: theme.badColor
        radius: 4
        Column {
            anchors { fill: parent; margins: 10 }
            spacing: 6
            MyText {
                width: parent.width
                text: (body.host ? body.host.name : "") + " - " + qsTr("控件无法显示")
                color: theme.badColor
                font.bold: true
                elide: Text.ElideRight
            }
            MyText {
                objectName: "widgetErrorText"
                width: parent.width
                height: parent.height - y
                text: body.error
                color: theme.fontColorTips
                font.pixelSize: g_settings.fontPixelSizeSmall
                wrapMode: Text.WrapAnywhere
                elide: Text.ElideRight
                clip: true
            }
        }
    }
}
