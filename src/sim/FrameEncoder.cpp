#include "sim/FrameEncoder.h"

#include <algorithm>

namespace calorant::sim {

void putSigned16(std::uint8_t* out, int value) {
    const int clamped = std::clamp(value, -32768, 32767);
    const auto word = static_cast<std::uint16_t>(clamped); // two's complement
    out[0] = static_cast<std::uint8_t>(word >> 8);
    out[1] = static_cast<std::uint8_t>(word & 0xFF);
}

FrameBytes encodeLiveFrame(const FrameContent& content, ChecksumForm form) {
    FrameBytes bytes{};
    bytes[0] = 0xAA;
    bytes[1] = 0xBB;
    for (int c = 0; c < kChannelCount; ++c)
        putSigned16(&bytes[2 + 2 * c], content.channelTenths[c]);
    bytes[12] = content.status;
    bytes[13] = content.modeA;
    bytes[14] = content.modeB;
    bytes[15] = content.irTempFlags;
    bytes[16] = content.dashFlags;
    bytes[17] = content.overRangeFlags;
    bytes[18] = content.underRangeFlags;
    for (int r = 0; r < 5; ++r)
        putSigned16(&bytes[19 + 2 * r], content.readingTenths[r]);
    if (content.statMode != 0) {
        bytes[23] = content.elapsedFirst;
        bytes[24] = content.elapsedSecond;
    }
    bytes[29] = content.statMode;
    bytes[30] = content.unitCode;

    int sum = 0;
    for (std::size_t i = 0; i < 31; ++i)
        sum += bytes[i];
    const int checksum = form == ChecksumForm::EqualsSum ? sum : sum - 128;
    bytes[31] = static_cast<std::uint8_t>(checksum >> 8);
    bytes[32] = static_cast<std::uint8_t>(checksum & 0xFF);
    return bytes;
}

} // namespace calorant::sim
