// The reduced curves against the picture they stand for: one line per pair of readings
// with every point placed level by level at truncated pixels, as the window would draw
// it segment by segment. Both are rasterised with the same integer line rasteriser and
// must cover exactly the same pixels across the plot's width (beside it the window
// paints its margins), for a dense set in the overview and after three nested zooms
// whose stretch factors are not powers of two.
#include "LoggerGraphTestSupport.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace calorant {
namespace {

using namespace test;

// The pixels of lines drawn with both end points, within the columns of a box that
// holds all their rows.
class Raster {
public:
    Raster(int left, int top, int right, int bottom)
        : left_(left), top_(top), width_(right - left + 1),
          pixels_(std::size_t(width_) * std::size_t(bottom - top + 1)) {}

    void line(GraphPoint a, GraphPoint b) {
        const int dx = std::abs(b.x - a.x);
        const int dy = -std::abs(b.y - a.y);
        const int sx = a.x < b.x ? 1 : -1;
        const int sy = a.y < b.y ? 1 : -1;
        int error = dx + dy;
        for (;;) {
            if (a.x >= left_ && a.x < left_ + width_)
                pixels_[std::size_t(a.y - top_) * std::size_t(width_) + std::size_t(a.x - left_)] =
                    true;
            if (a == b)
                return;
            const int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                a.x += sx;
            }
            if (twice <= dx) {
                error += dx;
                a.y += sy;
            }
        }
    }

    void polyline(const Polyline& points) {
        for (std::size_t i = 1; i < points.size(); ++i)
            line(points[i - 1], points[i]);
    }

    std::size_t count() const {
        return std::size_t(std::count(pixels_.begin(), pixels_.end(), true));
    }
    bool operator==(const Raster&) const = default;

private:
    int left_;
    int top_;
    int width_;
    std::vector<bool> pixels_;
};

// Every reading's point, level 0 first and then through each rectangle in turn, in the
// order and precision the picture is defined with.
Polyline pointsLevelByLevel(const LoggerSet& set, int channel, const LoggerViewState& view) {
    const float left = kLeft, top = kTop, right = kRight, bottom = kBottom;
    const float xStep = (right - left) / float(set.readingCount - 1);
    const float low = float(view.yGain * view.yOffset);
    const float high = float(view.yGain * (view.yOffset + 10));
    Polyline points;
    for (int r = 0; r < set.readingCount; ++r) {
        double x = left + r * double(xStep);
        const double u = readingValue(set, r, channel);
        double y = bottom - (u - low) * (bottom - top) / (high - low);
        for (int l = 0; l < view.zoomDepth; ++l) {
            const LoggerZoomRect& z = view.zoomRect[std::size_t(l)];
            const float x1 = std::min(z.x1, z.x2), x2 = std::max(z.x1, z.x2);
            const float y1 = std::min(z.y1, z.y2), y2 = std::max(z.y1, z.y2);
            x = left + (x - x1) * (right - left) / (x2 - x1);
            y = top + (y - y1) * (bottom - top) / (y2 - y1);
        }
        points.push_back({int(x), int(y)});
    }
    return points;
}

// 13110 readings, 13 to a pixel column in the overview. T1 is a slow wave with noise,
// every seventh reading a whole degree; T2 climbs through every quarter degree from 0
// to 100 again and again. Whole and quarter degrees lie on pixel edges at level 0, and
// some stay on an edge after the zooms, where rounding decides the pixel.
LoggerSet denseSet() {
    LoggerSet set = uniformSet(kLoggerSetCapacity, 0.0f);
    for (int r = 0; r < set.readingCount; ++r) {
        const double wave = 50 + 40 * std::sin(r * 0.002) + ((r * 7919) % 23 - 11) * 0.5;
        setValue(set, r, kT1, float(r % 7 == 0 ? std::round(wave) : wave));
        setValue(set, r, kT2, float((r % 401) * 0.25));
    }
    return set;
}

TEST(LoggerCurves, ReducedCurvesCoverExactlyThePixelsOfEverySegmentAtEveryLevel) {
    const LoggerSet set = denseSet();
    LoggerViewState view;
    view.yGain = 10;
    view.channelVisible = {1, 1, 0, 0, 0};
    const GraphPoint rectangles[][2] = {
        {{400, 150}, {1000, 450}}, {{300, 100}, {1100, 400}}, {{600, 200}, {900, 460}}};
    for (int depth = 0; depth <= 3; ++depth) {
        if (depth > 0) {
            const auto& r = rectangles[depth - 1];
            ASSERT_TRUE(drag(view, r[0], r[1], inputsFor(&set)).zoomed);
            ASSERT_EQ(view.zoomDepth, depth);
        }
        const LoggerPicture picture = paintLoggerGraph(view, inputsFor(&set));
        for (int c : {kT1, kT2}) {
            const Polyline reference = pointsLevelByLevel(set, c, view);
            ASSERT_EQ(picture.curves[c].size(), 1u) << "depth " << depth;
            const Polyline& reduced = picture.curves[c][0];
            const auto [minY, maxY] = std::minmax_element(reference.begin(), reference.end(),
                                                          [](auto a, auto b) { return a.y < b.y; });
            Raster expected(kLeft, minY->y, kRight, maxY->y);
            expected.polyline(reference);
            Raster drawn(kLeft, minY->y, kRight, maxY->y);
            drawn.polyline(reduced);
            EXPECT_TRUE(drawn == expected)
                << "channel " << c << " depth " << depth << ": " << drawn.count()
                << " pixels, expected " << expected.count();
            // A dense curve keeps a few points a column; a zoomed one only what reaches
            // into the plot's width.
            if (depth == 0 || depth == 3) {
                EXPECT_LT(reduced.size(), reference.size() / 3) << "channel " << c;
            }
        }
    }
}

} // namespace
} // namespace calorant
