#include "graph/GraphCurves.h"

#include <cmath>
#include <optional>

namespace calorant {

namespace {

struct Vec {
    double x;
    double y;
};

struct ClippedSegment {
    Vec from;
    Vec to;
    bool fromMoved;
    bool toMoved;
};

// Liang-Barsky clipping of the segment a-b to the box [x0, x1] x [y0, y1].
std::optional<ClippedSegment> clip(Vec a, Vec b, double x0, double y0, double x1, double y1) {
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
        return std::nullopt;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    double tMin = 0;
    double tMax = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - x0, x1 - a.x, a.y - y0, y1 - a.y};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return std::nullopt;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0) {
            if (t > tMax)
                return std::nullopt;
            if (t > tMin)
                tMin = t;
        } else {
            if (t < tMin)
                return std::nullopt;
            if (t < tMax)
                tMax = t;
        }
    }
    const Vec from = tMin > 0 ? Vec{a.x + tMin * dx, a.y + tMin * dy} : a;
    const Vec to = tMax < 1 ? Vec{a.x + tMax * dx, a.y + tMax * dy} : b;
    return ClippedSegment{from, to, tMin > 0, tMax < 1};
}

GraphPoint truncated(Vec v) {
    return {static_cast<int>(v.x), static_cast<int>(v.y)};
}

} // namespace

std::vector<Polyline> channelCurve(std::span<const float> celsius, TemperatureUnit unit,
                                   const LevelView& level, int sampleShift, int plotWidth,
                                   int plotHeight) {
    const auto point = [&](std::size_t i) {
        const double value = fromCelsius(celsius[i], unit);
        return Vec{level.sampleX(static_cast<double>(i) + sampleShift),
                   level.valueY(value, plotHeight)};
    };
    const double left = -kCurveGuard;
    const double top = -kCurveGuard;
    const double right = static_cast<double>(plotWidth) + kCurveGuard;
    const double bottom = static_cast<double>(plotHeight) + kCurveGuard;

    std::vector<Polyline> curves;
    Polyline current;
    current.reserve(celsius.size());
    const auto finish = [&] {
        if (current.size() >= 2)
            curves.push_back(std::move(current));
        current.clear();
    };
    if (celsius.size() < 2)
        return curves;
    Vec previous = point(0);
    for (std::size_t i = 1; i < celsius.size(); ++i) {
        const Vec next = point(i);
        const auto segment = clip(previous, next, left, top, right, bottom);
        previous = next;
        if (!segment) {
            finish();
            continue;
        }
        const GraphPoint from = truncated(segment->from);
        if (current.empty() || segment->fromMoved || !(current.back() == from)) {
            finish();
            current.push_back(from);
        }
        current.push_back(truncated(segment->to));
        if (segment->toMoved)
            finish();
    }
    finish();
    return curves;
}

} // namespace calorant
