#include "graph/GraphZoom.h"

#include "core/PixelMath.h"

namespace calorant {

LevelView levelZeroView(float xStep, const ValueLabels& labels) {
    LevelView level;
    level.dx = xStep;
    level.labels = labels;
    level.baseLabels = labels;
    return level;
}

LevelView zoomInto(const LevelView& level, const ZoomSelection& selection,
                   const PlotGeometry& plot) {
    const double w = plot.width();
    const double h = plot.height();
    const double xa = plot.left + selection.left * w;
    const double xb = plot.left + selection.right * w;
    const double ya = plot.top + selection.top * h;
    const double yb = plot.top + selection.bottom * h;
    const double xScale = w / (xb - xa);
    const double yScale = h / (yb - ya);

    LevelView next = level;
    next.x0 = (level.x0 - (xa - plot.left)) * xScale;
    next.dx = level.dx * xScale;
    next.yScale = level.yScale * yScale;
    next.yShift = (level.yShift - (ya - plot.top)) * yScale;

    // Label i of the next level is this level's value at the view height that the
    // next level's label i will occupy.
    const double low = level.labels[0];
    const double range = level.labels[kValueDivisions] - low;
    for (int i = 0; i < kValueLabelCount; ++i) {
        const double y = yb - i * (yb - ya) / kValueDivisions;
        next.labels[i] = low + (plot.bottom - y) * range / h;
    }
    return next;
}

int zoomGridStep(int plotWidth, double dx) {
    const int spacings = toPixel(plotWidth / dx);
    if (spacings <= 1)
        return 1;
    const int parts = spacings >= 4 ? 4 : spacings;
    return toPixel((plotWidth / parts) / dx);
}

} // namespace calorant
