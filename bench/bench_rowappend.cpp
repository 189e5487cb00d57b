#include <benchmark/benchmark.h>
#include <vector>

#include "datahub.h"

// One row is one float store per channel into a 50000-sample ring.
static void RowAppend(benchmark::State &state)
{
    const int channels = int(state.range(0));
    DataHub hub;
    hub.set_size(50000);
    std::vector<float> row(size_t(channels), 1.0f);
    hub.lockDatas();
    hub.append_row(row);
    float v = 0.0f;
    for (auto _ : state) {
        row[0] = v;
        v += 1.0f;
        hub.append_row(row.data(), channels);
    }
    hub.unlockDatas();
    benchmark::DoNotOptimize(hub.effective_size());
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * channels * int64_t(sizeof(float)));
}
BENCHMARK(RowAppend)->Arg(1)->Arg(8)->Arg(32);
