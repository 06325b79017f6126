#include "core/ValueScale.h"

#include <cstdint>

namespace calorant {

ValueLabels baseValueLabels(int yGain, int yOffset) {
    ValueLabels labels{};
    for (int i = 0; i < kValueLabelCount; ++i) {
        const double divisions = static_cast<double>(std::int64_t{yOffset} + i);
        labels[i] = static_cast<float>(divisions * yGain);
    }
    return labels;
}

double plotY(double value, const ValueLabels& labels, int plotHeight) {
    const double range = labels[kValueDivisions] - labels[0];
    return plotHeight - (value - labels[0]) * plotHeight / range;
}

int valueLabelWidthClass(double v) {
    if (v >= 0)
        return v < 10 ? 4 : v < 100 ? 3 : v < 1000 ? 2 : 1;
    if (v > -10)
        return 3;
    if (v > -100)
        return 2;
    return v > -1000 ? 1 : 0;
}

} // namespace calorant
