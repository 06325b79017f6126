#pragma once

#include "logger/LoggerCurves.h"
#include "logger/LoggerPlotLayout.h"
#include "logger/LoggerSet.h"
#include "logger/LoggerViewState.h"

#include <array>
#include <optional>
#include <vector>

namespace calorant {

// What a paint and the mouse work of the logger graph window depend on besides the
// view state, as plain values.
struct LoggerGraphInputs {
    int listClientWidth = 0; // client width of the file list
    int clientWidth = 0;     // the window's client size
    int clientHeight = 0;
    // The set shown (a selected download or a loaded file), null while none is. In
    // download mode the window copies the selected set in before it paints.
    const LoggerSet* set = nullptr;
};

LoggerPlotRect plotRectOf(const LoggerGraphInputs& inputs);

// The scroll bar after a paint: enabled in zoom mode only, with the range 0 to
// maximum; position is set when the first paint after a zoom placed the thumb.
struct LoggerScrollBar {
    bool enabled = false;
    int maximum = 0;
    std::optional<int> position;
};

// Everything one paint draws, in the order it is drawn (client pixels):
// 1. frame: background, black plot, grey grid, red border and ticks, cleared band;
// 2. with a set shown: timeGrid lines (zoom mode, grey 100), the curves in their
//    channels' colours, the margins in the background colour, the time labels, the
//    Y labels and the readout line (12-pixel font; the other texts use 14 pixels);
// 3. the legend; then the cursor line (dotted) over the picture.
struct LoggerPicture {
    LoggerPlotRect plot;
    LoggerFrame frame;
    bool setShown = false;
    std::vector<LoggerLine> timeGrid;
    LoggerCurveSet curves;
    std::array<GraphRect, 4> margins{};
    std::vector<LoggerText> timeLabels;
    std::vector<LoggerText> yLabels;
    std::vector<LoggerReadoutSlot> readout;
    std::vector<LoggerLegendEntry> legend;
    std::optional<LoggerLine> cursorLine;
    LoggerScrollBar scrollBar;
};

// Lays out one paint. The first zoom-mode paint after a zoom finds the reading at the
// plot's left edge and places the scroll bar's thumb; nothing else in `view` changes.
LoggerPicture paintLoggerGraph(LoggerViewState& view, const LoggerGraphInputs& inputs);

// The cursor line at client x, from the plot's top to its bottom.
LoggerLine cursorLineAt(const LoggerPlotRect& plot, int x);

} // namespace calorant
