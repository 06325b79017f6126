#pragma once

#include "logger/LoggerGraph.h"
#include "logger/LoggerViewState.h"

#include <optional>
#include <vector>

namespace calorant {

// The mouse work of the logger graph window on its view state: the rubber-band zoom
// with its drag watch, the cursor line and the readout. Positions are client pixels.

// Left button down: a drag starts at the point held inside the plot, and the window
// starts its 10 ms drag watch. A window too small for a plot starts no drag.
void zoomButtonDown(LoggerViewState& view, GraphPoint point, const LoggerGraphInputs& inputs);

// What a mouse move asks of the window.
struct LoggerMouseMove {
    // The cursor line moved here (the mouse is within the plot's width).
    std::optional<LoggerLine> cursorLine;
    // During a drag: the rectangle from the press point to the mouse held in the plot.
    std::optional<GraphRect> rubberBand;
    // The readout line to redraw (each value box cleared first); empty when the mouse
    // names no reading of the set.
    std::vector<LoggerReadoutSlot> readout;
};

// Nothing happens (no value) while no set is shown or the window is too small.
std::optional<LoggerMouseMove> zoomMouseMove(LoggerViewState& view, GraphPoint point,
                                             const LoggerGraphInputs& inputs);

struct LoggerButtonUp {
    bool dragEnded = false; // the rubber band goes away
    // A dragged rectangle was released over a shown set: the window is in zoom mode
    // (one level deeper when the rectangle allowed it), enables its scroll bar and
    // repaints at once.
    bool zoomed = false;
};

LoggerButtonUp zoomButtonUp(LoggerViewState& view, GraphPoint point,
                            const LoggerGraphInputs& inputs);

// One tick of the drag watch with the mouse at `cursor`. Returns true when the drag was
// cancelled because the mouse went 50 pixels beyond the plot's right or left edge, 40
// below it or 20 above it: the window hides the rubber band, repaints at once and stops
// the watch. The watch has nothing to do while no drag is active.
bool zoomDragWatch(LoggerViewState& view, GraphPoint cursor, const LoggerGraphInputs& inputs);

} // namespace calorant
