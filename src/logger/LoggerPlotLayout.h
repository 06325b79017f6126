#pragma once

#include "core/PixelGeometry.h"
#include "core/Temperature.h"
#include "core/ValueScale.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace calorant {

// Everything here is in the logger window's client pixels, origin at the client's
// top-left corner (the toolbar band included), and whole pixels are truncated values.

// The plot, recomputed at every paint from the file list's client width and the client
// size. Kept in floats: the zoom arithmetic works on these values.
struct LoggerPlotRect {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
    float width() const { return right - left; }
    float height() const { return bottom - top; }
    // A window too small for a plot draws no curves and takes no mouse input on it.
    bool isDrawable() const { return width() > 0 && height() > 0; }
    // A mouse position held inside the plot's truncated edges.
    GraphPoint clamp(GraphPoint point) const;
};

LoggerPlotRect loggerPlotRect(int listClientWidth, int clientWidth, int clientHeight);

struct LoggerLine {
    GraphPoint from;
    GraphPoint to;
    friend bool operator==(const LoggerLine&, const LoggerLine&) = default;
};

// Text with its top-left corner at `topLeft`.
struct LoggerText {
    std::string text;
    GraphPoint topLeft;
    friend bool operator==(const LoggerText&, const LoggerText&) = default;
};

// The fixed part of a paint, drawn in this order before anything else.
struct LoggerFrame {
    GraphRect client; // filled with the background colour
    GraphRect plot;   // filled black
    // Grey, 1 px: the 11 horizontal lines (bottom first), then in the overview the 15
    // vertical lines.
    std::vector<LoggerLine> gridLines;
    // Red, 1 px: the bottom, left and right edges (the plot has no top edge), then the
    // 11 ticks left of the plot at the heights of the horizontal lines.
    std::vector<LoggerLine> borderLines;
    GraphRect band; // below the plot, filled with the background colour
};

LoggerFrame loggerFrame(const LoggerPlotRect& plot, int clientWidth, int clientHeight,
                        bool overview);

// Above, below, left of and right of the plot, filled with the background colour once
// the curves are drawn, so that no curve shows outside the plot. They leave the plot's
// bottom and left border lines and its top grid line visible.
std::array<GraphRect, 4> marginRects(const LoggerPlotRect& plot, int clientWidth, int clientHeight);

// The values of the 11 horizontal grid lines of one zoom level, bottom (0) to top (10).
// Each holds a float's worth, as the labels print them.
using LoggerYGrid = ValueLabels;

// The 11 Y labels ("%.2f"), right-aligned by their width class.
std::vector<LoggerText> yLabels(const LoggerPlotRect& plot, const LoggerYGrid& grid);

// The time labels of the overview: the start time at the plot's left and the time of
// the last reading near its right.
std::array<LoggerText, 2> overviewTimeLabels(const LoggerPlotRect& plot, std::time_t startTime,
                                             std::time_t endTime);

using ChannelVisibility = std::array<std::uint8_t, kChannelCount>;

// The name of a visible channel in its legend entry, and its 2-pixel line in the
// channel's colour.
struct LoggerLegendEntry {
    int channel = 0;
    LoggerText name;
    LoggerLine line;
};

std::vector<LoggerLegendEntry> legendEntries(const LoggerPlotRect& plot,
                                             const ChannelVisibility& visible);

// One visible channel's place on the readout line: its value text, "@" and the time.
// A cursor move clears valueBox with the background colour before writing the value.
struct LoggerReadoutSlot {
    int channel = 0;
    GraphRect valueBox;
    LoggerText value;
    LoggerText at;
    LoggerText time;
};

std::vector<LoggerReadoutSlot> readoutSlots(const LoggerPlotRect& plot,
                                            const ChannelVisibility& visible,
                                            const std::array<std::string, kChannelCount>& values,
                                            const std::string& time);

} // namespace calorant
