#pragma once

#include "core/PixelGeometry.h"

#include <vector>

namespace calorant {

using Polyline = std::vector<GraphPoint>;

// How far outside a graph's plot, in pixels, its curves are followed before they are
// cut (the bounds both graphs give the tracer).
inline constexpr int kCurveGuard = 16384;

// A curve position before truncation to whole units.
struct CurvePoint {
    double x = 0;
    double y = 0;
};

// The box a curve is followed in; anything beyond it is cut off. left <= right and
// low <= high, whichever way the surface's y axis points.
struct CurveBounds {
    double left = 0;
    double low = 0;
    double right = 0;
    double high = 0;
};

// Turns the points of one curve, given in order, into the polylines that draw a line
// from every point to the next, each point truncated towards zero to whole units.
//
// Lines are cut where they leave the bounds, which keeps every coordinate a safe
// integer; a curve cut there continues as a new polyline, and a point that is not a
// finite number breaks the curve. Where several points fall into one unit column, only
// the first, lowest, highest and last of them are kept, in the order they came: the
// strokes between them cover exactly what the lines between all of them covered, so a
// curve denser than the surface's units draws the same picture from a few points per
// column. Fewer than two points make no curve.
class CurveTracer {
public:
    explicit CurveTracer(CurveBounds bounds) : bounds_(bounds) {}

    void add(CurvePoint next);

    // The polylines so far; the tracer starts a new curve afterwards.
    std::vector<Polyline> finish();

private:
    class ColumnReducer {
    public:
        void add(GraphPoint p, Polyline& out);
        void flush(Polyline& out);

    private:
        bool open_ = false;
        bool lowBeforeHigh_ = true; // the newest extreme is the one that came last
        GraphPoint first_, low_, high_, last_;
    };

    bool inside(CurvePoint p) const;
    bool beyondOneEdge(CurvePoint a, CurvePoint b) const;
    void lineTo(CurvePoint from, CurvePoint to);
    void endPolyline();

    CurveBounds bounds_;
    std::vector<Polyline> curves_;
    Polyline current_;
    ColumnReducer reducer_;
    bool drawing_ = false; // the current polyline has its first point
    bool hasPrevious_ = false;
    bool previousInside_ = false;
    CurvePoint previous_;
};

} // namespace calorant
