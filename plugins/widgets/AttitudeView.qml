import QtQuick 2.15
import QtQuick.Scene3D 2.0
import Qt3D.Core 2.14
import Qt3D.Render 2.15
import Qt3D.Extras 2.15
import mine.qt.ThreeTools 1.0
import "qrc:/MyModules/content"

// A 3D model turned live by an attitude: a quaternion from four channels
// (x, y, z, w) or roll, pitch and yaw in degrees from three. The model is
// the board shipped beside this file or an .obj the user chooses; x points
// forward, y left, z up. Right click for its menu.
Rectangle {
    id: root
    objectName: "attitudeView"
    property var host: null
    property int preferred_width: 360
    property int preferred_height: 280

    // What the menus edit and get_ctx() keeps.
    property int mode: 0 // 0: quaternion, 1: roll, pitch, yaw
    property int ch_x: 0
    property int ch_y: 1
    property int ch_z: 2
    property int ch_w: 3
    property int ch_roll: 0
    property int ch_pitch: 1
    property int ch_yaw: 2
    property string model_file: "" // empty: the shipped board
    property color model_color: "#2e7d32"
    property color arrow_color: "#ffb300"
    property color back_color: "#20252b"

    // The attitude now, as (x, y, z, w), and whether the channels gave one.
    property vector4d attitude: Qt.vector4d(0, 0, 0, 1)
    property bool has_data: false
    property var readout: []

    // The model as loaded: "loading", "ready", "error" or "empty"; its
    // centre and the radius of the sphere around it, which the camera
    // keeps in view however the model turns.
    property string model_state: "loading"
    property int mesh_status: Mesh.None
    property vector3d model_centre: Qt.vector3d(0, 0, 0)
    property real model_radius: 1
    readonly property real view_distance: {
        var half = 20 * Math.PI / 180
        var fit = Math.min(half, Math.atan(Math.tan(half) * width / Math.max(1, height)))
        return model_radius / Math.sin(fit) * 1.08
    }

    readonly property bool builtin: model_file === ""
    readonly property url model_url: builtin ? Qt.resolvedUrl("AttitudeView.obj") : model_file_url(model_file)
    readonly property bool gl_ok: OpenGLInfo.majorVersion > 3
                                  || (OpenGLInfo.majorVersion === 3 && OpenGLInfo.minorVersion >= 3)
    readonly property string gl_version: OpenGLInfo.majorVersion + "." + OpenGLInfo.minorVersion

    color: back_color
    radius: 4
    clip: true

    ThreeTools { id: tools }

    function model_file_url(path) {
        if (/^[a-z][a-z0-9+.-]+:\/\//i.test(path))
            return path
        var local = encodeURI(path).replace(/#/g, "%23").replace(/\?/g, "%3F")
        return "file://" + (local.charAt(0) === "/" ? "" : "/") + local
    }

    Connections {
        target: datahub_global
        function onNeed_update() { root.update_attitude(datahub_global.rt_values()) }
    }

    function value_of(values, ch) {
        var v = ch >= 0 && ch < values.length ? Number(values[ch]) : NaN
        return isFinite(v) ? v : NaN
    }
    // Roll about x, pitch about y, yaw about z, applied in that order.
    function from_euler(roll, pitch, yaw) {
        var r = roll * Math.PI / 360, p = pitch * Math.PI / 360, y = yaw * Math.PI / 360
        var qx = Qt.vector4d(Math.sin(r), 0, 0, Math.cos(r))
        var qy = Qt.vector4d(0, Math.sin(p), 0, Math.cos(p))
        var qz = Qt.vector4d(0, 0, Math.sin(y), Math.cos(y))
        return tools.CrossProduct(qz, tools.CrossProduct(qy, qx))
    }
    function update_attitude(values) {
        var q, shown
        if (mode === 0) {
            shown = [value_of(values, ch_x), value_of(values, ch_y), value_of(values, ch_z), value_of(values, ch_w)]
            q = Qt.vector4d(shown[0], shown[1], shown[2], shown[3])
        } else {
            shown = [value_of(values, ch_roll), value_of(values, ch_pitch), value_of(values, ch_yaw)]
            q = from_euler(shown[0], shown[1], shown[2])
        }
        readout = shown
        var n = q.length()
        has_data = isFinite(n) && n > 1e-9
        var next = has_data ? q.times(1 / n) : Qt.vector4d(0, 0, 0, 1)
        if (!next.fuzzyEquals(attitude, 1e-6))
            attitude = next
    }
    // A new binding shows at once, without waiting for the next data.
    readonly property var binding: [mode, ch_x, ch_y, ch_z, ch_w, ch_roll, ch_pitch, ch_yaw]
    onBindingChanged: update_attitude(datahub_global.rt_values())

    // Centres the model once it has loaded. A file Qt 3D cannot read
    // fails; one that is no model loads without positions.
    function frame(mesh) {
        if (mesh_status === Mesh.Error) {
            model_state = "error"
            return
        }
        if (mesh_status !== Mesh.Ready)
            return
        var b = tools.bounding_positioin(mesh, Qt.vector4d(0, 0, 0, 1), Qt.vector3d(0, 0, 0), 1)
        var radius = b.length === 9 ? Qt.vector3d(b[3], b[4], b[5]).length() / 2 : 0
        if (!(radius > 0)) {
            model_state = mesh.geometry ? "empty" : "loading"
            return
        }
        model_centre = Qt.vector3d(b[0], b[1], b[2])
        model_radius = radius
        model_state = "ready"
    }
    onModel_urlChanged: model_state = "loading"

    readonly property var members: ["mode", "ch_x", "ch_y", "ch_z", "ch_w", "ch_roll", "ch_pitch", "ch_yaw",
        "model_file", "model_color", "arrow_color", "back_color"]
    function get_ctx() {
        var ctx = {}
        for (var i = 0; i < members.length; i++) {
            var v = root[members[i]]
            ctx[members[i]] = typeof v === "object" ? v.toString() : v
        }
        return ctx
    }
    // Takes each member only when it has the type it should; colours as "#rrggbb".
    function set_ctx(ctx) {
        if (ctx === null || typeof ctx !== "object")
            return
        for (var i = 0; i < members.length; i++) {
            var key = members[i], v = ctx[key], cur = root[key]
            if (v === undefined)
                continue
            if (typeof cur === "object") {
                if (typeof v === "string" && /^#[0-9a-fA-F]{6,8}$/.test(v))
                    root[key] = v
            } else if (typeof v === typeof cur) {
                if (key === "mode") {
                    if (v === 0 || v === 1)
                        mode = v
                } else if (typeof v !== "number") {
                    root[key] = v
                } else if (isFinite(v)) {
                    root[key] = Math.max(0, Math.min(255, Math.round(v)))
                }
            }
        }
    }

    Loader {
        id: view
        objectName: "attitudeScene"
        anchors.fill: parent
        active: root.gl_ok
        sourceComponent: Scene3D {
            multisample: true
            entity: Entity {
                Camera {
                    id: camera
                    projectionType: CameraLens.PerspectiveProjection
                    fieldOfView: 40
                    aspectRatio: root.width / Math.max(1, root.height)
                    nearPlane: root.view_distance * 0.05
                    farPlane: root.view_distance * 4
                    upVector: Qt.vector3d(0, 0, 1)
                    viewCenter: Qt.vector3d(0, 0, 0)
                    position: Qt.vector3d(-0.62, -0.55, 0.56).times(root.view_distance)
                }
                components: [
                    // Drawn only when the attitude, the model or the view changes.
                    RenderSettings {
                        renderPolicy: RenderSettings.OnDemand
                        activeFrameGraph: ForwardRenderer {
                            camera: camera
                            clearColor: root.back_color
                        }
                    }
                ]
                Entity {
                    components: [
                        DirectionalLight {
                            worldDirection: Qt.vector3d(0.45, 0.7, -1)
                            color: "white"
                            intensity: 0.9
                        }
                    ]
                }
                Entity {
                    components: [
                        Transform {
                            rotation: Qt.quaternion(root.attitude.w, root.attitude.x, root.attitude.y,
                                                    root.attitude.z)
                        }
                    ]
                    Entity {
                        components: [
                            Mesh {
                                id: mesh
                                source: root.model_url
                                onStatusChanged: {
                                    root.mesh_status = status
                                    root.frame(mesh)
                                }
                                onGeometryChanged: root.frame(mesh)
                            },
                            PhongMaterial {
                                ambient: Qt.darker(root.model_color, 2.2)
                                diffuse: root.model_color
                                specular: "#404040"
                                shininess: 40
                            },
                            Transform { translation: root.model_centre.times(-1) }
                        ]
                    }
                    Entity {
                        enabled: root.builtin
                        components: [
                            Mesh { source: Qt.resolvedUrl("AttitudeViewArrow.obj") },
                            PhongMaterial {
                                ambient: Qt.darker(root.arrow_color, 2.2)
                                diffuse: root.arrow_color
                                specular: "#606060"
                                shininess: 60
                            },
                            Transform { translation: root.model_centre.times(-1) }
                        ]
                    }
                }
            }
        }
    }

    // Why there is no model to see.
    MyText {
        objectName: "attitudeMessage"
        anchors { fill: parent; margins: 12 }
        visible: text !== ""
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        wrapMode: Text.Wrap
        elide: Text.ElideRight
        color: root.gl_ok && root.model_state === "loading" ? theme.fontColorTips : theme.badColor
        text: !root.gl_ok ? qsTr("3D视图需要 OpenGL 3.3 或更高版本，当前为 %1。").arg(root.gl_version)
            : root.model_state === "error" ? qsTr("模型文件无法读取:") + "\n" + root.model_file
            : root.model_state === "empty" ? qsTr("模型文件中没有可显示的几何:") + "\n" + root.model_file
            : root.model_state === "loading" ? qsTr("正在载入模型...")
            : ""
    }

    // The values the attitude comes from.
    Rectangle {
        visible: root.gl_ok && root.model_state === "ready"
        anchors { left: parent.left; bottom: parent.bottom; margins: 6 }
        width: readoutText.implicitWidth + 12
        height: readoutText.implicitHeight + 6
        radius: 3
        color: Qt.rgba(theme.barColor.r, theme.barColor.g, theme.barColor.b, 0.85)
        MyText {
            id: readoutText
            objectName: "attitudeReadout"
            anchors.centerIn: parent
            font.family: g_settings.fontFamilyNumber
            font.pixelSize: g_settings.fontPixelSizeSmall
            color: theme.fontColor
            text: {
                var labels = root.mode === 0 ? ["x", "y", "z", "w"] : [qsTr("横滚"), qsTr("俯仰"), qsTr("偏航")]
                var parts = []
                for (var i = 0; i < labels.length; i++) {
                    var v = i < root.readout.length ? root.readout[i] : NaN
                    parts.push(labels[i] + " " + (isNaN(v) ? "--" : v.toFixed(root.mode === 0 ? 3 : 1)))
                }
                return parts.join("   ")
            }
        }
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.RightButton
        onClicked: menu.popup()
    }
    MyMenu {
        id: menu
        objectName: "attitudeMenu"
        MyMenuItem {
            objectName: "attitudeModeQuaternion"
            text: qsTr("四元数 (x, y, z, w)")
            checkable: true
            checked: root.mode === 0
            onTriggered: root.mode = 0
        }
        MyMenuItem {
            objectName: "attitudeModeEuler"
            text: qsTr("欧拉角 (度)")
            checkable: true
            checked: root.mode === 1
            onTriggered: root.mode = 1
        }
        // One channel menu per component of the current mode, after the two above.
        Instantiator {
            model: root.mode === 0
                   ? [{ member: "ch_x", title: qsTr("x 通道") }, { member: "ch_y", title: qsTr("y 通道") },
                      { member: "ch_z", title: qsTr("z 通道") }, { member: "ch_w", title: qsTr("w 通道") }]
                   : [{ member: "ch_roll", title: qsTr("横滚通道") }, { member: "ch_pitch", title: qsTr("俯仰通道") },
                      { member: "ch_yaw", title: qsTr("偏航通道") }]
            delegate: ChMenu {
                objectName: "attitude_" + modelData.member
                target: root
                member: modelData.member
                title: modelData.title
            }
            onObjectAdded: menu.insertMenu(index + 2, object)
            onObjectRemoved: menu.removeMenu(object)
        }
        MyMenuSeparator {}
        MyMenu {
            title: qsTr("模型")
            MyMenuItem {
                objectName: "attitudeChooseModel"
                text: qsTr("选择模型文件...")
                enabled: typeof file_dialog !== "undefined" && file_dialog !== null
                onTriggered: file_dialog.ask(qsTr("选择模型文件"), myapp.data_dir_path(), "obj (*.obj)", false, false,
                                             function(path) { root.model_file = path })
            }
            MyMenuItem {
                objectName: "attitudeBuiltinModel"
                text: qsTr("内置模型")
                checkable: true
                checked: root.builtin
                onTriggered: root.model_file = ""
            }
        }
        MyMenu {
            title: qsTr("模型颜色")
            MyColorMenuItem {
                value: root.model_color
                onPicked: root.model_color = value
            }
        }
        MyMenu {
            title: qsTr("箭头颜色")
            MyColorMenuItem {
                value: root.arrow_color
                onPicked: root.arrow_color = value
            }
        }
        MyMenu {
            title: qsTr("背景颜色")
            MyColorMenuItem {
                presets: ["#20252b", "#101418", "#2b2b2b", "#37474f", "#1a237e", "#4e342e", "#e0e0e0", "#ffffff"]
                value: root.back_color
                onPicked: root.back_color = value
            }
        }
        MyMenuSeparator {}
        FillParentMenu { host: root.host }
        DeleteMenuItem { host: root.host }
    }
}
