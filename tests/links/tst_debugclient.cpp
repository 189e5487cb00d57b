#include <QtTest>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QHostInfo>

#include "debugclient.h"
#include "demostreams.h"
#include "linkrig.h"

// The TCP client link against real servers on 127.0.0.1.
class Tst_DebugClient : public QObject
{
    Q_OBJECT

    static void aim(DebugClient &link, HubRig &rig, const QString &addr, int port, const QString &banner = {})
    {
        link.set_datahub(&rig.hub);
        link.set_serverAddr(addr);
        link.set_port(port);
        link.set_banner(banner);
    }

private slots:
    // The socket looks names up on Qt's lookup thread, which then stays for
    // a while: started here, it is counted in every thread check below.
    void initTestCase()
    {
        QHostInfo::lookupHost(QStringLiteral("localhost"), this, [](const QHostInfo &) {});
        QTest::qWait(500);
    }

    void banner_first_then_queued()
    {
        HubRig rig;
        TcpPeer peer;
        // Emitted on the I/O thread.
        SignalCounter connected;
        DebugClient link;
        connected.watch(&link, &DebugClient::connected_changed);
        aim(link, rig, "127.0.0.1", peer.port(), QStringLiteral("hello 你好\n"));
        link.open();
        QTRY_VERIFY(link.connected());
        QTRY_VERIFY(peer.conn);
        rig.hub.out_buffer()->appendData("queued");
        QTRY_COMPARE(peer.got, QString("hello 你好\nqueued").toUtf8());
        QCOMPARE(connected.count(), 1);
        QTRY_VERIFY(rig.terminal().contains("queued"));

        // A send from the UI thread goes out through the I/O thread.
        link.send("direct");
        QTRY_VERIFY(peer.got.endsWith("direct"));
        link.close();
        QVERIFY(!link.connected());

        // An empty banner writes nothing.
        TcpPeer quiet;
        aim(link, rig, "127.0.0.1", quiet.port());
        link.open();
        QTRY_VERIFY(link.connected() && quiet.conn);
        QTest::qWait(200);
        QVERIFY(quiet.got.isEmpty());
    }

    void receives_frames()
    {
        HubRig rig("ZazuZavuv");
        QVERIFY(rig.has_engine());
        TcpPeer peer;
        DebugClient link;
        aim(link, rig, "127.0.0.1", peer.port());
        link.open();
        QTRY_VERIFY(link.connected() && peer.conn);

        QByteArray stream;
        for (int k = 1; k <= 300; ++k)
            stream += demostreams::zazu_sample(k);
        // Cut across frames: the hub puts the pieces together.
        for (int at = 0; at < stream.size(); at += 1000) {
            peer.conn->write(stream.mid(at, 1000));
            peer.conn->flush();
            QTest::qWait(1);
        }
        QTRY_COMPARE(rig.row_count(), 300);
        const auto rows = rig.rows();
        for (int k = 1; k <= 300; ++k) {
            double v[5];
            demostreams::values(k, v);
            for (int c = 0; c < 5; ++c)
                QCOMPARE(rows[size_t(k - 1)][size_t(c)], float(v[c]));
        }
    }

    void server_closes_connection()
    {
        HubRig rig;
        const int base = linkrig::thread_count();
        TcpPeer peer;
        DebugClient link;
        aim(link, rig, "127.0.0.1", peer.port());
        link.open();
        QTRY_VERIFY(link.connected() && peer.conn);
        peer.conn->close();
        QTRY_VERIFY(!link.connected());
        QTRY_VERIFY(rig.terminal().contains("DebugClient - The remote host closed the connection"));
        // The link closed itself: its thread is gone and a new open() works.
        QVERIFY(linkrig::wait_threads(base));
        TcpPeer again;
        link.set_port(again.port());
        link.open();
        QTRY_VERIFY(link.connected() && again.conn);
    }

    void bad_targets_data()
    {
        QTest::addColumn<QString>("addr");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("message");
        const int refused = linkrig::free_tcp_port();
        QTest::newRow("refused") << "127.0.0.1" << refused << "DebugClient - Connection refused";
        // A name is looked up; what does not resolve is named.
        QTest::newRow("host name") << "localhost" << refused << "DebugClient - Connection refused";
        QTest::newRow("empty") << "" << refused << "DebugClient - 无法解析主机名: ";
        QTest::newRow("bad octet") << "999.1.1.1" << refused << "DebugClient - 无法解析主机名: 999.1.1.1";
        QTest::newRow("garbage") << "12:zz::" << refused << "DebugClient - 无法解析主机名: 12:zz::";
        QTest::newRow("unknown name") << "no-such-host.invalid" << refused
                                      << "DebugClient - 无法解析主机名: no-such-host.invalid";
        QTest::newRow("port 0") << "127.0.0.1" << 65536 << "DebugClient - Connection refused";
    }

    void bad_targets()
    {
        QFETCH(QString, addr);
        QFETCH(int, port);
        QFETCH(QString, message);
        HubRig rig;
        const int base = linkrig::thread_count();
        DebugClient link;
        aim(link, rig, addr, port);
        link.open();
        QTRY_VERIFY_WITH_TIMEOUT(rig.terminal().contains(message), 15000);
        QVERIFY(linkrig::wait_threads(base));
        QVERIFY(!link.connected());
        link.send("late");
        QTRY_VERIFY(rig.terminal().contains("DebugClient - Socket unconnected."));
    }

    void connects_to_a_host_name()
    {
        HubRig rig;
        TcpPeer peer;
        DebugClient link;
        aim(link, rig, "localhost", peer.port());
        link.open();
        QTRY_VERIFY_WITH_TIMEOUT(link.connected() && peer.conn, 10000);
        rig.hub.out_buffer()->appendData("named");
        QTRY_COMPARE(peer.got, QByteArray("named"));
        link.close();
    }

    void port_uses_low_16_bits()
    {
        HubRig rig;
        TcpPeer peer;
        DebugClient link;
        aim(link, rig, "127.0.0.1", peer.port() + 65536);
        QCOMPARE(link.port(), peer.port() + 65536);
        link.open();
        QTRY_VERIFY(link.connected() && peer.conn);
    }

    void close_with_hung_peer()
    {
        // A peer that accepted in the kernel but never reads: the queued
        // bytes can never leave.
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        QVERIFY(fd >= 0);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&sa), sizeof sa), 0);
        QCOMPARE(::listen(fd, 4), 0);
        socklen_t len = sizeof sa;
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&sa), &len);

        HubRig rig;
        const int base = linkrig::thread_count();
        DebugClient link;
        aim(link, rig, "127.0.0.1", ntohs(sa.sin_port));
        link.open();
        QTRY_VERIFY(link.connected());
        for (int i = 0; i < 16; ++i)
            link.send(QByteArray(1 << 20, 'x'));
        // Once the marker is echoed, every write has been queued.
        link.send("marker");
        QTRY_VERIFY_WITH_TIMEOUT(rig.terminal().contains("marker"), 30000);
        QElapsedTimer clock;
        clock.start();
        link.close();
        const qint64 took = clock.elapsed();
        ::close(fd);
        QVERIFY2(took < 2500, qPrintable(QString("close() took %1 ms").arg(took)));
        QVERIFY(!link.connected());
        QVERIFY(linkrig::wait_threads(base));
        QTRY_VERIFY(rig.terminal().contains("DebugClient - Network operation timed out"));
    }
};

QTEST_MAIN(Tst_DebugClient)
#include "tst_debugclient.moc"
