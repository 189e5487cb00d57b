#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "debugserial.h"
#include "linkrig.h"

// The serial link on one end of a pty pair made by socat; the test works
// the other end.
class Tst_DebugSerial : public QObject
{
    Q_OBJECT

    class PtyPair
    {
    public:
        bool start()
        {
            a = dir.filePath("A");
            b = dir.filePath("B");
            proc.start("socat", {"-d", "-d", "pty,raw,echo=0,link=" + a, "pty,raw,echo=0,link=" + b});
            if (!proc.waitForStarted(3000))
                return false;
            return QTest::qWaitFor([this] { return QFileInfo::exists(a) && QFileInfo::exists(b); }, 5000);
        }
        void stop()
        {
            if (proc.state() == QProcess::NotRunning)
                return;
            proc.terminate();
            if (!proc.waitForFinished(3000)) {
                proc.kill();
                proc.waitForFinished(3000);
            }
        }
        ~PtyPair() { stop(); }

        QTemporaryDir dir;
        QProcess proc;
        QString a;
        QString b;
    };

    struct Rig {
        HubRig hub{"ZezoRovar"};
        PtyPair pty;
        QSerialPort peer;
        DebugSerial link;

        bool start()
        {
            if (!pty.start())
                return false;
            peer.setPortName(pty.b);
            peer.setBaudRate(115200);
            if (!peer.open(QIODevice::ReadWrite))
                return false;
            link.set_datahub(&hub.hub);
            link.set_port(pty.a);
            link.set_baud(QStringLiteral("115200"));
            link.set_databits(QStringLiteral("8"));
            link.set_stopbits(QStringLiteral("1"));
            link.set_parity(QStringLiteral("None"));
            link.set_flow_control(QStringLiteral("None"));
            return true;
        }
        QByteArray peer_reads(int want)
        {
            QByteArray got;
            QElapsedTimer t;
            t.start();
            while (got.size() < want && t.elapsed() < 3000) {
                if (peer.bytesAvailable() || peer.waitForReadyRead(50))
                    got += peer.readAll();
            }
            return got;
        }
        void peer_writes(const QByteArray &bytes)
        {
            peer.write(bytes);
            peer.waitForBytesWritten(1000);
        }
    };

    // The termios the link left on its end of the pty.
    static bool settings_of(const QString &path, termios &out)
    {
        const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd < 0)
            return false;
        const bool ok = ::tcgetattr(fd, &out) == 0;
        ::close(fd);
        return ok;
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("socat").isEmpty())
            QSKIP("socat is not installed");
    }

    void receive_and_send()
    {
        Rig r;
        QVERIFY(r.start());
        r.link.open();
        QTRY_VERIFY(r.link.connected());

        r.peer_writes("1,10\n2,");
        r.peer_writes("20\n");
        QTRY_COMPARE(r.hub.row_count(), 2);
        QCOMPARE(r.hub.rows().back(), std::vector<float>({2, 20}));

        r.hub.hub.out_buffer()->appendString("hello\\r\\n", "UTF-8");
        QCOMPARE(r.peer_reads(7), QByteArray("hello\r\n"));
        QTRY_VERIFY(r.hub.terminal().contains("hello"));
        r.link.send("direct");
        QCOMPARE(r.peer_reads(6), QByteArray("direct"));
        // The port has no modem lines; the link says so and stays open.
        QVERIFY(r.hub.terminal().contains("Inappropriate ioctl for device"));
        QVERIFY(r.link.connected());

        r.link.close();
        QTRY_VERIFY(!r.link.connected());
        // Closed: the bytes are dropped without a word.
        const QString before = r.hub.terminal();
        r.link.send("dropped");
        QTest::qWait(100);
        QCOMPARE(r.hub.terminal(), before);
        QCOMPARE(r.peer_reads(1), QByteArray());
    }

    void settings_reach_the_port_data()
    {
        QTest::addColumn<QString>("baud");
        QTest::addColumn<QString>("databits");
        QTest::addColumn<QString>("stopbits");
        QTest::addColumn<QString>("parity");
        QTest::addColumn<QString>("flow");
        QTest::addColumn<uint>("speed");
        // A pty keeps speed, stop bits, flow control and the odd-parity
        // flag; it always runs 8 data bits without parity enabled, so data
        // bits and even parity cannot be seen on it.
        QTest::addColumn<uint>("cflags"); // of CSTOPB | PARODD | CRTSCTS
        QTest::addColumn<bool>("soft");
        QTest::newRow("7E2 soft") << "57600" << "7" << "2" << "Even" << "Soft" << uint(B57600) << uint(CSTOPB)
                                  << true;
        QTest::newRow("5O1.0 hard") << "9600" << "5" << "1.0" << "Odd" << "Hard" << uint(B9600)
                                    << uint(PARODD | CRTSCTS) << false;
        // Unknown texts fall back: one stop bit, no parity, no flow control.
        QTest::newRow("fallbacks") << "19200" << "9" << "3" << "odd" << "hard" << uint(B19200) << 0u << false;
        QTest::newRow("empty") << "4800" << "" << "" << "" << "" << uint(B4800) << 0u << false;
    }

    void settings_reach_the_port()
    {
        QFETCH(QString, baud);
        QFETCH(QString, databits);
        QFETCH(QString, stopbits);
        QFETCH(QString, parity);
        QFETCH(QString, flow);
        QFETCH(uint, speed);
        QFETCH(uint, cflags);
        QFETCH(bool, soft);
        Rig r;
        QVERIFY(r.start());
        r.link.set_baud(baud);
        r.link.set_databits(databits);
        r.link.set_stopbits(stopbits);
        r.link.set_parity(parity);
        r.link.set_flow_control(flow);
        r.link.open();
        QTRY_VERIFY(r.link.connected());
        termios t{};
        QVERIFY(settings_of(r.pty.a, t));
        QCOMPARE(uint(cfgetospeed(&t)), speed);
        QCOMPARE(uint(t.c_cflag & (CSTOPB | PARODD | CRTSCTS)), cflags);
        QCOMPARE(bool(t.c_iflag & IXON), soft);
    }

    void bad_ports_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("baud");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing") << "/nonexistent/ttyQELO" << "9600" << "No such file or directory";
        QTest::newRow("bare name") << "ttyQELO_none" << "9600" << "No such file or directory";
        QTest::newRow("empty") << "" << "9600" << "";
        QTest::newRow("not a tty") << "/etc/hostname" << "9600" << "";
        QTest::newRow("directory") << "/tmp" << "9600" << "";
        QTest::newRow("baud text") << "<pty>" << "fast" << "Invalid baud rate value";
    }

    void bad_ports()
    {
        QFETCH(QString, port);
        QFETCH(QString, baud);
        QFETCH(QString, error);
        Rig r;
        QVERIFY(r.start());
        const int base = linkrig::thread_count();
        if (port != "<pty>")
            r.link.set_port(port);
        r.link.set_baud(baud);
        r.link.open();
        QTRY_VERIFY(r.hub.terminal().contains("DebugSerial - " + error));
        // The port's own error closed the link: its thread ends by itself,
        // and the bare error text came first.
        QVERIFY(linkrig::wait_threads(base));
        QVERIFY(!r.link.connected());
        const QString shown = r.hub.terminal();
        const int prefixed = shown.indexOf("DebugSerial - ");
        const QString text = shown.mid(prefixed + 14).section('\n', 0, 0);
        QVERIFY2(!text.isEmpty(), qPrintable(shown));
        QVERIFY(shown.indexOf(text) < prefixed);

        // A good port opens afterwards.
        r.link.set_port(r.pty.a);
        r.link.set_baud(QStringLiteral("9600"));
        r.link.open();
        QTRY_VERIFY(r.link.connected());
    }

    void other_end_closes()
    {
        Rig r;
        QVERIFY(r.start());
        const int base = linkrig::thread_count();
        r.link.open();
        QTRY_VERIFY(r.link.connected());
        QTest::qWait(100);
        const int lines = r.hub.terminal().count('\n');
        r.peer.close();
        r.pty.stop();
        // The port's read error closes the link; the error text is the
        // port's own (on a pty a stale system text).
        QTRY_VERIFY_WITH_TIMEOUT(!r.link.connected(), 5000);
        QVERIFY(linkrig::wait_threads(base));
        QVERIFY(r.hub.terminal().count('\n') > lines);
    }

    void modem_lines()
    {
        Rig r;
        QVERIFY(r.start());
        // Counted on this thread: the port's side announces from the I/O
        // thread, the property's side from here.
        int dtr = 0;
        int rts = 0;
        int brk = 0;
        connect(&r.link, &DebugSerial::dtr_changed, this, [&] { ++dtr; });
        connect(&r.link, &DebugSerial::rts_changed, this, [&] { ++rts; });
        connect(&r.link, &DebugSerial::break_enabled_changed, this, [&] { ++brk; });

        // Closed: stored and announced at once.
        r.link.set_dtr(true);
        QCOMPARE(dtr, 1);
        QVERIFY(r.link.dtr());
        r.link.set_rts(false);
        QCOMPARE(rts, 1);

        // Open on a pty: the break condition works, DTR and RTS are not
        // there; the link reports that and keeps the port.
        r.link.open();
        QTRY_VERIFY(r.link.connected());
        QTRY_VERIFY(r.hub.terminal().contains("Inappropriate ioctl for device"));
        r.link.set_break_enabled(true);
        QTRY_VERIFY(r.link.break_enabled());
        QTRY_VERIFY(brk >= 2);
        r.link.set_break_enabled(false);
        QTRY_VERIFY(!r.link.break_enabled());

        // RTS reads as off, so writing off changes nothing and emits nothing.
        rts = 0;
        r.link.set_rts(false);
        QTest::qWait(150);
        QCOMPARE(rts, 0);

        r.peer_writes("5,50\n");
        QTRY_COMPARE(r.hub.row_count(), 1);
        QVERIFY(r.link.connected());
    }
};

QTEST_MAIN(Tst_DebugSerial)
#include "tst_debugserial.moc"
