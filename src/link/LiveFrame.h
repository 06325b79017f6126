#pragma once

#include "core/Temperature.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <span>

namespace calorant {

// The meter streams its whole display state as fixed 33-byte live frames:
// header 0xAA 0xBB, five channel values, display flags, five display readings,
// statistics mode, unit code and a 16-bit checksum. Multi-byte fields are big-endian.
inline constexpr std::size_t kLiveFrameSize = 33;
inline constexpr std::uint8_t kLiveFrameHeader1 = 0xAA;
inline constexpr std::uint8_t kLiveFrameHeader2 = 0xBB;

// Bits of LiveFrame::status.
inline constexpr std::uint8_t kStatusRecording = 0x20;
inline constexpr std::uint8_t kStatusHold = 0x10;
inline constexpr std::uint8_t kStatusBatteryLow = 0x04;

// Statistics modes of LiveFrame::statMode.
inline constexpr std::uint8_t kStatModeNone = 0;
inline constexpr std::uint8_t kStatModeMax = 1;
inline constexpr std::uint8_t kStatModeMin = 2;
inline constexpr std::uint8_t kStatModeAvg = 3;

inline constexpr int kReadingCount = 5;

// One accepted, decoded live frame.
struct LiveFrame {
    std::time_t arrivalTime = 0; // wall-clock time the block was received
    Channels channel{};          // T1, T2, IR, T3, T4 in degrees Celsius, always
    // What the meter's own display shows, in its display unit (unconverted).
    std::array<float, kReadingCount> reading{};
    // Bytes 23 and 24 as received: an elapsed time (two parts, 0..99 each) that
    // replaces reading 3 while statMode is not kStatModeNone.
    std::array<std::uint8_t, 2> elapsedTime{};
    std::uint8_t status = 0;      // kStatus* bits
    std::uint8_t modeA = 0;       // what reading 1 shows (first byte)
    std::uint8_t modeB = 0;       // what reading 1 shows (second byte) and what reading 2 shows
    std::uint8_t irTempFlags = 0; // IR-temperature mode, third reading, difference pair
    std::uint8_t dashFlags = 0;   // readings showing "----", elapsed-time unit and dashes
    std::uint8_t olFlags = 0;     // readings showing "OL"
    std::uint8_t negOlFlags = 0;  // readings showing "-OL"
    std::uint8_t statMode = kStatModeNone;
    std::uint8_t unitCode = 0; // TemperatureUnit code; other values mean "unchanged"
};

// Judges a received block from its first byte: the header must sit at offsets 0
// and 1 and the byte sum of offsets 0..30 must equal the checksum or the checksum
// plus 128 (the meter sends either). Blocks shorter than a frame are rejected;
// bytes after the first frame are ignored. The block itself is never modified.
std::optional<LiveFrame> decodeLiveFrame(std::span<const std::uint8_t> block,
                                         std::time_t arrivalTime);

} // namespace calorant
