#include <QNetworkDatagram>
#include <QtTest>

#include "debugudp.h"
#include "linkrig.h"

// The UDP link against real datagram sockets on 127.0.0.1.
class Tst_DebugUDP : public QObject
{
    Q_OBJECT

    struct Rig {
        HubRig hub{"ZezoRovar"};
        QUdpSocket peer;
        DebugUDP link;
        quint16 local = linkrig::free_udp_port();

        Rig()
        {
            peer.bind(QHostAddress(QHostAddress::LocalHost), 0);
            link.set_datahub(&hub.hub);
            link.set_serverAddr(QStringLiteral("127.0.0.1"));
            link.set_port_local(local);
            link.set_port_remote(peer.localPort());
        }
        QByteArray next_datagram(int ms = 2000)
        {
            if (!peer.hasPendingDatagrams() && !peer.waitForReadyRead(ms))
                return QByteArray("<none>");
            return peer.receiveDatagram().data();
        }
    };

private slots:
    void exchange()
    {
        Rig r;
        r.link.open();
        QTRY_VERIFY(r.link.connected());

        r.peer.writeDatagram("1,10\n2,20\n", QHostAddress::LocalHost, r.local);
        QTRY_COMPARE(r.hub.row_count(), 2);
        // Any sender is heard; an empty datagram is nothing.
        QUdpSocket other;
        other.writeDatagram("3,30\n", QHostAddress::LocalHost, r.local);
        other.writeDatagram(QByteArray(), QHostAddress::LocalHost, r.local);
        QTRY_COMPARE(r.hub.row_count(), 3);
        QCOMPARE(r.hub.rows().back(), std::vector<float>({3, 30}));

        // Each send is one datagram to the remote address and port.
        r.hub.hub.out_buffer()->appendData("ping");
        QCOMPARE(r.next_datagram(), QByteArray("ping"));
        r.link.send("from the UI thread");
        QCOMPARE(r.next_datagram(), QByteArray("from the UI thread"));
        QTRY_VERIFY(r.hub.terminal().contains("ping"));

        // The port is read at each send, and only its low 16 bits count.
        r.link.set_port_remote(r.peer.localPort() + 65536);
        r.link.send("wrapped");
        QCOMPARE(r.next_datagram(), QByteArray("wrapped"));

        r.link.close();
        QTRY_VERIFY(!r.link.connected());
        r.link.send("late");
        QTRY_VERIFY(r.hub.terminal().contains("DebugUDP - Socket unconnected."));
    }

    void port_in_use()
    {
        Rig r;
        QUdpSocket holder;
        QVERIFY(holder.bind(QHostAddress(QHostAddress::AnyIPv4), 0));
        const int base = linkrig::thread_count();
        r.link.set_port_local(holder.localPort());
        r.link.open();
        QTRY_VERIFY(r.hub.terminal().contains("DDebugUDP - The bound address is already in use"));
        QTRY_VERIFY(!r.link.connected());
        QVERIFY(linkrig::wait_threads(base));
    }

    // Users type names: one is looked up when the link opens.
    void a_host_name_is_looked_up()
    {
        Rig r;
        r.link.set_serverAddr(QStringLiteral("localhost"));
        r.link.open();
        QTRY_VERIFY(r.link.connected());
        r.link.send("by name");
        QCOMPARE(r.next_datagram(), QByteArray("by name"));
        QVERIFY(!r.hub.terminal().contains("DebugUDP - 无法解析主机名"));
    }

    // A name that does not resolve reaches no one and says so once, naming it.
    void an_unknown_name_reaches_no_peer()
    {
        Rig r;
        r.link.set_serverAddr(QStringLiteral("no-such-host.invalid"));
        r.link.open();
        QTRY_VERIFY_WITH_TIMEOUT(r.link.connected(), 15000);
        QTRY_VERIFY(r.hub.terminal().contains("DebugUDP - 无法解析主机名: no-such-host.invalid"));
        r.link.send("lost");
        QCOMPARE(r.next_datagram(300), QByteArray("<none>"));
        // Not sent, so not echoed as sent.
        QVERIFY(!r.hub.terminal().contains("lost"));
        // Receiving still works.
        r.peer.writeDatagram("4,40\n", QHostAddress::LocalHost, r.local);
        QTRY_COMPARE(r.hub.row_count(), 1);
    }
};

QTEST_MAIN(Tst_DebugUDP)
#include "tst_debugudp.moc"
