import QtQuick 2.15
import mine.qt.FileIO 1.0
import mine.qt.MyTools 1.0
import "paths.js" as Paths

// The "控件" page: the built-in chart and every widget document in the
// widgets folder, read again each time the page is shown. An entry dragged
// into a tab of any window becomes a widget where it is dropped; a double
// click puts one into the main window's current tab.
Item {
    id: panel
    objectName: "widgetsPanel"
    property string widgets_dir: ""
    property var entries: []
    signal dropped(var entry, point gp)
    signal chosen(var entry)

    readonly property var builtin: [{ name: "波形图", path: "WaveChart", type: "builtin",
                                      icon: "qrc:/icons/chart.svg", error: "" }]

    FileIO { id: files }

    // A document that does not compile is listed with its error and cannot
    // be dragged; one that compiles is checked further when it is created.
    function refresh() {
        var list = builtin.slice()
        var names = widgets_dir !== "" ? files.filesInDirectory(widgets_dir) : []
        for (var i = 0; i < names.length; i++) {
            var file = names[i]
            if (!/\.qml$/i.test(file))
                continue
            var base = file.replace(/\.qml$/i, "")
            var icon = "qrc:/icons/widgets.svg"
            if (files.exist(widgets_dir + "/" + base + ".svg"))
                icon = Paths.file_url(widgets_dir + "/" + base + ".svg")
            else if (files.exist(widgets_dir + "/" + base + ".png"))
                icon = Paths.file_url(widgets_dir + "/" + base + ".png")
            list.push({ name: base, path: file, type: "custom", icon: icon, error: compile_error(file) })
        }
        entries = list
    }
    function compile_error(file) {
        tools.trim_component_cache()
        var comp = Qt.createComponent(Paths.file_url(widgets_dir + "/" + file), Component.PreferSynchronous)
        var error = comp.status === Component.Error ? comp.errorString().trim() : ""
        comp.destroy()
        return error
    }
    onVisibleChanged: if (visible) refresh()
    onWidgets_dirChanged: refresh()

    MyTools { id: tools }

    DragGhost { id: ghost }

    ListView {
        id: list
        objectName: "widgetList"
        anchors { fill: parent; margins: 8 }
        spacing: 4
        clip: true
        model: panel.entries
        delegate: Rectangle {
            objectName: "widgetEntry_" + modelData.name
            width: list.width
            height: Math.round((modelData.error !== "" ? 52 : 36) * g_settings.globalScale)
            radius: 3
            color: area.containsMouse || area.pressed ? theme.lightColor : theme.objColor
            // A widget's own drawing is tinted like the program's icons; a picture keeps its colours.
            MyIcon {
                id: icon
                anchors { left: parent.left; leftMargin: 8; top: parent.top; topMargin: 8 }
                source: modelData.icon
                size: 20
                tinted: /\.svg$/i.test(modelData.icon)
            }
            MyText {
                anchors { left: icon.right; leftMargin: 8; right: parent.right; rightMargin: 6; top: parent.top }
                height: 36
                // The built-in chart's name is a source text shown translated.
                text: modelData.type === "builtin" ? qsTr("波形图") : modelData.name
            }
            MyText {
                objectName: "widgetEntryError"
                visible: modelData.error !== ""
                anchors { left: parent.left; leftMargin: 8; right: parent.right; rightMargin: 6; bottom: parent.bottom; bottomMargin: 4 }
                text: modelData.error
                color: theme.badColor
                font.pixelSize: g_settings.fontPixelSizeSmall
            }
            MouseArea {
                id: area
                anchors.fill: parent
                hoverEnabled: true
                enabled: modelData.error === ""
                // The list must not take the drag for scrolling.
                preventStealing: true
                property point from
                property bool dragging: false
                onPressed: {
                    from = mapToGlobal(mouse.x, mouse.y)
                    dragging = false
                }
                onPositionChanged: {
                    if (!pressed)
                        return
                    var gp = mapToGlobal(mouse.x, mouse.y)
                    if (!dragging && Math.abs(gp.x - from.x) + Math.abs(gp.y - from.y) < 8)
                        return
                    dragging = true
                    ghost.show_at(gp, modelData.type === "builtin" ? qsTr("波形图") : modelData.name)
                }
                onReleased: {
                    ghost.hide()
                    if (dragging)
                        panel.dropped(modelData, mapToGlobal(mouse.x, mouse.y))
                    dragging = false
                }
                onCanceled: {
                    ghost.hide()
                    dragging = false
                }
                onDoubleClicked: panel.chosen(modelData)
            }
            MyToolTip {
                visible: area.containsMouse && !area.pressed
                text: modelData.error !== "" ? modelData.error : qsTr("拖入标签页以添加控件")
            }
        }
    }
}
