#include "logger/LoggerGraph.h"

#include "core/CalendarTime.h"
#include "core/PixelMath.h"
#include "logger/LoggerLevel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace calorant {

namespace {

constexpr int kZoomGridLines = 10;

// Readings between the zoom-mode grid lines: about a quarter of the plot's width, a
// third or half when fewer readings fit, every reading when at most one interval does.
std::int64_t gridStep(float width, double spacing, int intervals) {
    if (intervals <= 1)
        return 1;
    if (intervals == 2)
        return toPixel(width * 0.5 / spacing);
    if (intervals == 3)
        return toPixel(static_cast<double>(width / 3.0f) / spacing);
    return toPixel(width * 0.25 / spacing);
}

// The zoom-mode time axis: grid lines on reading positions from the reading at the
// plot's left edge on, each labelled with the time of the reading the shifted curves
// show there.
void layOutZoomedTimeAxis(LoggerPicture& picture, LoggerViewState& view, const LoggerLevel& level,
                          const LoggerSet& set) {
    const LoggerPlotRect& plot = level.plot();
    const int count = storedReadingCount(set);
    const double spacing = level.spacing();
    // Fewer than two readings lie at one x: there is no spacing to divide by.
    const bool spread = spacing > 0 && std::isfinite(spacing);
    picture.scrollBar = {true, count, std::nullopt};
    if (!view.scrollInitialised) {
        view.firstVisibleReading = spread ? toPixel((plot.left - level.readingX(0)) / spacing) : 0;
        view.scrollInitialised = 1;
        picture.scrollBar.position = scrollThumbPosition(view);
    }
    const std::int64_t first = view.firstVisibleReading;
    const int intervals = spread ? toPixel(plot.width() / spacing) : 1;
    const std::int64_t step = spread ? gridStep(plot.width(), spacing, intervals) : 1;
    const std::time_t firstTime =
        set.startTime + static_cast<std::time_t>((first - view.scrollShift) * set.sampleRate);
    const double firstX = level.readingX(static_cast<double>(first));
    const int top = toPixel(plot.top);
    const int bottom = toPixel(plot.bottom);
    for (int j = 0; j < kZoomGridLines; ++j) {
        const std::int64_t reading = first + j * step;
        if (intervals > 1 || reading < count) {
            const int x = toPixel(firstX + static_cast<double>(j * step) * spacing);
            picture.timeGrid.push_back({{x, bottom}, {x, top}});
        }
        const double labelX = level.readingX(static_cast<double>(reading));
        if (reading < count && labelX >= plot.left && labelX <= plot.right) {
            const std::time_t time =
                firstTime + static_cast<std::time_t>(j * step * set.sampleRate);
            picture.timeLabels.push_back(
                {formatTime(time, "%H:%M:%S"), {toPixel(labelX), bottom + 1}});
        }
    }
}

} // namespace

LoggerPlotRect plotRectOf(const LoggerGraphInputs& inputs) {
    return loggerPlotRect(inputs.listClientWidth, inputs.clientWidth, inputs.clientHeight);
}

LoggerLine cursorLineAt(const LoggerPlotRect& plot, int x) {
    return {{x, toPixel(plot.top)}, {x, toPixel(plot.bottom)}};
}

LoggerPicture paintLoggerGraph(LoggerViewState& view, const LoggerGraphInputs& inputs) {
    LoggerPicture picture;
    const LoggerPlotRect plot = plotRectOf(inputs);
    const bool overview = view.overviewMode != 0;
    picture.plot = plot;
    picture.frame = loggerFrame(plot, inputs.clientWidth, inputs.clientHeight, overview);
    picture.legend = legendEntries(plot, view.channelVisible);
    if (!view.cursorHidden)
        picture.cursorLine = cursorLineAt(plot, view.cursorX);
    if (!inputs.set)
        return picture;

    const LoggerSet& set = *inputs.set;
    const int count = storedReadingCount(set);
    const LoggerLevel level = currentLevel(view, plot, count);
    picture.setShown = true;
    if (overview) {
        // An empty set has no last reading: its end is its start.
        const std::time_t end = readingTime(set, std::max(count, 1) - 1);
        for (LoggerText& label : overviewTimeLabels(plot, set.startTime, end))
            picture.timeLabels.push_back(std::move(label));
    } else {
        layOutZoomedTimeAxis(picture, view, level, set);
    }
    if (plot.isDrawable())
        picture.curves =
            loggerCurves(set, level, view.channelVisible, overview ? 0 : view.scrollShift);
    picture.margins = marginRects(plot, inputs.clientWidth, inputs.clientHeight);
    picture.yLabels = yLabels(plot, level.yGrid());
    picture.readout =
        readoutSlots(plot, view.channelVisible, view.cursorValueText, view.cursorTimeText);
    return picture;
}

} // namespace calorant
