#pragma once

#include <array>
#include <string>
#include <vector>

namespace calorant {

// Vertical axis: always 10 divisions, 11 labels from the bottom edge (index 0) to the
// top edge (index 10). Values are in the display unit; labels of deeper zoom levels
// are fractional.
inline constexpr int kValueDivisions = 10;
inline constexpr int kValueLabelCount = kValueDivisions + 1;
using ValueLabels = std::array<double, kValueLabelCount>;

// Label i = (offset + i) x gain, rounded to float as the stored settings are.
ValueLabels baseValueLabels(int yGain, int yOffset);

// y in plot coordinates of a value in the display unit: H at label 0, 0 at label 10.
double plotY(double value, const ValueLabels& labels, int plotHeight);

// Approximate right alignment of "%.2f" labels: fewer digits start further right.
int valueLabelWidthClass(double label);

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
