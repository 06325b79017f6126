#include "logger/LoggerFileTable.h"

#include <algorithm>

namespace calorant {

AddedFileRow addFileRow(LoggerFileTable& table, LoggerSet& set, std::int32_t yGain,
                        std::int32_t yOffset) {
    AddedFileRow added;
    if (table.lastFileRow < kLoggerFileRows - 1) {
        ++table.lastFileRow;
    } else {
        table.lastFileRow = 0;
        added.listCleared = true;
    }
    added.row = table.lastFileRow;

    rebuildStartTime(set);
    const int count = storedReadingCount(set);
    LoggerFileRow& row = table.rows[static_cast<std::size_t>(added.row)];
    row.rowReadingCount = count;
    row.rowValues.assign(set.values.begin(),
                         set.values.begin() + static_cast<std::ptrdiff_t>(count) * kChannelCount);
    row.rowUnit = set.unit;
    row.rowStartTime = set.startTime;
    row.rowSampleRate = set.sampleRate;
    row.rowYGain = yGain;
    row.rowYOffset = yOffset;
    return added;
}

std::optional<FileRowScale> showFileRow(const LoggerFileTable& table, int row, LoggerSet& set) {
    if (row < 0 || row > table.lastFileRow || row >= kLoggerFileRows)
        return std::nullopt;
    const LoggerFileRow& source = table.rows[static_cast<std::size_t>(row)];
    const auto count = static_cast<std::size_t>(
        std::min(source.rowValues.size(), set.values.size()) / kChannelCount);
    std::copy_n(source.rowValues.begin(), count * kChannelCount, set.values.begin());
    set.readingCount = static_cast<std::int32_t>(count);
    set.unit = source.rowUnit;
    set.startTime = source.rowStartTime;
    set.sampleRate = source.rowSampleRate;
    return FileRowScale{source.rowYGain, source.rowYOffset};
}

} // namespace calorant
