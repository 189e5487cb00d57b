#include <QJsonObject>
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

    static constexpr const char *kNoClient = "DebugServer - No client connected.";

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
        // Emitted on the UI thread by a choice, on the I/O thread when the
        // current client leaves.
        SignalCounter current;
        Rig r;
        current.watch(&r.link, &DebugServer::current_client_id_chananged);
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

    void send_without_client_is_reported_once()
    {
        Rig r;
        OutBuffer *ob = r.hub.hub.out_buffer();
        r.link.open();
        QTRY_VERIFY(r.link.connected());

        // A command repeated every 10 ms with nobody listening: one line,
        // and none of its bytes shown as sent.
        ob->appendRepeatCmd(QJsonObject{{"cmd_hex", "7E7E"}, {"loop_count", 40}, {"loop_ms", 10}}, {0});
        QTRY_VERIFY_WITH_TIMEOUT(!ob->repeating(), 5000);
        ob->appendData("nobody");
        r.link.send("direct");
        QTRY_COMPARE(r.hub.terminal().count(kNoClient), 1);
        QTest::qWait(200);
        QString shown = r.hub.terminal();
        QCOMPARE(shown.count(kNoClient), 1);
        QVERIFY(!shown.contains("~~"));
        QVERIFY(!shown.contains("nobody"));
        QVERIFY(!shown.contains("direct"));
        QVERIFY(ob->datas().isEmpty());

        // With a client, sends reach it and are shown as before.
        QTcpSocket *c = r.join();
        QVERIFY(c);
        ob->appendData("to c");
        QTRY_COMPARE(c->bytesAvailable(), qint64(4));
        QCOMPARE(c->readAll(), QByteArray("to c"));
        QTRY_VERIFY(r.hub.terminal().contains("to c"));
        QCOMPARE(r.hub.terminal().count(kNoClient), 1);

        // Once the client has gone, the next run of sends is reported once
        // more.
        QVERIFY(r.leave(c));
        for (int i = 0; i < 5; ++i) {
            ob->appendData("gone");
            QTest::qWait(60);
        }
        QTRY_COMPARE(r.hub.terminal().count(kNoClient), 2);
        QTest::qWait(100);
        shown = r.hub.terminal();
        QCOMPARE(shown.count(kNoClient), 2);
        QVERIFY(!shown.contains("gone"));
    }

    void client_that_joins_and_leaves_between_sends()
    {
        Rig r;
        r.link.open();
        QTRY_VERIFY(r.link.connected());
        r.link.send("first");
        QTRY_COMPARE(r.hub.terminal().count(kNoClient), 1);
        // A client came and went without a send reaching it: the sends
        // after it are a new run.
        QTcpSocket *c = r.join();
        QVERIFY(c);
        QVERIFY(r.leave(c));
        r.link.send("second");
        QTRY_COMPARE(r.hub.terminal().count(kNoClient), 2);
        QVERIFY(!r.hub.terminal().contains("first"));
        QVERIFY(!r.hub.terminal().contains("second"));
    }

    void send_while_closed_is_not_shown_as_sent()
    {
        Rig r;
        r.link.send("before open");
        QTRY_COMPARE(r.hub.terminal().count(kNoClient), 1);
        r.link.open();
        QTRY_VERIFY(r.link.connected());
        r.link.close();
        QTRY_VERIFY(!r.link.connected());
        r.link.send("after close");
        QTest::qWait(100);
        const QString shown = r.hub.terminal();
        QVERIFY(!shown.contains("before open"));
        QVERIFY(!shown.contains("after close"));
        // Each opening starts a new run.
        QCOMPARE(shown.count(kNoClient), 2);
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

#ifdef Q_OS_LINUX
    // Clients that connect and hang up at once, 200 of them: the link
    // keeps no descriptor and no thread of theirs.
    void many_short_clients_leave_nothing_behind()
    {
        Rig r;
        r.link.open();
        QTRY_VERIFY(r.link.connected());
        const int threads = linkrig::thread_count();
        const int fds = int(QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
        for (int i = 0; i < 200; ++i) {
            QTcpSocket c;
            c.connectToHost(QHostAddress::LocalHost, r.port);
            QVERIFY(c.waitForConnected(3000));
            if (i % 2)
                c.write("1,2\n");
            c.abort();
        }
        QTRY_COMPARE(r.link.clients_number(), 0);
        QVERIFY(linkrig::wait_threads(threads));
        QTRY_COMPARE(int(QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size()), fds);
        // Still serving.
        QTcpSocket *c = r.join();
        QVERIFY(c);
        QVERIFY(r.heard(c, 5));
    }
#endif

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
