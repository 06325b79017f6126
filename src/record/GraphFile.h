#pragma once

#include "logger/LoggerSet.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace calorant {

class SampleStore;

// A .graph file holds one recording of the five channels, little-endian:
//   length byte 7 and "KV4410M", int32 count n, n * 5 floats (sample-major, Celsius),
//   unit byte, int32 start year, month, day, hour, minute, second (local time),
//   int32 sample rate in seconds, int32 Y gain, int32 Y offset.
// So a file is 49 + 20 * n bytes. Every file loads into LoggerSet, which is how a saved
// real-time recording is viewed again in the logger graph window.
inline constexpr std::string_view kGraphMagic = "KV4410M";
inline constexpr std::string_view kInvalidFormatMessage = "Invalid Format!";

// Real-time recording: every sample 0 .. sampleCount-1, the start broken down into
// local fields, the rate in whole seconds and the real-time graph's Y scale.
void writeGraphFile(std::ostream& out, const SampleStore& store, TemperatureUnit unit,
                    std::int32_t graphYGain, std::int32_t graphYOffset);

// Logger set: its readings, unit, six start fields and rate, with the Y scale of the
// last file read (loadedYGain, loadedYOffset).
void writeGraphFile(std::ostream& out, const LoggerSet& set, std::int32_t loadedYGain,
                    std::int32_t loadedYOffset);

// Everything a .graph file holds: its set (startTime rebuilt from the start fields) and
// the Y scale it was saved with.
struct GraphFileContents {
    LoggerSet set;
    std::int32_t yGain = 0;
    std::int32_t yOffset = 0;
};

struct [[nodiscard]] GraphReadResult {
    std::optional<GraphFileContents> contents; // nothing when the file was refused
    std::string message;                       // what to show the user then
    bool loaded() const { return contents.has_value(); }
};

// Reads a whole .graph file. A wrong magic, a count outside 0..13110 or a file that
// ends early is refused with "Invalid Format!".
GraphReadResult readGraphFile(std::istream& in);

} // namespace calorant
