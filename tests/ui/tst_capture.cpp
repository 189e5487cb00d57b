#include <QtTest>

#include <QDir>
#include <QProcess>
#include <QSerialPort>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include "demostreams.h"
#include "widgetscene.h"
#include "rawcaptureformat.h"

// Capturing as a user meets it: reopening a link that drops (a TCP peer
// that hangs up and comes back, a serial adapter whose port vanishes and
// returns), replaying a raw capture through the engine and saving rows with
// their arrival times, with these choices kept across a restart.
class Tst_Capture : public QObject, public WidgetScene
{
    Q_OBJECT

    QTemporaryDir home_;

    enum { Serial = 0, Client = 2, Demo = 4, Replay = 5 };

    static QByteArray frames(int first, int count)
    {
        QByteArray out;
        for (int i = first; i < first + count; ++i)
            out += demostreams::zazu_frame({float(i), float(i) * 0.5f});
        return out;
    }

    // Every stored value of channel 0, oldest first.
    std::vector<float> channel0()
    {
        std::vector<float> out;
        hub_->lockDatas();
        const int n = hub_->effective_size();
        for (int i = hub_->size() - n; i < hub_->size(); ++i)
            out.push_back(hub_->value(0, i));
        hub_->unlockDatas();
        return out;
    }

    void use_engine(const QString &name)
    {
        QMetaObject::invokeMethod(pal(), "select_engine_by_name", Q_ARG(QVariant, name));
        QTRY_COMPARE(object("engineCombo")->property("currentText").toString(), name);
    }

    void set_reconnect(bool on)
    {
        QTRY_VERIFY(item("reconnectCheck"));
        if (item("reconnectCheck")->property("checked").toBool() != on)
            QVERIFY(click("reconnectCheck"));
        QCOMPARE(pal()->property("reconnect").toBool(), on);
    }

    // A raw capture of 5000 rows in 50 chunks 1 ms apart.
    QString write_capture()
    {
        const QString file = home_.path() + "/capture.qraw";
        QByteArray capture = RawCaptureFormat::header(QDateTime::currentMSecsSinceEpoch());
        for (int chunk = 0; chunk < 50; ++chunk) {
            const QByteArray bytes = frames(chunk * 100, 100);
            char head[RawCaptureFormat::kRecordHeaderSize];
            RawCaptureFormat::record_header(head, quint32(bytes.size()), chunk * 1000);
            capture += QByteArray(head, sizeof head) + bytes;
        }
        return write(file, capture) ? file : QString();
    }

    void restart()
    {
        close_window();
        unload_scene();
        QVERIFY(load_scene());
        translator_->select_language(0);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(home_.isValid());
        use_home(home_.path());
        answer_file_dialogs();
        QVERIFY(load_scene());
        // The terminal lines are checked in English.
        translator_->select_language(0);
        QCOMPARE(object("linkTypeCombo")->property("currentIndex").toInt(), int(Demo));
    }

    // A case that failed half-way leaves no link open for the next.
    void cleanup()
    {
        if (window_)
            QMetaObject::invokeMethod(pal(), "close_link");
    }

    void cleanupTestCase()
    {
        unload_scene();
        QMLFileDialog::set_chooser({});
    }

    // The peer hangs up and is away for a few attempts; the rows it sent
    // before and after are all there, once each, and the terminal tells
    // each attempt and the return.
    void a_tcp_peer_that_comes_back_is_reconnected()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const quint16 port = server.serverPort();
        use_engine("ZazuZavuv");
        object("linkTypeCombo")->setProperty("currentIndex", int(Client));
        QTRY_VERIFY(item("clientServerIp"));
        QVERIFY(type_into("clientServerIp", "127.0.0.1"));
        QVERIFY(type_into(spin_of("clientServerPort"), QString::number(port)));
        QCOMPARE(pal()->property("client_server_port").toInt(), int(port));
        set_reconnect(true);
        QMetaObject::invokeMethod(object("txRxZone"), "clear_text");
        hub_->clear();

        open_link();
        const qint64 base = hub_->stored_rows();
        QTRY_VERIFY(server.hasPendingConnections() || server.waitForNewConnection(100));
        QTcpSocket *peer = server.nextPendingConnection();
        peer->write(frames(0, 300));
        QTRY_COMPARE(hub_->stored_rows() - base, qint64(300));

        // Away: the peer closes and nobody listens for a while.
        peer->disconnectFromHost();
        server.close();
        QTRY_VERIFY(pal()->property("reconnecting").toBool());
        QVERIFY(link_open());
        QTRY_VERIFY2_WITH_TIMEOUT(terminal_text().contains("reopening the link (attempt 2)"),
                                  qPrintable(terminal_text().right(600)), 5000);
        shot("link-reconnecting");
        QVERIFY(terminal_text().contains("the link dropped; reopening in 0.5 s"));

        // Back on the same port.
        QVERIFY(server.listen(QHostAddress::LocalHost, port));
        QTRY_VERIFY_WITH_TIMEOUT(server.hasPendingConnections() || server.waitForNewConnection(100), 8000);
        peer = server.nextPendingConnection();
        QTRY_VERIFY(pal()->property("connected").toBool());
        QVERIFY(!pal()->property("reconnecting").toBool());
        QTRY_VERIFY(terminal_text().contains("the link is back after"));
        peer->write(frames(300, 300));
        QTRY_COMPARE(hub_->stored_rows() - base, qint64(600));
        const std::vector<float> got = channel0();
        QCOMPARE(int(got.size()), 600);
        for (int i = 0; i < 600; ++i)
            QCOMPARE(got[size_t(i)], float(i));
        shot("link-reconnected");

        // Closing by hand ends it: no more attempts.
        close_link();
        int attempts = terminal_text().count("reopening the link");
        QTest::qWait(1500);
        QCOMPARE(terminal_text().count("reopening the link"), attempts);
        QVERIFY(!link_open());

        // So does unticking the option while the peer is away.
        open_link();
        QTRY_VERIFY(server.hasPendingConnections() || server.waitForNewConnection(100));
        peer = server.nextPendingConnection();
        server.close();
        peer->disconnectFromHost();
        QTRY_VERIFY(pal()->property("reconnecting").toBool());
        set_reconnect(false);
        QTRY_VERIFY(!link_open());
        attempts = terminal_text().count("reopening the link");
        QTest::qWait(1500);
        QCOMPARE(terminal_text().count("reopening the link"), attempts);
        set_reconnect(true);
    }

    // Without the option a peer that hangs up is not called again.
    void without_reconnect_a_drop_is_left_alone()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        pal()->setProperty("client_server_port", int(server.serverPort()));
        set_reconnect(false);
        open_link();
        QTRY_VERIFY(server.hasPendingConnections() || server.waitForNewConnection(100));
        QTcpSocket *peer = server.nextPendingConnection();
        peer->disconnectFromHost();
        QTRY_VERIFY(!pal()->property("connected").toBool());
        QTest::qWait(1200);
        QVERIFY(!pal()->property("reconnecting").toBool());
        QVERIFY(!server.hasPendingConnections());
        close_link();
    }

    // The adapter's port goes away (socat ends) and comes back under the
    // same path.
    void a_serial_port_that_returns_is_reopened()
    {
        const QString dir = home_.path() + "/pty";
        QDir().mkpath(dir);
        const QString a = dir + "/A", b = dir + "/B";
        const QStringList pair{"-d", "-d", "pty,raw,echo=0,link=" + a, "pty,raw,echo=0,link=" + b};
        QProcess socat;
        socat.start("socat", pair);
        QVERIFY(socat.waitForStarted());
        QTRY_VERIFY(QFile::exists(a) && QFile::exists(b));

        use_engine("ZazuZavuv");
        object("linkTypeCombo")->setProperty("currentIndex", int(Serial));
        QTRY_VERIFY(item("portCombo"));
        item("portCombo")->setProperty("editText", a);
        set_reconnect(true);
        QMetaObject::invokeMethod(object("txRxZone"), "clear_text");
        hub_->clear();
        const qint64 base = hub_->stored_rows();
        open_link();

        {
            QSerialPort device(b);
            QVERIFY(device.open(QIODevice::ReadWrite));
            device.write(frames(0, 200));
            QVERIFY(device.waitForBytesWritten(2000));
            QTRY_COMPARE(hub_->stored_rows() - base, qint64(200));
        }
        socat.terminate();
        QVERIFY(socat.waitForFinished(3000));
        QTRY_VERIFY(pal()->property("reconnecting").toBool());
        QTRY_VERIFY_WITH_TIMEOUT(terminal_text().contains("reopening the link (attempt 2)"), 5000);
        QVERIFY(link_open());

        socat.start("socat", pair);
        QVERIFY(socat.waitForStarted());
        QTRY_VERIFY(QFile::exists(a) && QFile::exists(b));
        QTRY_VERIFY_WITH_TIMEOUT(pal()->property("connected").toBool(), 8000);
        QTRY_VERIFY(terminal_text().contains("the link is back after"));
        {
            QSerialPort device(b);
            QVERIFY(device.open(QIODevice::ReadWrite));
            device.write(frames(200, 200));
            QVERIFY(device.waitForBytesWritten(2000));
            QTRY_COMPARE(hub_->stored_rows() - base, qint64(400));
        }
        const std::vector<float> got = channel0();
        for (int i = 0; i < 400; ++i)
            QCOMPARE(got[size_t(i)], float(i));
        close_link();
        socat.terminate();
        socat.waitForFinished(3000);
    }

    // A capture replayed as fast as it decodes gives every row; one that is
    // no capture is named in the terminal.
    void a_raw_capture_is_replayed()
    {
        const QString file = write_capture();

        use_engine("ZazuZavuv");
        QVERIFY(choose("linkTypeCombo", Replay));
        if (!item("replayFile"))
            QVERIFY(click("paramArrow"));
        QTRY_VERIFY(item("replayFile"));
        next_path_ = file;
        QVERIFY(click("pickFile"));
        QTRY_COMPARE(pal()->property("replay_file").toString(), file);
        QVERIFY(choose("replaySpeedCombo", 6));
        QCOMPARE(pal()->property("replay_speed").toDouble(), 0.0);
        QVERIFY(!item("reconnectCheck"));
        shot("link-replay");
        hub_->clear();
        QMetaObject::invokeMethod(object("txRxZone"), "clear_text");
        const qint64 base = hub_->stored_rows();
        QVERIFY(click("openLinkButton"));
        QTRY_COMPARE(hub_->stored_rows() - base, qint64(5000));
        const std::vector<float> got = channel0();
        for (int i = 0; i < 5000; ++i)
            QCOMPARE(got[size_t(i)], float(i));
        // At the end of the capture the link closes itself, ready to play
        // it again.
        QTRY_VERIFY(!link_open());
        QVERIFY(terminal_text().contains("DebugReplay - the end of " + file));
        QVERIFY(click("openLinkButton"));
        QTRY_COMPARE(hub_->stored_rows() - base, qint64(10000));
        QTRY_VERIFY(!link_open());

        QVERIFY(write(file + ".txt", "not a capture at all"));
        pal()->setProperty("replay_file", file + ".txt");
        QVERIFY(click("openLinkButton"));
        QTRY_VERIFY(terminal_text().contains("is not a raw capture"));
        QTRY_VERIFY(!link_open());
        pal()->setProperty("replay_file", file);
    }

    // The file menu's time column: the saved file leads each row with its
    // arrival time, and loads back without it.
    void data_is_saved_with_arrival_times()
    {
        use_engine("ZazuZavuv");
        object("linkTypeCombo")->setProperty("currentIndex", int(Replay));
        pal()->setProperty("replay_file", write_capture());
        pal()->setProperty("replay_speed", 0);
        hub_->clear();
        QVERIFY(click("openLinkButton"));
        QTRY_COMPARE(hub_->effective_size(), 5000);
        QTRY_VERIFY(!link_open()); // the replay closes itself at the end

        QVERIFY(click("menuButton"));
        QQuickItem *entry = nullptr;
        QTRY_VERIFY((entry = with_text(window_->contentItem(), object("fileMenu")->property("title").toString())));
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre_of(entry));
        QTRY_VERIFY((entry = with_text(window_->contentItem(), object("timeColumnMenu")->property("title").toString())));
        QTest::qWait(200);
        QTest::mouseClick(window_, Qt::LeftButton, Qt::NoModifier, centre_of(entry));
        QTRY_VERIFY(in(window_, "timeColumn2"));
        shot("time-column-menu");
        menu_item(window_, "timeColumn1");
        QCOMPARE(hub_->save_time_column(), 1);

        const QString saved = home_.path() + "/timed";
        next_path_ = saved;
        QMetaObject::invokeMethod(window_, "save_data");
        QTRY_VERIFY(QFile::exists(saved + ".csv"));
        QTRY_VERIFY(!alert_text().isEmpty());
        dismiss_alert();
        QList<QByteArray> lines = read(saved + ".csv").split('\n');
        QCOMPARE(lines.size(), 5002);
        QCOMPARE(lines[0], QByteArray("time,I,I\r"));
        // The replayed chunks arrive now, in order.
        qint64 before = 0;
        for (int r = 1; r <= 5000; ++r) {
            const QByteArray time = lines[r].left(lines[r].indexOf(','));
            const QDateTime t = QDateTime::fromString(QString::fromLatin1(time), Qt::ISODateWithMs);
            QVERIFY2(t.isValid(), time.constData());
            QVERIFY(t.toMSecsSinceEpoch() >= before);
            QVERIFY(qAbs(t.msecsTo(QDateTime::currentDateTime())) < 600000);
            before = t.toMSecsSinceEpoch();
        }
        QVERIFY(lines[5000].endsWith(",4999.000000,2499.500000\r"));
        hub_->clear();
        next_path_ = saved + ".csv";
        QMetaObject::invokeMethod(window_, "load_data");
        QTRY_COMPARE_WITH_TIMEOUT(hub_->effective_size(), 5000, 10000);
        QCOMPARE(hub_->num_lines(), 2);
        QTRY_VERIFY(!alert_text().isEmpty());
        dismiss_alert();
    }

    void the_page_survives_a_restart()
    {
        pal()->setProperty("reconnect", true);
        pal()->setProperty("replay_speed", 4);
        hub_->set_save_time_column(2);
        QCOMPARE(object("linkTypeCombo")->property("currentIndex").toInt(), int(Replay));
        const QString file = pal()->property("replay_file").toString();
        restart();
        QCOMPARE(object("linkTypeCombo")->property("currentIndex").toInt(), int(Replay));
        QCOMPARE(pal()->property("replay_file").toString(), file);
        QCOMPARE(pal()->property("replay_speed").toDouble(), 4.0);
        QVERIFY(pal()->property("reconnect").toBool());
        QCOMPARE(hub_->save_time_column(), 2);
        QTRY_VERIFY(item("replaySpeedCombo"));
        QCOMPARE(item("replaySpeedCombo")->property("currentIndex").toInt(), 4);
        // A saved speed that is none of the list's falls back to 1x.
        pal()->setProperty("replay_speed", 3);
        restart();
        QCOMPARE(pal()->property("replay_speed").toDouble(), 1.0);
    }
};

QTEST_MAIN(Tst_Capture)
#include "tst_capture.moc"
