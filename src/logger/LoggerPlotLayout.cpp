#include "logger/LoggerPlotLayout.h"

#include "core/CalendarTime.h"
#include "core/NumberFormat.h"
#include "core/PixelMath.h"

#include <algorithm>

namespace calorant {

namespace {

constexpr int kListToPlot = 80;
constexpr float kPlotTop = 90;
constexpr int kRightMargin = 61;
constexpr int kBottomMargin = 61;
constexpr int kToolbarBottom = 23; // the margins start below the toolbar
constexpr int kGridDivisions = 10;
constexpr int kOverviewColumns = 15;
constexpr int kTickLength = 3;
constexpr int kBandHeight = 100;
constexpr int kChannelPitch = 120; // legend and readout place the channels this far apart
constexpr int kLegendTextTop = 40;
constexpr int kLegendLineY = 60;
constexpr int kReadoutTop = 70;
constexpr const char* kTimeOfDay = "%H:%M:%S";

// Height of horizontal grid line k, counted from the bottom.
double gridLineY(const LoggerPlotRect& plot, int k) {
    return plot.bottom - static_cast<double>(plot.height() * static_cast<float>(k)) * 0.1;
}

GraphRect area(int left, int top, int width, int height) {
    return {left, top, std::max(width, 0), std::max(height, 0)};
}

GraphPoint at(double x, double y) {
    return {toPixel(x), toPixel(y)};
}

} // namespace

GraphPoint LoggerPlotRect::clamp(GraphPoint point) const {
    const int l = toPixel(left);
    const int t = toPixel(top);
    return {std::clamp(point.x, l, std::max(l, toPixel(right))),
            std::clamp(point.y, t, std::max(t, toPixel(bottom)))};
}

LoggerPlotRect loggerPlotRect(int listClientWidth, int clientWidth, int clientHeight) {
    return {static_cast<float>(listClientWidth + kListToPlot), kPlotTop,
            static_cast<float>(clientWidth - kRightMargin),
            static_cast<float>(clientHeight - kBottomMargin)};
}

LoggerFrame loggerFrame(const LoggerPlotRect& plot, int clientWidth, int clientHeight,
                        bool overview) {
    LoggerFrame frame;
    const int left = toPixel(plot.left);
    const int top = toPixel(plot.top);
    const int right = toPixel(plot.right);
    const int bottom = toPixel(plot.bottom);
    frame.client = area(0, 0, clientWidth, clientHeight);
    frame.plot = area(left, top, right - left, bottom - top);
    for (int k = 0; k <= kGridDivisions; ++k) {
        const int y = toPixel(gridLineY(plot, k));
        frame.gridLines.push_back({{left, y}, {right, y}});
    }
    if (overview) {
        for (int k = 1; k <= kOverviewColumns; ++k) {
            const int x = toPixel(plot.left + plot.width() * static_cast<float>(k) /
                                                  static_cast<float>(kOverviewColumns));
            frame.gridLines.push_back({{x, top}, {x, bottom}});
        }
    }
    frame.borderLines = {{{left, bottom}, {right, bottom}},
                         {{left, top}, {left, bottom}},
                         {{right, top}, {right, bottom}}};
    for (int k = 0; k <= kGridDivisions; ++k) {
        const int y = toPixel(gridLineY(plot, k));
        frame.borderLines.push_back({{left - kTickLength, y}, {left, y}});
    }
    frame.band = area(toPixel(plot.left - 11.2), bottom + 1, right, kBandHeight);
    return frame;
}

std::array<GraphRect, 4> marginRects(const LoggerPlotRect& plot, int clientWidth,
                                     int clientHeight) {
    const int left = toPixel(plot.left);
    const int top = toPixel(plot.top);
    const int right = toPixel(plot.right);
    const int bottom = toPixel(plot.bottom);
    const int belowToolbar = clientHeight - kToolbarBottom;
    return {area(0, kToolbarBottom, clientWidth, top - kToolbarBottom),
            area(0, bottom + 1, clientWidth, clientHeight - bottom - 1),
            area(0, kToolbarBottom, left, belowToolbar),
            area(right, kToolbarBottom, clientWidth - right, belowToolbar)};
}

std::vector<LoggerText> yLabels(const LoggerPlotRect& plot, const LoggerYGrid& grid) {
    std::vector<LoggerText> labels;
    for (int k = 0; k <= kGridDivisions; ++k) {
        const double x = plot.left - 70 + 7.5 * valueLabelWidthClass(grid[k]);
        labels.push_back({formatFixed(grid[k], 2), at(x, gridLineY(plot, k))});
    }
    return labels;
}

std::array<LoggerText, 2> overviewTimeLabels(const LoggerPlotRect& plot, std::time_t startTime,
                                             std::time_t endTime) {
    const double top = plot.bottom + 8;
    return {LoggerText{formatTime(startTime, kTimeOfDay), at(plot.left, top)},
            LoggerText{formatTime(endTime, kTimeOfDay), at(plot.right - 55, top)}};
}

std::vector<LoggerLegendEntry> legendEntries(const LoggerPlotRect& plot,
                                             const ChannelVisibility& visible) {
    std::vector<LoggerLegendEntry> legend;
    for (int c = 0; c < kChannelCount; ++c) {
        if (!visible[c])
            continue;
        const double x = plot.left + kChannelPitch * c;
        legend.push_back({c,
                          {std::string(kChannelNames[c]), at(x + 40, kLegendTextTop)},
                          {at(x + 20, kLegendLineY), at(x + 80, kLegendLineY)}});
    }
    return legend;
}

std::vector<LoggerReadoutSlot> readoutSlots(const LoggerPlotRect& plot,
                                            const ChannelVisibility& visible,
                                            const std::array<std::string, kChannelCount>& values,
                                            const std::string& time) {
    std::vector<LoggerReadoutSlot> slots;
    for (int c = 0; c < kChannelCount; ++c) {
        if (!visible[c])
            continue;
        const double x = plot.left + kChannelPitch * c;
        const GraphPoint valueAt = at(x, kReadoutTop);
        slots.push_back({c,
                         {valueAt.x, valueAt.y, 50, 20},
                         {values[c], valueAt},
                         {"@", at(x + 50, kReadoutTop)},
                         {time, at(x + 62, kReadoutTop)}});
    }
    return slots;
}

} // namespace calorant
