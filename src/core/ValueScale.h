#pragma once

#include <array>

namespace calorant {

// The vertical value scale that the real-time graph and the logger graph share: always
// 10 divisions, 11 labels from the bottom edge (index 0) to the top edge (index 10).
// Values are in the display unit; labels of deeper zoom levels are fractional.
inline constexpr int kValueDivisions = 10;
inline constexpr int kValueLabelCount = kValueDivisions + 1;
using ValueLabels = std::array<double, kValueLabelCount>;

// Label i = (offset + i) x gain, rounded to float as the stored settings are.
ValueLabels baseValueLabels(int yGain, int yOffset);

// y in plot coordinates of a value in the display unit: H at label 0, 0 at label 10.
double plotY(double value, const ValueLabels& labels, int plotHeight);

// Approximate right alignment of "%.2f" labels: fewer digits start further right.
int valueLabelWidthClass(double label);

} // namespace calorant
