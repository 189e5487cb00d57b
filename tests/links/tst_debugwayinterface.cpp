#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>
#include <mutex>

#include "debugclient.h"
#include "debugdemo.h"
#include "debugserial.h"
#include "debugserver.h"
#include "debugudp.h"
#include "linkrig.h"

// What all links share, over real links: the I/O thread's life when open()
// and close() meet it at any point, the send tick with repeated commands,
// and file transfers to a real TCP peer.
class Tst_DebugWayInterface : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTcpServer> listener_;

    // A link of the named kind with parameters under which it can open.
    std::unique_ptr<QObject> make(const QString &kind, DataHub *hub)
    {
        std::unique_ptr<QObject> link;
        if (kind == "serial") {
            auto *l = new DebugSerial;
            l->set_port(QStringLiteral("/nonexistent/ttyQELO"));
            l->set_baud(QStringLiteral("9600"));
            link.reset(l);
        } else if (kind == "udp") {
            auto *l = new DebugUDP;
            l->set_port_local(linkrig::free_udp_port());
            l->set_port_remote(9);
            l->set_serverAddr(QStringLiteral("127.0.0.1"));
            link.reset(l);
        } else if (kind == "client") {
            auto *l = new DebugClient;
            l->set_serverAddr(QStringLiteral("127.0.0.1"));
            l->set_port(listener_->serverPort());
            link.reset(l);
        } else if (kind == "server") {
            auto *l = new DebugServer;
            l->set_port(linkrig::free_tcp_port());
            link.reset(l);
        } else {
            link.reset(new DebugDemo);
        }
        dynamic_cast<DebugWayInterface *>(link.get())->set_datahub(hub);
        return link;
    }

    static DebugWayInterface *way(const std::unique_ptr<QObject> &link)
    {
        return dynamic_cast<DebugWayInterface *>(link.get());
    }

    static QJsonObject leaf(const char *hex, int count, int ms)
    {
        return {{"cmd_hex", hex}, {"loop_count", count}, {"loop_ms", ms}};
    }

    // The link is declared last so that it is destroyed first: its file
    // thread records progress into the members above until it has ended.
    struct FileRig {
        HubRig rig;
        TcpPeer peer;
        QTemporaryDir dir;
        OutBuffer *ob = rig.hub.out_buffer();
        std::mutex lock;
        std::vector<int> progress;
        QByteArray content;
        DebugClient link;

        FileRig()
        {
            link.set_datahub(&rig.hub);
            link.set_serverAddr(QStringLiteral("127.0.0.1"));
            link.set_port(peer.port());
            // Emitted on the file thread; recorded there.
            QObject::connect(ob, &OutBuffer::sending_progress_changed, [this] {
                std::lock_guard<std::mutex> l(lock);
                progress.push_back(ob->sending_progress());
            });
        }
        bool open()
        {
            link.open();
            return QTest::qWaitFor([this] { return link.connected() && peer.conn; }, 5000);
        }
        // Text lines so that an echo of the content would show in the
        // terminal.
        QString write_file(const QString &name, int size)
        {
            QByteArray bytes;
            for (int i = 0; bytes.size() < size; ++i)
                bytes += QByteArray::number(i).rightJustified(7, '0').prepend("line ") + " of the file\n";
            bytes.truncate(size);
            const QString path = dir.filePath(name);
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(bytes);
            content = bytes;
            return path;
        }
    };

private slots:
    void initTestCase()
    {
        listener_ = std::make_unique<QTcpServer>();
        QVERIFY(listener_->listen(QHostAddress::LocalHost, 0));
        // Accepted connections stay open (children of the server) so the
        // client link stays connected.
        connect(listener_.get(), &QTcpServer::newConnection, this, [this] {
            while (listener_->hasPendingConnections())
                listener_->nextPendingConnection();
        });
    }

    void lifecycle_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *k : {"serial", "udp", "client", "server", "demo"})
            QTest::newRow(k) << QString(k);
    }

    void lifecycle()
    {
        QFETCH(QString, kind);
        HubRig rig;
        const int base = linkrig::thread_count();

        // Never opened: close() is harmless, twice.
        {
            auto link = make(kind, &rig.hub);
            way(link)->close();
            way(link)->close();
            QVERIFY(!way(link)->connected());
        }
        QVERIFY(linkrig::wait_threads(base));

        // close() right after open(), before or while the thread makes its
        // loop, and at random points after: no thread is left behind.
        {
            auto link = make(kind, &rig.hub);
            for (int i = 0; i < 60; ++i) {
                way(link)->open();
                if (i % 3 == 1)
                    QThread::usleep(200 * (i % 7));
                way(link)->close();
            }
            QVERIFY(linkrig::wait_threads(base));
            QVERIFY(!way(link)->connected());

            // A storm that ends with open() leaves the link open.
            for (int i = 0; i < 30; ++i) {
                way(link)->open();
                way(link)->close();
            }
            way(link)->open();
            if (kind != "serial")
                QTRY_VERIFY_WITH_TIMEOUT(way(link)->connected(), 5000);
            // A second open() of a running link starts nothing.
            way(link)->open();
            if (kind != "serial") {
                QTest::qWait(100);
                QCOMPARE(linkrig::thread_count(), base + 1);
                QVERIFY(way(link)->connected());
            }
            way(link)->close();
            QVERIFY(linkrig::wait_threads(base));
            QTRY_VERIFY(!way(link)->connected());
        }

        // Destroying an open link closes it and waits for its thread.
        {
            auto link = make(kind, &rig.hub);
            way(link)->open();
            if (kind != "serial")
                QTRY_VERIFY_WITH_TIMEOUT(way(link)->connected(), 5000);
        }
        QVERIFY(linkrig::wait_threads(base));

        // Without a hub the tick and the handlers have nothing to do.
        {
            auto link = make(kind, nullptr);
            way(link)->open();
            QTest::qWait(150);
            way(link)->send("x");
            QTest::qWait(50);
        }
        QVERIFY(linkrig::wait_threads(base));
    }

    void repeated_commands_paced()
    {
        HubRig rig;
        TcpPeer peer;
        OutBuffer *ob = rig.hub.out_buffer();
        // Emitted on the I/O thread.
        SignalCounter positions;
        positions.watch(ob, &OutBuffer::current_cmd_position_changed);
        DebugClient link;
        link.set_datahub(&rig.hub);
        link.set_serverAddr(QStringLiteral("127.0.0.1"));
        link.set_port(peer.port());
        link.open();
        QTRY_VERIFY(link.connected() && peer.conn);

        // A A B, then the group's own pause of 200 ms with nothing sent;
        // twice.
        const QJsonObject tree{{"is_group", true},
                               {"loop_count", 2},
                               {"loop_ms", 200},
                               {"subCmds", QJsonArray{leaf("41", 2, 100), leaf("42", 1, 300)}}};
        ob->appendRepeatCmd(tree, {0});
        QTRY_VERIFY_WITH_TIMEOUT(!ob->repeating(), 5000);
        QTRY_COMPARE(peer.got, QByteArray("AABAAB"));

        std::vector<qint64> at;
        for (const auto &a : peer.arrivals)
            for (int i = 0; i < a.second.size(); ++i)
                at.push_back(a.first);
        QCOMPARE(int(at.size()), 6);
        // The wait after each byte is the period of the command just sent,
        // plus the group's pause after B.
        const int expected[] = {100, 100, 500, 100, 100};
        for (int i = 0; i < 5; ++i) {
            const qint64 gap = at[size_t(i + 1)] - at[size_t(i)];
            QVERIFY2(gap >= expected[i] - 15 && gap <= expected[i] + 90,
                     qPrintable(QString("gap %1: %2 ms, want %3").arg(i).arg(gap).arg(expected[i])));
        }
        QCOMPARE(ob->repeating_command_index(), -1);
        QVERIFY(ob->current_cmd_position().isEmpty());
        QVERIFY(positions.count() >= 9);

        // Back at the 50 ms tick: typed bytes go out at once again.
        peer.got.clear();
        peer.clock.restart();
        ob->appendData("after");
        QTRY_COMPARE(peer.got, QByteArray("after"));
    }

    void file_sent_whole()
    {
        FileRig f;
        const QString path = f.write_file("whole.txt", 1 << 20);
        QVERIFY(f.open());
        QVERIFY(f.ob->appendFile(path));
        QTRY_VERIFY_WITH_TIMEOUT(f.peer.got.size() >= f.content.size(), 30000);
        QTRY_VERIFY(!f.ob->is_sending_file());
        QVERIFY(f.peer.got == f.content);

        QCOMPARE(f.ob->sending_progress(), 100);
        QCOMPARE(f.ob->file_size(), 0);
        QCOMPARE(f.ob->file_sent_size(), 1 << 20);
        {
            std::lock_guard<std::mutex> l(f.lock);
            QVERIFY(!f.progress.empty());
            QCOMPARE(f.progress.back(), 100);
            QVERIFY(std::is_sorted(f.progress.begin(), f.progress.end()));
        }
        const QString shown = f.rig.terminal();
        QVERIFY2(shown.contains("[已发送文件: 1048576/1048576 bytes, 100%]"), qPrintable(shown.right(300)));
        // The content is not echoed; the summary stands for it.
        QVERIFY(!shown.contains("line 0000"));

        // Typed bytes after the transfer go out and are echoed again.
        f.peer.got.clear();
        f.ob->appendData("next");
        QTRY_COMPARE(f.peer.got, QByteArray("next"));
        QTRY_VERIFY(f.rig.terminal().contains("next"));
    }

    void file_stopped_midway()
    {
        FileRig f;
        const QString path = f.write_file("stopped.txt", 1 << 20);
        QVERIFY(f.open());
        QVERIFY(f.ob->appendFile(path));
        QTRY_VERIFY_WITH_TIMEOUT(f.peer.got.size() >= 64 * 1024, 10000);
        f.ob->set_is_sending_file(false);
        // At most the chunk on its way is still sent: within a tick the
        // stream stands.
        QTest::qWait(60);
        const int after_tick = f.peer.got.size();
        QTest::qWait(400);
        QCOMPARE(f.peer.got.size(), after_tick);
        QVERIFY(after_tick < f.content.size());
        QVERIFY(f.peer.got == f.content.left(f.peer.got.size()));

        QTRY_COMPARE(f.ob->sending_progress(), 50);
        const QString shown = f.rig.terminal();
        const QRegularExpression summary("\\[已发送文件: (\\d+)/1048576 bytes, (\\d+)%\\]");
        const QRegularExpressionMatch m = summary.match(shown);
        QVERIFY2(m.hasMatch(), qPrintable(shown.right(300)));
        QVERIFY(m.captured(1).toInt() < (1 << 20));
        QVERIFY(m.captured(1).toInt() >= f.peer.got.size());
        QVERIFY(m.captured(2).toInt() < 100);
        QVERIFY(f.ob->datas().isEmpty());
    }

    void file_truncated_midway()
    {
        FileRig f;
        const QString path = f.write_file("shrinks.txt", 1 << 20);
        QVERIFY(f.open());
        QVERIFY(f.ob->appendFile(path));
        QTRY_VERIFY_WITH_TIMEOUT(f.peer.got.size() >= 32 * 1024, 10000);
        QVERIFY(QFile::resize(path, 0));
        QTRY_VERIFY_WITH_TIMEOUT(!f.ob->is_sending_file(), 5000);
        QCOMPARE(f.ob->sending_progress(), 50);

        const QString shown = f.rig.terminal();
        QVERIFY2(shown.contains("DebugClient - 文件读取中断: " + path), qPrintable(shown.right(300)));
        const QRegularExpressionMatch m = QRegularExpression("\\[已发送文件: (\\d+)/1048576 bytes").match(shown);
        QVERIFY(m.hasMatch());
        // Every byte read was sent, and only those.
        QTRY_COMPARE(f.peer.got.size(), m.captured(1).toInt());
        QVERIFY(f.peer.got == f.content.left(f.peer.got.size()));
        QVERIFY(f.link.connected());
    }

    void file_unopenable_or_empty()
    {
        FileRig f;
        // Chosen while the link is closed, gone before the transfer starts.
        const QString gone = f.write_file("gone.txt", 5000);
        QVERIFY(f.ob->appendFile(gone));
        QVERIFY(QFile::remove(gone));
        QVERIFY(f.open());
        QTRY_VERIFY_WITH_TIMEOUT(!f.ob->is_sending_file(), 5000);
        QCOMPARE(f.ob->sending_progress(), 50);
        QString shown = f.rig.terminal();
        QVERIFY2(shown.contains("DebugClient - 无法打开文件: " + gone), qPrintable(shown));
        QVERIFY(!shown.contains("已发送文件"));
        QVERIFY(f.peer.got.isEmpty());

        const QString empty = f.write_file("empty.txt", 0);
        QVERIFY(f.ob->appendFile(empty));
        QTRY_VERIFY_WITH_TIMEOUT(!f.ob->is_sending_file(), 5000);
        QCOMPARE(f.ob->sending_progress(), 50);
        QTRY_VERIFY(f.rig.terminal().contains("[已发送文件: 0/0 bytes, 0%]"));
        QTest::qWait(100);
        QVERIFY(f.peer.got.isEmpty());
        QVERIFY(f.link.connected());
    }
};

QTEST_MAIN(Tst_DebugWayInterface)
#include "tst_debugwayinterface.moc"
