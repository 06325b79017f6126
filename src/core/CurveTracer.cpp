#include "core/CurveTracer.h"

#include <cmath>
#include <optional>
#include <utility>

namespace calorant {

namespace {

struct ClippedSegment {
    CurvePoint from;
    CurvePoint to;
    bool fromMoved;
    bool toMoved;
};

// Liang-Barsky clipping of the segment a-b to the bounds.
std::optional<ClippedSegment> clip(CurvePoint a, CurvePoint b, const CurveBounds& box) {
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
        return std::nullopt;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    double tMin = 0;
    double tMax = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.left, box.right - a.x, a.y - box.low, box.high - a.y};
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
    const CurvePoint from = tMin > 0 ? CurvePoint{a.x + tMin * dx, a.y + tMin * dy} : a;
    const CurvePoint to = tMax < 1 ? CurvePoint{a.x + tMax * dx, a.y + tMax * dy} : b;
    return ClippedSegment{from, to, tMin > 0, tMax < 1};
}

GraphPoint truncated(CurvePoint p) {
    return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

void append(Polyline& out, GraphPoint p) {
    if (out.empty() || !(out.back() == p))
        out.push_back(p);
}

} // namespace

void CurveTracer::ColumnReducer::add(GraphPoint p, Polyline& out) {
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
    flush(out);
    open_ = true;
    first_ = low_ = high_ = last_ = p;
    lowBeforeHigh_ = true;
}

void CurveTracer::ColumnReducer::flush(Polyline& out) {
    if (!open_)
        return;
    append(out, first_);
    append(out, lowBeforeHigh_ ? low_ : high_);
    append(out, lowBeforeHigh_ ? high_ : low_);
    append(out, last_);
    open_ = false;
}

bool CurveTracer::inside(CurvePoint p) const {
    return p.x >= bounds_.left && p.x <= bounds_.right && p.y >= bounds_.low && p.y <= bounds_.high;
}

bool CurveTracer::beyondOneEdge(CurvePoint a, CurvePoint b) const {
    return (a.x < bounds_.left && b.x < bounds_.left) ||
           (a.x > bounds_.right && b.x > bounds_.right) ||
           (a.y < bounds_.low && b.y < bounds_.low) || (a.y > bounds_.high && b.y > bounds_.high);
}

void CurveTracer::lineTo(CurvePoint from, CurvePoint to) {
    if (!drawing_)
        reducer_.add(truncated(from), current_);
    reducer_.add(truncated(to), current_);
    drawing_ = true;
}

void CurveTracer::endPolyline() {
    reducer_.flush(current_);
    if (drawing_ && current_.size() == 1)
        current_.push_back(current_.front()); // a run that never left its column
    if (current_.size() >= 2)
        curves_.push_back(std::move(current_));
    current_.clear();
    drawing_ = false;
}

void CurveTracer::add(CurvePoint next) {
    const bool nextInside = inside(next);
    if (!hasPrevious_) {
        hasPrevious_ = true;
    } else if (previousInside_ && nextInside) {
        lineTo(previous_, next); // the common case: nothing to clip
    } else if (beyondOneEdge(previous_, next)) {
        endPolyline(); // far outside: nothing to draw, nothing to clip
    } else if (const auto segment = clip(previous_, next, bounds_)) {
        if (segment->fromMoved)
            endPolyline();
        lineTo(segment->from, segment->to);
        if (segment->toMoved)
            endPolyline();
    } else {
        endPolyline();
    }
    previous_ = next;
    previousInside_ = nextInside;
}

std::vector<Polyline> CurveTracer::finish() {
    endPolyline();
    hasPrevious_ = false;
    return std::exchange(curves_, {});
}

} // namespace calorant
