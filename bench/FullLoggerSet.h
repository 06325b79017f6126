#pragma once

// The full logger set the logger benchmarks lay out and draw, and the zoom they draw it
// at.
#include "logger/LoggerGraph.h"
#include "logger/LoggerSet.h"
#include "logger/LoggerZoom.h"

#include <cmath>

namespace calorant::bench {

// 13110 readings 2 s apart on all five channels: smooth curves inside 0..100 C with a
// little deterministic noise.
inline LoggerSet fullLoggerSet() {
    LoggerSet set;
    set.readingCount = kLoggerSetCapacity;
    set.sampleRate = 2;
    setStartFields(set, 1700000000);
    for (int r = 0; r < kLoggerSetCapacity; ++r)
        for (int c = 0; c < kChannelCount; ++c)
            set.values[std::size_t(r) * kChannelCount + c] = static_cast<float>(
                50 + 30 * std::sin(r * 0.003 + c) + ((r * 7919 + c * 31) % 13) * 0.4);
    return set;
}

// Zooms `view` through the mouse, as a user would, `levels` deep: each rectangle
// stretches the middle 1 / 1.04 of the plot over the whole plot. Returns whether every
// level deepened.
inline bool zoomLoggerView(LoggerViewState& view, const LoggerGraphInputs& inputs, int levels) {
    const LoggerPlotRect plot = plotRectOf(inputs);
    const int dx = static_cast<int>(plot.width() * 0.0192f);
    const int dy = static_cast<int>(plot.height() * 0.0192f);
    for (int k = 0; k < levels; ++k) {
        const GraphPoint from{static_cast<int>(plot.left) + dx, static_cast<int>(plot.top) + dy};
        const GraphPoint to{static_cast<int>(plot.right) - dx, static_cast<int>(plot.bottom) - dy};
        zoomButtonDown(view, from, inputs);
        zoomMouseMove(view, to, inputs);
        zoomButtonUp(view, to, inputs);
    }
    paintLoggerGraph(view, inputs);
    return view.zoomDepth == levels;
}

} // namespace calorant::bench
