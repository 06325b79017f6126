#pragma once

#include "core/Temperature.h"

#include <optional>
#include <string>
#include <string_view>

namespace calorant {

// How a stored Celsius value is written: "%.1f" in the display unit, with or without
// the unit letter, and the text that stands for no reading.
struct TemperatureTextStyle {
    std::string_view noValue;
    bool unitLetter = false;
    std::string_view beforeLetter; // between the number and the unit letter
    // The live display counts 2900.0 itself as no value; everything else only what
    // lies above it.
    bool thresholdIsNoValue = false;
};

// CSV rows: "25.0", "----".
inline constexpr TemperatureTextStyle kCsvValueStyle{"----", false, "", false};
// calorant-cli live's channels: "25.0", "----" from 2900.0 on.
inline constexpr TemperatureTextStyle kLiveValueStyle{"----", false, "", true};
// The real-time graph's cursor readout: "25.0 C", "----".
inline constexpr TemperatureTextStyle kGraphReadoutStyle{"----", true, " ", false};
// The data list: "25.0", "- - - -".
inline constexpr TemperatureTextStyle kDataListStyle{"- - - -", false, "", false};
// The logger graph's cursor readout: "25.0C", "------".
inline constexpr TemperatureTextStyle kLoggerReadoutStyle{"------", true, "", false};

// The text of a stored Celsius value in `unit`, in the given style. A value that is no
// reading gives the style's dashes; otherwise a unit the programme does not know (no
// unit) gives an empty text.
std::string temperatureText(float celsius, std::optional<TemperatureUnit> unit,
                            const TemperatureTextStyle& style);

} // namespace calorant
