// Arbitrary received blocks through the live frame decoder and the meter state.
// Random bytes rarely carry a valid header and checksum, so each input is also
// tried once more with both repaired, which drives every display and statistics rule.
#include "link/LiveFrame.h"
#include "link/MeterState.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace {

calorant::MeterState& meterState() {
    static calorant::MeterState state; // kept across inputs, like the programme's
    return state;
}

void accept(std::span<const std::uint8_t> block) {
    if (const auto frame = calorant::decodeLiveFrame(block, 1700000000))
        meterState().applyFrame(*frame);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> block(data, size);
    accept(block);
    if (size < calorant::kLiveFrameSize)
        return 0;
    std::array<std::uint8_t, calorant::kLiveFrameSize> repaired{};
    std::copy_n(data, repaired.size(), repaired.begin());
    repaired[0] = calorant::kLiveFrameHeader1;
    repaired[1] = calorant::kLiveFrameHeader2;
    unsigned sum = 0;
    for (std::size_t i = 0; i < 31; ++i)
        sum += repaired[i];
    repaired[31] = static_cast<std::uint8_t>(sum >> 8);
    repaired[32] = static_cast<std::uint8_t>(sum & 0xFF);
    accept(repaired);
    return 0;
}
