#include "logger/DataListRow.h"

#include "core/CalendarTime.h"
#include "core/NumberFormat.h"
#include "core/TemperatureText.h"

namespace calorant {

DataListRow dataListRow(const LoggerSet& set, int row) {
    DataListRow cells;
    if (row < 0 || row >= storedReadingCount(set))
        return cells;
    const std::time_t time = readingTime(set, row);
    cells[0] = formatInt(row + 1);
    cells[1] = formatTime(time, "%m/%d/%y");
    cells[2] = formatTime(time, "%H:%M:%S");
    for (int channel = 0; channel < kChannelCount; ++channel)
        cells[3 + static_cast<std::size_t>(channel)] =
            temperatureText(readingValue(set, row, channel), unitOfCode(set.unit), kDataListStyle);
    return cells;
}

} // namespace calorant
