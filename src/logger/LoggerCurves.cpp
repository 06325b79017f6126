#include "logger/LoggerCurves.h"

#include "graph/GraphCurves.h"

#include <algorithm>
#include <cstdint>

namespace calorant {

LoggerCurveSet loggerCurves(const LoggerSet& set, const LoggerLevel& level,
                            const ChannelVisibility& visible, int shift) {
    LoggerCurveSet curves;
    const std::int64_t count = storedReadingCount(set);
    // Readings k with both k and k + shift among the set's readings.
    const std::int64_t first = std::max<std::int64_t>(0, -std::int64_t{shift});
    const std::int64_t last = std::min(count - 1, count - 1 - shift);
    if (last - first < 1)
        return curves;

    // The x of every drawn reading, shared by the channels.
    std::vector<double> xs;
    xs.reserve(static_cast<std::size_t>(last - first + 1));
    for (std::int64_t k = first; k <= last; ++k)
        xs.push_back(level.fastX(level.baseX(static_cast<double>(k + shift))));

    const TemperatureUnit unit =
        isUnitCode(set.unit) ? static_cast<TemperatureUnit>(set.unit) : TemperatureUnit::Celsius;
    const LoggerPlotRect& plot = level.plot();
    for (int c = 0; c < kChannelCount; ++c) {
        if (!visible[c])
            continue;
        CurveTracer tracer({static_cast<double>(plot.left) - kCurveGuard,
                            static_cast<double>(plot.top) - kCurveGuard,
                            static_cast<double>(plot.right) + kCurveGuard,
                            static_cast<double>(plot.bottom) + kCurveGuard});
        for (std::int64_t k = first; k <= last; ++k) {
            const double value = fromCelsius(readingValue(set, static_cast<int>(k), c), unit);
            tracer.add({xs[static_cast<std::size_t>(k - first)], level.fastY(level.baseY(value))});
        }
        curves[c] = tracer.finish();
    }
    return curves;
}

} // namespace calorant
