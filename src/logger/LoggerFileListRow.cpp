#include "logger/LoggerFileListRow.h"

#include "core/CalendarTime.h"
#include "core/NumberFormat.h"
#include "core/Temperature.h"
#include "logger/LoggerFileTable.h"
#include "logger/LoggerStore.h"

#include <cstdint>
#include <ctime>
#include <optional>

namespace calorant {

namespace {

// A unit the programme does not know shows no letter.
FileListRow listRow(int index, std::time_t start, std::optional<TemperatureUnit> unit,
                    std::int64_t sampleRate, std::int64_t readings) {
    return {formatInt(index + 1), formatTime(start, "%m/%d/%y %H:%M:%S"),
            unit ? std::string(unitLetter(*unit)) : std::string(), formatInt(sampleRate) + "sec",
            formatInt(readings)};
}

} // namespace

FileListRow downloadedSetRow(const LoggerStore& store, int set) {
    const auto index = static_cast<std::size_t>(set);
    if (set < 0 || set >= store.setCount || index + 1 >= store.setFirstReading.size() ||
        index >= store.setStartTime.size() || index >= store.setSampleRate.size())
        return {};
    const std::int64_t readings =
        std::int64_t{store.setFirstReading[index + 1]} - store.setFirstReading[index];
    return listRow(set, store.setStartTime[index], unitOfCode(store.loggerUnit),
                   store.setSampleRate[index], readings);
}

FileListRow fileTableRow(const LoggerFileTable& table, int row) {
    if (row < 0 || row > table.lastFileRow || row >= kLoggerFileRows)
        return {};
    const LoggerFileRow& filled = table.rows[static_cast<std::size_t>(row)];
    return listRow(row, filled.rowStartTime, unitOfCode(filled.rowUnit), filled.rowSampleRate,
                   filled.rowReadingCount);
}

} // namespace calorant
