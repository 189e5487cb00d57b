#include <QtTest>
#include <memory>
#include <vector>

#include "debugserver.h"
#include "linkrig.h"

// The TCP server link with several real clients on 127.0.0.1: which one is
// current as they come and go, and that only the current one is heard.
class Tst_DebugServer : public QObject
{
    Q_OBJECT

    struct Rig {
        HubRig hub{"ZezoRovar"};
        DebugServer link;
        quint16 port = linkrig::free_tcp_port();
        std::vector<std::unique_ptr<QTcpSocket>> clients;

        Rig()
        {
            link.set_datahub(&hub.hub);
            link.set_port(port);
        }
        // Connects a client and waits until the link has listed it.
        QTcpSocket *join()
        {
            const int before = link.clients_number();
            clients.push_back(std::make_unique<QTcpSocket>());
            QTcpSocket *c = clients.back().get();
            c->connectToHost(QHostAddress::LocalHost, port);
            if (!c->waitForConnected(3000))
                return nullptr;
            if (!QTest::qWaitFor([&] { return link.clients_number() == before + 1; }, 3000))
                return nullptr;
            return c;
        }
        bool leave(QTcpSocket *c)
        {
            const int before = link.clients_number();
            c->disconnectFromHost();
            return QTest::qWaitFor([&] { return link.clients_number() == before - 1; }, 3000);
        }
        // A row "n,n" from client c; true when the hub stored it.
        bool heard(QTcpSocket *c, int n)
        {
            const int before = hub.row_count();
            c->write(QByteArray::number(n) + "," + QByteArray::number(n) + "\n");
            c->flush();
            const bool stored = QTest::qWaitFor([&] { return hub.row_count() > before; }, 400);
            return stored && hub.rows().back().at(0) == float(n);
        }
    };

private slots:
    void current_client_switching()
    {
        Rig r;
        QSignalSpy current(&r.link, &DebugServer::current_client_id_chananged);
        r.link.open();
        QTRY_VERIFY(r.link.connected());
        QCOMPARE(r.link.current_client_id(), 0);

        QTcpSocket *x = r.join();
        QTcpSocket *y = r.join();
        QTcpSocket *z = r.join();
        QVERIFY(x && y && z);
        QCOMPARE(r.link.clients_number(), 3);
        // The first client is current; the others are read and dropped.
        QVERIFY(r.heard(x, 1));
        QVERIFY(!r.heard(y, 2));
        QVERIFY(!r.heard(z, 3));

        r.link.set_current_client_id(2);
        QCOMPARE(current.count(), 1);
        QVERIFY(r.heard(z, 4));
        QVERIFY(!r.heard(x, 5));
        // Out of range is ignored; the same value is announced again.
        r.link.set_current_client_id(3);
        r.link.set_current_client_id(-1);
        QCOMPARE(current.count(), 1);
        r.link.set_current_client_id(2);
        QCOMPARE(current.count(), 2);
        QCOMPARE(r.link.current_client_id(), 2);

        // Sends reach the current client only.
        r.hub.hub.out_buffer()->appendData("to z");
        QTRY_COMPARE(z->bytesAvailable(), qint64(4));
        QCOMPARE(z->readAll(), QByteArray("to z"));
        QTest::qWait(100);
        QCOMPARE(x->bytesAvailable() + y->bytesAvailable(), qint64(0));

        // X Y Z with Z current; Y leaves: X Z, and Z keeps being current.
        QVERIFY(r.leave(y));
        QTRY_COMPARE(r.link.current_client_id(), 1);
        QVERIFY(r.heard(z, 6));
        QVERIFY(!r.heard(x, 7));

        // X Z with Z current; Z leaves: X becomes current.
        QVERIFY(r.leave(z));
        QTRY_COMPARE(r.link.current_client_id(), 0);
        QVERIFY(r.heard(x, 8));

        // The last one leaves: no client, the index keeps its value, and
        // the next client to arrive is current.
        QVERIFY(r.leave(x));
        QCOMPARE(r.link.clients_number(), 0);
        QCOMPARE(r.link.current_client_id(), 0);
        r.link.set_current_client_id(0);
        QCOMPARE(r.link.current_client_id(), 0);
        QTcpSocket *w = r.join();
        QVERIFY(w);
        QVERIFY(r.heard(w, 9));
    }

    void two_leave_at_once()
    {
        Rig r;
        r.link.open();
        QTRY_VERIFY(r.link.connected());
        QTcpSocket *a = r.join();
        QTcpSocket *b = r.join();
        QTcpSocket *c = r.join();
        QTcpSocket *d = r.join();
        QVERIFY(a && b && c && d);
        r.link.set_current_client_id(3);
        // Two gone one right after the other, neither skipped.
        a->abort();
        c->abort();
        QTRY_COMPARE(r.link.clients_number(), 2);
        QTRY_COMPARE(r.link.current_client_id(), 1);
        QVERIFY(r.heard(d, 10));
        QVERIFY(!r.heard(b, 11));
    }

    void send_without_client_echoes()
    {
        Rig r;
        r.link.open();
        QTRY_VERIFY(r.link.connected());
        r.hub.hub.out_buffer()->appendData("nobody");
        QTRY_VERIFY(r.hub.terminal().contains("nobody"));
        QVERIFY(!r.hub.terminal().contains("DebugServer - "));
        r.link.close();
        QTRY_VERIFY(!r.link.connected());
        // Closed: the bytes are echoed all the same.
        r.link.send("after close");
        QTRY_VERIFY(r.hub.terminal().contains("after close"));
    }

    void closing_drops_clients()
    {
        Rig r;
        const int base = linkrig::thread_count();
        r.link.open();
        QTRY_VERIFY(r.link.connected());
        QTcpSocket *a = r.join();
        QTcpSocket *b = r.join();
        QVERIFY(a && b);
        QSignalSpy gone(a, &QTcpSocket::disconnected);
        r.link.close();
        QTRY_VERIFY(!r.link.connected());
        QTRY_COMPARE(r.link.clients_number(), 0);
        QTRY_COMPARE(gone.count(), 1);
        QVERIFY(linkrig::wait_threads(base));

        // Open again on the same port.
        r.link.open();
        QTRY_VERIFY(r.link.connected());
        QVERIFY(r.join());
    }

    void port_in_use_or_out_of_range()
    {
        QTcpServer holder;
        QVERIFY(holder.listen(QHostAddress::Any, 0));
        Rig r;
        const int base = linkrig::thread_count();
        r.link.set_port(holder.serverPort());
        r.link.open();
        QTRY_VERIFY(r.hub.terminal().contains("DebugServer - The bound address is already in use"));
        QVERIFY(!r.link.connected());
        // It stays open, listening for nothing, until the UI closes it.
        QTest::qWait(100);
        QCOMPARE(linkrig::thread_count(), base + 1);
        r.link.close();
        QVERIFY(linkrig::wait_threads(base));

        // Only the low 16 bits of the port are used.
        r.link.set_port(r.port + 65536);
        r.link.open();
        QTRY_VERIFY(r.link.connected());
        QVERIFY(r.join());
    }
};

QTEST_MAIN(Tst_DebugServer)
#include "tst_debugserver.moc"
