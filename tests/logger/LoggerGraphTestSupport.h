#pragma once

#include "core/CalendarTime.h"
#include "logger/LoggerGraph.h"
#include "logger/LoggerZoom.h"

namespace calorant::test {

// A 1351 x 551 client with a file list 210 pixels wide: the plot spans x 290..1290 and
// y 90..490, 1000 x 400 pixels.
inline constexpr int kListWidth = 210;
inline constexpr int kClientWidth = 1351;
inline constexpr int kClientHeight = 551;
inline constexpr int kLeft = 290;
inline constexpr int kTop = 90;
inline constexpr int kRight = 1290;
inline constexpr int kBottom = 490;

// `count` readings of `value` on every channel in Celsius, 2 s apart from 14:05:09 on
// 7 December 2026.
inline LoggerSet uniformSet(int count, float value) {
    LoggerSet set;
    set.readingCount = count;
    std::fill_n(set.values.begin(), count * kChannelCount, value);
    set.sampleRate = 2;
    set.startTime = makeLocalTime(2026, 12, 7, 14, 5, 9);
    return set;
}

inline void setValue(LoggerSet& set, int reading, int channel, float value) {
    set.values[static_cast<std::size_t>(reading) * kChannelCount + channel] = value;
}

inline LoggerGraphInputs inputsFor(const LoggerSet* set) {
    return {kListWidth, kClientWidth, kClientHeight, set};
}

// A left-button drag from `from` to `to` through one mouse move.
inline LoggerButtonUp drag(LoggerViewState& view, GraphPoint from, GraphPoint to,
                           const LoggerGraphInputs& inputs) {
    zoomButtonDown(view, from, inputs);
    zoomMouseMove(view, to, inputs);
    return zoomButtonUp(view, to, inputs);
}

} // namespace calorant::test
