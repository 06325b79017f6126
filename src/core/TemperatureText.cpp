#include "core/TemperatureText.h"

#include "core/NumberFormat.h"

namespace calorant {

std::string temperatureText(float celsius, std::optional<TemperatureUnit> unit,
                            const TemperatureTextStyle& style) {
    const bool noValue =
        style.thresholdIsNoValue ? celsius >= kNoValueThreshold : isNoValue(celsius);
    if (noValue)
        return std::string(style.noValue);
    if (!unit)
        return {};
    std::string text = formatFixed(fromCelsius(celsius, *unit), 1);
    if (style.unitLetter) {
        text += style.beforeLetter;
        text += unitLetter(*unit);
    }
    return text;
}

} // namespace calorant
