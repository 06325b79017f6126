#pragma once

#include "core/PixelGeometry.h"
#include "core/Temperature.h"

#include <array>
#include <cstdint>
#include <string>

namespace calorant {

// Zoom levels 0 (the whole set) to 99.
inline constexpr int kLoggerZoomLevels = 100;
inline constexpr int kLoggerDeepestZoom = kLoggerZoomLevels - 1;

// A rectangle dragged at one zoom level, in the client pixels of that level: corner 1
// where the button went down, corner 2 where it came up, in that order (not sorted).
struct LoggerZoomRect {
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
    friend bool operator==(const LoggerZoomRect&, const LoggerZoomRect&) = default;
};

// What the logger graph window shows of the set and how: channels, Y scale, zoom,
// scroll, the drag in progress and the cursor readout. A plain value: the window's
// handlers change it through the functions below and those of LoggerZoom.h, and each
// paint reads it.
//
// A zoom level is kept as the rectangle that made it: zoomRect[l] maps level l onto
// level l + 1, and every paint derives the current level from the chain, so nothing
// per reading is stored for any level.
struct LoggerViewState {
    std::array<std::uint8_t, kChannelCount> channelVisible{1, 1, 1, 1, 1};
    std::int32_t yGain = 100; // degrees per vertical division
    std::int32_t yOffset = 0; // the lowest grid line, in divisions

    std::int32_t overviewMode = 1; // 0: zoom mode, drawing level zoomDepth
    std::int32_t zoomDepth = 0;
    std::array<LoggerZoomRect, kLoggerZoomLevels> zoomRect{};

    // Reading at the plot's left edge, computed at the first zoom-mode paint after
    // each zoom (scrollInitialised then becomes 1).
    std::int32_t firstVisibleReading = 0;
    std::int32_t scrollInitialised = 0;
    // Readings by which the curves are drawn further right in zoom mode.
    std::int32_t scrollShift = 0;

    std::uint8_t dragActive = 0; // the left button is held down after a press
    // 1 until the mouse moves away from the press point while dragging; a release
    // zooms only when it is 0.
    std::uint8_t dragStill = 1;
    GraphPoint pressPoint;
    GraphPoint lastPoint;

    std::int32_t cursorHidden = 1; // no cursor line on screen
    std::int32_t cursorX = 0;      // client x of the cursor line
    std::int32_t cursorReading = 0;
    // Readout texts of the reading under the cursor; empty until the mouse has moved
    // over the plot.
    std::array<std::string, kChannelCount> cursorValueText;
    std::string cursorTimeText;
};

// Back to the whole set at level 0 with no cursor line, no drag and no shift: ZoomOut,
// a double-click in the file list and closing the window. The window also disables its
// scroll bar.
void returnToOverview(LoggerViewState& view);

// The zoom-mode scroll bar. Thumb position p puts reading p - 1 at the plot's left
// edge: dragging the thumb to p shifts the curves by firstVisibleReading - p + 1
// readings, and after any scroll action the thumb goes back to where the shift puts it.
void trackScrollThumb(LoggerViewState& view, int position);
int scrollThumbPosition(const LoggerViewState& view);

} // namespace calorant
