import QtQuick 2.15
import "qrc:/MyModules/content"
import "qrc:/MyModules/content/widgettools.js" as Tools

// Shows a picture the data engine decoded from the stream (the "data"
// image provider): the newest one, or a chosen record, reloaded when a
// new picture arrives or the record's content changes. Fit or fill, and
// the picture count in the corner.
Rectangle {
    id: root
    property var host: null
    property int preferred_width: 320
    property int preferred_height: 260

    // -1: always the newest picture.
    property int record: -1
    property bool fill: false
    property bool count_on: true

    readonly property int count: datahub_global.image_count
    readonly property int shown: record < 0 ? count - 1 : Math.min(record, count - 1)
    color: theme.bgColor

    readonly property var members: ["record", "fill", "count_on"]
    function get_ctx() { return Tools.get(root, members) }
    function set_ctx(ctx) {
        Tools.set(root, members, ctx)
        record = Math.max(-1, Math.min(100000, record))
    }

    // The provider's URL names only the record, so a changed picture under
    // the same record is reloaded by clearing the source first.
    function reload() {
        picture.source = ""
        if (shown >= 0)
            picture.source = "image://data/" + shown
    }
    onShownChanged: reload()
    Connections {
        target: datahub_global
        function onImage_tick_changed() { root.reload() }
    }
    Component.onCompleted: reload()

    Image {
        id: picture
        objectName: "pictureViewImage"
        anchors.fill: parent
        anchors.margins: 2
        visible: root.shown >= 0
        cache: false
        asynchronous: false
        smooth: true
        fillMode: root.fill ? Image.PreserveAspectCrop : Image.PreserveAspectFit
        clip: root.fill
    }
    MyText {
        objectName: "pictureViewEmpty"
        anchors.centerIn: parent
        width: parent.width - 16
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        visible: root.shown < 0
        color: theme.fontColorTips
        text: qsTr("还没有收到图片")
    }
    Rectangle {
        visible: root.count_on
        anchors { right: parent.right; bottom: parent.bottom; margins: 4 }
        width: countText.width + 10
        height: countText.height + 4
        radius: 3
        color: theme.barColor
        opacity: 0.85
        MyText {
            id: countText
            objectName: "pictureViewCount"
            anchors.centerIn: parent
            text: (root.shown >= 0 ? (root.shown + 1) + " / " : "") + root.count
        }
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.RightButton
        onClicked: menu.popup()
    }
    MyMenu {
        id: menu
        objectName: "pictureViewMenu"
        MyMenu {
            title: qsTr("图片")
            MyMenuItem {
                objectName: "pictureNewestItem"
                text: qsTr("最新")
                checkable: true
                checked: root.record < 0
                onTriggered: root.record = -1
            }
            Repeater {
                model: Math.min(root.count, 64)
                MyMenuItem {
                    objectName: "pictureRecordItem" + index
                    text: qsTr("图片") + " " + (index + 1)
                    checkable: true
                    checked: root.record === index
                    onTriggered: root.record = index
                }
            }
        }
        MyMenuItem {
            objectName: "pictureFillItem"
            text: qsTr("填充显示")
            checkable: true
            checked: root.fill
            onTriggered: root.fill = checked
        }
        MyMenuItem {
            text: qsTr("显示图片数量")
            checkable: true
            checked: root.count_on
            onTriggered: root.count_on = checked
        }
        MyMenuSeparator {}
        FillParentMenu { host: root.host }
        DeleteMenuItem { host: root.host }
    }
}
