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

bool inside(Vec v, double left, double top, double right, double bottom) {
    return v.x >= left && v.x <= right && v.y >= top && v.y <= bottom;
}

// Builds one polyline, keeping of every run of points in the same pixel column only
// the first, the lowest, the highest and the last, in the order they came. The
// vertical strokes between them cover exactly the pixels of the whole run, so a
// recording denser than the plot's pixels draws the same picture from a few points
// per column.
class ColumnReducer {
public:
    explicit ColumnReducer(Polyline& out) : out_(out) {}

    void add(GraphPoint p) {
        if (open_ && p.x == first_.x) {
            if (p.y < low_.y) {
                low_ = p;
                lowBeforeHigh_ = false;
            }
            if (p.y > high_.y) {
                high_ = p;
                lowBeforeHigh_ = true;
            }
            last_ = p;
            return;
        }
        flush();
        open_ = true;
        first_ = low_ = high_ = last_ = p;
        lowBeforeHigh_ = true;
    }

    void flush() {
        if (!open_)
            return;
        append(first_);
        append(lowBeforeHigh_ ? low_ : high_);
        append(lowBeforeHigh_ ? high_ : low_);
        append(last_);
        open_ = false;
    }

private:
    void append(GraphPoint p) {
        if (out_.empty() || !(out_.back() == p))
            out_.push_back(p);
    }

    Polyline& out_;
    bool open_ = false;
    bool lowBeforeHigh_ = true; // the newest extreme is the one that came last
    GraphPoint first_, low_, high_, last_;
};

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
    ColumnReducer reducer(current);
    bool drawing = false; // a polyline has its first point
    const auto finish = [&] {
        reducer.flush();
        if (drawing && current.size() == 1)
            current.push_back(current.front()); // a run that never left its pixel
        if (current.size() >= 2)
            curves.push_back(std::move(current));
        current.clear();
        drawing = false;
    };
    const auto lineTo = [&](Vec from, Vec to) {
        if (!drawing)
            reducer.add(truncated(from));
        reducer.add(truncated(to));
        drawing = true;
    };
    if (celsius.size() < 2)
        return curves;
    Vec previous = point(0);
    bool previousInside = inside(previous, left, top, right, bottom);
    for (std::size_t i = 1; i < celsius.size(); ++i) {
        const Vec next = point(i);
        const bool nextInside = inside(next, left, top, right, bottom);
        if (previousInside && nextInside) {
            lineTo(previous, next); // the common case: nothing to clip
            previous = next;
            continue;
        }
        const auto segment = clip(previous, next, left, top, right, bottom);
        previous = next;
        previousInside = nextInside;
        if (!segment) {
            finish();
            continue;
        }
        if (segment->fromMoved)
            finish();
        lineTo(segment->from, segment->to);
        if (segment->toMoved)
            finish();
    }
    finish();
    return curves;
}

} // namespace calorant
