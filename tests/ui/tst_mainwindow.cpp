#include <QtTest>

#include <QDir>
#include <QMimeData>
#include <QProcess>
#include <QSerialPort>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickTextDocument>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTextDocument>

#include "mainscene.h"
#include "datahub.h"
#include "dyntranslator.h"
#include "markerpainter.h"
#include "markershape.h"
#include "myapplication.h"
#include "outbuffer.h"
#include "qmlfiledialog.h"
#include "ringbufferwave.h"
#include "runpath.h"
#include "startup.h"
#include "textbuffer.h"
#include "typeregistry.h"

// The whole main window as the program shows it: the real documents from
// the resources, the real hub, engines, demo link and chart under Xvfb,
// driven with mouse clicks and keys.
class Tst_MainWindow : public QObject, public MainScene
{
    Q_OBJECT

    QTemporaryDir home_;

private slots:
    void initTestCase()
    {
        QVERIFY(home_.isValid());
        use_home(home_.path());
        answer_file_dialogs();

        QVERIFY(load_scene());
    }

    void cleanupTestCase()
    {
        unload_scene();
        QMLFileDialog::set_chooser({});
    }

    void opens_with_demo_link_and_zezorovar_selected()
    {
        QCOMPARE(window_->flags() & Qt::FramelessWindowHint, Qt::FramelessWindowHint);
        QVERIFY(!window_->property("initializing").toBool());
        QCOMPARE(object("linkTypeCombo")->property("currentIndex").toInt(), 4);
        QCOMPARE(object("demoFormatCombo")->property("currentText").toString(), QStringLiteral("ZezoRovar"));
        QCOMPARE(object("engineCombo")->property("currentText").toString(), QStringLiteral("ZezoRovar"));
        QCOMPARE(hub_->size(), 50000);
        QCOMPARE(object("bufferSize")->property("value").toInt(), 50000);
        QVERIFY(!link_open());
        shot("start");
    }

    void sending_without_a_link_asks_to_open_it()
    {
        type_and_send("nothing");
        QTRY_COMPARE(object("hintText")->property("text").toString(), QStringLiteral("先打开接口哦"));
        QVERIFY(hub_->out_buffer()->datas().isEmpty());
    }

    void opening_the_demo_shows_five_moving_channels()
    {
        open_link();
        QTRY_COMPARE_WITH_TIMEOUT(hub_->num_lines(), 5, 3000);
        const qint64 rows = hub_->stored_rows();
        QTRY_VERIFY(hub_->stored_rows() > rows + 20);
        const QList<qreal> first = hub_->rt_values();
        QTRY_VERIFY(hub_->rt_values() != first);

        QQuickItem *list = item("channelList");
        QVERIFY(list);
        QTRY_COMPARE(list->property("count").toInt(), 5);
        QTRY_VERIFY(item("channelRow4"));
        QTRY_VERIFY(!item("channelRow0")->findChild<QQuickItem *>("channelValue")->property("text").toString().isEmpty());

        QTRY_VERIFY(!terminal_text().isEmpty());
        QCOMPARE(chart()->num_lines(), 5);
        QTRY_VERIFY(chart()->num_points() > 0);
        QTRY_VERIFY(chart()->top_value() > chart()->bottom_value());
        QVERIFY(object("linkIndicator")->property("active").toBool());
        shot("demo-open");

        // The session's counters in the colour bar: frames counted since the
        // opening, nothing said to be dropped; a click starts over.
        QQuickItem *intake = item("intakeLine");
        QVERIFY(intake);
        QTRY_VERIFY(hub_->counters().value(IntakeCounters::Frames) > 20);
        QTRY_VERIFY(intake->property("text").toString().startsWith(QStringLiteral("帧 ")));
        QVERIFY(!intake->property("text").toString().contains(QStringLiteral("丢弃")));
        QCOMPARE(hub_->counters().value(IntakeCounters::Rows), hub_->counters().value(IntakeCounters::Frames));
        QTest::mouseMove(window_, centre(intake));
        QTest::qWait(900);
        shot("intake-line");
        const qint64 before = hub_->counters().value(IntakeCounters::Frames);
        QVERIFY(click("intakeLine"));
        QVERIFY(hub_->counters().value(IntakeCounters::Frames) < before);
    }

    void sending_a_string_shows_its_echo()
    {
        open_link();
        type_and_send("hello qelo 1");
        QTRY_VERIFY(terminal_text().contains("hello qelo 1"));
        QTRY_VERIFY(item("sendInput")->property("text").toString() == "hello qelo 1");

        // Enter sends; Ctrl+Enter only does so after switching the key.
        QQuickItem *input = item("sendInput");
        input->setProperty("text", "by enter 2");
        input->forceActiveFocus();
        QTest::keyClick(window_, Qt::Key_Return);
        QTRY_VERIFY(terminal_text().contains("by enter 2"));
        QVERIFY(click("enterModeButton"));
        input->setProperty("text", "by ctrl enter 3");
        input->forceActiveFocus();
        QTest::keyClick(window_, Qt::Key_Return, Qt::ControlModifier);
        QTRY_VERIFY(terminal_text().contains("by ctrl enter 3"));
        QVERIFY(click("enterModeButton"));

        // Hex input with a line ending.
        QObject *zone = object("txRxZone");
        QMetaObject::invokeMethod(zone, "set_send_hex", Q_ARG(QVariant, true));
        input->setProperty("text", "41 42 43");
        QVERIFY(click("sendButton"));
        QTRY_VERIFY(terminal_text().contains("ABC"));
        QMetaObject::invokeMethod(zone, "set_send_hex", Q_ARG(QVariant, false));
        QCOMPARE(input->property("text").toString(), QStringLiteral("ABC"));

        // Every message goes to the send history, newest first, once each.
        QObject *records = zone->property("send_record_model").value<QObject *>();
        QVERIFY(records);
        QCOMPARE(records->property("count").toInt(), 4);
        shot("sent");
    }

    void repeating_and_file_sending()
    {
        open_link();
        // The demo's own lines stay out of the terminal, so that a slow run
        // cannot scroll the echoes out of the lines it keeps.
        hub_->set_is_hide_wave_text(true);
        QObject *zone = object("txRxZone");
        zone->setProperty("loop_on", true);
        zone->setProperty("loop_ms", 20);
        zone->setProperty("loop_count", 3);
        type_and_send("again and again");
        QTRY_VERIFY(hub_->out_buffer()->repeating() || terminal_text().count("again and again") >= 3);
        QTRY_COMPARE(terminal_text().count("again and again"), 3);
        QTRY_VERIFY(!hub_->out_buffer()->repeating());
        zone->setProperty("loop_on", false);

        // An endless repetition is stopped with the same button.
        zone->setProperty("loop_on", true);
        zone->setProperty("loop_count", -1);
        type_and_send("endless");
        QTRY_VERIFY(hub_->out_buffer()->repeating());
        QVERIFY(click("sendButton"));
        QTRY_VERIFY(!hub_->out_buffer()->repeating());
        zone->setProperty("loop_on", false);

        QTemporaryDir dir;
        const QString path = dir.path() + "/payload.bin";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(20000, 'x'));
        file.close();
        zone->setProperty("send_file", true);
        next_path_ = path;
        QVERIFY(click("pickFile"));
        QCOMPARE(zone->property("send_file_path").toString(), path);
        QVERIFY(click("sendButton"));
        QTRY_VERIFY(hub_->out_buffer()->sending_progress() == 100);
        QTRY_VERIFY(!hub_->out_buffer()->is_sending_file());
        QTRY_VERIFY(item("sendProgressText")->property("text").toString().contains("100"));
        shot("file-sent");

        // A missing file is reported and nothing starts.
        zone->setProperty("send_file_path", dir.path() + "/missing.bin");
        QVERIFY(click("sendButton"));
        QTRY_VERIFY(alert_text().contains("missing.bin"));
        QVERIFY(!hub_->out_buffer()->is_sending_file());
        dismiss_alert();
        zone->setProperty("send_file", false);
        hub_->set_is_hide_wave_text(false);
    }

    void wheel_zooms_and_drag_pans_the_index_window()
    {
        open_link();
        RingBufferWave *c = chart();
        QQuickItem *plot = item("plotArea");
        QVERIFY(plot);
        const int span = c->draw_index_end() - c->draw_index_begin();
        QCOMPARE(c->draw_index_end(), hub_->size() - 1);
        const QPoint at = centre(plot);
        QTest::mouseMove(window_, at);
        QWheelEvent in(at, window_->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(window_, &in);
        const int zoomed = c->draw_index_end() - c->draw_index_begin();
        QVERIFY2(zoomed < span, qPrintable(QString("%1 -> %2").arg(span).arg(zoomed)));
        QWheelEvent out(at, window_->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                        Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(window_, &out);
        QCoreApplication::sendEvent(window_, &out);
        QVERIFY(c->draw_index_end() - c->draw_index_begin() > zoomed);

        // Dragging to the right shows older samples.
        const int end = c->draw_index_end();
        QTest::mousePress(window_, Qt::LeftButton, Qt::NoModifier, at);
        for (int dx = 10; dx <= 120; dx += 10)
            QTest::mouseMove(window_, at + QPoint(dx, 0));
        QTest::mouseRelease(window_, Qt::LeftButton, Qt::NoModifier, at + QPoint(120, 0));
        QVERIFY(c->draw_index_end() < end);
        QVERIFY(c->draw_index_begin() >= 0);

        // Zooming out never leaves the ring.
        for (int i = 0; i < 40; ++i)
            QCoreApplication::sendEvent(window_, &out);
        QVERIFY(c->draw_index_begin() >= 0);
        QVERIFY(c->draw_index_end() <= hub_->size() - 1);
        QVERIFY(click("newestButton"));
        QCOMPARE(c->draw_index_end(), hub_->size() - 1);
        QMetaObject::invokeMethod(wave_chart(), "set_window", Q_ARG(QVariant, hub_->size() - 1001),
                                  Q_ARG(QVariant, hub_->size() - 1));
    }

    void channel_settings_change_the_hub()
    {
        open_link();
        QQuickItem *row = item("channelRow1");
        QVERIFY(row);
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier,
                          row->mapToScene(QPointF(row->width() - 30, 10)).toPoint());
        QTRY_VERIFY(item("nameInput"));
        QQuickItem *name = item("nameInput");
        name->setProperty("text", "pressure");
        QMetaObject::invokeMethod(name, "editingFinished");
        QTRY_COMPARE(hub_->names().value(1), QStringLiteral("pressure"));
        QTRY_COMPARE(row->findChild<QQuickItem *>("channelName")->property("text").toString(),
                     QStringLiteral("pressure"));

        QQuickItem *scale = item("scaleInput");
        scale->setProperty("text", "2.5");
        QMetaObject::invokeMethod(scale, "editingFinished");
        QCOMPARE(hub_->scale(1), 2.5);

        QQuickItem *draw = row->findChild<QQuickItem *>("drawCheck");
        QVERIFY(draw);
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre(draw));
        QTRY_VERIFY(!hub_->if_draws(1));

        QQuickItem *decimals = item("decimalMode");
        QMetaObject::invokeMethod(decimals, "activated", Q_ARG(int, 1));
        QTRY_VERIFY(hub_->decimal(1) > 0);
        shot("channel-settings");

        QVERIFY(click("resetChannel"));
        QTRY_VERIFY(hub_->if_draws(1));
        QCOMPARE(hub_->scale(1), 1.0);
        QCOMPARE(hub_->decimal(1), 0);
        QTRY_VERIFY(draw->property("checked").toBool());
    }

    void switching_to_bars_gives_bar_values()
    {
        open_link();
        QVERIFY(click("chartKindButton"));
        QTRY_VERIFY(item("chartKind1"));
        QVERIFY(click("chartKind1"));
        QTRY_VERIFY(chart()->if_draw_bar());
        QVERIFY(!chart()->if_draw_wave());
        QTRY_VERIFY(!chart()->bar_datas(0).isEmpty());
        QTRY_VERIFY(item("chartKindButton")->property("text").toString().endsWith(QStringLiteral("条形图")));
        shot("bars");

        QVERIFY(click("chartKindButton"));
        QTRY_VERIFY(item("chartKind2"));
        QVERIFY(click("chartKind2"));
        QTRY_VERIFY(chart()->if_draw_histog());
        QTRY_VERIFY(chart()->histog_top_value() > 0);
        shot("histogram");

        QVERIFY(click("chartKindButton"));
        QTRY_VERIFY(item("chartKind3"));
        QVERIFY(click("chartKind3"));
        QTRY_VERIFY(chart()->if_draw_freq());
        shot("spectrum");

        QVERIFY(click("chartKindButton"));
        QTRY_VERIFY(item("chartKind0"));
        QVERIFY(click("chartKind0"));
        QTRY_VERIFY(chart()->if_draw_wave());
        QVERIFY(!chart()->if_draw_bar() && !chart()->if_draw_histog() && !chart()->if_draw_freq());
    }

    void two_cursors_are_measured()
    {
        open_link();
        QQuickItem *plot = item("plotArea");
        const int y = int(plot->height() / 2);
        QTest::mouseDClick(window_, Qt::LeftButton, Qt::NoModifier,
                           plot->mapToScene(QPointF(plot->width() * 0.25, y)).toPoint());
        QTest::mouseDClick(window_, Qt::LeftButton, Qt::NoModifier,
                           plot->mapToScene(QPointF(plot->width() * 0.75, y)).toPoint());
        const QVariantList cursors = wave_chart()->property("cursors").toList();
        QCOMPARE(cursors.size(), 2);
        const int a = cursors[0].toMap().value("at").toInt();
        const int b = cursors[1].toMap().value("at").toInt();
        QVERIFY(b > a);
        const QList<int> selected = marker()->get_selected_cursor_id();
        QCOMPARE(selected.value(0), cursors[0].toMap().value("id").toInt());
        QCOMPARE(selected.value(1), cursors[1].toMap().value("id").toInt());

        // The read-out is the index distance in the chart's unit.
        const QString expected = QString::number(double(b - a) * chart()->unit_a(), 'g', 6);
        bool measured = false;
        for (const MarkerShape &s : marker()->shapes())
            measured = measured || (s.kind == MarkerShape::Text && s.measure && s.text == expected);
        QVERIFY2(measured, qPrintable(expected));
        QTRY_VERIFY(item("cursorHandle"));
        shot("cursors");

        QMetaObject::invokeMethod(wave_chart(), "clear_cursors");
        QCOMPARE(wave_chart()->property("cursors").toList().size(), 0);
        QCOMPARE(marker()->get_selected_cursor_id().value(0), -1);
    }

    void switching_language_is_refused_while_connected()
    {
        open_link();
        QVERIFY(click("menuButton"));
        QTRY_VERIFY(window_->findChild<QObject *>("mainMenu")->property("opened").toBool());
        QTRY_VERIFY(item("saveDataItem", false));
        shot("main-menu");
        QObject *languages = window_->findChild<QObject *>("languageMenu");
        QVERIFY(languages);
        QVariant switched;
        QMetaObject::invokeMethod(languages, "choose", Q_RETURN_ARG(QVariant, switched), Q_ARG(QVariant, 0));
        QVERIFY(!switched.toBool());
        QTRY_VERIFY(alert_text().contains(QStringLiteral("先断开与下位机的连接才能切换语言。")));
        QCOMPARE(translator_->language_index(), 1);
        dismiss_alert();
        QObject *menu = window_->findChild<QObject *>("mainMenu");
        QMetaObject::invokeMethod(menu, "close");
        QTRY_VERIFY(!menu->property("visible").toBool());
    }

    void save_and_load_csv_keeps_the_rows()
    {
        open_link();
        QTRY_VERIFY(hub_->effective_size() > 100);
        close_link();
        QTest::qWait(100);
        const int rows = hub_->effective_size();
        const QList<QString> names = hub_->names();
        QVector<float> last;
        for (int ch = 0; ch < 5; ++ch)
            last << hub_->value(ch, hub_->size() - 1) << hub_->value(ch, hub_->size() - rows);

        next_path_ = home_.path() + "/saved";
        QMetaObject::invokeMethod(window_, "save_data");
        QTRY_VERIFY(QFile::exists(home_.path() + "/saved.csv"));
        QTRY_VERIFY(!alert_text().isEmpty());
        shot("saved");
        dismiss_alert();

        hub_->clear();
        QTRY_COMPARE(hub_->effective_size(), 0);
        next_path_ = home_.path() + "/saved.csv";
        QMetaObject::invokeMethod(window_, "load_data");
        QTRY_COMPARE_WITH_TIMEOUT(hub_->effective_size(), rows, 10000);
        QCOMPARE(hub_->names(), names);
        QVector<float> loaded;
        for (int ch = 0; ch < 5; ++ch)
            loaded << hub_->value(ch, hub_->size() - 1) << hub_->value(ch, hub_->size() - rows);
        QCOMPARE(loaded, last);
        QTRY_VERIFY(!alert_text().isEmpty());
        dismiss_alert();
    }

    void loading_a_broken_csv_is_reported_and_keeps_the_data()
    {
        close_link();
        const int rows = hub_->effective_size();
        QVERIFY(rows > 0);
        const QString path = home_.path() + "/broken.csv";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\xff\xfe not, a\n\x01\x02,\"unterminated\n");
        file.close();
        next_path_ = path;
        QMetaObject::invokeMethod(window_, "load_data");
        QTRY_VERIFY_WITH_TIMEOUT(!alert_text().isEmpty(), 10000);
        dismiss_alert();
        QVERIFY(hub_->num_lines() >= 0);
    }

    void dropping_a_csv_asks_and_loads_it()
    {
        close_link();
        const QString path = home_.path() + "/saved.csv";
        QVERIFY(QFile::exists(path));
        const int rows = hub_->effective_size();
        hub_->clear();
        QTRY_COMPARE(hub_->effective_size(), 0);

        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        const QPoint at(window_->width() / 2, window_->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window_, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window_, &move);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window_, &drop);

        QTRY_VERIFY(alert_text().contains(QStringLiteral("是一个数据文件，")));
        QVERIFY(alert_text().contains(path));
        shot("drop-confirm");
        QCOMPARE(hub_->effective_size(), 0);
        QVERIFY(click("alertOk"));
        QTRY_COMPARE_WITH_TIMEOUT(hub_->effective_size(), rows, 10000);
        QTRY_VERIFY(!alert_text().isEmpty());
        dismiss_alert();
    }

    void a_bad_encoder_is_refused()
    {
        QObject *zone = object("txRxZone");
        const QString before = hub_->text_buffer()->encoder();
        QVariant ok;
        QMetaObject::invokeMethod(zone, "add_encoder", Q_RETURN_ARG(QVariant, ok),
                                  Q_ARG(QVariant, QStringLiteral("NO-SUCH-CODEC-42")));
        QVERIFY(!ok.toBool());
        QTRY_VERIFY(alert_text().contains(QStringLiteral("NO-SUCH-CODEC-42")));
        QCOMPARE(hub_->text_buffer()->encoder(), before);
        dismiss_alert();

        QMetaObject::invokeMethod(zone, "add_encoder", Q_RETURN_ARG(QVariant, ok),
                                  Q_ARG(QVariant, QStringLiteral("ISO-8859-1")));
        QVERIFY(ok.toBool());
        QCOMPARE(hub_->text_buffer()->encoder(), QStringLiteral("ISO-8859-1"));
        QObject *encoders = zone->property("encoder_model").value<QObject *>();
        QCOMPARE(encoders->property("count").toInt(), 3);
        QMetaObject::invokeMethod(zone, "reset_encoders");
        QCOMPARE(encoders->property("count").toInt(), 2);
        QCOMPARE(hub_->text_buffer()->encoder(), QStringLiteral("UTF-8"));
    }

    void serial_port_typed_by_path()
    {
        close_link();
        const QString dir = home_.path() + "/pty";
        QDir().mkpath(dir);
        const QString a = dir + "/A", b = dir + "/B";
        QProcess socat;
        socat.start("socat", {"-d", "-d", "pty,raw,echo=0,link=" + a, "pty,raw,echo=0,link=" + b});
        QVERIFY(socat.waitForStarted());
        QTRY_VERIFY(QFile::exists(a) && QFile::exists(b));

        QObject *p = pal();
        // Raw text from the device: the pass-through engine shows it as is.
        QMetaObject::invokeMethod(p, "select_engine_by_name", Q_ARG(QVariant, QStringLiteral("Passthrough")));
        QTRY_COMPARE(object("engineCombo")->property("currentText").toString(), QStringLiteral("Passthrough"));
        QObject *kind = object("linkTypeCombo");
        kind->setProperty("currentIndex", 0);
        QTRY_VERIFY(item("portCombo"));
        // Pseudo-terminals are not listed: the path is typed.
        item("portCombo")->setProperty("editText", a);
        QCOMPARE(p->property("serial_port").toString(), a);
        QVERIFY(click("openLinkButton"));
        QTRY_VERIFY(p->property("connected").toBool());
        shot("serial-open");

        QSerialPort device(b);
        QVERIFY(device.open(QIODevice::ReadWrite));
        device.write("from the device 7\n");
        QVERIFY(device.waitForBytesWritten(2000));
        QTRY_VERIFY(terminal_text().contains("from the device 7"));

        type_and_send("to the device 8");
        QByteArray got;
        QTRY_VERIFY((device.waitForReadyRead(50), got += device.readAll()).contains("to the device 8"));

        close_link();
        device.close();
        socat.terminate();
        socat.waitForFinished(3000);

        // A port that does not exist is reported and leaves the link closed.
        item("portCombo")->setProperty("editText", dir + "/missing");
        QVERIFY(click("openLinkButton"));
        QTRY_VERIFY(!link_open());
        QTRY_VERIFY(terminal_text().contains("No such file or directory"));
        kind->setProperty("currentIndex", 4);
        QTRY_VERIFY(item("demoFormatCombo"));
        QMetaObject::invokeMethod(p, "select_engine_by_name", Q_ARG(QVariant, QStringLiteral("ZezoRovar")));
    }

    void scrolling_to_the_top_loads_older_text()
    {
        close_link();
        QMetaObject::invokeMethod(object("txRxZone"), "clear_text");
        for (int block = 0; block < 50; ++block) {
            QByteArray lines;
            for (int i = block * 50; i < block * 50 + 50; ++i)
                lines += QStringLiteral("history line %1\n").arg(i, 5, 10, QLatin1Char('0')).toUtf8();
            hub_->PutSentData(lines);
        }
        QTRY_VERIFY(terminal_text().contains("history line 02499"));
        QVERIFY(!terminal_text().contains("history line 00100"));
        const int before = terminal_text().size();

        QTRY_VERIFY(item("rxFlick")->property("contentHeight").toReal() > item("rxFlick")->height());
        shot("before-scroll");
        QQuickItem *flick = item("rxFlick");
        QVERIFY(flick);
        // The user scrolls to the top (as with the wheel or the scroll bar).
        flick->setProperty("contentY", 0);
        QTRY_VERIFY(terminal_text().size() > before);
        QVERIFY(terminal_text().contains("history line 02499"));
        shot("history");

        // Back at the bottom the view follows new text again.
        QMetaObject::invokeMethod(object("txRxZone"), "clear_text");
        hub_->PutSentData("after history\n");
        QTRY_VERIFY(terminal_text().contains("after history"));
    }

    void frameless_window_controls()
    {
        const QRect normal = window_->geometry();
        QVERIFY(click("maximizeButton"));
        QTRY_COMPARE(window_->visibility(), QWindow::Maximized);
        QVERIFY(click("maximizeButton"));
        QTRY_COMPARE(window_->visibility(), QWindow::Windowed);
        QTRY_COMPARE(window_->geometry().size(), normal.size());
        QVERIFY(click("ontopButton"));
        QTRY_VERIFY(window_->flags() & Qt::WindowStaysOnTopHint);
        QVERIFY(click("ontopButton"));
        QTRY_VERIFY(!(window_->flags() & Qt::WindowStaysOnTopHint));
        QVERIFY(QTest::qWaitForWindowExposed(window_));
    }

    void english_at_run_time()
    {
        close_link();
        translator_->select_language(0);
        QTRY_COMPARE(translator_->language_index(), 0);
        QTRY_COMPARE(item("openLinkButton")->property("text").toString(), QStringLiteral("Open link"));
        QCOMPARE(item("closeButton")->property("tip").toString(), QStringLiteral("Close"));
        QCOMPARE(item("sendButton")->property("text").toString(), QStringLiteral("Send"));
        QCOMPARE(object("linkTypeCombo")->property("displayText").toString(), QStringLiteral("Demo data"));
        QCOMPARE(object("linkTypeCombo")->property("currentIndex").toInt(), 4);
        shot("english");
        translator_->select_language(2);
        QTRY_COMPARE(item("sendButton")->property("text").toString(), QStringLiteral("發送消息"));
        QCOMPARE(item("tabButton0")->findChild<QQuickItem *>("tabText")->property("text").toString(), QStringLiteral("波形圖"));
        shot("traditional");
        translator_->select_language(1);
        QTRY_COMPARE(item("sendButton")->property("text").toString(), QStringLiteral("发送消息"));
    }
};

QTEST_MAIN(Tst_MainWindow)
#include "tst_mainwindow.moc"
