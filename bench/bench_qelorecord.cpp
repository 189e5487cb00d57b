#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <memory>
#ifdef Q_OS_UNIX
#include <sys/resource.h>
#endif

#include "zazusender.h"

// qelo-record as a user runs it: a TCP sender of ZazuZavuv frames, 8
// channels, for 10 seconds, recorded with --csv (and with --raw besides).
// The clock runs from the connection to the program's exit, so the CSV is
// complete and on disk when it stops. Every row of the CSV is then checked
// against the row number the sender put in it. The replay benchmark decodes
// such a raw capture again as fast as possible.
namespace {

constexpr int kSeconds = 10;

// Reads the CSV back; the number of rows in sequence, or -1 on a gap, a
// repeat or a malformed line.
qint64 check_csv(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    f.readLine(); // channel names
    qint64 next = 0;
    QByteArray line;
    while (!(line = f.readLine(1 << 12)).isEmpty()) {
        if (!line.endsWith("\r\n"))
            return -1;
        const char *p = line.constData();
        char *end = nullptr;
        float digits[4];
        for (float &d : digits) {
            d = std::strtof(p, &end);
            if (end == p || *end != ',')
                return -1;
            p = end + 1;
        }
        const float *columns[4] = {&digits[0], &digits[1], &digits[2], &digits[3]};
        if (ZazuSender::row_of(columns, 0) != next)
            return -1;
        ++next;
    }
    return next;
}

void RecordCsv(benchmark::State &state, bool raw)
{
    const QString program = QCoreApplication::applicationDirPath() + "/qelo-record";
    if (!QFile::exists(program)) {
        state.SkipWithError("qelo-record is not beside qelo-bench");
        return;
    }
    for (auto _ : state) {
        QTemporaryDir dir;
        const QString csv = dir.filePath("bench.csv");
        QStringList extra;
        if (raw)
            extra << "--raw" << dir.filePath("bench.raw");
        ZazuSender sender;
        sender.seconds = kSeconds;
        sender.close_when_done = true;
        std::unique_ptr<QThread> thread(QThread::create([&] { sender.run(); }));
        thread->start();
        while (!sender.listening && !sender.failed)
            QThread::msleep(1);

        QProcess rec;
        rec.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        rec.start(program, QStringList{"--link", "tcp-client", "--server-ip", "127.0.0.1", "--server-port",
                                       QString::number(sender.port), "--engine", "ZazuZavuv", "--csv", csv}
                               + extra);
        QElapsedTimer clock;
        clock.start();
        const bool finished = rec.waitForFinished((kSeconds + 60) * 1000);
        const double seconds = clock.nsecsElapsed() / 1e9;
        if (!finished)
            rec.kill();
        rec.waitForFinished();
        thread->wait();
        const QByteArray report = rec.readAllStandardError();

        if (sender.failed) {
            state.SkipWithError("qelo-record did not connect");
            return;
        }
        if (!finished || rec.exitStatus() != QProcess::NormalExit || rec.exitCode() != 0) {
            state.SkipWithError(qPrintable("qelo-record failed: " + QString::fromLocal8Bit(report)));
            return;
        }
        const qint64 written = check_csv(csv);
        if (written != sender.rows) {
            state.SkipWithError(qPrintable(QString("CSV holds %1 rows in sequence of %2 sent")
                                               .arg(written).arg(sender.rows.load())));
            return;
        }
        state.SetIterationTime(seconds);
        state.SetBytesProcessed(int64_t(sender.rows) * ZazuSender::kFrame);
        state.SetItemsProcessed(int64_t(sender.rows));
        state.counters["rows_per_second"] = benchmark::Counter(double(sender.rows) / seconds);
        state.counters["MB_per_second"] = benchmark::Counter(double(sender.rows) * ZazuSender::kFrame / seconds / 1e6);
        state.counters["rows"] = benchmark::Counter(double(sender.rows));
        state.counters["csv_MB"] = benchmark::Counter(QFileInfo(csv).size() / 1e6);
#ifdef Q_OS_UNIX
        // The largest child waited for so far: the recorder is the only one.
        rusage usage {};
        if (getrusage(RUSAGE_CHILDREN, &usage) == 0)
            state.counters["recorder_max_rss_MB"] = benchmark::Counter(usage.ru_maxrss / 1024.0);
#endif
    }
}

void RecordCsvOnly(benchmark::State &state) { RecordCsv(state, false); }
void RecordCsvRaw(benchmark::State &state) { RecordCsv(state, true); }

// A capture of one second of the sender, then decoded again with --link
// replay --as-fast-as-possible, without a CSV so that the decoding is what
// is timed; the rows it reports must be the rows sent.
void Replay(benchmark::State &state)
{
    const QString program = QCoreApplication::applicationDirPath() + "/qelo-record";
    QTemporaryDir dir;
    const QString capture = dir.filePath("capture.raw");
    for (auto _ : state) {
        ZazuSender sender;
        sender.seconds = 1;
        sender.close_when_done = true;
        std::unique_ptr<QThread> thread(QThread::create([&] { sender.run(); }));
        thread->start();
        while (!sender.listening && !sender.failed)
            QThread::msleep(1);
        QProcess rec;
        rec.start(program, {"--link", "tcp-client", "--server-ip", "127.0.0.1", "--server-port",
                            QString::number(sender.port), "--engine", "ZazuZavuv", "--raw", capture});
        rec.waitForFinished(120000);
        thread->wait();
        if (rec.exitCode() != 0 || sender.failed) {
            state.SkipWithError("the capture could not be made");
            return;
        }
        QProcess replay;
        replay.start(program, {"--link", "replay", "--file", capture, "--as-fast-as-possible", "--engine", "ZazuZavuv"});
        QElapsedTimer clock;
        clock.start();
        const bool finished = replay.waitForFinished(300000);
        const double seconds = clock.nsecsElapsed() / 1e9;
        if (!finished || replay.exitCode() != 0) {
            state.SkipWithError(qPrintable("the replay failed: " + QString::fromLocal8Bit(replay.readAllStandardError())));
            return;
        }
        qint64 written = -1;
        for (const QByteArray &line : replay.readAllStandardError().split('\n'))
            if (line.startsWith("rows: "))
                written = line.mid(6).toLongLong();
        if (written != sender.rows) {
            state.SkipWithError(qPrintable(QString("the replay decoded %1 rows of %2 sent")
                                               .arg(written).arg(sender.rows.load())));
            return;
        }
        const double mb = QFileInfo(capture).size() / 1e6;
        state.SetIterationTime(seconds);
        state.counters["capture_MB"] = benchmark::Counter(mb);
        state.counters["MB_per_second"] = benchmark::Counter(mb / seconds);
        state.counters["rows_per_second"] = benchmark::Counter(double(written) / seconds);
    }
}

}

BENCHMARK(RecordCsvRaw)->Name("QeloRecord/csv+raw/ZazuZavuv/8")->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Replay)->Name("QeloRecord/replay/ZazuZavuv/8")->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(RecordCsvOnly)->Name("QeloRecord/csv/ZazuZavuv/8")->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
