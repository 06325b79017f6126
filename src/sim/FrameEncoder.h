#pragma once

#include "core/Temperature.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace calorant::sim {

// The emulator lays out its own frames from the byte tables of the meter's protocol.
// It deliberately shares no code with the application's decoder, so that a mistake
// in one shows up as a disagreement with the other instead of hiding in both.

inline constexpr std::size_t kLiveFrameSize = 33;
using FrameBytes = std::array<std::uint8_t, kLiveFrameSize>;

// Channel values in tenths of a degree Celsius, order T1, T2, IR, T3, T4.
using ChannelTenths = std::array<int, kChannelCount>;

// Values above this many tenths are the meter's no-value code (open or absent input).
inline constexpr int kNoValueTenths = 29000;
// What the meter sends for an open thermocouple.
inline constexpr int kOpenInputTenths = 29500;

// Status byte (offset 12).
inline constexpr std::uint8_t kStatusRec = 0x20;
inline constexpr std::uint8_t kStatusHold = 0x10;
inline constexpr std::uint8_t kStatusBatteryLow = 0x04;

// Display flag bits per reading 1..5 (index 0..4).
inline constexpr std::array<std::uint8_t, 5> kDashBit{0x20, 0x10, 0x08, 0x04, 0x02};
inline constexpr std::array<std::uint8_t, 5> kOverRangeBit{0x80, 0x40, 0x20, 0x10, 0x08};
// Dash byte (offset 16): the unit of the elapsed time.
inline constexpr std::uint8_t kElapsedHoursMinutes = 0x80;
inline constexpr std::uint8_t kElapsedMinutesSeconds = 0x40;
// Byte 15: which pair of channels a difference display uses.
inline constexpr std::uint8_t kPairT1T2 = 0x04;
inline constexpr std::uint8_t kPairT3T4 = 0x02;

// Everything one live frame says, before it is laid out on the wire. Channels are
// tenths of a degree Celsius; readings are tenths in the meter's display unit.
struct FrameContent {
    ChannelTenths channelTenths{};
    std::uint8_t status = 0;
    std::uint8_t modeA = 0;
    std::uint8_t modeB = 0;
    std::uint8_t irTempFlags = 0;
    std::uint8_t dashFlags = 0;
    std::uint8_t overRangeFlags = 0;
    std::uint8_t underRangeFlags = 0;
    std::array<int, 5> readingTenths{};
    // While statMode is not 0, reading 3 carries an elapsed time instead: two numbers 0..99.
    std::uint8_t elapsedFirst = 0;
    std::uint8_t elapsedSecond = 0;
    std::uint8_t statMode = 0;
    std::uint8_t unitCode = 0;
};

// The meter accepts either relation between the byte sum and the checksum field; a
// real meter uses both, so the emulator sends both.
enum class ChecksumForm {
    EqualsSum,   // checksum = sum of bytes 0..30
    SumMinus128, // checksum = sum - 128
};

FrameBytes encodeLiveFrame(const FrameContent& content, ChecksumForm form);

// A signed 16-bit big-endian field; values beyond the 16-bit range are clamped.
void putSigned16(std::uint8_t* out, int value);

} // namespace calorant::sim
