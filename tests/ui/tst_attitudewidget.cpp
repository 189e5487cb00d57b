#include <QtTest>

#include <QJsonArray>
#include <QOpenGLContext>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QVector4D>

#include "mainscene.h"
#include "runpath.h"

// The 3D attitude widget in the real scene: dropped from the widget page
// into a tab, fed by a TCP peer whose text frames the default engine
// decodes, its model drawn by Qt 3D and grabbed from the window; its menus,
// model files good and bad, and its state through a tab file and a restart.
class Tst_AttitudeWidget : public QObject, public MainScene
{
    Q_OBJECT

    QTemporaryDir home_;
    // The program's folder as the scene sees it: the shipped widget with its
    // models, the engines of the build.
    QTemporaryDir run_;
    QTcpServer server_;
    QTcpSocket *peer_ = nullptr;

    QString files_dir() const { return home_.path() + "/files"; }

    static void collect_visible(QQuickItem *root, const QString &name, QList<QQuickItem *> &out)
    {
        if (root->objectName() == name && root->isVisible())
            out.append(root);
        for (QQuickItem *child : root->childItems())
            collect_visible(child, name, out);
    }
    static QQuickItem *inside(QQuickItem *root, const QString &name)
    {
        QList<QQuickItem *> found;
        collect_visible(root, name, found);
        return found.isEmpty() ? nullptr : found.first();
    }
    QList<QQuickItem *> hosts()
    {
        QList<QQuickItem *> list;
        collect_visible(window_->contentItem(), "widgetRectangle", list);
        return list;
    }
    // The widget itself: the root of its document, inside the host.
    QQuickItem *widget()
    {
        const QList<QQuickItem *> list = hosts();
        return list.isEmpty() ? nullptr : inside(list.first(), "attitudeView");
    }
    QString message()
    {
        QList<QQuickItem *> found;
        collect(widget(), "attitudeMessage", found);
        return found.isEmpty() ? QStringLiteral("(none)") : found.first()->property("text").toString();
    }
    QPoint tab_point(double fx, double fy)
    {
        QQuickItem *stack = item("tabStack");
        return stack->mapToScene(QPointF(stack->width() * fx, stack->height() * fy)).toPoint();
    }
    void drop_widget(const QPoint &to)
    {
        QVERIFY(click("functionPage2"));
        QQuickItem *entry = nullptr;
        QTRY_VERIFY((entry = item("widgetEntry_AttitudeView")));
        // Once the page has listed the folder anew.
        QTest::qWait(200);
        QTRY_VERIFY((entry = item("widgetEntry_AttitudeView")));
        drag(centre(entry), to);
    }
    // Opens the widget's menu and clicks through the texts of submenus,
    // then the entry of that object name; `picture` names a screenshot of
    // the open menus.
    void menu_pick(const QStringList &submenus, const QString &entry, const QString &picture = QString())
    {
        QTest::mouseClick(window_, Qt::RightButton, Qt::NoModifier, centre(widget()));
        for (const QString &text : submenus) {
            QQuickItem *sub = nullptr;
            QTRY_VERIFY((sub = with_text(window_->contentItem(), text)));
            QTest::qWait(200);
            QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre(sub));
        }
        QQuickItem *i = nullptr;
        QTRY_VERIFY((i = item(entry)));
        QTest::qWait(200);
        if (!picture.isEmpty())
            shot(picture);
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre(i));
        QTRY_VERIFY(!item("attitudeMenu"));
    }

    // One text frame from the peer: the values of channels 1, 2, ...
    void send(const QList<double> &values)
    {
        QStringList parts;
        for (double v : values)
            parts << QString::number(v, 'f', 6);
        peer_->write("att:" + parts.join(',').toLatin1() + "\r\n");
        peer_->flush();
    }
    QVector4D attitude() { return widget()->property("attitude").value<QVector4D>(); }
    static bool near(const QVector4D &a, const QVector4D &b) { return (a - b).length() < 1e-4f; }

    // The widget as the window shows it, without its readout strip.
    QImage grab_widget()
    {
        QQuickItem *w = widget();
        const QRectF r = w->mapRectToScene(QRectF(0, 0, w->width(), w->height() - 40));
        return window_->grabWindow().copy(r.toAlignedRect());
    }
    static int differing(const QImage &a, const QImage &b)
    {
        int n = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
                if (qAbs(p.red() - q.red()) + qAbs(p.green() - q.green()) + qAbs(p.blue() - q.blue()) > 60)
                    ++n;
            }
        return n;
    }
    // Pixels of the model: those far from the widget's background.
    int model_pixels(const QImage &image)
    {
        QImage back(image.size(), image.format());
        back.fill(widget()->property("back_color").value<QColor>());
        return differing(image, back);
    }
    bool model_ready() { return widget() && widget()->property("model_state").toString() == "ready"; }
    bool gl_ok() { return widget() && widget()->property("gl_ok").toBool(); }

private slots:
    void initTestCase()
    {
        QVERIFY(home_.isValid() && run_.isValid());
        use_home(home_.path());
        const QString build = qEnvironmentVariable("QELO_BUILD_DIR");
        const QString widgets = run_.path() + "/plugins/widgets";
        QVERIFY(QDir().mkpath(widgets));
        for (const char *name : {"AttitudeView.qml", "AttitudeView.svg", "AttitudeView.obj", "AttitudeViewArrow.obj"})
            QVERIFY(QFile::copy(build + "/plugins/widgets/" + name, widgets + "/" + name));
        QVERIFY(QFile::link(build + "/plugins/dataengines", run_.path() + "/plugins/dataengines"));
        RunPath::set(run_.path());
        QDir().mkpath(files_dir());
        answer_file_dialogs();
        QVERIFY(server_.listen(QHostAddress::LocalHost));
        connect(&server_, &QTcpServer::newConnection, this, [this]() { peer_ = server_.nextPendingConnection(); });
        QVERIFY(load_scene());
        window_->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(window_));
        // A TCP client link to the peer.
        QVERIFY(choose("linkTypeCombo", 2));
        pal()->setProperty("client_server_port", server_.serverPort());
        pal()->setProperty("client_banner", "");
        open_link();
        QTRY_VERIFY(peer_);
        QVERIFY(click("newTabButton"));
        drop_widget(tab_point(0.08, 0.08));
        QTRY_COMPARE(hosts().size(), 1);
        QTRY_VERIFY(widget());
        QTRY_VERIFY_WITH_TIMEOUT(model_ready() || !gl_ok(), 20000);
    }
    void cleanupTestCase()
    {
        unload_scene();
        QMLFileDialog::set_chooser({});
    }

    // Also run on a context that Mesa reports as OpenGL 3.0.
    void the_view_needs_opengl_3_3()
    {
        const QSurfaceFormat context = window_->openglContext()->format();
        const bool enough = context.version() >= qMakePair(3, 3);
        QCOMPARE(gl_ok(), enough);
        QList<QQuickItem *> found;
        collect(widget(), "attitudeScene", found);
        QCOMPARE(found.size(), 1);
        // The loader holds the 3D scene only where the context can draw it.
        QObject *scene = found.first()->property("item").value<QObject *>();
        if (enough) {
            QVERIFY(scene);
            QCOMPARE(message(), QString());
            return;
        }
        QVERIFY(!scene);
        QCOMPARE(message(), QStringLiteral("3D视图需要 OpenGL 3.3 或更高版本，当前为 %1.%2。")
                                .arg(context.majorVersion())
                                .arg(context.minorVersion()));
        QVERIFY(inside(widget(), "attitudeMessage"));
        shot("attitude-old-opengl");
    }

    void the_shipped_board_turns_with_the_quaternion()
    {
        QCOMPARE(widget()->property("mode").toInt(), 0);
        QCOMPARE(message(), QString());
        send({0, 0, 0, 1});
        QTRY_VERIFY(near(attitude(), QVector4D(0, 0, 0, 1)));
        QTRY_COMPARE(inside(widget(), "attitudeReadout")->property("text").toString(),
                     QStringLiteral("x 0.000   y 0.000   z 0.000   w 1.000"));
        QImage level;
        // Drawn: a good part of the widget is model, not background.
        QTRY_VERIFY(model_pixels(level = grab_widget()) > level.width() * level.height() / 10);
        shot("attitude-level");

        // A quarter turn about z, given unnormalised.
        send({0, 0, 2, 2});
        const float h = std::sqrt(0.5f);
        QTRY_VERIFY(near(attitude(), QVector4D(0, 0, h, h)));
        QImage turned;
        QTRY_VERIFY(differing(level, turned = grab_widget()) > level.width() * level.height() / 20);
        QVERIFY(model_pixels(turned) > turned.width() * turned.height() / 10);
        shot("attitude-turned");

        // No usable quaternion: level again.
        send({0, 0, 0, 0});
        QTRY_VERIFY(near(attitude(), QVector4D(0, 0, 0, 1)));
        QVERIFY(!widget()->property("has_data").toBool());
        QTRY_VERIFY(differing(level, grab_widget()) < level.width() * level.height() / 100);
        // w bound to a channel that has no data yet: the readout says so.
        menu_pick({QStringLiteral("w 通道")}, "attitude_ch_wItem7");
        QTRY_COMPARE(widget()->property("ch_w").toInt(), 7);
        send({0, 0, 1, 1});
        QTRY_COMPARE(inside(widget(), "attitudeReadout")->property("text").toString(),
                     QStringLiteral("x 0.000   y 0.000   z 1.000   w --"));
        QVERIFY(!widget()->property("has_data").toBool());
        QVERIFY(near(attitude(), QVector4D(0, 0, 0, 1)));
        shot("attitude-no-w");
        menu_pick({QStringLiteral("w 通道")}, "attitude_ch_wItem3");
        QTRY_COMPARE(widget()->property("ch_w").toInt(), 3);
        QTRY_VERIFY(near(attitude(), QVector4D(0, 0, h, h)));
    }

    void roll_pitch_yaw_from_three_channels_chosen_in_the_menu()
    {
        menu_pick({}, "attitudeModeEuler");
        QTRY_COMPARE(widget()->property("mode").toInt(), 1);
        // Roll from the third channel, yaw from the first.
        menu_pick({QStringLiteral("横滚通道")}, "attitude_ch_rollItem2", "attitude-menu");
        QTRY_COMPARE(widget()->property("ch_roll").toInt(), 2);
        menu_pick({QStringLiteral("偏航通道")}, "attitude_ch_yawItem0");
        QTRY_COMPARE(widget()->property("ch_yaw").toInt(), 0);
        send({0, 0, 90, 0});
        const float h = std::sqrt(0.5f);
        QTRY_VERIFY(near(attitude(), QVector4D(h, 0, 0, h)));
        QTRY_COMPARE(inside(widget(), "attitudeReadout")->property("text").toString(),
                     QStringLiteral("横滚 90.0   俯仰 0.0   偏航 0.0"));
        QImage rolled;
        QTRY_VERIFY(model_pixels(rolled = grab_widget()) > 0);
        shot("attitude-rolled");
        // Yaw then: a quarter turn about z, as the quaternion gave it.
        send({90, 0, 0, 0});
        QTRY_VERIFY(near(attitude(), QVector4D(0, 0, h, h)));
        QTRY_VERIFY(differing(rolled, grab_widget()) > rolled.width() * rolled.height() / 20);
        // Pitch, roll and yaw together, as yaw ⊗ pitch ⊗ roll.
        send({30, 20, 10, 0});
        QTRY_VERIFY(near(attitude(), QVector4D(0.0381346f, 0.1893079f, 0.2392983f, 0.9515485f)));
        shot("attitude-euler");
        menu_pick({}, "attitudeModeQuaternion");
        QTRY_COMPARE(widget()->property("mode").toInt(), 0);
    }

    void model_files_good_and_bad()
    {
        const QString missing = files_dir() + "/gone.obj";
        next_path_ = missing;
        menu_pick({QStringLiteral("模型")}, "attitudeChooseModel", "attitude-model-menu");
        QTRY_COMPARE(widget()->property("model_state").toString(), QStringLiteral("error"));
        QCOMPARE(message(), QStringLiteral("模型文件无法读取:\n") + missing);
        shot("attitude-missing-model");
        // Kept as chosen, so nothing is lost when the file comes back.
        QCOMPARE(plain(call(widget(), "get_ctx")).toObject()["model_file"].toString(), missing);

        const QString junk = files_dir() + "/junk.obj";
        QVERIFY(write(junk, QByteArray("\x00\xff\x10\x80", 4).repeated(64)));
        next_path_ = junk;
        menu_pick({QStringLiteral("模型")}, "attitudeChooseModel");
        QTRY_COMPARE(widget()->property("model_state").toString(), QStringLiteral("empty"));
        QCOMPARE(message(), QStringLiteral("模型文件中没有可显示的几何:\n") + junk);
        shot("attitude-junk-model");

        // A model of the user's own: a tall box, off the origin.
        const QString own = files_dir() + "/my model #1.obj";
        QVERIFY(write(own, "v 5 5 0\nv 6 5 0\nv 6 6 0\nv 5 6 0\nv 5 5 4\nv 6 5 4\nv 6 6 4\nv 5 6 4\n"
                           "f 1 3 2\nf 1 4 3\nf 5 6 7\nf 5 7 8\nf 1 2 6\nf 1 6 5\n"
                           "f 2 3 7\nf 2 7 6\nf 3 4 8\nf 3 8 7\nf 4 1 5\nf 4 5 8\n"));
        next_path_ = own;
        menu_pick({QStringLiteral("模型")}, "attitudeChooseModel");
        QTRY_VERIFY_WITH_TIMEOUT(model_ready(), 20000);
        QCOMPARE(message(), QString());
        QCOMPARE(widget()->property("model_centre").value<QVector3D>(), QVector3D(5.5f, 5.5f, 2));
        QImage tall;
        QTRY_VERIFY(model_pixels(tall = grab_widget()) > tall.width() * tall.height() / 50);
        shot("attitude-own-model");

        menu_pick({QStringLiteral("模型")}, "attitudeBuiltinModel");
        QTRY_VERIFY_WITH_TIMEOUT(model_ready() && widget()->property("model_file").toString().isEmpty(), 20000);
    }

    void set_ctx_takes_only_what_fits()
    {
        QObject *w = widget();
        const QJsonObject before = plain(call(w, "get_ctx")).toObject();
        for (const QVariant &bad : {QVariant(7), QVariant(QStringLiteral("x")), QVariant(QVariantList{1, 2}),
                                    QVariant(QVariantMap())})
            call(w, "set_ctx", bad);
        QCOMPARE(plain(call(w, "get_ctx")).toObject(), before);
        call(w, "set_ctx",
             QVariantMap{{"mode", "1"}, {"ch_x", -4}, {"ch_y", 1e9}, {"ch_z", 2.6}, {"ch_w", "3"}, {"ch_roll", qQNaN()}, {"ch_pitch", true},
                         {"model_color", "red"}, {"arrow_color", "#123456"}, {"back_color", 12},
                         {"model_file", QVariantList{}}, {"unknown", 1}});
        const QJsonObject after = plain(call(w, "get_ctx")).toObject();
        QCOMPARE(after["mode"].toInt(), before["mode"].toInt());
        QCOMPARE(after["ch_roll"].toInt(), before["ch_roll"].toInt());
        QCOMPARE(after["ch_x"].toInt(), 0);
        QCOMPARE(after["ch_y"].toInt(), 255);
        QCOMPARE(after["ch_z"].toInt(), 3);
        QCOMPARE(after["ch_w"].toInt(), before["ch_w"].toInt());
        QCOMPARE(after["model_color"].toString(), before["model_color"].toString());
        QCOMPARE(after["arrow_color"].toString(), QStringLiteral("#123456"));
        QCOMPARE(after["back_color"].toString(), before["back_color"].toString());
        QCOMPARE(after["model_file"].toString(), before["model_file"].toString());
        QVERIFY(!after.contains("unknown"));
        // Both modes, and only those.
        call(w, "set_ctx", QVariantMap{{"mode", 1}});
        QCOMPARE(w->property("mode").toInt(), 1);
        call(w, "set_ctx", QVariantMap{{"mode", 2}});
        QCOMPARE(w->property("mode").toInt(), 1);
        call(w, "set_ctx", QVariantMap{{"mode", 0}});
        QCOMPARE(w->property("mode").toInt(), 0);
        call(w, "set_ctx", QVariantMap{{"ch_x", 0}, {"ch_y", 1}, {"ch_z", 2}, {"ch_w", 3}, {"arrow_color", "#ffb300"}});
    }

    void its_state_comes_back_from_a_tab_file_and_after_a_restart()
    {
        const QString own = files_dir() + "/box.obj";
        QVERIFY(write(own, "v 0 0 0\nv 2 0 0\nv 2 1 0\nv 0 1 0\nv 0 0 1\nv 2 0 1\nv 2 1 1\nv 0 1 1\n"
                           "f 1 3 2\nf 1 4 3\nf 5 6 7\nf 5 7 8\nf 1 2 6\nf 1 6 5\n"
                           "f 2 3 7\nf 2 7 6\nf 3 4 8\nf 3 8 7\nf 4 1 5\nf 4 5 8\n"));
        const QVariantMap ctx{{"mode", 1},           {"ch_x", 4},           {"ch_y", 5},
                              {"ch_z", 6},           {"ch_w", 7},           {"ch_roll", 3},
                              {"ch_pitch", 2},       {"ch_yaw", 1},         {"model_file", own},
                              {"model_color", "#2196f3"}, {"arrow_color", "#f44336"}, {"back_color", "#e0e0e0"}};
        call(widget(), "set_ctx", ctx);
        const QJsonObject want = QJsonObject::fromVariantMap(ctx);
        QCOMPARE(plain(call(widget(), "get_ctx")).toObject(), want);
        QTRY_VERIFY_WITH_TIMEOUT(model_ready(), 20000);
        send({10, 20, 30, 40});
        QTRY_VERIFY(!near(attitude(), QVector4D(0, 0, 0, 1)));
        shot("attitude-light-background");

        // Saved as a tab file and loaded into a new tab.
        const QString tab_file = files_dir() + "/attitude.tab.json";
        next_path_ = tab_file;
        QVERIFY(click("tabViewMoreButton"));
        QTRY_VERIFY(item("saveTabItem"));
        QTest::qWait(200);
        QVERIFY(click("saveTabItem"));
        QTRY_VERIFY(alert_text().contains(tab_file));
        dismiss_alert();
        const QJsonArray saved = json(tab_file)["ctx"].toObject()["widgets"].toArray();
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved[0].toObject()["path"].toString(), QStringLiteral("AttitudeView.qml"));
        QCOMPARE(saved[0].toObject()["ctx"].toObject(), want);

        // After a restart, the same widget in the same tab.
        QVERIFY(click("functionPage0"));
        close_link();
        close_window();
        unload_scene();
        peer_ = nullptr;
        QVERIFY(load_scene());
        window_->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(window_));
        QTRY_VERIFY(widget());
        QCOMPARE(plain(call(widget(), "get_ctx")).toObject(), want);
        QTRY_VERIFY_WITH_TIMEOUT(model_ready(), 20000);
        QImage restored;
        QTRY_VERIFY(model_pixels(restored = grab_widget()) > restored.width() * restored.height() / 50);
        shot("attitude-restored");
        // The board again, with its arrow, though the scene began without it.
        call(widget(), "set_ctx", QVariantMap{{"model_file", ""}, {"mode", 0}});
        QTRY_VERIFY_WITH_TIMEOUT(model_ready() && widget()->property("builtin").toBool(), 20000);
        QCOMPARE(widget()->property("mode").toInt(), 0);
        QTest::qWait(500);
        shot("attitude-restored-board");

        // The tab file brings the saved state into a tab of its own.
        QObject *tabs = item("tabView");
        const int count = tabs->property("count").toInt();
        next_path_ = tab_file;
        QVERIFY(click("tabViewMoreButton"));
        QTRY_VERIFY(item("loadTabFileItem"));
        QTest::qWait(200);
        QVERIFY(click("loadTabFileItem"));
        QTRY_VERIFY(item("alertOk"));
        QTest::qWait(200);
        QVERIFY(click("alertOk"));
        QTRY_COMPARE(tabs->property("count").toInt(), count + 1);
        QTRY_VERIFY(widget());
        QCOMPARE(plain(call(widget(), "get_ctx")).toObject(), want);
        QTRY_VERIFY_WITH_TIMEOUT(model_ready(), 20000);

        // Deleted from its menu: the scene goes with it.
        menu_pick({}, "deleteWidgetItem");
        QTRY_COMPARE(hosts().size(), 0);
        QVERIFY(item("emptyTabHint"));
    }
};

QTEST_MAIN(Tst_AttitudeWidget)
#include "tst_attitudewidget.moc"
