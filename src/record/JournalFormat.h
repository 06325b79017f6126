#pragma once

#include "core/Temperature.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace calorant {

// The recording journal: every sample of a running recording, appended as it is taken,
// so that a recording outlives a crash of the programme. Version 1, little-endian:
//
//   header, 28 bytes:  "CALORJNL", u16 version 1, u16 0, i32 sample rate in ms,
//                      i64 start time (seconds since 1970, UTC), u32 CRC-32 of the 24
//                      bytes before it
//   sample, 30 bytes:  u32 sample index (0, 1, 2, ...), u8 1 for a fresh reading or 0
//                      for a repeat, u8 0, five IEEE floats in degrees Celsius (T1, T2,
//                      IR, T3, T4), u32 CRC-32 of the 26 bytes before it
//
// A sample is whole when all its 30 bytes are there and its CRC matches; a journal is
// read up to the first sample that is not.
inline constexpr std::uint16_t kJournalVersion = 1;
inline constexpr std::size_t kJournalHeaderSize = 28;
inline constexpr std::size_t kJournalSampleSize = 30;

struct JournalHeader {
    std::time_t runStartTime = 0;
    int sampleRateMs = 0;
};

struct JournalSample {
    Channels values{};
    bool fresh = false; // the sample carried a new frame rather than repeating the last
};

// What a journal holds: its header and its whole samples, in order.
struct JournalContent {
    JournalHeader header;
    std::vector<JournalSample> samples;
    bool damaged = false; // bytes after the last whole sample: cut short or garbage
};

std::string encodeJournalHeader(const JournalHeader& header);
std::string encodeJournalSample(std::uint32_t index, const JournalSample& sample);

// Nothing when the bytes do not start with a readable version-1 header. At most
// `maxSamples` samples are read; any more count as damage.
std::optional<JournalContent> decodeJournal(std::span<const std::uint8_t> bytes,
                                            std::size_t maxSamples);

} // namespace calorant
