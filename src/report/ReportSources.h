#pragma once

#include "core/Temperature.h"
#include "report/ReportInputs.h"

#include <array>

namespace calorant {

class SampleStore;
struct LoggerSet;

// The inputs of the two Print commands. Both leave printTime for the caller, which sets
// it when the page is drawn. The inputs refer to the store's or the set's values, so
// they are valid while those stay as they are.

// The real-time recording: every recorded sample in the meter's display unit, on the
// real-time graph's vertical scale (gridline i at (yOffset + i) * yGain), its visible
// channels, time labels from the run's start at the sample rate, a grey grid and the
// stamp "%m/%d/%y  %H:%M".
ReportInputs realTimeReport(const SampleStore& store, TemperatureUnit unit,
                            const std::array<bool, kChannelCount>& channelVisible, int yGain,
                            int yOffset);

// A logger set: its readings in its own unit (a unit code the programme does not know
// prints the values unconverted), on the logger window's level-0 scale (gridline i at
// (yOffset + i) * yGain, however far the window is zoomed), the window's visible
// channels, time labels from the set's start at its rate, a dark grid and the stamp
// "%Y-%m-%d  %H:%M".
ReportInputs loggerReport(const LoggerSet& set,
                          const std::array<bool, kChannelCount>& channelVisible, int yGain,
                          int yOffset);

} // namespace calorant
