#ifndef LINKRIG_H
#define LINKRIG_H

#include <QDir>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>
#include <atomic>
#include <memory>
#include <vector>

#include "datahub.h"
#include "terminaldocument.h"

// A hub with a shipped engine selected and a real terminal text area fed
// by its text buffer.
class HubRig
{
public:
    explicit HubRig(const QString &engine = QString(), int size = 100000)
    {
        hub.set_size(size);
        TextBuffer *text = hub.text_buffer();
        text->set_if_show_time(false);
        text->set_doc(view.doc());
        if (!engine.isEmpty()) {
            DataEngineLoader *loader = hub.data_engine_loader();
            loader->set_directory(qEnvironmentVariable("QELO_BUILD_DIR") + "/plugins/dataengines");
            loader->loadEngines();
            loader->selectEngine(loader->name_list().indexOf(engine));
        }
    }

    bool has_engine() { return hub.data_engine_loader()->engine() != nullptr; }

    // Everything the terminal holds, as plain text.
    QString terminal()
    {
        TextBuffer *text = hub.text_buffer();
        text->text();
        while (text->all_text()) {
        }
        return view.text_document()->toPlainText();
    }

    // The stored rows, oldest first.
    std::vector<std::vector<float>> rows()
    {
        std::vector<std::vector<float>> out;
        hub.lockDatas();
        const int n = hub.effective_size();
        const int size = hub.size();
        const int lines = hub.num_lines();
        for (int k = 0; k < n; ++k) {
            std::vector<float> row;
            const int at = ((hub.head_index() - n + k) % size + size) % size;
            for (int c = 0; c < lines; ++c)
                row.push_back(hub.ring(c)[at]);
            out.push_back(row);
        }
        hub.unlockDatas();
        return out;
    }

    int row_count()
    {
        hub.lockDatas();
        const int n = hub.effective_size();
        hub.unlockDatas();
        return n;
    }

    TerminalDocument view;
    DataHub hub;
};

// Counts a signal on whichever thread emits it. QSignalSpy records without
// a lock, so it may only watch signals emitted on the test's own thread.
// Declared before the link it watches, so that it outlives the link's
// threads.
class SignalCounter : public QObject
{
public:
    template <typename Sender, typename Signal>
    void watch(const Sender *sender, Signal signal)
    {
        connect(sender, signal, this, [this] { count_.fetch_add(1); }, Qt::DirectConnection);
    }

    int count() const { return count_.load(); }

private:
    std::atomic<int> count_{0};
};

// A TCP peer on 127.0.0.1 that takes one connection and records what
// arrives on it, with the arrival time of each piece.
class TcpPeer : public QObject
{
public:
    TcpPeer()
    {
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *s = server.nextPendingConnection();
            if (conn) {
                s->close();
                return;
            }
            conn = s;
            connect(conn, &QTcpSocket::readyRead, this, [this] {
                if (reading)
                    collect();
            });
        });
        clock.start();
    }

    quint16 port() const { return server.serverPort(); }

    void collect()
    {
        const QByteArray bytes = conn->readAll();
        if (bytes.isEmpty())
            return;
        arrivals.push_back({clock.elapsed(), bytes});
        got += bytes;
    }

    QTcpServer server;
    QTcpSocket *conn = nullptr;
    QByteArray got;
    std::vector<std::pair<qint64, QByteArray>> arrivals;
    QElapsedTimer clock;
    bool reading = true;
};

namespace linkrig {

inline quint16 free_tcp_port()
{
    QTcpServer probe;
    probe.listen(QHostAddress::Any, 0);
    return probe.serverPort();
}

inline quint16 free_udp_port()
{
    QUdpSocket probe;
    probe.bind(QHostAddress(QHostAddress::AnyIPv4), 0);
    return probe.localPort();
}

// Threads of this process; a link that leaks its I/O thread shows here.
inline int thread_count()
{
    return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}

// True once no more threads run than expected. Fewer is fine: an idle
// pool thread that Qt started earlier may expire meanwhile.
inline bool wait_threads(int expected, int ms = 5000)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        if (thread_count() <= expected)
            return true;
        QTest::qWait(10);
    }
    return thread_count() <= expected;
}

}

#endif
