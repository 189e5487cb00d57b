#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <vector>

#include "chartstate.h"
#include "datahub.h"
#include "offscreenchart.h"

// Frame passes at 1280 x 720 into a framebuffer with the window's default
// 2 samples, the ring full and the window wrapping; glFinish closes every
// frame so the software rasteriser's work is counted. FramePass runs the
// window's settings (lines reduced to their pixel columns), FramePassFull
// draws every sample.
namespace {

constexpr int kW = 1280;
constexpr int kH = 720;
constexpr int kPoints = 50000;

std::unique_ptr<DataHub> make_hub(int channels)
{
    auto hub = std::make_unique<DataHub>();
    hub->set_size(kPoints);
    std::vector<float> row(static_cast<size_t>(channels));
    hub->lockDatas();
    // 1.5 rings so that head sits in the middle and every window wraps.
    for (int i = 0; i < kPoints * 3 / 2; ++i) {
        for (int c = 0; c < channels; ++c)
            row[size_t(c)] = float(std::sin(i * 0.002 * (c + 1)) * 4.0 + c * 0.5 + ((i * 7919) % 13) * 0.01);
        hub->append_row(row);
    }
    hub->unlockDatas();
    return hub;
}

void setup(ChartState &s, int channels, int width, bool reduced = true)
{
    s.optimization_on = reduced;
    s.top_value = 10;
    s.bottom_value = -10;
    s.draw_index_begin = 0;
    s.draw_index_end = kPoints - 1;
    s.fake_continuous = true;
    s.line_width = width;
    for (int c = 0; c < channels; ++c)
        s.add_line(c);
}

void run(benchmark::State &state, OffscreenChart &gl, ChartState &s, DataHub &hub, int channels)
{
    if (!gl.ok()) {
        state.SkipWithError("no OpenGL context (run under scripts/xvfb-wrap)");
        return;
    }
    gl.frame(s, &hub);
    for (auto _ : state)
        gl.frame(s, &hub);
    state.SetItemsProcessed(state.iterations() * channels * kPoints);
    state.SetBytesProcessed(state.iterations() * channels * kPoints * int64_t(2 * sizeof(float)));
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["vertices"] = double(gl.pass().drawn_vertices());
}

void FramePass(benchmark::State &state, int samples, bool reduced)
{
    const int channels = int(state.range(0));
    const int width = int(state.range(2));
    auto hub = make_hub(channels);
    hub->set_use_instance(true);
    ChartState s;
    setup(s, channels, width, reduced);
    OffscreenChart gl(kW, kH, samples);
    run(state, gl, s, *hub, channels);
}

void FramePassMsaa(benchmark::State &state) { FramePass(state, 2, true); }
void FramePassMsaaFull(benchmark::State &state) { FramePass(state, 2, false); }
void FramePassSingleSample(benchmark::State &state) { FramePass(state, 0, true); }

void Series(benchmark::State &state, bool spectrum)
{
    const int channels = int(state.range(0));
    auto hub = make_hub(channels);
    ChartState s;
    setup(s, channels, 1);
    s.if_draw_wave = false;
    if (spectrum) {
        s.if_draw_freq = true;
        s.freq_gap_num = int(state.range(1));
        s.freq_top_value = 5;
        s.freq_right_index = s.freq_gap_num - 1;
    } else {
        s.if_draw_histog = true;
        s.histog_gap_num = int(state.range(1));
        s.histog_range_min = -5;
        s.histog_range_max = 12;
        s.histog_top_value = kPoints / 4;
        s.histog_right_index = s.histog_gap_num - 1;
    }
    OffscreenChart gl(kW, kH, 2);
    run(state, gl, s, *hub, channels);
}

void Spectrum(benchmark::State &state) { Series(state, true); }
void Histogram(benchmark::State &state) { Series(state, false); }

}

// No lines: the floor of a frame (clearing the multisampled buffers, finishing).
BENCHMARK(FramePassMsaa)->Name("FramePass")->Args({0, kPoints, 1})->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FramePassMsaa)->Name("FramePass")->Args({1, kPoints, 1})->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FramePassMsaa)->Name("FramePass")->Args({8, kPoints, 1})->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FramePassMsaa)->Name("FramePass")->Args({16, kPoints, 1})->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FramePassMsaa)->Name("FramePass")->Args({1, kPoints, 3})->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FramePassMsaa)->Name("FramePass")->Args({8, kPoints, 3})->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FramePassMsaa)->Name("FramePass")->Args({16, kPoints, 3})->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FramePassMsaaFull)->Name("FramePassFull")->Args({1, kPoints, 1})->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FramePassMsaaFull)->Name("FramePassFull")->Args({8, kPoints, 1})->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FramePassMsaaFull)->Name("FramePassFull")->Args({8, kPoints, 3})->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FramePassSingleSample)->Name("FramePassSingleSample")->Args({8, kPoints, 1})->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FramePassSingleSample)->Name("FramePassSingleSample")->Args({8, kPoints, 3})->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Spectrum)->Name("Spectrum")->Args({8, 257})->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Histogram)->Name("Histogram")->Args({8, 10})->UseRealTime()->Unit(benchmark::kMillisecond);
