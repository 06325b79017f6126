#include "graph/GraphGeometry.h"

#include <algorithm>

namespace calorant {

namespace {

constexpr int kPlotLeft = 302;
constexpr int kPlotRightMargin = 50;
constexpr int kPlotTopGap = 22;    // below the control bar, holds the legend
constexpr int kPlotBottomGap = 52; // above the statistics bar, holds the time labels
constexpr int kValueStripLeft = 226;
constexpr int kStripAbovePlot = 24;
constexpr int kRightStripWidth = 60;
constexpr int kRightStripMinRight = 224;
constexpr int kLegendLeft = 290;

// A very small window leaves no room for some areas; they get no size rather than a
// negative one.
GraphRect area(int left, int top, int width, int height) {
    return {left, top, std::max(width, 0), std::max(height, 0)};
}

} // namespace

PlotGeometry plotGeometry(int clientWidth, int clientHeight, int controlBarHeight,
                          int statsBarHeight) {
    PlotGeometry g;
    g.left = kPlotLeft;
    g.right = clientWidth - kPlotRightMargin;
    g.top = controlBarHeight + kPlotTopGap;
    g.bottom = clientHeight - statsBarHeight - kPlotBottomGap;
    const int stripTop = g.top - kStripAbovePlot;
    g.valueStrip =
        area(kValueStripLeft, stripTop, g.left - kValueStripLeft, g.bottom + 30 - stripTop);
    g.rightMarginStrip =
        area(g.right, stripTop, g.right < kRightStripMinRight ? 0 : kRightStripWidth,
             g.bottom - stripTop);
    g.timeBand = area(g.left, g.bottom + 31 - kToolbarBand, g.width() + 108, 29);
    g.legendBox = area(kLegendLeft, controlBarHeight + 32 - kToolbarBand, g.right - 230, 23);
    return g;
}

GraphPoint MouseArea::clamp(GraphPoint point) const {
    if (isEmpty())
        return {left, top};
    return {std::clamp(point.x, left, right), std::clamp(point.y, top, bottom)};
}

MouseArea mouseArea(int clientWidth, int clientHeight) {
    return {294, 118, clientWidth - 50, clientHeight - 200};
}

bool insideDragTolerance(GraphPoint cursor, int clientWidth, int clientHeight) {
    return cursor.x > 244 && cursor.x < clientWidth - 20 && cursor.y > 115 &&
           cursor.y < clientHeight - 180;
}

} // namespace calorant
