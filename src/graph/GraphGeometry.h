#pragma once

#include "core/PixelGeometry.h"

namespace calorant {

// The legend and the time labels were laid out in main-window coordinates, which
// include the 30-pixel toolbar band above the view. They are returned in view
// coordinates, that is moved up by this band.
inline constexpr int kToolbarBand = 30;

// Where the real-time graph lies in the view, recomputed from the client size at
// every paint. "View coordinates" have the view's client top-left at (0, 0); "plot
// coordinates" have the plot's top-left at (0, 0) and are clipped to W x H.
struct PlotGeometry {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }  // W
    int height() const { return bottom - top; } // H
    bool isDrawable() const { return width() > 0 && height() > 0; }

    GraphRect valueStrip;       // value labels and ticks; strip coordinates start here
    GraphRect rightMarginStrip; // grey margin right of the plot; no width in a narrow view
    GraphRect timeBand;         // grey band under the plot holding the time labels
    GraphRect legendBox;        // grey box above the plot holding the legend
};

// controlBarHeight and statsBarHeight are the client heights of the two bars as they
// were first laid out.
PlotGeometry plotGeometry(int clientWidth, int clientHeight, int controlBarHeight,
                          int statsBarHeight);

// The area in which mouse positions count for the hover line, the readout and zoom
// selections (view coordinates, fixed margins independent of the plot). Every mouse
// position is clamped into it before use.
struct MouseArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    // A window too small for the area takes no mouse input on the graph.
    bool isEmpty() const { return width() <= 0 || height() <= 0; }
    GraphPoint clamp(GraphPoint point) const;
};

MouseArea mouseArea(int clientWidth, int clientHeight);

// A zoom drag continues only while the cursor stays strictly inside this frame,
// a little larger than the mouse area.
bool insideDragTolerance(GraphPoint cursor, int clientWidth, int clientHeight);

} // namespace calorant
