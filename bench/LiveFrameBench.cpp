// Cost of taking in one live frame (decode + meter state update) with a short and a
// long statistics history behind it: the per-frame cost must not grow with history.
#include "link/LiveFrame.h"
#include "link/MeterState.h"

#include <array>
#include <benchmark/benchmark.h>
#include <cstdint>

namespace calorant {
namespace {

std::array<std::uint8_t, kLiveFrameSize> makeFrame(int tenthsT1) {
    std::array<std::uint8_t, kLiveFrameSize> frame{kLiveFrameHeader1, kLiveFrameHeader2};
    for (int c = 0; c < kChannelCount; ++c) {
        const int value = tenthsT1 + c * 10;
        frame[2 + 2 * c] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
        frame[3 + 2 * c] = static_cast<std::uint8_t>(value & 0xFF);
    }
    frame[13] = 0x80; // main reading T1
    frame[15] = 0x01; // IR-temperature mode
    frame[19] = frame[2];
    frame[20] = frame[3];
    unsigned sum = 0;
    for (int i = 0; i < 31; ++i)
        sum += frame[i];
    frame[31] = static_cast<std::uint8_t>(sum >> 8);
    frame[32] = static_cast<std::uint8_t>(sum & 0xFF);
    return frame;
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
