#pragma once

#include "core/ValueScale.h"

#include <array>
#include <string>
#include <vector>

namespace calorant {

// One value label in value-strip coordinates (the strip's y = 0 lies 24 pixels above
// the plot's top edge). The tick runs from (strip width - 5, tickY) to (strip width, tickY).
struct ValueLabel {
    std::string text; // "%.2f"
    int textLeft = 0;
    int textTop = 0;
    int tickY = 0;
};
std::array<ValueLabel, kValueLabelCount> layoutValueLabels(const ValueLabels& labels,
                                                           int plotHeight);

// Horizontal grid lines (plot y), from x = 0 to W.
std::vector<int> horizontalGridY(int plotHeight);

// Time axis, not zoomed: N sample positions across the width (samplesPerWidth) with
// xStep = W / (N - 1) pixels per sample. When a recording outgrows N, the axis is
// compressed so that the N samples fill eleven twelfths of the width.
inline constexpr int kInitialSamplesPerWidth = 100;
inline constexpr int kTimeDivisions = 12;

float sampleStep(int plotWidth, int samplesPerWidth);

struct TimeAxisGrowth {
    float xStep = 0;         // the intermediate step that squeezes N samples into 11/12 W
    int samplesPerWidth = 0; // the grown N
};
// One compression step; plotWidth must be positive.
TimeAxisGrowth compressTimeAxis(int samplesPerWidth, int plotWidth);

// Repeats the compression until sampleCount fits: the N a settled picture uses.
int settleSamplesPerWidth(int samplesPerWidth, int sampleCount, int plotWidth);

// Whole samples per time division (12 divisions across the width).
int samplesPerDivision(int plotWidth, float xStep);

// Vertical grid lines (plot x) of an empty graph: 13 evenly spaced lines.
std::vector<int> emptyGridX(int plotWidth);
// Vertical grid lines (plot x) of a graph with samples: on sample positions, every
// samplesPerDivision samples, 14 lines (those beyond the right edge are clipped).
std::vector<int> sampleGridX(int plotWidth, float xStep);

} // namespace calorant
