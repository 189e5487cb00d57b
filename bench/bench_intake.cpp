#include <QDir>
#include <QtEndian>
#include <benchmark/benchmark.h>
#include <cmath>

#include "datahub.h"

// Received bytes through PutReceivedData in 4 KiB chunks into a hub with a
// shipped engine selected: 8 channels, wave text hidden or shown.
namespace {

QByteArray zazu_stream(int rows)
{
    QByteArray out;
    char b[4];
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < 8; ++c) {
            qToLittleEndian(float(std::sin(r * 0.01 + c)), b);
            out.append(b, 4);
        }
        out.append("\x00\x00\x80\x7f", 4);
    }
    return out;
}

QByteArray zezo_stream(int rows)
{
    QByteArray out;
    for (int r = 0; r < rows; ++r) {
        out += "demo:";
        for (int c = 0; c < 8; ++c)
            out += QString::asprintf(c ? ",%f" : "%f", std::sin(r * 0.01 + c)).toLatin1();
        out += "\r\n";
    }
    return out;
}

void intake(benchmark::State &state, const char *engine, const QByteArray &stream, int rows, bool hidden)
{
    DataHub hub;
    hub.set_size(50000);
    DataEngineLoader *loader = hub.data_engine_loader();
    loader->loadEngines();
    const int index = loader->name_list().indexOf(engine);
    loader->selectEngine(index);
    if (!loader->engine()) {
        state.SkipWithError("engine not found beside qelo-bench");
        return;
    }
    hub.set_is_hide_wave_text(hidden);
    const QDateTime now = QDateTime::currentDateTime();
    const int chunk = 4096;
    for (auto _ : state) {
        for (int at = 0; at < stream.size(); at += chunk)
            hub.PutReceivedData(stream.constData() + at, std::min(chunk, stream.size() - at), now);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * stream.size());
    state.SetItemsProcessed(int64_t(state.iterations()) * rows);
    state.counters["rows_per_second"] = benchmark::Counter(double(state.iterations()) * rows, benchmark::Counter::kIsRate);
}

const int kRows = 20000;

void ZazuHidden(benchmark::State &s) { static const QByteArray b = zazu_stream(kRows); intake(s, "ZazuZavuv", b, kRows, true); }
void ZazuShown(benchmark::State &s) { static const QByteArray b = zazu_stream(kRows); intake(s, "ZazuZavuv", b, kRows, false); }
void ZezoHidden(benchmark::State &s) { static const QByteArray b = zezo_stream(kRows); intake(s, "ZezoRovar", b, kRows, true); }
void ZezoShown(benchmark::State &s) { static const QByteArray b = zezo_stream(kRows); intake(s, "ZezoRovar", b, kRows, false); }

}

BENCHMARK(ZazuHidden)->Name("Intake/ZazuZavuv/hidden")->Unit(benchmark::kMillisecond);
BENCHMARK(ZazuShown)->Name("Intake/ZazuZavuv/shown")->Unit(benchmark::kMillisecond);
BENCHMARK(ZezoHidden)->Name("Intake/ZezoRovar/hidden")->Unit(benchmark::kMillisecond);
BENCHMARK(ZezoShown)->Name("Intake/ZezoRovar/shown")->Unit(benchmark::kMillisecond);
