#include <benchmark/benchmark.h>
#include <QByteArray>
#include <QDateTime>
#include <QRandomGenerator>
#include <vector>

#include "terminaldocument.h"
#include "textbuffer.h"

namespace {

QByteArray line64()
{
    QByteArray line(63, 'x');
    for (int i = 0; i < line.size(); ++i)
        line[i] = char('a' + i % 26);
    return line + '\n';
}

// Receive stamps one millisecond apart, as a busy link delivers them.
std::vector<QDateTime> stamps()
{
    std::vector<QDateTime> times;
    const QDateTime start = QDateTime::currentDateTime();
    for (int i = 0; i < 1024; ++i)
        times.push_back(start.addMSecs(i));
    return times;
}

void fill(TextBuffer &buffer, int bytes)
{
    const QByteArray line = line64();
    const std::vector<QDateTime> times = stamps();
    for (int i = 0; i < bytes / line.size(); ++i)
        buffer.append_received(line.constData(), line.size(), times[size_t(i) % times.size()], false);
}

} // namespace

// 64-byte text lines with time stamps, both the text and the hex ring filled.
static void TextAppendLine64(benchmark::State &state)
{
    TextBuffer buffer;
    const QByteArray line = line64();
    const std::vector<QDateTime> times = stamps();
    size_t i = 0;
    for (auto _ : state) {
        buffer.append_received(line.constData(), line.size(), times[i], false);
        i = (i + 1) % times.size();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * line.size());
}
BENCHMARK(TextAppendLine64)->Name("TextAppend/line64");

static void TextAppendBinary4k(benchmark::State &state)
{
    TextBuffer buffer;
    QByteArray block(4096, '\0');
    QRandomGenerator rng(7);
    for (char &c : block)
        c = char(rng.bounded(256));
    const QDateTime now = QDateTime::currentDateTime();
    for (auto _ : state)
        buffer.append_received(block.constData(), block.size(), now, false);
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * block.size());
}
BENCHMARK(TextAppendBinary4k)->Name("TextAppend/binary4k");

// One refresh: the newest max_size characters of stamped lines into the
// terminal's document.
static void TextRefresh(benchmark::State &state, int max_size)
{
    TerminalDocument view;
    TextBuffer buffer;
    // The setter rounds up to the next multiple of 512 above its argument.
    buffer.set_max_size(max_size - 1);
    buffer.set_doc(view.doc());
    fill(buffer, 4 * max_size);
    for (auto _ : state)
        buffer.text();
    const int chars = view.text_document()->characterCount();
    state.counters["max_size"] = buffer.max_size();
    state.counters["chars"] = chars;
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * chars);
}
BENCHMARK_CAPTURE(TextRefresh, 5120, 5120)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TextRefresh, 100000, 100000)->Unit(benchmark::kMillisecond);
