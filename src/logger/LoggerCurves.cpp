#include "logger/LoggerCurves.h"

#include <algorithm>
#include <cstdint>

namespace calorant {

LoggerCurveSet loggerCurves(const LoggerSet& set, const LoggerLevel& level,
                            const ChannelVisibility& visible, int shift) {
    LoggerCurveSet curves;
    const std::int64_t count = storedReadingCount(set);
    // Readings k with both k and k + shift among the set's readings.
    std::int64_t first = std::max<std::int64_t>(0, -std::int64_t{shift});
    std::int64_t last = std::min(count - 1, count - 1 - shift);
    if (last - first < 1)
        return curves;

    const LoggerPlotRect& plot = level.plot();
    const double guardLeft = static_cast<double>(plot.left) - kCurveGuard;
    const double guardRight = static_cast<double>(plot.right) + kCurveGuard;
    const auto xOf = [&](std::int64_t k) {
        return level.fastX(level.baseX(static_cast<double>(k + shift)));
    };
    if (level.xStep() > 0) {
        // x grows with the reading. Segments wholly left or right of the plot end up under
        // the margins, so only the readings that reach into its width are followed, with
        // one reading beyond it on either side for the segments that cross its edges. Deep
        // in a zoom that is a small part of the set.
        const auto firstInside = [&](std::int64_t lo, std::int64_t hi, auto inside) {
            while (lo < hi) {
                const std::int64_t mid = lo + (hi - lo) / 2;
                if (inside(xOf(mid)))
                    hi = mid;
                else
                    lo = mid + 1;
            }
            return lo;
        };
        // Whole pixel columns: a reading at x lies in column truncate(x).
        const double left = plot.left;
        const double pastRight = static_cast<double>(plot.right) + 1;
        first = std::max(first, firstInside(first, last, [&](double x) { return x >= left; }) - 1);
        last =
            std::min(last, firstInside(first, last + 1, [&](double x) { return x >= pastRight; }));
        if (last - first < 1)
            return curves;
    }

    // The x of every followed reading, shared by the channels.
    std::vector<double> xs;
    xs.reserve(static_cast<std::size_t>(last - first + 1));
    for (std::int64_t k = first; k <= last; ++k)
        xs.push_back(xOf(k));

    const TemperatureUnit unit = unitOrCelsius(set.unit);
    for (int c = 0; c < kChannelCount; ++c) {
        if (!visible[c])
            continue;
        CurveTracer tracer({guardLeft, static_cast<double>(plot.top) - kCurveGuard, guardRight,
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
