#pragma once

#include "core/Temperature.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <span>
#include <string>

namespace calorant {

struct ReportColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const ReportColour&, const ReportColour&) = default;
};

// The readings of one channel in degrees Celsius: reading i is values[i * stride]. The
// recording keeps each channel in an array of its own (stride 1), a logger set keeps
// the five values of a reading together (stride 5).
struct ChannelSeries {
    std::span<const float> values;
    int stride = 1;

    // How many readings the span holds.
    int length() const;
    float at(int reading) const { return values[static_cast<std::size_t>(reading) * stride]; }
};

// Time label k (0..4) shows start + (pointCount / 4) * k intervals, the quotient
// truncated, in whole seconds.
struct TimeLabelRule {
    std::time_t start = 0;
    std::int64_t intervalMs = 0;

    std::time_t labelTime(int pointCount, int k) const;
};

inline constexpr int kGridValueCount = 11;

// Everything a one-page test report is drawn from. The real-time recording and a logger
// set fill it in differently (see ReportSources.h); the page is the same.
struct ReportInputs {
    int pointCount = 0;
    std::array<ChannelSeries, kChannelCount> channels{}; // order T1, T2, IR, T3, T4
    TemperatureUnit unit = TemperatureUnit::Celsius;     // the values are printed in it
    std::array<bool, kChannelCount> channelVisible{true, true, true, true, true};
    // g0 .. g10: the value of the frame's bottom edge, of each gridline and of its top.
    std::array<double, kGridValueCount> gridValues{};
    TimeLabelRule timeLabels;
    ReportColour gridColour;
    std::string stampFormat; // strftime pattern of the print stamp
    std::time_t printTime = 0;
};

} // namespace calorant
