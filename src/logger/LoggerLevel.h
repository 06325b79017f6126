#pragma once

#include "logger/LoggerPlotLayout.h"
#include "logger/LoggerViewState.h"

#include <span>
#include <vector>

namespace calorant {

// One zoom level's view of a set: where reading r and a value u (in the set's unit)
// lie in client pixels, and the values of its grid lines.
//
// Level 0 spreads the readings evenly from the plot's left to its right edge (xStep
// pixels apart, all at the left edge for fewer than two readings) and places values
// between the grid values yGain * (yOffset + k). Each rectangle of the chain, sorted,
// is stretched over the whole plot to give the next level. The chain is evaluated
// rectangle by rectangle, in the arithmetic that decides the truncated pixels; curves
// use the same maps folded into one affine step per axis (fastX, fastY), which give
// the same whole pixels.
class LoggerLevel {
public:
    LoggerLevel(const LoggerPlotRect& plot, int readingCount, int yGain, int yOffset,
                std::span<const LoggerZoomRect> chain);

    const LoggerPlotRect& plot() const { return plot_; }
    int depth() const { return static_cast<int>(chain_.size()); }
    float xStep() const { return xStep_; }
    const LoggerYGrid& yGrid() const { return grid_; } // this level's

    // Level 0.
    double baseX(double reading) const;
    double baseY(double value) const;
    // Level 0 to this level, rectangle by rectangle.
    double chainX(double x) const;
    double chainY(double y) const;
    // The same, in one step; the result truncates to the same whole pixel.
    double fastX(double x) const;
    double fastY(double y) const;

    double readingX(double reading) const { return chainX(baseX(reading)); }
    double valueY(double value) const { return chainY(baseY(value)); }
    // Distance between readings 0 and 1 at this level.
    double spacing() const { return readingX(1) - readingX(0); }

private:
    // x' = scale * x + shift, with a bound on the size of the terms that went into
    // shift: rounding may move the result by a tiny fraction of that.
    struct Affine {
        double scale = 1;
        double shift = 0;
        double magnitude = 0;
        // Follows the map with x' = origin + (x - corner) * stretch.
        void follow(double origin, double corner, double stretch);
        double tolerance(double x) const;
    };

    LoggerPlotRect plot_;
    float xStep_ = 0;
    LoggerYGrid baseGrid_{};
    LoggerYGrid grid_{};
    std::vector<LoggerZoomRect> chain_; // sorted corners
    Affine x_;
    Affine y_;
};

// The level the window draws: level 0 in the overview, level zoomDepth in zoom mode.
LoggerLevel currentLevel(const LoggerViewState& view, const LoggerPlotRect& plot, int readingCount);

// Whether releasing `rect` (unsorted, as dragged) at `level` deepens the zoom: below
// the deepest level, with readings still closer together than the plot is wide, a
// rectangle with width, and a tenth of its height worth more than 0.1 degree (so a
// rectangle released above its press point never zooms).
bool zoomStepDeepens(const LoggerLevel& level, const LoggerZoomRect& rect);

} // namespace calorant
