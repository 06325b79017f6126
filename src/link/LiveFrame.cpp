#include "link/LiveFrame.h"

namespace calorant {

namespace {

constexpr std::size_t kChecksumOffset = 31;
constexpr std::size_t kChannelOffset = 2;
constexpr std::size_t kReadingOffset = 19;
// The meter sends either the plain byte sum or the sum plus 128 as checksum.
constexpr unsigned kChecksumAlternateOffset = 128;

unsigned word(std::span<const std::uint8_t> frame, std::size_t offset) {
    return unsigned{frame[offset]} * 256u + frame[offset + 1];
}

// Fields are 16-bit two's complement counts of tenths; the scale factor is the
// float constant 0.1 and the product is rounded to float, as the meter's own
// software does, so that values compare exactly with what the meter shows.
float tenths(std::span<const std::uint8_t> frame, std::size_t offset) {
    const unsigned raw = word(frame, offset);
    const int count = raw >= 0x8000u ? -static_cast<int>(0x10000u - raw) : static_cast<int>(raw);
    return static_cast<float>(count) * 0.1f;
}

bool hasValidChecksum(std::span<const std::uint8_t> frame) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < kChecksumOffset; ++i)
        sum += frame[i];
    const unsigned checksum = word(frame, kChecksumOffset);
    return sum == checksum || sum == checksum + kChecksumAlternateOffset;
}

} // namespace

std::optional<LiveFrame> decodeLiveFrame(std::span<const std::uint8_t> block,
                                         std::time_t arrivalTime) {
    if (block.size() < kLiveFrameSize)
        return std::nullopt;
    const auto frame = block.first(kLiveFrameSize);
    if (frame[0] != kLiveFrameHeader1 || frame[1] != kLiveFrameHeader2)
        return std::nullopt;
    if (!hasValidChecksum(frame))
        return std::nullopt;

    LiveFrame decoded;
    decoded.arrivalTime = arrivalTime;
    for (int c = 0; c < kChannelCount; ++c)
        decoded.channel[c] = tenths(frame, kChannelOffset + 2 * static_cast<std::size_t>(c));
    for (int r = 0; r < kReadingCount; ++r)
        decoded.reading[r] = tenths(frame, kReadingOffset + 2 * static_cast<std::size_t>(r));
    decoded.elapsedTime = {frame[23], frame[24]};
    decoded.status = frame[12];
    decoded.modeA = frame[13];
    decoded.modeB = frame[14];
    decoded.irTempFlags = frame[15];
    decoded.dashFlags = frame[16];
    decoded.olFlags = frame[17];
    decoded.negOlFlags = frame[18];
    decoded.statMode = frame[29];
    decoded.unitCode = frame[30];
    return decoded;
}

} // namespace calorant
