#pragma once

#include "sim/MeterSession.h"

#include <cstdint>
#include <vector>

namespace calorant::sim::test {

// Reads a signed 16-bit big-endian field.
inline int int16At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return static_cast<std::int16_t>(
        static_cast<std::uint16_t>(bytes[offset] << 8 | bytes[offset + 1]));
}

// True when the 33 bytes at `offset` carry the live header and a checksum in either
// accepted form.
inline bool isValidFrameAt(const std::vector<std::uint8_t>& bytes, std::size_t offset = 0) {
    if (bytes.size() < offset + 33 || bytes[offset] != 0xAA || bytes[offset + 1] != 0xBB)
        return false;
    int sum = 0;
    for (std::size_t i = 0; i < 31; ++i)
        sum += bytes[offset + i];
    const int checksum = bytes[offset + 31] << 8 | bytes[offset + 32];
    return sum == checksum || sum == checksum + 128;
}

inline std::vector<std::uint8_t> allBytes(const std::vector<Transmission>& transmissions) {
    std::vector<std::uint8_t> bytes;
    for (const Transmission& t : transmissions)
        bytes.insert(bytes.end(), t.bytes.begin(), t.bytes.end());
    return bytes;
}

} // namespace calorant::sim::test
