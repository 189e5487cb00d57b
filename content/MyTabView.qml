import QtQuick 2.15
import QtQuick.Controls 2.15
import "qrc:/MyModules/content"
import "qrc:/MyModules/content/ctx.js" as Ctx

// The tabs of one window, each holding widgets. A tab is renamed by a
// double click, reordered by dragging it along the bar and moved to another
// window by dragging it out of the bar. The lock keeps every widget of the
// window where it is.
Rectangle {
    id: view
    objectName: "tabView"
    // The main window's view keeps at least one tab; another window's view
    // closes with its last tab.
    property bool is_main: true
    property bool locked: false
    property string widgets_dir: ""
    property var commands: null
    property var alert: null
    // The windows' manager (WidgetWindows): files, moves between windows.
    property var manager: null
    property var tabs: []
    property int current: 0
    readonly property int count: tabs.length
    readonly property var current_tab: current >= 0 && current < tabs.length ? tabs[current] : null
    readonly property int max_tabs: 64
    signal last_tab_closed()
    color: "transparent"

    Component { id: tabComp; MyTabItem {} }

    function new_tab(name) {
        if (tabs.length >= max_tabs)
            return null
        var tab = tabComp.createObject(stack, { name: name !== undefined ? name : next_name() })
        tab.locked = Qt.binding(function() { return view.locked })
        tab.widgets_dir = Qt.binding(function() { return view.widgets_dir })
        tab.commands = Qt.binding(function() { return view.commands })
        tabs = tabs.concat([tab])
        current = tabs.length - 1
        return tab
    }
    function next_name() {
        for (var n = tabs.length + 1; ; n++) {
            var name = qsTr("标签") + n
            if (!tabs.some(function(t) { return t.name === name }))
                return name
        }
    }
    // Closes tab i at once; a tab with widgets is closed only after asking.
    function ask_close_tab(i) {
        if (i < 0 || i >= tabs.length || (is_main && tabs.length <= 1))
            return
        var tab = tabs[i]
        if (tab.count > 0 && alert !== null)
            alert.confirm(qsTr("此标签页及其中的控件会被关闭，") + qsTr("您确定要这么做吗？"),
                          function() { view.close_tab(view.tabs.indexOf(tab)) })
        else
            close_tab(i)
    }
    function close_tab(i) {
        if (i < 0 || i >= tabs.length || (is_main && tabs.length <= 1))
            return
        var tab = tabs[i]
        tabs = tabs.filter(function(t, k) { return k !== i })
        tab.parent = null
        tab.destroy()
        current = Math.max(0, Math.min(current > i ? current - 1 : current, tabs.length - 1))
        if (tabs.length === 0)
            last_tab_closed()
    }
    function close_all() {
        var old = tabs
        tabs = []
        for (var i = 0; i < old.length; i++) {
            old[i].parent = null
            old[i].destroy()
        }
        current = 0
    }
    // The first start's tab: one chart filling it.
    function add_default_tab() {
        var tab = new_tab(QT_TRANSLATE_NOOP("MyTabView", "波形图"))
        tab.add_widget(chart_entry, null, { filled: true, x: 0, y: 0, width: 480, height: 300, index: 0 })
    }
    readonly property var chart_entry: ({ name: "波形图", path: "WaveChart", type: "builtin" })
    Component.onCompleted: if (is_main) add_default_tab()
    function next_tab() {
        if (tabs.length > 0)
            current = (current + 1) % tabs.length
    }
    function move_tab(from, to) {
        if (from === to || from < 0 || from >= tabs.length)
            return
        var list = tabs.slice()
        var tab = list.splice(from, 1)[0]
        to = Math.max(0, Math.min(list.length, to))
        list.splice(to, 0, tab)
        tabs = list
        current = to
    }
    function tab_at(i) { return tabs[i] }
    function widget_count() {
        var n = 0
        for (var i = 0; i < tabs.length; i++)
            n += tabs[i].count
        return n
    }
    // Adds a tab restored from its state; null when the window is full.
    function add_tab_ctx(ctx) {
        var tab = new_tab(Ctx.text(Ctx.own(ctx), "name", qsTr("标签")))
        if (tab !== null)
            tab.set_ctx(ctx)
        return tab
    }
    // The area the tabs' widgets live in, on the screen.
    function content_contains(gp) {
        var p = stack.mapFromGlobal(gp.x, gp.y)
        return view.visible && p.x >= 0 && p.y >= -bar.height && p.x < stack.width && p.y < stack.height
    }
    function content_point(gp) { return stack.mapFromGlobal(gp.x, gp.y) }

    // The window's tabs, each as an entry {skip_header, ctx}.
    function get_ctx() {
        return { ".": { current: current, locked: locked },
                 "tabs": tabs.map(function(t) { return { skip_header: false, ctx: t.get_ctx() } }) }
    }
    function set_ctx(ctx) {
        var own = Ctx.own(ctx)
        locked = Ctx.boolean(own, "locked", locked)
        var list = Ctx.array(ctx, "tabs")
        if (list === null)
            return
        list = list.filter(function(t) { return Ctx.object(t, "ctx") !== null }).slice(0, max_tabs)
        if (list.length === 0)
            return
        close_all()
        for (var i = 0; i < list.length; i++)
            add_tab_ctx(list[i].ctx)
        var c = Ctx.integer(own, "current", 0)
        current = c >= 0 && c < tabs.length ? c : 0
    }

    Shortcut { sequence: "Ctrl+T"; onActivated: view.new_tab() }
    Shortcut { sequence: "Ctrl+W"; onActivated: view.ask_close_tab(view.current) }
    Shortcut { sequence: "Ctrl+Tab"; onActivated: view.next_tab() }

    DragGhost { id: ghost }

    Rectangle {
        id: bar
        objectName: "tabBar"
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: g_settings.rowHeight + 4
        color: theme.barColor
        // Where a dragged tab would go, or -1.
        property int drop_index: -1

        Row {
            id: tabRow
            anchors { left: parent.left; leftMargin: 4; verticalCenter: parent.verticalCenter }
            spacing: 2
            readonly property real room: bar.width - tools.width - newTab.width - 16
            Repeater {
                id: tabRepeater
                model: view.tabs
                Rectangle {
                    id: tabButton
                    objectName: "tabButton" + index
                    readonly property bool closable: !view.is_main || view.tabs.length > 1
                    readonly property real natural: tabText.implicitWidth + (closable ? 34 : 20)
                    width: Math.min(natural, Math.max(48, tabRow.room / Math.max(1, view.tabs.length) - 2))
                    height: bar.height - 4
                    radius: 3
                    color: view.current === index ? theme.objColor : "transparent"
                    opacity: tabMouse.torn ? 0.5 : 1
                    Rectangle {
                        visible: bar.drop_index === index || (bar.drop_index === view.tabs.length && index === view.tabs.length - 1)
                        x: bar.drop_index === index ? -2 : parent.width
                        width: 2
                        height: parent.height
                        color: theme.iconColor1
                    }
                    MyText {
                        id: tabText
                        objectName: "tabText"
                        visible: !editor.visible
                        anchors { left: parent.left; leftMargin: 10; right: parent.right
                                  rightMargin: tabButton.closable ? 24 : 10; verticalCenter: parent.verticalCenter }
                        // Built-in tab names are source texts shown translated.
                        text: qsTranslate("MyTabView", modelData.name)
                    }
                    MouseArea {
                        id: tabMouse
                        anchors.fill: parent
                        property point press_global
                        property bool torn: false
                        property bool moved: false
                        onPressed: {
                            view.current = index
                            press_global = mapToGlobal(mouse.x, mouse.y)
                            torn = false
                            moved = false
                        }
                        onPositionChanged: {
                            var gp = mapToGlobal(mouse.x, mouse.y)
                            if (!moved && Math.abs(gp.x - press_global.x) + Math.abs(gp.y - press_global.y) < 8)
                                return
                            moved = true
                            var p = bar.mapFromGlobal(gp.x, gp.y)
                            torn = p.y < -30 || p.y > bar.height + 30
                            if (torn) {
                                bar.drop_index = -1
                                ghost.show_at(gp, modelData.name)
                            } else {
                                ghost.hide()
                                bar.drop_index = view.insert_index(p.x)
                            }
                        }
                        onReleased: {
                            var gp = mapToGlobal(mouse.x, mouse.y)
                            var from = index, to = bar.drop_index, was_torn = torn
                            ghost.hide()
                            bar.drop_index = -1
                            torn = false
                            // After this handler: the move rebuilds the bar's buttons.
                            if (was_torn && view.manager !== null)
                                Qt.callLater(view.manager.tab_dropped, view, from, gp)
                            else if (moved && to >= 0)
                                Qt.callLater(view.move_tab, from, to > from ? to - 1 : to)
                        }
                        onCanceled: {
                            ghost.hide()
                            bar.drop_index = -1
                            torn = false
                        }
                        onDoubleClicked: editor.begin()
                    }
                    TextInput {
                        id: editor
                        objectName: "tabNameEditor"
                        visible: false
                        anchors { left: parent.left; leftMargin: 8; right: parent.right; rightMargin: 8
                                  verticalCenter: parent.verticalCenter }
                        color: theme.fontColor
                        selectionColor: theme.iconColor1
                        font.family: g_settings.fontFamily
                        font.pixelSize: g_settings.fontPixelSizeNormal
                        maximumLength: 64
                        clip: true
                        function begin() {
                            text = tabText.text
                            visible = true
                            forceActiveFocus()
                            selectAll()
                        }
                        function commit() {
                            if (!visible)
                                return
                            visible = false
                            var name = text.trim()
                            if (name !== "" && name !== tabText.text)
                                modelData.name = name
                        }
                        onAccepted: commit()
                        onActiveFocusChanged: if (!activeFocus) commit()
                        Keys.onEscapePressed: visible = false
                    }
                    MyText {
                        objectName: "tabClose"
                        visible: tabButton.closable && !editor.visible
                        anchors { right: parent.right; rightMargin: 6; verticalCenter: parent.verticalCenter }
                        text: "\u00d7"
                        color: closeArea.containsMouse ? theme.badColor : theme.fontColorTips
                        MouseArea {
                            id: closeArea
                            anchors.fill: parent
                            anchors.margins: -4
                            hoverEnabled: true
                            onClicked: view.ask_close_tab(index)
                        }
                    }
                }
            }
            IconButton {
                id: newTab
                objectName: "newTabButton"
                icon: "qrc:/icons/plus.svg"
                tip: qsTr("新建标签页") + "(Ctrl+T)"
                height: bar.height - 4
                onClicked: view.new_tab()
            }
        }

        Row {
            id: tools
            anchors { right: parent.right; rightMargin: 4; verticalCenter: parent.verticalCenter }
            spacing: 2
            IconButton {
                objectName: "lockButton"
                icon: view.locked ? "qrc:/icons/lock.svg" : "qrc:/icons/unlock.svg"
                tip: qsTr("切换锁定状态") + "\n" + qsTr("锁定状态下，无法修改控件位置和尺寸")
                checked: view.locked
                height: bar.height - 4
                onClicked: view.locked = !view.locked
            }
            IconButton {
                id: moreButton
                objectName: "tabViewMoreButton"
                icon: "qrc:/icons/more.svg"
                tip: qsTr("更多操作")
                height: bar.height - 4
                onClicked: tabViewMenu.popup(moreButton, 0, moreButton.height)
            }
        }
    }

    // The slot a tab dropped at x (in the bar) goes to.
    function insert_index(x) {
        for (var i = 0; i < tabRepeater.count; i++) {
            var b = tabRepeater.itemAt(i)
            var bx = b.mapToItem(bar, 0, 0).x
            if (x < bx + b.width / 2)
                return i
        }
        return tabRepeater.count
    }

    TabViewMenu {
        id: tabViewMenu
        view: view
        manager: view.manager
    }

    // The background picture shows only where the tabs leave the window
    // open (the panels around are opaque), so it is drawn only here.
    Background {
        anchors { left: parent.left; right: parent.right; top: bar.bottom; bottom: parent.bottom }
        props: theme.bg
        show_picture: !theme.bg.on_top
    }

    Item {
        id: stack
        objectName: "tabStack"
        anchors { left: parent.left; right: parent.right; top: bar.bottom; bottom: parent.bottom }
        // Only the current tab is shown; the others keep their widgets.
        Repeater {
            model: view.tabs
            Item {
                Binding { target: modelData; property: "visible"; value: index === view.current }
                Binding { target: modelData; property: "width"; value: stack.width }
                Binding { target: modelData; property: "height"; value: stack.height }
            }
        }
    }
}
