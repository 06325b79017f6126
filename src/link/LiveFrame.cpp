#include "link/LiveFrame.h"

#include "link/TenthsField.h"

namespace calorant {

namespace {

constexpr std::size_t kChecksumOffset = 31;
constexpr std::size_t kChannelOffset = 2;
constexpr std::size_t kReadingOffset = 19;
// The meter sends either the plain byte sum or the sum plus 128 as checksum.
constexpr unsigned kChecksumAlternateOffset = 128;

bool hasValidChecksum(std::span<const std::uint8_t> frame) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < kChecksumOffset; ++i)
        sum += frame[i];
    const unsigned checksum = bigEndianWord(frame, kChecksumOffset);
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
        decoded.channel[c] = signedTenths(frame, kChannelOffset + 2 * static_cast<std::size_t>(c));
    for (int r = 0; r < kReadingCount; ++r)
        decoded.reading[r] = signedTenths(frame, kReadingOffset + 2 * static_cast<std::size_t>(r));
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
