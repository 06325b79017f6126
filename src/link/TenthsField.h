#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace calorant {

// Unsigned 16-bit big-endian field at `offset`; the caller guarantees two bytes there.
inline unsigned bigEndianWord(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return unsigned{bytes[offset]} * 256u + bytes[offset + 1];
}

// Signed 16-bit big-endian count of tenths of a degree, as live frames and logger
// records carry temperatures. The scale factor is the float constant 0.1 and the
// product is rounded to float, as the meter's own software does, so that values
// compare exactly with what the meter shows.
inline float signedTenths(std::span<const std::uint8_t> bytes, std::size_t offset) {
    const unsigned raw = bigEndianWord(bytes, offset);
    const int count = raw >= 0x8000u ? -static_cast<int>(0x10000u - raw) : static_cast<int>(raw);
    return static_cast<float>(count) * 0.1f;
}

} // namespace calorant
