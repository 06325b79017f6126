// Cost of taking in one live frame (decode + meter state update) with a short and a
// long statistics history behind it: the per-frame cost must not grow with history.
#include "link/LiveFrame.h"
#include "link/MeterState.h"
#include "sim/FrameEncoder.h"

#include <benchmark/benchmark.h>
#include <cstdint>

namespace calorant {
namespace {

// T1 and the main reading at tenthsT1, the other channels 1.0 degree apart, in
// IR-temperature mode.
sim::FrameBytes makeFrame(int tenthsT1) {
    sim::FrameContent content;
    for (int c = 0; c < kChannelCount; ++c)
        content.channelTenths[c] = tenthsT1 + c * 10;
    content.modeA = 0x80; // main reading T1
    content.irTempFlags = 0x01;
    content.readingTenths[0] = tenthsT1;
    return sim::encodeLiveFrame(content, sim::ChecksumForm::EqualsSum);
}

void BM_AcceptFrameAfterHistory(benchmark::State& bench) {
    MeterState state;
    const auto frame = makeFrame(250);
    const std::time_t arrival = 1700000000;
    for (std::int64_t i = 0; i < bench.range(0); ++i)
        state.applyFrame(*decodeLiveFrame(frame, arrival));
    for (auto _ : bench) {
        auto decoded = decodeLiveFrame(frame, arrival);
        state.applyFrame(*decoded);
        benchmark::DoNotOptimize(state.avgText());
    }
    bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BM_AcceptFrameAfterHistory)->Arg(10)->Arg(18000);

} // namespace
} // namespace calorant
