#pragma once

#include <array>

namespace calorant {

// The vertical scale of a graph: value step per division and the bottom gridline in
// divisions. The Y axis dialog offers these choices, in this order.
inline constexpr std::array<int, 7> kYGainChoices{1, 2, 5, 10, 50, 100, 200};
inline constexpr std::array<int, 5> kYOffsetChoices{0, 2, 5, -2, -5};

struct YAxisScale {
    int gain = 10;
    int offset = 0;
    bool operator==(const YAxisScale&) const = default;
};

// The scale after the dialog's OK: each list position picks its value from the
// choices; a list left without a selection (-1) keeps the current value.
YAxisScale applyYAxisSelection(YAxisScale current, int gainIndex, int offsetIndex);

} // namespace calorant
