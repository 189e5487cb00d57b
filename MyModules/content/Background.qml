import QtQuick 2.15
import QtQuick.Window 2.15
import "paths.js" as Paths

// The background as `props` (a BackgroundProperties) describes it: the
// theme's background colour or a colour of its own, and the picture. With
// `picture_only` it draws just the picture, for the copy on top.
Item {
    id: background
    objectName: "background"
    property var props: null
    property bool picture_only: false
    // The picture lies on top of the window instead (drawn by another copy).
    property bool show_picture: true
    readonly property bool has_picture: props !== null && props.picture !== "none" && props.picture !== ""
    readonly property bool builtin: props !== null && props.picture === "qelo"
    readonly property size box: props === null ? Qt.size(0, 0)
                                : props.fill ? Qt.size(width, height)
                                : Qt.size(Screen.width * props.size, Screen.height * props.size)
    clip: true

    Rectangle {
        anchors.fill: parent
        visible: !background.picture_only
        color: theme.bgColor
        Rectangle {
            anchors.fill: parent
            visible: background.props !== null && background.props.color_on
            color: background.props !== null ? background.props.color : "transparent"
            opacity: background.props !== null ? background.props.color_opacity : 1
        }
    }
    Item {
        id: place
        objectName: "backgroundPicture"
        visible: background.has_picture && background.show_picture
        width: background.box.width
        height: background.box.height
        opacity: background.props !== null ? background.props.picture_opacity : 0
        x: background.props === null || background.props.fill ? 0
           : background.props.x_mode === "left" ? background.props.x_offset
           : background.props.x_mode === "right" ? background.width - width - background.props.x_offset
           : (background.width - width) / 2 + background.props.x_offset
        y: background.props === null || background.props.fill ? 0
           : background.props.y_mode === "top" ? background.props.y_offset
           : background.props.y_mode === "bottom" ? background.height - height - background.props.y_offset
           : (background.height - height) / 2 + background.props.y_offset
        MyIcon {
            anchors.fill: parent
            visible: background.builtin
            source: "qrc:/content/qelo+bg.svg"
            size: 400
            color: theme.iconColor1
        }
        Image {
            anchors.fill: parent
            visible: !background.builtin
            source: background.has_picture && !background.builtin ? Paths.file_url(background.props.picture) : ""
            fillMode: background.props !== null && background.props.fill ? Image.PreserveAspectCrop : Image.PreserveAspectFit
            asynchronous: true
            cache: false
        }
    }
}
