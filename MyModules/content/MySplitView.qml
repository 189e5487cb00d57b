import QtQuick 2.15
import QtQuick.Controls 2.15
import "ctx.js" as Ctx

// A split view with the UI's handle; its state is the size of each pane
// along the split.
SplitView {
    id: split
    property color handle_color: theme.lineColorMain
    handle: Rectangle {
        implicitWidth: 3
        implicitHeight: 3
        color: SplitHandle.pressed || SplitHandle.hovered ? theme.iconColor1 : split.handle_color
    }

    function get_ctx() {
        var sizes = []
        for (var i = 0; i < count; i++) {
            var item = itemAt(i)
            sizes.push(orientation === Qt.Horizontal ? item.width : item.height)
        }
        return { sizes: sizes }
    }
    // The pane that fills the rest takes what the others leave.
    function set_ctx(ctx) {
        var sizes = Ctx.array(ctx, "sizes")
        if (sizes === null || sizes.length !== count)
            return
        for (var i = 0; i < count; i++) {
            var item = itemAt(i)
            var size = sizes[i]
            if (typeof size !== "number" || !isFinite(size) || size < 0)
                continue
            if (orientation === Qt.Horizontal && !item.SplitView.fillWidth)
                item.SplitView.preferredWidth = size
            else if (orientation === Qt.Vertical && !item.SplitView.fillHeight)
                item.SplitView.preferredHeight = size
        }
    }
}
