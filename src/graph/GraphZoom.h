#pragma once

#include "graph/GraphAxes.h"
#include "graph/GraphGeometry.h"

namespace calorant {

// A zoom level is kept as the selection that produced it, as fractions of the plot
// (0 = left/top edge, 1 = right/bottom edge), corners ordered. Each paint maps the
// current level-0 picture through the chain of selections, so a zoomed graph follows
// the time axis as it keeps compressing and the window as it is resized.
struct ZoomSelection {
    double left = 0;
    double top = 0;
    double right = 1;
    double bottom = 1;
    friend bool operator==(const ZoomSelection&, const ZoomSelection&) = default;
};

// How one zoom level draws samples, in plot coordinates: sample i lies at
// x = x0 + i * dx; a value whose level-0 y is y0 lies at y = yScale * y0 + yShift.
struct LevelView {
    double x0 = 0;
    double dx = 0;
    double yScale = 1;
    double yShift = 0;
    ValueLabels labels{};     // this level's value labels
    ValueLabels baseLabels{}; // level 0's, which place values at level 0
    double sampleX(double index) const { return x0 + index * dx; }
    double valueY(double value, int plotHeight) const {
        return yScale * plotY(value, baseLabels, plotHeight) + yShift;
    }
};

LevelView levelZeroView(float xStep, const ValueLabels& labels);

// The next level: the selection of `level` stretched over the whole plot, with the
// value labels read off the selected band. The plot must be drawable.
LevelView zoomInto(const LevelView& level, const ZoomSelection& selection,
                   const PlotGeometry& plot);

// Grid step in samples of a zoomed picture whose samples are dx pixels apart.
int zoomGridStep(int plotWidth, double dx);

} // namespace calorant
