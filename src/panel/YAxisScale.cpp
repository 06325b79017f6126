#include "panel/YAxisScale.h"

namespace calorant {

YAxisScale applyYAxisSelection(YAxisScale current, int gainIndex, int offsetIndex) {
    if (gainIndex >= 0 && gainIndex < int(kYGainChoices.size()))
        current.gain = kYGainChoices[gainIndex];
    if (offsetIndex >= 0 && offsetIndex < int(kYOffsetChoices.size()))
        current.offset = kYOffsetChoices[offsetIndex];
    return current;
}

} // namespace calorant
