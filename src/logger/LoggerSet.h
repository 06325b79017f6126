#pragma once

#include "core/Temperature.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <vector>

namespace calorant {

// A set holds at most this many readings of five values; a download of the
// meter's whole memory (131072 bytes, ten bytes a reading) always fits.
inline constexpr int kLoggerSetCapacity = 13110;
inline constexpr int kLoggerSetValueCapacity = kLoggerSetCapacity * kChannelCount;

// The one logger record set being shown: plotted, listed, printed and saved by the
// logger graph window. A downloaded set and a set read from a .graph file look the
// same here, which is what lets the window treat both alike.
//
// Values stay in degrees Celsius whatever `unit` says; the unit only chooses the
// conversion for display and export.
struct LoggerSet {
    std::int32_t readingCount = 0;
    // Reading r, channel c at index r * 5 + c. Allocated once at full capacity; only
    // the first readingCount * 5 entries mean anything.
    std::vector<float> values = std::vector<float>(kLoggerSetValueCapacity, 0.0f);
    std::uint8_t unit = 0; // 0 C, 1 F, 2 K
    std::time_t startTime = 0;
    std::int32_t sampleRate = 0; // seconds between readings
    // The start broken down (full year, month 1..12); this is what a .graph file stores.
    std::int32_t startYear = 0;
    std::int32_t startMonth = 0;
    std::int32_t startDay = 0;
    std::int32_t startHour = 0;
    std::int32_t startMinute = 0;
    std::int32_t startSecond = 0;
};

// readingCount clamped to what `values` can hold, so no caller reads past the array
// even if a field was set carelessly.
int storedReadingCount(const LoggerSet& set);

float readingValue(const LoggerSet& set, int reading, int channel);

// Local time of reading r: startTime + r * sampleRate seconds.
std::time_t readingTime(const LoggerSet& set, int reading);

// startTime rebuilt from the six start fields as local time, daylight saving decided
// by the system.
void rebuildStartTime(LoggerSet& set);

// Sets the six start fields from a calendar time, then startTime from them.
void setStartFields(LoggerSet& set, std::time_t start);

// A stored Celsius value in the unit of a set (0 C, 1 F, 2 K); nothing for any other
// unit code. A value counts as no reading when isNoValue() holds for the stored
// Celsius value, whatever the unit.
std::optional<double> displayValue(float celsius, std::uint8_t unitCode);

} // namespace calorant
