#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace calorant {

// Every five-value record in the programme (live frames, recordings, statistics,
// files, lists, legends) uses this channel order.
inline constexpr int kChannelCount = 5;
enum ChannelIndex : int { kT1 = 0, kT2 = 1, kIR = 2, kT3 = 3, kT4 = 4 };
inline constexpr std::array<std::string_view, kChannelCount> kChannelNames{"T1", "T2", "IR", "T3",
                                                                           "T4"};

// Temperatures are kept as degrees Celsius in 32-bit floats. The meter sends
// 2900.0 and above for an open or absent input: such values are stored like any
// other and shown as dashes wherever a text is made from them.
using Channels = std::array<float, kChannelCount>;
inline constexpr float kNoValueThreshold = 2900.0f;
inline bool isNoValue(float celsius) {
    return celsius > kNoValueThreshold;
}

// Byte code on the wire and in files: 0 C, 1 F, 2 K.
enum class TemperatureUnit : std::uint8_t { Celsius = 0, Fahrenheit = 1, Kelvin = 2 };

inline bool isUnitCode(int code) {
    return code >= 0 && code <= 2;
}

// The unit a byte of a file or a frame names; nothing for any other code.
inline std::optional<TemperatureUnit> unitOfCode(int code) {
    if (!isUnitCode(code))
        return std::nullopt;
    return static_cast<TemperatureUnit>(code);
}

// The unit a file's byte names, Celsius for a code the programme does not know (its
// values are stored in Celsius whatever the byte says).
inline TemperatureUnit unitOrCelsius(int code) {
    return unitOfCode(code).value_or(TemperatureUnit::Celsius);
}

inline std::string_view unitLetter(TemperatureUnit unit) {
    switch (unit) {
    case TemperatureUnit::Fahrenheit:
        return "F";
    case TemperatureUnit::Kelvin:
        return "K";
    case TemperatureUnit::Celsius:
        break;
    }
    return "C";
}

// The meter's Kelvin offset is 273.16, not 273.15; files and displays must agree with it.
inline constexpr double kKelvinOffset = 273.16;

inline double fromCelsius(double celsius, TemperatureUnit unit) {
    switch (unit) {
    case TemperatureUnit::Fahrenheit:
        return celsius * 1.8 + 32.0;
    case TemperatureUnit::Kelvin:
        return celsius + kKelvinOffset;
    case TemperatureUnit::Celsius:
        break;
    }
    return celsius;
}

} // namespace calorant
