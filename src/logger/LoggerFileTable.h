#pragma once

#include "logger/LoggerSet.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <vector>

namespace calorant {

inline constexpr int kLoggerFileRows = 100;

// One set opened from a .graph file in the logger graph window, with the Y scale the
// file carried.
struct LoggerFileRow {
    std::int32_t rowReadingCount = 0;
    std::vector<float> rowValues; // rowReadingCount * 5 values, reading-major, Celsius
    std::uint8_t rowUnit = 0;
    std::time_t rowStartTime = 0;
    std::int32_t rowSampleRate = 0;
    std::int32_t rowYGain = 0;
    std::int32_t rowYOffset = 0;
};

// The sets opened from files while the logger graph window is open, one per row of its
// file list. After 100 rows the table starts over at row 0 with an empty list.
struct LoggerFileTable {
    std::array<LoggerFileRow, kLoggerFileRows> rows;
    std::int32_t lastFileRow = -1; // index of the last filled row, -1 when none
};

struct AddedFileRow {
    int row = 0;
    // The table wrapped: the window must delete every list row and show no row
    // before it lists this one.
    bool listCleared = false;
};

// Adds the set just read from a file (with that file's Y gain and offset) as the next
// row. The set's startTime is rebuilt from its six start fields, as is the row's.
AddedFileRow addFileRow(LoggerFileTable& table, LoggerSet& set, std::int32_t yGain,
                        std::int32_t yOffset);

struct FileRowScale {
    std::int32_t yGain = 0;
    std::int32_t yOffset = 0;
};

// Copies row `row` back into `set` (readings, unit, startTime, sample rate; the six
// start fields stay as they are) and returns the row's Y scale, which becomes the
// window's. A row that is not filled changes nothing and returns nothing.
std::optional<FileRowScale> showFileRow(const LoggerFileTable& table, int row, LoggerSet& set);

} // namespace calorant
