#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QtEndian>
#include <atomic>
#include <benchmark/benchmark.h>
#include <memory>

#include "datahub.h"
#include "debugclient.h"

// End to end over TCP on 127.0.0.1: a sender thread pushes ZazuZavuv frames
// of 8 channels as fast as the connection takes them into a DebugClient,
// whose I/O thread hands them to the hub with the shipped engine selected.
// Channels 0 to 3 carry the row number, a byte each: integers up to 255 as
// floats never form the frame tail 00 00 80 7F, not even across values
// (wider integers do: 1022.0 after 0.0 does). A checker walks every stored
// row and fails the run on a gap.
namespace {

constexpr int kChannels = 8;
constexpr int kFrame = kChannels * 4 + 4;
constexpr int kBatch = 4096;
// Room for well over a second of rows, so the checker can fall behind.
constexpr int kRingRows = 1 << 24;

struct Sender {
    int seconds = 5;
    std::atomic<quint16> port{0};
    std::atomic<bool> listening{false};
    std::atomic<bool> failed{false};
    std::atomic<bool> done{false};
    std::atomic<qint64> rows{0};
    std::atomic<qint64> first_byte_ns{0};

    void run()
    {
        QTcpServer server;
        if (!server.listen(QHostAddress::LocalHost, 0)) {
            failed = true;
            return;
        }
        port = server.serverPort();
        listening = true;
        if (!server.waitForNewConnection(10000)) {
            failed = true;
            return;
        }
        QTcpSocket *s = server.nextPendingConnection();
        QByteArray batch(kBatch * kFrame, Qt::Uninitialized);
        char *p = batch.data();
        for (int i = 0; i < kBatch; ++i) {
            char *f = p + i * kFrame;
            for (int c = 4; c < kChannels; ++c)
                qToLittleEndian(float(c), f + c * 4);
            memcpy(f + kChannels * 4, "\x00\x00\x80\x7f", 4);
        }
        QElapsedTimer clock;
        clock.start();
        qint64 row = 0;
        while (clock.elapsed() < seconds * 1000) {
            for (int i = 0; i < kBatch; ++i, ++row) {
                char *f = p + i * kFrame;
                for (int b = 0; b < 4; ++b)
                    qToLittleEndian(float((row >> (8 * b)) & 0xFF), f + 4 * b);
            }
            s->write(batch);
            while (s->bytesToWrite() > 4 * batch.size())
                s->waitForBytesWritten(100);
        }
        while (s->bytesToWrite() > 0 && s->state() == QAbstractSocket::ConnectedState)
            s->waitForBytesWritten(100);
        rows = row;
        done = true;
        // The connection stays until the link is closed.
        while (s->state() == QAbstractSocket::ConnectedState)
            s->waitForDisconnected(100);
    }
};

// Walks the rows stored since the last call; false on a row out of order.
class Checker
{
public:
    explicit Checker(DataHub &hub) : hub_(hub) {}

    bool step()
    {
        hub_.lockDatas();
        const int head = hub_.head_index();
        bool ok = true;
        if (hub_.num_lines() == kChannels && head != last_head_) {
            const float *digits[4] = {hub_.ring(0), hub_.ring(1), hub_.ring(2), hub_.ring(3)};
            const auto row_at = [&](int at) {
                qint64 row = 0;
                for (int b = 3; b >= 0; --b)
                    row = row * 256 + qint64(digits[b][at]);
                return row;
            };
            const int fresh = (head - last_head_ + kRingRows) % kRingRows;
            // More rows than the ring holds since the last look cannot be
            // walked; that is the checker's failure, not the link's.
            overrun_ = row_at((head - 1 + kRingRows) % kRingRows) - next_ >= kRingRows;
            for (int k = 0; k < fresh && ok && !overrun_; ++k) {
                ok = row_at((last_head_ + k) % kRingRows) == next_;
                ++next_;
            }
            last_head_ = head;
        }
        hub_.unlockDatas();
        return ok && !overrun_;
    }

    qint64 rows() const { return next_; }
    bool overrun() const { return overrun_; }

private:
    DataHub &hub_;
    bool overrun_ = false;
    int last_head_ = 0;
    qint64 next_ = 0;
};

void tcp_intake(benchmark::State &state, bool text_shown)
{
    for (auto _ : state) {
        DataHub hub;
        hub.set_size(kRingRows);
        DataEngineLoader *loader = hub.data_engine_loader();
        loader->loadEngines();
        loader->selectEngine(loader->name_list().indexOf("ZazuZavuv"));
        if (!loader->engine()) {
            state.SkipWithError("engine not found beside qelo-bench");
            return;
        }
        hub.set_is_hide_wave_text(!text_shown);

        Sender sender;
        std::unique_ptr<QThread> thread(QThread::create([&] { sender.run(); }));
        thread->start();
        while (!sender.listening && !sender.failed)
            QThread::msleep(1);

        DebugClient link;
        link.set_datahub(&hub);
        link.set_serverAddr(QStringLiteral("127.0.0.1"));
        link.set_port(sender.port);
        Checker checker(hub);
        QElapsedTimer clock;
        clock.start();
        link.open();

        bool ok = true;
        QElapsedTimer idle;
        idle.start();
        qint64 seen = 0;
        // Until everything sent is stored, or nothing new arrives for 2 s.
        while (ok && !sender.failed && !(sender.done && checker.rows() == sender.rows) && idle.elapsed() < 2000) {
            QThread::msleep(5);
            QCoreApplication::processEvents();
            ok = checker.step();
            if (checker.rows() != seen) {
                seen = checker.rows();
                idle.restart();
            }
        }
        const double seconds = clock.nsecsElapsed() / 1e9;
        link.close();
        thread->wait();

        if (sender.failed) {
            state.SkipWithError("sender could not connect");
            return;
        }
        if (checker.overrun()) {
            state.SkipWithError("the checker fell more than a ring behind");
            return;
        }
        if (!ok || checker.rows() != sender.rows) {
            state.SkipWithError(qPrintable(QString("rows lost: %1 stored of %2 sent")
                                               .arg(checker.rows()).arg(sender.rows.load())));
            return;
        }
        state.SetIterationTime(seconds);
        // One iteration: the totals are those of the run.
        state.SetBytesProcessed(int64_t(sender.rows) * kFrame);
        state.SetItemsProcessed(int64_t(sender.rows));
        state.counters["rows_per_second"] = benchmark::Counter(double(sender.rows) / seconds);
        state.counters["MB_per_second"] = benchmark::Counter(double(sender.rows) * kFrame / seconds / 1e6);
        state.counters["rows"] = benchmark::Counter(double(sender.rows));
    }
}

void TcpHidden(benchmark::State &s) { tcp_intake(s, false); }
// Every frame's text also goes to the terminal.
void TcpShown(benchmark::State &s) { tcp_intake(s, true); }

}

BENCHMARK(TcpHidden)->Name("TcpIntake/ZazuZavuv/8")->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(TcpShown)->Name("TcpIntake/ZazuZavuv/8/shown")->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
