#pragma once

#include "logger/LoggerLevel.h"
#include "logger/LoggerSet.h"
#include "logger/LoggerViewState.h"

#include <string>

namespace calorant {

// The reading under a cursor at client x, for curves drawn `shift` readings to the
// right at `level`: the nearer of the two readings around x, the earlier one when x
// lies exactly halfway. It may name no reading of the set (negative or past the end).
// Fewer than two readings put every reading at one x: the cursor names reading 0.
int cursorReadingAt(const LoggerLevel& level, int x, int shift);

// One value of the readout line: "%.1f" in the set's unit with the unit letter
// ("25.0C"), "------" for no reading, empty for a unit the programme does not know.
std::string cursorValueText(float celsius, std::optional<TemperatureUnit> unit);

// Fills the readout texts of view from the reading view.cursorReading of `set`.
// Returns false and keeps the texts when that names no reading of the set.
bool updateReadout(LoggerViewState& view, const LoggerSet& set);

} // namespace calorant
