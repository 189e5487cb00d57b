#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cmath>
#include <csignal>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include "demostreams.h"

using demostreams::zazu_frame;

// qelo-record end to end: the real program against the demo, a TCP server
// and a serial pty pair made here, with its CSV checked row by row.
class Tst_QeloRecord : public QObject
{
    Q_OBJECT
    QTemporaryDir dir_;
    QString program_ = qEnvironmentVariable("QELO_BUILD_DIR") + "/qelo-record";

    struct Run {
        int code = -1;
        QByteArray out, err;
    };
    Run run(const QStringList &args, int timeout_ms = 30000)
    {
        QProcess p;
        p.start(program_, args);
        Run r;
        if (!p.waitForFinished(timeout_ms)) {
            p.kill();
            p.waitForFinished();
        }
        r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }
    static QByteArray read_all(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static QList<QByteArray> csv_lines(const QString &path)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QByteArray all = f.readAll();
        QList<QByteArray> lines = all.split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }
    // Everything a peer receives until the recorder closes the connection
    // when its time is up.
    static QByteArray read_until_closed(QTcpSocket *peer)
    {
        QByteArray got;
        QElapsedTimer clock;
        clock.start();
        while (peer->state() == QAbstractSocket::ConnectedState && clock.elapsed() < 20000) {
            peer->waitForReadyRead(100);
            got += peer->readAll();
        }
        return got + peer->readAll();
    }

private slots:
    void initTestCase() { QVERIFY(QFile::exists(program_)); }

    void demoRowsFollowTheFormulas_data()
    {
        QTest::addColumn<QString>("protocol");
        QTest::addColumn<double>("tolerance");
        QTest::newRow("ZezoRovar") << "ZezoRovar" << 2e-6;
        QTest::newRow("ZazuZavuv") << "ZazuZavuv" << 1e-6;
    }
    void demoRowsFollowTheFormulas()
    {
        QFETCH(QString, protocol);
        QFETCH(double, tolerance);
        const QString csv = dir_.filePath(protocol + ".csv");
        const Run r = run({"--link", "demo", "--protocol", protocol, "--period", "5", "--seconds", "1.5", "--csv", csv});
        QVERIFY2(r.code == 0, r.err.constData());
        QVERIFY(r.err.contains("rows: "));
        QVERIFY(r.err.contains("csv: " + csv.toLocal8Bit()));
        const QList<QByteArray> lines = csv_lines(csv);
        QVERIFY(lines.size() > 100);
        QCOMPARE(lines.first(), QByteArray("I,I,I,I,I\r"));
        const double pi = 3.141592653589793;
        for (int k = 1; k < lines.size(); ++k) {
            QVERIFY(lines[k].endsWith('\r'));
            const QList<QByteArray> f = lines[k].trimmed().split(',');
            QCOMPARE(f.size(), 5);
            const double t = k * 5 / 1000.0;
            const double want[4] = {std::sin(2 * pi * t) + std::sin(pi * t), std::sin(pi * t / 4),
                                    std::sin(4 * pi * t), std::sin(pi * t)};
            const double r0 = f[0].toDouble();
            QVERIFY(r0 >= -1.7 && r0 < 1.7);
            for (int c = 0; c < 4; ++c)
                QVERIFY2(std::fabs(f[c + 1].toDouble() - want[c]) <= tolerance,
                         qPrintable(QString("row %1 channel %2: %3 vs %4").arg(k).arg(c + 2).arg(f[c + 1].constData()).arg(want[c])));
        }
    }

    void tcpStreamWithCounterLosesNothing()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const QString csv = dir_.filePath("tcp.csv");
        QProcess rec;
        rec.start(program_, {"--link", "tcp-client", "--server-port", QString::number(server.serverPort()),
                             "--engine", "ZazuZavuv", "--csv", csv});
        QVERIFY(rec.waitForStarted(10000));
        QVERIFY(server.waitForNewConnection(10000));
        QTcpSocket *peer = server.nextPendingConnection();
        QTRY_VERIFY(peer->bytesAvailable() >= 5 || peer->waitForReadyRead(100));
        QCOMPARE(peer->readAll(), QByteArray("plot0")); // the banner comes first
        const int rows = 200000;
        QByteArray block;
        for (int i = 0; i < rows; ++i) {
            block += zazu_frame({float(i + 1), 2.5f, -3.25f, 1e3f});
            if (block.size() > 65536 || i == rows - 1) {
                peer->write(block);
                block.clear();
                while (peer->bytesToWrite() > 0)
                    peer->waitForBytesWritten(1000);
            }
        }
        peer->disconnectFromHost();
        // The server closing ends the recording.
        QVERIFY(rec.waitForFinished(30000));
        QCOMPARE(rec.exitCode(), 0);
        const QList<QByteArray> lines = csv_lines(csv);
        QCOMPARE(lines.size(), rows + 1);
        for (int i = 0; i < rows; i += 1) {
            const QByteArray &l = lines[i + 1];
            QVERIFY2(l.startsWith(QByteArray::number(i + 1) + ".000000,2.500000,-3.250000,1000.000000"), l.constData());
        }
    }

#ifdef Q_OS_UNIX
    // A CSV file that takes rows slower than the link brings them (here a
    // pipe read slowly) holds the link back instead of losing rows.
    void slowCsvFileLosesNothing()
    {
        const QString fifo = dir_.filePath("slow.csv");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QProcess rec;
        rec.start(program_, {"--link", "tcp-client", "--server-port", QString::number(server.serverPort()),
                             "--banner", "", "--engine", "ZazuZavuv", "--csv", fifo});
        QVERIFY(rec.waitForStarted(10000));
        QFile csv(fifo);
        QVERIFY(csv.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        QVERIFY(server.waitForNewConnection(10000));
        QTcpSocket *peer = server.nextPendingConnection();
        const int rows = 1200000;
        QByteArray block, got;
        int sent = 0;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 120000) {
            if (sent < rows && peer->bytesToWrite() < (1 << 20)) {
                for (int i = 0; i < 4096 && sent < rows; ++i, ++sent) {
                    // Row numbers a byte per channel: wider integers as
                    // floats can form the frame tail across two values.
                    block += zazu_frame({float(sent & 255), float((sent >> 8) & 255), float(sent >> 16), 2, 3, 4, 5, 6});
                }
                peer->write(block);
                block.clear();
            } else if (sent == rows && peer->bytesToWrite() == 0 && peer->state() == QAbstractSocket::ConnectedState) {
                peer->disconnectFromHost();
            }
            peer->waitForBytesWritten(1);
            // About 20 MB/s out of a recording of about 60 MB/s in.
            char buf[1 << 16];
            const qint64 n = csv.read(buf, 40000);
            if (n > 0)
                got.append(buf, int(n));
            else if (n == 0 && sent == rows && rec.state() == QProcess::NotRunning)
                break;
            QCoreApplication::processEvents();
            QThread::msleep(2);
        }
        QVERIFY(rec.state() == QProcess::NotRunning || rec.waitForFinished(10000));
        QCOMPARE(rec.exitCode(), 0);
        QList<QByteArray> lines = got.split('\n');
        QCOMPARE(lines.takeLast(), QByteArray());
        QCOMPARE(lines.size(), rows + 1);
        for (int i = 0; i < rows; ++i) {
            const QList<QByteArray> v = lines[i + 1].split(',');
            QVERIFY2(v.size() == 8 && v[0].toDouble() + 256 * v[1].toDouble() + 65536 * v[2].toDouble() == i, lines[i + 1].constData());
        }
    }

    // A CSV sink that stops taking data (a pipe whose reader stalls) must
    // not keep the recorder from stopping: it ends on SIGINT or SIGTERM
    // with exit code 4, and what reached the pipe ends with a whole row.
    void stalledSinkStillStops_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("option");
        QTest::newRow("csv SIGINT") << int(SIGINT) << "--csv";
        QTest::newRow("csv SIGTERM") << int(SIGTERM) << "--csv";
        QTest::newRow("raw SIGINT") << int(SIGINT) << "--raw";
    }
    void stalledSinkStillStops()
    {
        QFETCH(int, signal);
        QFETCH(QString, option);
        const bool raw = option == "--raw";
        const QString fifo = dir_.filePath(QString("stalled%1%2").arg(signal).arg(option));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QProcess rec;
        rec.start(program_, {"--link", "tcp-client", "--server-port", QString::number(server.serverPort()),
                             "--banner", "", "--engine", "ZazuZavuv", option, fifo});
        QVERIFY(rec.waitForStarted(10000));
        QFile csv(fifo);
        QVERIFY(csv.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        QVERIFY(server.waitForNewConnection(10000));
        QTcpSocket *peer = server.nextPendingConnection();
        // The peer streams rows while the reader takes a little, then none:
        // the pipe, the writer and its queue fill.
        QByteArray got, all_sent;
        int sent = 0;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 3000) {
            if (peer->bytesToWrite() < (1 << 20)) {
                QByteArray block;
                for (int i = 0; i < 4096; ++i, ++sent)
                    block += zazu_frame({float(sent & 255), float((sent >> 8) & 255), float(sent >> 16), 1});
                peer->write(block);
                if (raw)
                    all_sent += block;
            }
            peer->waitForBytesWritten(5);
            if (clock.elapsed() < 500) {
                char buf[4096];
                const qint64 n = csv.read(buf, sizeof buf);
                if (n > 0)
                    got.append(buf, int(n));
            }
            QCoreApplication::processEvents();
        }
        QVERIFY(rec.state() == QProcess::Running);
        ::kill(pid_t(rec.processId()), signal);
        // Two seconds for the stop; more only when it hangs.
        QElapsedTimer stopping;
        stopping.start();
        while (rec.state() == QProcess::Running && stopping.elapsed() < 10000) {
            peer->waitForBytesWritten(5);
            rec.waitForFinished(20);
        }
        qInfo("stopped %lld ms after the signal", stopping.elapsed());
        QCOMPARE(rec.state(), QProcess::NotRunning);
        QCOMPARE(rec.exitCode(), 4);
        QVERIFY2(rec.readAllStandardError().contains("stopped taking data"), "the reason is given");
        // The rest of what reached the pipe: whole rows in order.
        for (;;) {
            char buf[1 << 16];
            const qint64 n = csv.read(buf, sizeof buf);
            if (n <= 0)
                break;
            got.append(buf, int(n));
        }
        if (raw) {
            // The stream's first bytes, in whole records up to a last one
            // the pipe may have cut.
            QVERIFY(got.startsWith("QELORAW1"));
            QByteArray payload;
            int pos = 16;
            while (pos + 12 <= got.size()) {
                const int length = int(qFromLittleEndian<quint32>(got.constData() + pos));
                if (pos + 12 + length > got.size())
                    break;
                payload += got.mid(pos + 12, length);
                pos += 12 + length;
            }
            QVERIFY(payload.size() > 1000);
            QVERIFY(payload == all_sent.left(payload.size()));
            return;
        }
        QVERIFY(got.endsWith("\r\n"));
        QList<QByteArray> lines = got.split('\n');
        lines.removeLast();
        QVERIFY(lines.size() > 10);
        for (int i = 1; i < lines.size(); ++i) {
            const QList<QByteArray> v = lines[i].split(',');
            QVERIFY2(v.size() == 4 && lines[i].endsWith('\r'), lines[i].constData());
            QCOMPARE(int(v[0].toDouble() + 256 * v[1].toDouble() + 65536 * v[2].toDouble()), i - 1);
        }
    }
#endif

    // --time-column leads each row with its arrival time, absolute or
    // relative; the times read back and never run backwards.
    void timeColumn_data()
    {
        QTest::addColumn<QString>("option");
        QTest::newRow("absolute") << "--time-column";
        QTest::newRow("relative") << "--time-column=relative";
    }
    void timeColumn()
    {
        QFETCH(QString, option);
        const QString csv = dir_.filePath("timed" + QString::number(option.size()) + ".csv");
        const QDateTime before = QDateTime::currentDateTime().addMSecs(-1);
        const Run r = run({"--link", "demo", "--period", "5", "--seconds", "1.5", "--csv", csv, option});
        QCOMPARE(r.code, 0);
        const QDateTime after = QDateTime::currentDateTime().addMSecs(1);
        const QList<QByteArray> lines = csv_lines(csv);
        QVERIFY(lines.size() > 50);
        QVERIFY(lines[0].startsWith("time,"));
        double previous = -1;
        for (int i = 1; i < lines.size(); ++i) {
            const QByteArray first = lines[i].left(lines[i].indexOf(','));
            double t = 0;
            if (option.endsWith("relative")) {
                bool ok = false;
                t = first.toDouble(&ok);
                QVERIFY2(ok && t >= 0 && t < 10, first.constData());
            } else {
                const QDateTime at = QDateTime::fromString(QString::fromLatin1(first), Qt::ISODateWithMs);
                QVERIFY2(at.isValid() && at >= before && at <= after, first.constData());
                QVERIFY(first.contains('.'));
                t = at.toMSecsSinceEpoch();
            }
            QVERIFY(t >= previous);
            previous = t;
            QCOMPARE(lines[i].split(',').size(), lines[0].split(',').size());
        }
        // A bad value is refused.
        QCOMPARE(run({"--time-column=sometimes"}).code, 2);
    }

    // The session's counters against a stream of known content: frames with
    // garbage between them and a long garbage run the engine shows as text;
    // every counter exact in the summary.
    void countersAreExact()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QProcess rec;
        rec.start(program_, {"--link", "tcp-client", "--server-port", QString::number(server.serverPort()),
                             "--banner", "", "--engine", "ZazuZavuv", "--send", "hello"});
        QVERIFY(rec.waitForStarted(10000));
        QVERIFY(server.waitForNewConnection(10000));
        QTcpSocket *peer = server.nextPendingConnection();
        QByteArray stream;
        qint64 frame_bytes = 0, garbage = 0;
        int frames = 0;
        auto frame = [&](const std::vector<float> &v) {
            const QByteArray f = zazu_frame(v);
            stream += f;
            frame_bytes += f.size();
            ++frames;
        };
        for (int i = 0; i < 100; ++i) {
            frame({float(i), 1, 2});
            if (i % 10 == 9) {
                stream += "abc";
                garbage += 3;
            }
        }
        for (int i = 0; i < 100; ++i)
            frame({float(i), 1, 2});
        const qint64 big = 21 * 1000 * 1000;
        stream += QByteArray(int(big), 'x');
        frame({7, 7, 7});
        peer->write(stream);
        while (peer->bytesToWrite() > 0)
            peer->waitForBytesWritten(1000);
        // The peer reads the sent text, then closes: the recorder ends.
        QElapsedTimer clock;
        clock.start();
        QByteArray heard;
        while (!heard.contains("hello") && clock.elapsed() < 10000) {
            peer->waitForReadyRead(100);
            heard += peer->readAll();
        }
        QThread::msleep(500);
        peer->disconnectFromHost();
        QVERIFY(rec.waitForFinished(20000));
        QCOMPARE(rec.exitCode(), 0);
        QMap<QByteArray, qint64> c;
        for (const QByteArray &l : rec.readAllStandardError().split('\n')) {
            const int colon = l.indexOf(": ");
            if (colon > 0)
                c[l.left(colon)] = l.mid(colon + 2).toLongLong();
        }
        QCOMPARE(c.value("received_bytes"), qint64(stream.size()));
        // The engine has no marker to find a frame's start: the garbage's
        // last floats and the last frame's values end at the same tail and
        // make one frame of another width, dropped while the width settles.
        QCOMPARE(c.value("frames"), qint64(frames));
        QCOMPARE(c.value("rows"), qint64(frames - 1));
        QCOMPARE(c.value("rows_width_change"), qint64(1));
        QCOMPARE(c.value("rows_too_wide"), qint64(0));
        const qint64 merged = c.value("decoded_bytes") - (frame_bytes - 16);
        QVERIFY(merged > 16 && merged % 4 == 0);
        // The stream ends with a tail: every byte was taken, none dropped.
        QCOMPARE(c.value("dropped_bytes"), qint64(0));
        QCOMPARE(c.value("undecoded_bytes"), garbage + big - (merged - 16));
        QCOMPARE(c.value("received_bytes"), c.value("decoded_bytes") + c.value("undecoded_bytes"));
        QCOMPARE(c.value("sent_bytes"), qint64(5));
        QCOMPARE(c.value("images"), qint64(0));
    }

    // A raw capture of a TCP stream, decoded again as fast as possible,
    // gives the live recording's CSV byte for byte; paced, the same rows.
    void rawCaptureReplaysToTheSameRows()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const QString live = dir_.filePath("live.csv"), raw = dir_.filePath("capture.raw");
        QProcess rec;
        rec.start(program_, {"--link", "tcp-client", "--server-port", QString::number(server.serverPort()),
                             "--banner", "", "--engine", "ZazuZavuv", "--csv", live, "--raw", raw});
        QVERIFY(rec.waitForStarted(10000));
        QVERIFY(server.waitForNewConnection(10000));
        QTcpSocket *peer = server.nextPendingConnection();
        // Blocks of changing sizes, frames cut across them, garbage between.
        int sent = 0;
        for (int block = 0; block < 60; ++block) {
            QByteArray bytes;
            for (int i = 0; i < 37 * (block % 7 + 1); ++i, ++sent)
                bytes += zazu_frame({float(sent & 255), float(sent >> 8), 0.5f});
            if (block % 5 == 0)
                bytes += "noise";
            peer->write(bytes.left(bytes.size() / 2));
            peer->waitForBytesWritten(1000);
            QThread::msleep(3);
            peer->write(bytes.mid(bytes.size() / 2));
            peer->waitForBytesWritten(1000);
        }
        QThread::msleep(300);
        peer->disconnectFromHost();
        QVERIFY(rec.waitForFinished(20000));
        QCOMPARE(rec.exitCode(), 0);
        QVERIFY(rec.readAllStandardError().contains("raw: " + raw.toLocal8Bit()));
        // The noise costs the engine a frame or two each time.
        QVERIFY(csv_lines(live).size() > sent * 9 / 10);

        const QString again = dir_.filePath("again.csv");
        Run r = run({"--link", "replay", "--file", raw, "--as-fast-as-possible", "--engine", "ZazuZavuv", "--csv", again});
        QCOMPARE(r.code, 0);
        QCOMPARE(read_all(again), read_all(live));
        const QString paced = dir_.filePath("paced.csv");
        r = run({"--link", "replay", "--file", raw, "--speed", "20", "--engine", "ZazuZavuv", "--csv", paced});
        QCOMPARE(r.code, 0);
        QCOMPARE(read_all(paced), read_all(live));

        // A cut capture gives the rows up to the cut and says so in its
        // counters; a file that is no capture is refused.
        const QByteArray whole = read_all(raw);
        const QString cut = dir_.filePath("cut.raw");
        {
            QFile f(cut);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(whole.left(whole.size() - 7));
        }
        r = run({"--link", "replay", "--file", cut, "--as-fast-as-possible", "--engine", "ZazuZavuv",
                 "--csv", dir_.filePath("cut.csv")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.err.contains("link_errors: 1"));
        QVERIFY(csv_lines(dir_.filePath("cut.csv")).size() < sent + 1);
        r = run({"--link", "replay", "--file", live, "--engine", "ZazuZavuv"});
        QCOMPARE(r.code, 3);
        QVERIFY(r.err.contains("is not a raw capture"));
        r = run({"--link", "replay"});
        QCOMPARE(r.code, 2);
    }

    // --reconnect: a TCP peer that closes and comes back; the rows sent
    // before and after the gap are all in the one CSV, none twice.
    void reconnectKeepsRecording()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const QString csv = dir_.filePath("reconnect.csv");
        QProcess rec;
        rec.start(program_, {"--link", "tcp-client", "--server-port", QString::number(server.serverPort()),
                             "--banner", "", "--engine", "ZazuZavuv", "--csv", csv, "--reconnect"});
        QVERIFY(rec.waitForStarted(10000));
        int sent = 0;
        for (int session = 0; session < 3; ++session) {
            QVERIFY(server.waitForNewConnection(15000));
            QTcpSocket *peer = server.nextPendingConnection();
            QVERIFY(peer);
            // Away after the third: connections are refused from now on.
            if (session == 2)
                server.close();
            QByteArray block;
            for (int i = 0; i < 1000; ++i, ++sent)
                block += zazu_frame({float(sent & 255), float(sent >> 8), 1.0f});
            peer->write(block);
            while (peer->bytesToWrite() > 0)
                peer->waitForBytesWritten(1000);
            QThread::msleep(300);
            peer->disconnectFromHost();
            if (peer->state() != QAbstractSocket::UnconnectedState)
                peer->waitForDisconnected(3000);
            delete peer;
        }
        // The third drop: the peer stays away while the attempts go on,
        // further apart; then the user stops.
        QThread::msleep(2500);
        ::kill(pid_t(rec.processId()), SIGINT);
        QVERIFY(rec.waitForFinished(10000));
        QCOMPARE(rec.exitCode(), 0);
        const QByteArray err = rec.readAllStandardError();
        QCOMPARE(err.count("the link dropped"), 3);
        QCOMPARE(err.count("the link is back"), 2);
        QVERIFY(err.contains("reopening the link (attempt 1)"));
        QVERIFY2(err.contains("reopening the link (attempt 2)"), err.constData());
        const QList<QByteArray> lines = csv_lines(csv);
        QCOMPARE(lines.size(), sent + 1);
        for (int i = 1; i < lines.size(); ++i) {
            const QList<QByteArray> v = lines[i].split(',');
            QCOMPARE(int(v[0].toDouble() + 256 * v[1].toDouble()), i - 1);
        }
    }

    // --reconnect with a serial adapter whose port vanishes (socat ends)
    // and comes back under the same path: rows from before and after the
    // gap, each once.
    void reconnectReopensAReturningSerialPort()
    {
        if (QStandardPaths::findExecutable("socat").isEmpty())
            QSKIP("socat is not installed");
        const QString a = dir_.filePath("rtA"), b = dir_.filePath("rtB");
        const QStringList pair{"pty,raw,echo=0,link=" + a, "pty,raw,echo=0,link=" + b};
        QProcess socat;
        socat.start("socat", pair);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(a) && QFile::exists(b), 5000);
        const QString csv = dir_.filePath("serial-reconnect.csv");
        QProcess rec;
        rec.start(program_, {"--link", "serial", "--port", a, "--engine", "ZazuZavuv", "--csv", csv, "--reconnect"});
        QVERIFY(rec.waitForStarted(10000));
        int sent = 0;
        for (int session = 0; session < 2; ++session) {
            QFile other(b);
            QVERIFY(other.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
            QTest::qWait(500); // the recorder has the port open
            QByteArray block;
            for (int i = 0; i < 500; ++i, ++sent)
                block += zazu_frame({float(sent & 255), float(sent >> 8)});
            QCOMPARE(other.write(block), qint64(block.size()));
            QTest::qWait(500);
            other.close();
            socat.terminate();
            QVERIFY(socat.waitForFinished(5000));
            if (session == 0) {
                // Away for a few attempts, then back.
                QTest::qWait(1500);
                socat.start("socat", pair);
                QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(a) && QFile::exists(b), 5000);
                QByteArray err;
                QTRY_VERIFY_WITH_TIMEOUT((err += rec.readAllStandardError()).contains("the link is back"), 10000);
            }
        }
        ::kill(pid_t(rec.processId()), SIGINT);
        QVERIFY(rec.waitForFinished(10000));
        QCOMPARE(rec.exitCode(), 0);
        const QList<QByteArray> lines = csv_lines(csv);
        QCOMPARE(lines.size(), sent + 1);
        for (int i = 1; i < lines.size(); ++i) {
            const QList<QByteArray> v = lines[i].split(',');
            QCOMPARE(int(v[0].toDouble() + 256 * v[1].toDouble()), i - 1);
        }
    }

    void sigintMidStreamKeepsEveryRow()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const QString csv = dir_.filePath("sigint.csv");
        QProcess rec;
        rec.start(program_, {"--link", "tcp-client", "--server-port", QString::number(server.serverPort()),
                             "--engine", "ZazuZavuv", "--csv", csv});
        QVERIFY(rec.waitForStarted(10000));
        QVERIFY(server.waitForNewConnection(10000));
        QTcpSocket *peer = server.nextPendingConnection();
        QElapsedTimer clock;
        clock.start();
        int sent = 0;
        bool interrupted = false;
        while (rec.state() == QProcess::Running && clock.elapsed() < 20000) {
            QByteArray block;
            for (int i = 0; i < 500; ++i)
                block += zazu_frame({float(++sent), 7.0f});
            if (peer->state() != QAbstractSocket::ConnectedState)
                break;
            peer->write(block);
            peer->waitForBytesWritten(100);
            if (!interrupted && clock.elapsed() > 1000) {
                ::kill(pid_t(rec.processId()), SIGINT);
                interrupted = true;
            }
            QCoreApplication::processEvents();
        }
        QVERIFY(rec.state() == QProcess::NotRunning || rec.waitForFinished(10000));
        QCOMPARE(rec.exitCode(), 0);
        const QList<QByteArray> lines = csv_lines(csv);
        QVERIFY(lines.size() > 100);
        for (int i = 1; i < lines.size(); ++i) {
            QVERIFY2(lines[i].endsWith('\r'), "the last row is complete");
            QCOMPARE(lines[i].left(lines[i].indexOf('.')).toInt(), i);
        }
    }

#ifdef Q_OS_LINUX
    // Garbage in bulk: random bytes, a flood of NUL bytes, one line of
    // 200 MB without a line feed and a picture that never comes whole. The
    // recorder takes all of it, ends when
    // the peer hangs up, and does not keep what it cannot decode (its
    // memory stays far below what was sent).
    void floodsOfGarbageAreNotKept()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QProcess rec;
        rec.start(program_, {"--link", "tcp-client", "--server-port", QString::number(server.serverPort()),
                             "--banner", "", "--engine", "ZezoRovar", "--seconds", "120"});
        QVERIFY(rec.waitForStarted(10000));
        QVERIFY(server.waitForNewConnection(10000));
        QTcpSocket *peer = server.nextPendingConnection();
        const QString status = QStringLiteral("/proc/%1/status").arg(rec.processId());
        qint64 peak_kb = 0;
        auto sample = [&]() {
            QFile f(status);
            if (!f.open(QIODevice::ReadOnly))
                return;
            for (const QByteArray &l : f.readAll().split('\n'))
                if (l.startsWith("VmRSS:"))
                    peak_kb = std::max(peak_kb, l.mid(6).trimmed().split(' ').first().toLongLong());
        };
        QByteArray block(1 << 20, Qt::Uninitialized);
        quint32 seed = 12345;
        auto send = [&](int megabytes, char fill, bool random) {
            for (int m = 0; m < megabytes && peer->state() == QAbstractSocket::ConnectedState; ++m) {
                for (int i = 0; i < block.size(); ++i) {
                    seed = seed * 1664525u + 1013904223u;
                    block[i] = random ? char(seed >> 24) : fill;
                }
                // Random bytes that happen to be line feeds would end lines.
                if (!random)
                    block.replace('\n', 'x');
                peer->write(block);
                while (peer->bytesToWrite() > (4 << 20))
                    peer->waitForBytesWritten(50);
                sample();
            }
        };
        send(64, 0, true);
        send(128, 0, false);
        send(200, 'a', false);
        // A picture of 16 MiB announced, a part of it sent, then the close.
        const QByteArray picture = "\nimage:0,16777216,4096,4096,0\n";
        peer->write(picture);
        send(1, 0, false);
        while (peer->bytesToWrite() > 0 && peer->waitForBytesWritten(1000))
            sample();
        for (int i = 0; i < 20; ++i) {
            sample();
            QTest::qWait(50);
        }
        peer->disconnectFromHost();
        QVERIFY(rec.waitForFinished(30000));
        const QByteArray summary = rec.readAllStandardOutput() + rec.readAllStandardError();
        QVERIFY2(rec.exitStatus() == QProcess::NormalExit && rec.exitCode() == 0, summary.constData());
        QVERIFY2(summary.contains("received_bytes: " + QByteArray::number(393 * (1 << 20) + picture.size())),
                 summary.constData());
        qInfo("peak resident memory of the recorder: %lld kB", peak_kb);
        QVERIFY2(peak_kb > 0 && peak_kb < 200 * 1024, QByteArray::number(peak_kb).constData());
    }
#endif

    void sendingReachesThePeerInOrder()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const QString cmds = dir_.filePath("c.cmds.json");
        QFile f(cmds);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(R"({"type":"cmds","vnumber":100,"ctx":[
            {"name":"a","is_group":false,"loop_on":true,"loop_ms":20,"loop_count":2,"cmd_hex":"43 31"},
            {"name":"b","is_group":false,"loop_on":true,"loop_ms":20,"loop_count":1,"cmd_hex":"44"}]})");
        f.close();
        const QString file = dir_.filePath("payload.bin");
        QFile p(file);
        QVERIFY(p.open(QIODevice::WriteOnly));
        p.write(QByteArray(10000, 'F'));
        p.close();
        QProcess rec;
        rec.start(program_, {"--link", "tcp-client", "--server-port", QString::number(server.serverPort()),
                             "--banner", "", "--send", "hello\\n", "--send-hex", "41 42", "--send-file", file,
                             "--cmds", cmds, "--seconds", "4"});
        QVERIFY(rec.waitForStarted(10000));
        QVERIFY(server.waitForNewConnection(10000));
        QTcpSocket *peer = server.nextPendingConnection();
        const QByteArray got = read_until_closed(peer);
        QVERIFY(rec.waitForFinished(10000));
        QCOMPARE(rec.exitCode(), 0);
        QCOMPARE(got, QByteArray("hello\nAB") + QByteArray(10000, 'F') + "C1C1D");
    }

    // Each send goes out whole, however long: nothing of its beginning is
    // dropped; the server is reached by its name.
    void longSendsArriveWhole()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QByteArray text;
        for (int i = 0; i < 1000; ++i)
            text += QByteArray::number(i).rightJustified(9, '0') + ',';
        const QByteArray bytes = QByteArray(6000, '\x5a');
        QProcess rec;
        // The server named as users type it.
        rec.start(program_, {"--link", "tcp-client", "--server-ip", "localhost", "--server-port",
                             QString::number(server.serverPort()), "--banner", "", "--send", QString::fromLatin1(text), "--send-hex",
                             QString::fromLatin1(bytes.toHex(' ')), "--seconds", "3"});
        QVERIFY(rec.waitForStarted(10000));
        QVERIFY(server.waitForNewConnection(10000));
        QTcpSocket *peer = server.nextPendingConnection();
        const QByteArray got = read_until_closed(peer);
        QVERIFY(rec.waitForFinished(10000));
        QCOMPARE(rec.exitCode(), 0);
        QCOMPARE(got.size(), text.size() + bytes.size());
        QVERIFY(got == text + bytes);
    }

    void serialPty()
    {
        if (QStandardPaths::findExecutable("socat").isEmpty())
            QSKIP("socat is not installed");
        const QString a = dir_.filePath("ttyA"), b = dir_.filePath("ttyB");
        QProcess socat;
        socat.start("socat", {"pty,raw,echo=0,link=" + a, "pty,raw,echo=0,link=" + b});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(a) && QFile::exists(b), 5000);
        const QString csv = dir_.filePath("serial.csv");
        QProcess rec;
        rec.start(program_, {"--link", "serial", "--port", a, "--rows", "50", "--csv", csv});
        QVERIFY(rec.waitForStarted(10000));
        QFile other(b);
        QVERIFY(other.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
        for (int i = 0; i < 400 && rec.state() == QProcess::Running; ++i) {
            other.write(QByteArray("v:") + QByteArray::number(i) + ",1.5\r\n");
            rec.waitForFinished(10);
        }
        QVERIFY(rec.state() == QProcess::NotRunning || rec.waitForFinished(10000));
        QCOMPARE(rec.exitCode(), 0);
        const QList<QByteArray> lines = csv_lines(csv);
        QCOMPARE(lines.size(), 51);
        QCOMPARE(lines[1].right(9), QByteArray("1.500000\r"));
        socat.terminate();
        socat.waitForFinished();
    }

    void badOptionsAndExitCodes_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown") << QStringList{"--frobnicate"} << 2 << "--frobnicate";
        QTest::newRow("link") << QStringList{"--link", "carrier-pigeon"} << 2 << "accepts demo, serial, udp, tcp-client, tcp-server";
        QTest::newRow("baud") << QStringList{"--link", "serial", "--port", "/dev/null", "--baud", "fast"} << 2 << "--baud fast";
        QTest::newRow("parity") << QStringList{"--parity", "even"} << 2 << "None, Even, Odd, Space, Mark";
        QTest::newRow("stopbits") << QStringList{"--stopbits", "3"} << 2 << "1, 1.5, 2";
        QTest::newRow("port range") << QStringList{"--server-port", "70000"} << 2 << "from 1 to 65535";
        QTest::newRow("address") << QStringList{"--server-ip", "no host!"} << 2 << "address or a host name";
        QTest::newRow("protocol") << QStringList{"--protocol", "zezorovar"} << 2 << "ZezoRovar, ZazuZavuv";
        QTest::newRow("seconds") << QStringList{"--seconds", "-1"} << 2 << "positive number";
        QTest::newRow("rows") << QStringList{"--rows", "x"} << 2 << "positive whole number";
        QTest::newRow("missing value") << QStringList{"--csv"} << 2 << "--csv needs a value";
        QTest::newRow("encoder") << QStringList{"--encoder", "no-such"} << 2 << "codec";
        QTest::newRow("engine") << QStringList{"--engine", "Nope", "--seconds", "1"} << 2 << "ZezoRovar";
        QTest::newRow("send file") << QStringList{"--send-file", "/no/such/file"} << 2 << "existing file";
        QTest::newRow("serial without port") << QStringList{"--link", "serial"} << 2 << "--port";
        QTest::newRow("both views") << QStringList{"--terminal", "--hex"} << 2 << "exclude";
        QTest::newRow("refused") << QStringList{"--link", "tcp-client", "--server-port", "1"} << 3 << "DebugClient - ";
        QTest::newRow("no such port") << QStringList{"--link", "serial", "--port", "/dev/qelo-missing"} << 3 << "could not be opened";
        QTest::newRow("csv dir missing") << QStringList{"--csv", "/no/such/dir/x.csv", "--seconds", "1"} << 4 << "cannot write";
#ifdef Q_OS_LINUX
        QTest::newRow("csv disk full") << QStringList{"--csv", "/dev/full", "--seconds", "2"} << 4 << "No space left";
        QTest::newRow("raw disk full") << QStringList{"--raw", "/dev/full", "--seconds", "2"} << 4 << "No space left";
#endif
        QTest::newRow("help") << QStringList{"--help"} << 0 << "";
    }
    void badOptionsAndExitCodes()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        const Run r = run(args);
        QVERIFY2(r.code == code, (r.err + r.out).constData());
        QVERIFY2((r.err + r.out).contains(message.toUtf8()), r.err.constData());
        if (code == 0)
            QVERIFY(r.out.contains("Usage: qelo-record"));
    }

    void cmdsFilesThatAreNot()
    {
        const QString bad = dir_.filePath("bad.json");
        for (const QByteArray &content : {QByteArray("{not json"), QByteArray(R"({"type":"tab","vnumber":100,"ctx":{}})"),
                                          QByteArray(R"({"type":"cmds","vnumber":2,"ctx":[]})"), QByteArray("42")}) {
            QFile f(bad);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(content);
            f.close();
            const Run r = run({"--cmds", bad});
            QCOMPARE(r.code, 2);
            QVERIFY(r.err.contains("--cmds"));
        }
    }

    void listings()
    {
        const Run r = run({"--list-engines"});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.contains("ZezoRovar") && r.out.contains("ZazuZavuv") && r.out.contains("Passthrough"));
        QCOMPARE(run({"--list-ports"}).code, 0);
    }
};

QTEST_GUILESS_MAIN(Tst_QeloRecord)
#include "tst_qelorecord.moc"
