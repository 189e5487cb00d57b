#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <atomic>
#include <benchmark/benchmark.h>
#include <memory>

#include "datahub.h"
#include "debugclient.h"
#include "zazusender.h"

// End to end over TCP on 127.0.0.1: a sender thread pushes ZazuZavuv frames
// of 8 channels as fast as the connection takes them into a DebugClient,
// whose I/O thread hands them to the hub with the shipped engine selected.
// A checker walks every stored row and fails the run on a gap.
namespace {

constexpr int kChannels = ZazuSender::kChannels;
constexpr int kFrame = ZazuSender::kFrame;
// Room for well over a second of rows, so the checker can fall behind.
constexpr int kRingRows = 1 << 24;

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
            const auto row_at = [&](int at) { return ZazuSender::row_of(digits, at); };
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

        ZazuSender sender;
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
