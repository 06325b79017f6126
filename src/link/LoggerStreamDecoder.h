#pragma once

#include <cstdint>
#include <ctime>
#include <span>
#include <vector>

namespace calorant {

// The logger memory is a run of record sets. A set is an 11-byte set header
//   0xAA 0x56, sampling interval in seconds (unsigned 16-bit big-endian), start second,
//   minute, hour, day, month, one unused byte, year - 2007
// followed by 10-byte records: T1, T2, IR, T3, T4 as signed 16-bit big-endian tenths
// of a degree Celsius. The stream ends with 10 bytes that belong to no record.
inline constexpr int kSetHeaderSize = 11;
inline constexpr int kLoggerRecordSize = 10;
inline constexpr std::uint8_t kSetHeader1 = 0xAA;
inline constexpr std::uint8_t kSetHeader2 = 0x56;

// The record sets of one downloaded logger memory, back to back.
struct DecodedLoggerMemory {
    // Reading r, channel c at index r * 5 + c, all sets in download order.
    std::vector<float> readings;
    // One entry more than there are sets: set i covers readings setFirstReading[i] up to
    // (not including) setFirstReading[i + 1]. Empty when the memory holds no set.
    std::vector<std::int32_t> setFirstReading;
    std::vector<std::time_t> setStartTime;
    std::vector<std::int32_t> setSampleRate; // seconds
    std::uint8_t loggerUnit = 0;             // unit of every set
    int setCount() const { return static_cast<int>(setStartTime.size()); }
};

// Splits a complete stream into record sets (the unit of every set is `loggerUnit`;
// start times are local, daylight saving decided by the system). Every 0xAA 0x56 pair
// whose 11 header bytes lie inside the stream starts a set. A set's records run from its
// header to the next header, each record ending at or before it; the last set's records
// must also leave the 10 closing bytes alone. A stream without any set header holds no
// set.
DecodedLoggerMemory decodeLoggerStream(std::span<const std::uint8_t> stream,
                                       std::uint8_t loggerUnit);

} // namespace calorant
