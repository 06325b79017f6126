#include "logger/LoggerSet.h"

#include "core/CalendarTime.h"

#include <algorithm>

namespace calorant {

int storedReadingCount(const LoggerSet& set) {
    const auto room = static_cast<std::int32_t>(set.values.size() / kChannelCount);
    return std::clamp<std::int32_t>(set.readingCount, 0, room);
}

float readingValue(const LoggerSet& set, int reading, int channel) {
    return set.values[static_cast<std::size_t>(reading) * kChannelCount + channel];
}

std::time_t readingTime(const LoggerSet& set, int reading) {
    return set.startTime + static_cast<std::time_t>(reading) * set.sampleRate;
}

void rebuildStartTime(LoggerSet& set) {
    set.startTime = makeLocalTime(set.startYear, set.startMonth, set.startDay, set.startHour,
                                  set.startMinute, set.startSecond);
}

void setStartFields(LoggerSet& set, std::time_t start) {
    const std::tm fields = localCalendar(start);
    set.startYear = fields.tm_year + 1900;
    set.startMonth = fields.tm_mon + 1;
    set.startDay = fields.tm_mday;
    set.startHour = fields.tm_hour;
    set.startMinute = fields.tm_min;
    set.startSecond = fields.tm_sec;
    rebuildStartTime(set);
}

std::optional<double> displayValue(float celsius, std::uint8_t unitCode) {
    if (!isUnitCode(unitCode))
        return std::nullopt;
    return fromCelsius(celsius, static_cast<TemperatureUnit>(unitCode));
}

} // namespace calorant
