import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "qrc:/MyModules/content"
import "qrc:/MyModules/content/ctx.js" as Ctx

// The tab view of the main window; each tab holds a chart.
Rectangle {
    id: view
    objectName: "tabView"
    property alias current: stack.currentIndex
    property alias count: stack.count
    color: "transparent"

    function new_tab() {
        var tab = tabComp.createObject(stack, { name: qsTr("标签") + (tabsModel.count + 1) })
        tabsModel.append({ name: tab.name })
        stack.currentIndex = stack.count - 1
        return tab
    }
    function close_tab(i) {
        if (stack.count <= 1)
            return
        var item = stack.children[i]
        tabsModel.remove(i)
        // Out of the stack at once (destroy() is deferred), so the count is right.
        item.parent = null
        item.destroy()
        stack.currentIndex = Math.min(i, stack.count - 1)
    }
    function next_tab() {
        stack.currentIndex = (stack.currentIndex + 1) % stack.count
    }
    function tab_at(i) { return stack.children[i] }
    readonly property int max_tabs: 64

    // The window's tabs, each as an entry {skip_header, ctx}.
    function get_ctx() {
        var tabs = []
        for (var i = 0; i < stack.count; i++)
            tabs.push({ skip_header: false, ctx: stack.children[i].get_ctx() })
        return { ".": { current: stack.currentIndex }, "tabs": tabs }
    }
    function set_ctx(ctx) {
        var tabs = Ctx.array(ctx, "tabs")
        if (tabs === null)
            return
        // Each tab holds live charts: a file asking for thousands must not
        // stall the window.
        tabs = tabs.filter(function(t) { return Ctx.object(t, "ctx") !== null }).slice(0, max_tabs)
        if (tabs.length === 0)
            return
        while (stack.count < tabs.length)
            new_tab()
        while (stack.count > tabs.length)
            close_tab(stack.count - 1)
        for (var i = 0; i < tabs.length; i++) {
            stack.children[i].set_ctx(tabs[i].ctx)
            tabsModel.setProperty(i, "name", stack.children[i].name)
        }
        var current = Ctx.integer(Ctx.own(ctx), "current", 0)
        stack.currentIndex = current >= 0 && current < stack.count ? current : 0
    }
    function current_chart() { return stack.children[stack.currentIndex].wave_chart }

    Component { id: tabComp; MyTabItem {} }
    ListModel { id: tabsModel }
    Component.onCompleted: {
        var first = tabComp.createObject(stack, { name: QT_TRANSLATE_NOOP("MyTabView", "波形图") })
        tabsModel.append({ name: first.name })
    }

    Shortcut { sequence: "Ctrl+T"; onActivated: view.new_tab() }
    Shortcut { sequence: "Ctrl+W"; onActivated: view.close_tab(stack.currentIndex) }
    Shortcut { sequence: "Ctrl+Tab"; onActivated: view.next_tab() }

    Rectangle {
        id: bar
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: g_settings.rowHeight + 4
        color: theme.barColor
        Row {
            anchors { left: parent.left; leftMargin: 4; verticalCenter: parent.verticalCenter }
            spacing: 2
            Repeater {
                model: tabsModel
                Rectangle {
                    objectName: "tabButton" + index
                    width: tabText.implicitWidth + (tabsModel.count > 1 ? 34 : 20)
                    height: bar.height - 4
                    radius: 3
                    color: stack.currentIndex === index ? theme.objColor : "transparent"
                    MyText {
                        id: tabText
                        objectName: "tabText"
                        anchors { left: parent.left; leftMargin: 10; verticalCenter: parent.verticalCenter }
                        // Built-in tab names are source texts shown translated.
                        text: qsTranslate("MyTabView", name)
                    }
                    MouseArea {
                        anchors.fill: parent
                        onClicked: stack.currentIndex = index
                    }
                    MyText {
                        visible: tabsModel.count > 1
                        anchors { right: parent.right; rightMargin: 6; verticalCenter: parent.verticalCenter }
                        text: "\u00d7"
                        color: closeArea.containsMouse ? theme.badColor : theme.fontColorTips
                        MouseArea {
                            id: closeArea
                            anchors.fill: parent
                            anchors.margins: -4
                            hoverEnabled: true
                            onClicked: view.close_tab(index)
                        }
                    }
                }
            }
            IconButton {
                objectName: "newTabButton"
                icon: "qrc:/icons/plus.svg"
                tip: qsTr("新建标签页") + "(Ctrl+T)"
                height: bar.height - 4
                onClicked: view.new_tab()
            }
        }
    }

    // The background picture shows only where the tabs leave the window
    // open (the panels around are opaque), so it is drawn only here.
    Image {
        anchors { left: parent.left; right: parent.right; top: bar.bottom; bottom: parent.bottom }
        source: "qrc:/content/qelo+bg.svg"
        fillMode: Image.PreserveAspectCrop
        opacity: 0.35
        sourceSize: Qt.size(800, 600)
    }

    StackLayout {
        id: stack
        anchors { left: parent.left; right: parent.right; top: bar.bottom; bottom: parent.bottom }
    }
}
