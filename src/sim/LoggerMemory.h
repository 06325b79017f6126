#pragma once

#include "sim/FrameEncoder.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace calorant::sim {

// Local wall-clock start of a record set, as the meter stores it.
struct SetStart {
    int year = 2007; // stored as year - 2007 in one byte
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

inline constexpr std::size_t kSetHeaderSize = 11;
inline constexpr std::size_t kRecordSize = 10;
// The memory stream ends with this many bytes that belong to no record.
inline constexpr std::size_t kStreamTrailerSize = 10;

// The meter's logger memory: record sets, each an 11-byte set header (AA 56, the
// sampling interval, the start time) followed by 10-byte records of the five channels.
// On request the meter announces the length L of this content in a header reply and
// then sends the content followed by a 10-byte trailer, L + 10 bytes in all.
class LoggerMemory {
public:
    void beginSet(int intervalSeconds, const SetStart& start);
    void appendRecord(const ChannelTenths& tenths);
    // Raw bytes that belong to no set, such as erased memory.
    void appendErased(std::size_t count);
    // Any bytes at all, as they are.
    void appendRaw(std::span<const std::uint8_t> bytes);

    const std::vector<std::uint8_t>& content() const { return content_; }
    // BB 55, unit code, two unused bytes, L as unsigned 32-bit big-endian.
    std::vector<std::uint8_t> headerReply(std::uint8_t unitCode) const;
    // The L + 10 bytes sent after the memory request.
    std::vector<std::uint8_t> stream() const;

private:
    std::vector<std::uint8_t> content_;
};

// The logger memory a scenario starts with.
enum class LoggerContent {
    Sets,      // three record sets, a few thousand bytes
    Empty,     // nothing recorded: L = 0
    Large,     // ten sets, L = 45000: two 20000-byte blocks and a remainder
    Oversized, // ten sets, L = 150000: more than a 131072-byte download buffer
    NoSets,    // 100 bytes of erased memory and no set header
    Garbage,   // no memory image: random bytes holding the set markers of kGarbageSetMarkers
};

// Where the garbage memory holds the byte pair AA 56 of a set header, and nowhere else:
// a set with a zero interval and a zero day and month, one with every field out of its
// range, one inside that one's header, and one whose header runs into the closing bytes.
inline constexpr std::size_t kGarbageLength = 1200;
inline constexpr std::size_t kGarbageSetMarkers[] = {37, 300, 302, kGarbageLength - 2};

LoggerMemory makeLoggerMemory(LoggerContent content);

} // namespace calorant::sim
