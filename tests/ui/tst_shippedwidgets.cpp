#include <QtTest>

#include <QBuffer>
#include <QImage>
#include <QJSValue>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include "datahub.h"
#include "runpath.h"
#include "widgetscene.h"

// The widgets shipped in plugins/widgets, in the real scene over a TCP
// client link to a peer on 127.0.0.1: a button, a switch, a slider and a
// knob send exactly the bytes their commands make of their values, in
// text and hex modes, a dragged slider sends a bounded number of values
// and always the last; the readouts follow the channel values the peer
// sends; the picture view shows a picture the peer sends; every widget
// keeps its settings through a tab file and a restart of the scene.
class Tst_ShippedWidgets : public QObject, public WidgetScene
{
    Q_OBJECT

    QTemporaryDir home_;
    QTemporaryDir run_;
    QTcpServer server_;
    QTcpSocket *peer_ = nullptr;
    QByteArray received_;

    QString widgets_dir() const { return run_.path() + "/plugins/widgets"; }
    QObject *panel() { return object("commandPanel"); }
    static QObject *widget_of(QQuickItem *host)
    {
        QQuickItem *body = inside(host, "widgetBody");
        return body ? body->property("widget").value<QObject *>() : nullptr;
    }
    // Drops the widget `entry` into the current tab and returns its document's root.
    QObject *place(const QString &entry, double fx, double fy)
    {
        const int before = hosts().size();
        drop_entry(entry, tab_point(fx, fy));
        if (!QTest::qWaitFor([&]() { return hosts().size() == before + 1; }, 5000))
            return nullptr;
        QQuickItem *host = nullptr;
        for (QQuickItem *h : hosts())
            if (h->property("path").toString() == entry + ".qml" && h->z() >= (host ? host->z() : 0))
                host = h;
        return host ? widget_of(host) : nullptr;
    }
    static QVariantMap ctx_of(QObject *widget)
    {
        QVariant v;
        QMetaObject::invokeMethod(widget, "get_ctx", Q_RETURN_ARG(QVariant, v));
        return (v.userType() == qMetaTypeId<QJSValue>() ? v.value<QJSValue>().toVariant() : v).toMap();
    }
    static void set_ctx(QObject *widget, const QVariantMap &ctx)
    {
        QMetaObject::invokeMethod(widget, "set_ctx", Q_ARG(QVariant, QVariant(ctx)));
    }
    QQuickItem *part(QObject *widget, const QString &name) { return inside(qobject_cast<QQuickItem *>(widget), name); }
    void wait_idle() { QTRY_VERIFY_WITH_TIMEOUT(!hub_->out_buffer()->repeating(), 5000); }
    // Waits until the peer got `bytes` and nothing else, then forgets them.
    void expect(const QByteArray &bytes)
    {
        QTRY_COMPARE(received_, bytes);
        QTest::qWait(100);
        QCOMPARE(received_, bytes);
        received_.clear();
        wait_idle();
    }
    void send_to_scene(const QByteArray &bytes)
    {
        peer_->write(bytes);
        peer_->flush();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home_.isValid() && run_.isValid());
        use_home(home_.path());
        const QString build = qEnvironmentVariable("QELO_BUILD_DIR");
        QVERIFY(QDir().mkpath(widgets_dir()));
        for (const QString &f : QDir(build + "/plugins/widgets").entryList(QDir::Files))
            QVERIFY(QFile::copy(build + "/plugins/widgets/" + f, widgets_dir() + "/" + f));
        QVERIFY(QFile::link(build + "/plugins/dataengines", run_.path() + "/plugins/dataengines"));
        RunPath::set(run_.path());
        answer_file_dialogs();
        QVERIFY(server_.listen(QHostAddress::LocalHost));
        connect(&server_, &QTcpServer::newConnection, this, [this]() {
            peer_ = server_.nextPendingConnection();
            connect(peer_, &QTcpSocket::readyRead, this, [this]() { received_ += peer_->readAll(); });
        });
        QVERIFY(load_scene());
        activate(window_);
        // Commands the widgets bind: "V=%.2f" CR LF as text, AA %% 55 in hex.
        QVariantList tree;
        tree << QVariantMap{{"name", "value"}, {"hex_on", false}, {"loop_ms", 0}, {"cmd_hex", "56 3D 25 2E 32 66 0D 0A"}};
        tree << QVariantMap{{"name", "raw"}, {"hex_on", true}, {"loop_ms", 0}, {"cmd_hex", "AA %% 55"}};
        QVERIFY(QMetaObject::invokeMethod(panel(), "restore", Q_ARG(QVariant, QVariant(tree))));
        QTRY_COMPARE(panel()->property("tree").value<QJSValue>().property("length").toInt(), 2);
        QVERIFY(choose("linkTypeCombo", 2));
        pal()->setProperty("client_server_port", server_.serverPort());
        pal()->setProperty("client_banner", "");
        open_link();
        QTRY_VERIFY(peer_);
        reset_layout();
    }
    void cleanupTestCase() { unload_scene(); }

    void every_shipped_widget_is_listed()
    {
        QVERIFY(click("functionPage2"));
        for (const char *name : {"CommandButton", "CommandSwitch", "ValueSlider", "ValueKnob", "ChannelValue",
                                 "ChannelGauge", "LevelBar", "PictureView"}) {
            QQuickItem *entry = nullptr;
            QTRY_VERIFY2((entry = item(QStringLiteral("widgetEntry_") + name)), name);
            QQuickItem *error = entry->findChild<QQuickItem *>("widgetEntryError");
            QVERIFY2(error && !error->isVisible(), qPrintable(error ? error->property("text").toString() : name));
        }
    }

    void a_button_sends_its_command_and_a_held_button_two()
    {
        QObject *button = place("CommandButton", 0.05, 0.05);
        QVERIFY(button);
        // Bound with its menu.
        QQuickItem *face = part(button, "commandButtonFace");
        QTest::mouseClick(window_, Qt::RightButton, Qt::NoModifier, centre_of(face));
        QQuickItem *entry = nullptr;
        QTRY_VERIFY((entry = with_text(window_->contentItem(), QStringLiteral("绑定命令"))));
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre_of(entry));
        menu_item(window_, "cmdMenuItem0");
        QTRY_COMPARE(button->property("cmd_label").toString(), QStringLiteral("value"));
        QTest::keyClick(window_, Qt::Key_Escape);
        QTest::qWait(200);
        QCOMPARE(part(button, "commandButtonName")->property("text").toString(), QStringLiteral("value"));
        received_.clear();
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre_of(face));
        expect("V=0.00\r\n");
        set_ctx(button, {{"argument", 1.5}});
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre_of(face));
        expect("V=1.50\r\n");

        // Held: pressing sends the first command, letting go the second.
        set_ctx(button, {{"cmd2_path", QVariantList{1}}, {"cmd2_label", "raw"}, {"cmd2_hex", true}});
        QTest::mousePress(window_, Qt::LeftButton, Qt::NoModifier, centre_of(face));
        expect("V=1.50\r\n");
        QTest::mouseRelease(window_, Qt::LeftButton, Qt::NoModifier, centre_of(face));
        expect(QByteArray::fromHex("AA 00 00 C0 3F 55"));
        shot("shipped-button");
    }

    void a_switch_sends_one_and_zero_and_shows_what_went_out()
    {
        QObject *sw = place("CommandSwitch", 0.4, 0.05);
        QVERIFY(sw);
        set_ctx(sw, {{"cmd_path", QVariantList{0}}, {"cmd_label", "value"}});
        QQuickItem *area = part(sw, "commandSwitchArea");
        received_.clear();
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre_of(area));
        expect("V=1.00\r\n");
        QVERIFY(sw->property("on").toBool());
        QCOMPARE(part(sw, "commandSwitchState")->property("text").toString(), QStringLiteral("开"));
        shot("shipped-switch-on");
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre_of(area));
        expect("V=0.00\r\n");
        QVERIFY(!sw->property("on").toBool());
        // Two commands: off sends the second.
        set_ctx(sw, {{"cmd2_path", QVariantList{1}}, {"cmd2_label", "raw"}});
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre_of(area));
        expect("V=1.00\r\n");
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre_of(area));
        expect(QByteArray::fromHex("AA 00 00 00 00 55"));
    }

    void a_dragged_slider_sends_few_values_and_always_the_last()
    {
        QObject *slider = place("ValueSlider", 0.05, 0.4);
        QVERIFY(slider);
        set_ctx(slider, {{"cmd_path", QVariantList{0}}, {"cmd_label", "value"}, {"range_min", 0.0},
                         {"range_max", 10.0}, {"range_step", 0.5}});
        QQuickItem *groove = part(slider, "valueSliderGroove");
        received_.clear();
        // 80 small moves from the left end to the right end.
        const QPoint from = groove->mapToScene(QPointF(9, groove->height() / 2)).toPoint();
        const QPoint to = groove->mapToScene(QPointF(groove->width() - 9, groove->height() / 2)).toPoint();
        QTest::mousePress(window_, Qt::LeftButton, Qt::NoModifier, from);
        for (int i = 1; i <= 80; ++i)
            QTest::mouseMove(window_, from + (to - from) * i / 80, 4);
        QTest::mouseRelease(window_, Qt::LeftButton, Qt::NoModifier, to, 4);
        QTRY_VERIFY(received_.endsWith("V=10.00\r\n"));
        QTest::qWait(300);
        const QList<QByteArray> lines = received_.split('\n');
        // Each value once at most (21 on the grid), and far fewer than the moves.
        QVERIFY2(lines.size() - 1 <= 20 && lines.size() - 1 >= 2, received_.constData());
        QVERIFY(received_.endsWith("V=10.00\r\n"));
        QCOMPARE(slider->property("value").toDouble(), 10.0);
        received_.clear();
        wait_idle();

        // Hex mode by the keyboard: one step down.
        set_ctx(slider, {{"cmd_path", QVariantList{1}}, {"cmd_label", "raw"}, {"cmd_hex", true}});
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, to);
        expect(QByteArray::fromHex("AA 00 00 20 41 55"));
        QTest::keyClick(window_, Qt::Key_Left);
        expect(QByteArray::fromHex("AA 00 00 18 41 55"));
        shot("shipped-slider");
    }

    void a_knob_turns_by_the_wheel_and_by_dragging()
    {
        QObject *knob = place("ValueKnob", 0.6, 0.3);
        QVERIFY(knob);
        set_ctx(knob, {{"cmd_path", QVariantList{1}}, {"cmd_label", "raw"}, {"value", 2.0}, {"range_step", 1.0}});
        QQuickItem *area = part(knob, "valueKnobArea");
        received_.clear();
        const QPointF at = centre_of(area);
        QWheelEvent wheel(at, window_->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(window_, &wheel);
        expect(QByteArray::fromHex("AA 00 00 40 40 55"));
        // A press at the top of the dial is the middle of the range.
        set_ctx(knob, {{"cmd_path", QVariantList{0}}, {"cmd_label", "value"}});
        const QPoint top = area->mapToScene(QPointF(area->width() / 2, area->height() / 2 - 30)).toPoint();
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, top);
        expect("V=50.00\r\n");
        shot("shipped-knob");
    }

    void readouts_follow_the_channel_values()
    {
        reset_layout();
        QObject *value = place("ChannelValue", 0.02, 0.02);
        QObject *gauge = place("ChannelGauge", 0.35, 0.02);
        QObject *bar = place("LevelBar", 0.8, 0.02);
        QVERIFY(value && gauge && bar);
        set_ctx(gauge, {{"ch", 1}, {"warn_high", 40.0}});
        set_ctx(bar, {{"ch", 2}, {"warn_on", true}});
        send_to_scene("1.25,22.5,75\n1.5,45,80.25\n");
        QTRY_COMPARE(part(value, "channelValueText")->property("text").toString(), QStringLiteral("1.50"));
        QTRY_COMPARE(part(gauge, "channelGaugeValue")->property("text").toString(), QStringLiteral("45.0"));
        QTRY_COMPARE(part(bar, "levelBarValue")->property("text").toString(), QStringLiteral("80.3"));
        const QList<qreal> hub = hub_->rt_values();
        QCOMPARE(value->property("value").toDouble(), hub[0]);
        QCOMPARE(gauge->property("value").toDouble(), hub[1]);
        QCOMPARE(bar->property("value").toDouble(), hub[2]);
        // Above the gauge's warning limit, within the bar's.
        QVERIFY(gauge->property("warning").toBool());
        QVERIFY(!bar->property("warning").toBool());
        QQuickItem *fill = part(bar, "levelBarFill");
        QCOMPARE(fill->height(), part(bar, "levelBarTrack")->height() * 0.8025);
        shot("shipped-readouts");
    }

    void the_picture_view_shows_a_picture_from_the_stream()
    {
        reset_layout();
        QObject *view = place("PictureView", 0.05, 0.05);
        QVERIFY(view);
        QTRY_VERIFY(part(view, "pictureViewEmpty")->isVisible());
        QImage picture(32, 24, QImage::Format_RGB32);
        picture.fill(QColor(255, 0, 0));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(picture.save(&buffer, "PNG"));
        send_to_scene("image:0," + QByteArray::number(png.size()) + ",32,24,28\n" + png + "\n");
        QTRY_COMPARE(view->property("count").toInt(), 1);
        QQuickItem *image = part(view, "pictureViewImage");
        QTRY_COMPARE(image->property("status").toInt(), 1);
        QTRY_VERIFY(image->isVisible());
        QTest::qWait(200);
        const QImage grab = window_->grabWindow();
        const QPoint c = centre_of(image);
        QCOMPARE(grab.pixelColor(c), QColor(255, 0, 0));
        QCOMPARE(part(view, "pictureViewCount")->property("text").toString(), QStringLiteral("1 / 1"));
        shot("shipped-picture-red");
        // The same record with new content is shown again.
        picture.fill(QColor(0, 0, 255));
        png.clear();
        buffer.seek(0);
        QVERIFY(picture.save(&buffer, "PNG"));
        send_to_scene("image:0," + QByteArray::number(png.size()) + ",32,24,28\n" + png + "\n");
        QTRY_COMPARE(window_->grabWindow().pixelColor(c), QColor(0, 0, 255));
    }

    void every_widget_keeps_its_settings_through_a_restart()
    {
        reset_layout();
        const QList<QPair<QString, QVariantMap>> cases = {
            {"CommandButton", {{"cmd_path", QVariantList{1}}, {"cmd_label", "raw"}, {"argument", 2.5}, {"name_text", "Go"}, {"name_follow", false}}},
            {"CommandSwitch", {{"on", true}, {"cmd_path", QVariantList{0}}, {"cmd_label", "value"}, {"name_color", "#ff8800"}, {"name_color_follow", false}}},
            {"ValueSlider", {{"value", 3.0}, {"range_min", -5.0}, {"range_max", 5.0}, {"range_step", 0.25}, {"value_decimal", 2}}},
            {"ValueKnob", {{"value", 7.0}, {"range_max", 20.0}, {"value_scale", 1.5}}},
            {"ChannelValue", {{"ch", 3}, {"value_decimal", 4}, {"name_on", false}}},
            {"ChannelGauge", {{"ch", 1}, {"range_min", -10.0}, {"warn_low", -5.0}, {"warn_on", false}}},
            {"LevelBar", {{"ch", 2}, {"vertical", false}, {"warn_high", 60.0}}},
            {"PictureView", {{"record", 0}, {"fill", true}, {"count_on", false}}},
        };
        double fx = 0.0;
        for (const auto &c : cases) {
            QObject *w = place(c.first, fx, 0.1);
            QVERIFY2(w, qPrintable(c.first));
            set_ctx(w, c.second);
            // Bad members are ignored, nothing throws.
            set_ctx(w, {{"range_max", "x"}, {"ch", QVariantList{1}}, {"name_color", "green"}, {"on", 3}});
            fx += 0.1;
        }
        shot("shipped-all");
        close_window();
        unload_scene();
        QVERIFY(load_scene());
        activate(window_);
        const QList<QQuickItem *> list = hosts();
        QCOMPARE(list.size(), cases.size());
        for (const auto &c : cases) {
            QObject *w = nullptr;
            for (QQuickItem *h : list)
                if (h->property("path").toString() == c.first + ".qml")
                    w = widget_of(h);
            QVERIFY2(w, qPrintable(c.first));
            const QVariantMap ctx = ctx_of(w);
            for (auto it = c.second.begin(); it != c.second.end(); ++it)
                QVERIFY2(ctx.value(it.key()) == it.value(),
                         qPrintable(c.first + "." + it.key() + ": " + ctx.value(it.key()).toString()));
        }
    }
};

QTEST_MAIN(Tst_ShippedWidgets)
#include "tst_shippedwidgets.moc"
