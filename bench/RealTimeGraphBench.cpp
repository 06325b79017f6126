// Cost of laying out one paint of the real-time graph with a full recording (10000
// samples of five channels), plain and zoomed, and of one cursor move over it.
#include "graph/RealTimeGraph.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace calorant {
namespace {

struct FullRecording {
    FullRecording() {
        for (int c = 0; c < kChannelCount; ++c) {
            store[c].resize(10010);
            for (int i = 0; i < 10010; ++i)
                store[c][i] = 50.0f + 40.0f * static_cast<float>(std::sin(i * 0.01 + c));
            inputs.samples[c] = store[c];
        }
        inputs.clientWidth = 1342;
        inputs.clientHeight = 800;
        inputs.controlBarHeight = 94;
        inputs.statsBarHeight = 148;
        inputs.sampleRateMs = 1000;
        for (int n = 1; n <= 10000; n *= 10) {
            inputs.sampleCount = n;
            graph.paint(inputs);
        }
    }
    void zoomIn(int times) {
        for (int k = 0; k < times; ++k) {
            graph.buttonDown({600, 200}, inputs);
            graph.mouseMove({900, 500}, inputs);
            graph.buttonUp({900, 500}, inputs);
        }
    }
    std::array<std::vector<float>, kChannelCount> store;
    GraphInputs inputs;
    RealTimeGraph graph;
};

void BM_PaintFullRecording(benchmark::State& bench) {
    FullRecording recording;
    recording.zoomIn(static_cast<int>(bench.range(0)));
    for (auto _ : bench)
        benchmark::DoNotOptimize(recording.graph.paint(recording.inputs));
}
BENCHMARK(BM_PaintFullRecording)->Arg(0)->Arg(3)->Unit(benchmark::kMicrosecond);

void BM_CursorMove(benchmark::State& bench) {
    FullRecording recording;
    recording.zoomIn(3);
    for (auto _ : bench)
        benchmark::DoNotOptimize(recording.graph.mouseMove({700, 300}, recording.inputs));
}
BENCHMARK(BM_CursorMove);

} // namespace
} // namespace calorant
