#pragma once

#include <array>
#include <cstdint>

namespace calorant {

// A command to the meter is three bytes written in one piece: 0xAA 0x55 and a
// code, with no checksum and no terminator. The meter never answers a key
// command; its effect shows in the following live frames.
using MeterCommand = std::array<std::uint8_t, 3>;

inline constexpr std::uint8_t kCommandHeader1 = 0xAA;
inline constexpr std::uint8_t kCommandHeader2 = 0x55;

enum MeterCode : std::uint8_t {
    kLinkStart = 0x01,      // start the stream of live frames
    kLoggerRequest = 0x02,  // ask for the logger memory (sent three times)
    kUnitKey = 0x03,        // 'C-'F-K
    kDifferenceKey = 0x04,  // DIF/T1-T2-T3
    kHoldKey = 0x05,        // HOLD
    kMaxMinKey = 0x06,      // MAX/MIN
    kLinkEnd = 0x0E,        // the programme is closing
    kRecordKey = 0x0F,      // REC
    kLoggerContinue = 0x10, // next block of the logger memory
    kDifferenceKeyDouble = 0x12,
    kMaxMinKeyDouble = 0x16,
    kPowerKey = 0x20,
    kPeriodicCommand = 0x22, // every five minutes while the main window exists
};

constexpr MeterCommand meterCommand(std::uint8_t code) {
    return {kCommandHeader1, kCommandHeader2, code};
}

// The power-off command has its header bytes the other way round and is written
// three times in a row.
inline constexpr MeterCommand kPowerOffCommand{0x55, 0xAA, 0x03};
inline constexpr int kPowerOffRepeats = 3;

} // namespace calorant
