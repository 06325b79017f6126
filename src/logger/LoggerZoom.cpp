#include "logger/LoggerZoom.h"

#include "logger/LoggerLevel.h"
#include "logger/LoggerReadout.h"

#include <algorithm>
#include <cstdlib>

namespace calorant {

namespace {

constexpr double kCancelSideways = 50;
constexpr double kCancelBelow = 40;
constexpr double kCancelAbove = 20;

GraphRect spanning(GraphPoint a, GraphPoint b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::abs(a.x - b.x), std::abs(a.y - b.y)};
}

LoggerZoomRect& currentRect(LoggerViewState& view) {
    return view
        .zoomRect[static_cast<std::size_t>(std::clamp(view.zoomDepth, 0, kLoggerDeepestZoom))];
}

LoggerLevel zoomLevelOf(const LoggerViewState& view, const LoggerPlotRect& plot,
                        const LoggerSet& set) {
    return currentLevel(view, plot, storedReadingCount(set));
}

} // namespace

void zoomButtonDown(LoggerViewState& view, GraphPoint point, const LoggerGraphInputs& inputs) {
    const LoggerPlotRect plot = plotRectOf(inputs);
    if (!plot.isDrawable())
        return;
    const GraphPoint p = plot.clamp(point);
    view.pressPoint = view.lastPoint = p;
    LoggerZoomRect& rect = currentRect(view);
    rect.x1 = static_cast<float>(p.x);
    rect.y1 = static_cast<float>(p.y);
    view.dragActive = 1;
    view.dragStill = 1;
}

std::optional<LoggerMouseMove> zoomMouseMove(LoggerViewState& view, GraphPoint point,
                                             const LoggerGraphInputs& inputs) {
    const LoggerPlotRect plot = plotRectOf(inputs);
    if (!inputs.set || !plot.isDrawable())
        return std::nullopt;
    const LoggerSet& set = *inputs.set;
    LoggerMouseMove move;
    if (point.x >= plot.left && point.x <= plot.right + 1) {
        const int shift = view.overviewMode ? 0 : view.scrollShift;
        view.cursorReading = cursorReadingAt(zoomLevelOf(view, plot, set), point.x, shift);
        view.cursorHidden = 0;
        view.cursorX = point.x;
        move.cursorLine = cursorLineAt(plot, point.x);
    }
    if (view.dragActive) {
        const GraphPoint p = plot.clamp(point);
        if (!(p == view.pressPoint))
            view.dragStill = 0;
        view.lastPoint = p;
        move.rubberBand = spanning(view.pressPoint, p);
    }
    if (updateReadout(view, set))
        move.readout =
            readoutSlots(plot, view.channelVisible, view.cursorValueText, view.cursorTimeText);
    return move;
}

LoggerButtonUp zoomButtonUp(LoggerViewState& view, GraphPoint point,
                            const LoggerGraphInputs& inputs) {
    LoggerButtonUp result;
    if (!view.dragActive)
        return result; // no press started a drag here
    const LoggerPlotRect plot = plotRectOf(inputs);
    const GraphPoint p = plot.clamp(point);
    LoggerZoomRect& rect = currentRect(view);
    rect.x2 = static_cast<float>(p.x);
    rect.y2 = static_cast<float>(p.y);
    view.dragActive = 0;
    result.dragEnded = true;
    const bool moved = !view.dragStill;
    view.dragStill = 1;
    if (!moved || !inputs.set)
        return result;
    if (zoomStepDeepens(zoomLevelOf(view, plot, *inputs.set), rect))
        ++view.zoomDepth;
    view.overviewMode = 0;
    view.scrollInitialised = 0;
    result.zoomed = true;
    return result;
}

bool zoomDragWatch(LoggerViewState& view, GraphPoint cursor, const LoggerGraphInputs& inputs) {
    if (!view.dragActive)
        return false;
    const LoggerPlotRect plot = plotRectOf(inputs);
    const double x = cursor.x;
    const double y = cursor.y;
    const bool away = x >= plot.right + kCancelSideways || x <= plot.left - kCancelSideways ||
                      y >= plot.bottom + kCancelBelow || y <= plot.top - kCancelAbove;
    if (!away)
        return false;
    view.dragActive = 0;
    view.dragStill = 1;
    return true;
}

} // namespace calorant
