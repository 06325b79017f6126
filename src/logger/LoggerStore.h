#pragma once

#include "logger/LoggerSet.h"

#include <cstdint>
#include <ctime>
#include <vector>

namespace calorant {

// Every record set of the last logger download, back to back. The download fills it
// once it is complete; it lives until the logger graph window closes.
struct LoggerStore {
    std::int32_t setCount = 0;
    // Reading r, channel c at index r * 5 + c, all sets in download order.
    std::vector<float> readings;
    // setCount + 1 entries: set i covers readings setFirstReading[i] up to (not
    // including) setFirstReading[i + 1].
    std::vector<std::int32_t> setFirstReading;
    std::vector<std::time_t> setStartTime;
    std::vector<std::int32_t> setSampleRate; // seconds
    std::uint8_t loggerUnit = 0;             // unit of every downloaded set
    std::uint8_t downloadStoreReady = 0;     // the arrays above hold a download
};

// Copies downloaded set `setIndex` into `set`: readings, unit, the start broken down
// into the six fields and rebuilt from them, and the sample rate. Returns false and
// leaves `set` alone when the index names no set or the store's tables disagree with
// its readings. A set longer than the capacity of `set` keeps its first readings.
[[nodiscard]] bool showDownloadedSet(const LoggerStore& store, int setIndex, LoggerSet& set);

// Frees the download's arrays when there are any (the logger graph window closed).
void releaseStore(LoggerStore& store);

} // namespace calorant
