#pragma once

#include <cstdint>
#include <span>

namespace calorant {

struct LoggerStore;

// The logger memory is a run of record sets. A set is an 11-byte set header
//   0xAA 0x56, sampling interval in seconds (unsigned 16-bit big-endian), start second,
//   minute, hour, day, month, one unused byte, year - 2007
// followed by 10-byte records: T1, T2, IR, T3, T4 as signed 16-bit big-endian tenths
// of a degree Celsius. The stream ends with 10 bytes that belong to no record.
inline constexpr int kSetHeaderSize = 11;
inline constexpr int kLoggerRecordSize = 10;
inline constexpr std::uint8_t kSetHeader1 = 0xAA;
inline constexpr std::uint8_t kSetHeader2 = 0x56;

// Splits a complete stream into record sets and fills `store` with them (the unit of
// every set is `loggerUnit`; start times are local, daylight saving decided by the
// system). Every 0xAA 0x56 pair whose 11 header bytes lie inside the stream starts a
// set. A set's records run from its header to the next header, each record ending at or
// before it; the last set's records must also leave the 10 closing bytes alone.
//
// Returns the number of sets. A stream without any set header leaves `store` as it
// was and returns 0.
int decodeLoggerStream(std::span<const std::uint8_t> stream, std::uint8_t loggerUnit,
                       LoggerStore& store);

} // namespace calorant
