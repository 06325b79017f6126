#pragma once

#include "logger/LoggerSet.h"

#include <cstdint>
#include <iosfwd>
#include <string>

namespace calorant {

class SampleStore;

// The CSV companion of every save, for spreadsheets: UTF-16LE with a byte-order mark,
// TAB between fields, CR LF after every line. Header "No T1 T2 IR T3 T4 Unit Time", then
// one row per reading: its number from 1, the five values in the file's unit with one
// decimal ("----" for no reading), the unit letter and " %m/%d/%y %H:%M:%S" (leading
// space). Numbers never depend on the user's locale.

// Real-time recording: one row per fresh reading (repeated samples are left out), at
// the time of the sample it was recorded in, converted to `unit`.
void writeCsvFile(std::ostream& out, const SampleStore& store, TemperatureUnit unit);

// Logger set: one row per reading, at the start fields' local time + r * sampleRate.
void writeCsvFile(std::ostream& out, const LoggerSet& set);

// One row's text before it is widened, without the line end (exposed for the tests
// and the benchmark).
std::string csvRowText(int number, const Channels& celsius, TemperatureUnit unit, std::time_t time);

} // namespace calorant
