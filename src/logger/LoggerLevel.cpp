#include "logger/LoggerLevel.h"

#include <algorithm>
#include <cmath>

namespace calorant {

namespace {

constexpr double kMinLabelStep = 0.1; // degrees between grid lines a zoom may reach

LoggerZoomRect sorted(const LoggerZoomRect& r) {
    return {std::min(r.x1, r.x2), std::min(r.y1, r.y2), std::max(r.x1, r.x2), std::max(r.y1, r.y2)};
}

// Within `tolerance` of a whole number, where truncation changes its result.
bool nearPixelEdge(double v, double tolerance) {
    return std::abs(v - std::nearbyint(v)) <= tolerance;
}

// The grid values of the level `rect` leads to: its lower edge becomes the new bottom
// value, its upper edge the new top value.
LoggerYGrid gridInside(const LoggerYGrid& grid, const LoggerZoomRect& rect,
                       const LoggerPlotRect& plot) {
    const auto low = static_cast<float>(grid[0]);
    const float range = static_cast<float>(grid[kValueDivisions]) - low;
    const float below = plot.bottom - rect.y2;
    LoggerYGrid next{};
    for (int k = 0; k < kValueLabelCount; ++k) {
        const double fromBottom = below + static_cast<float>(k) * (rect.y2 - rect.y1) * 0.1;
        next[k] = static_cast<float>(low + fromBottom * range / plot.height());
    }
    return next;
}

} // namespace

void LoggerLevel::Affine::follow(double origin, double corner, double stretch) {
    scale *= stretch;
    shift = stretch * shift + (origin - corner * stretch);
    magnitude = stretch * magnitude + std::abs(origin) + std::abs(corner * stretch);
}

double LoggerLevel::Affine::tolerance(double x) const {
    // Far wider than the rounding of a hundred levels, far narrower than a pixel.
    return 1e-9 * (1 + std::abs(scale * x) + magnitude);
}

LoggerLevel::LoggerLevel(const LoggerPlotRect& plot, int readingCount, int yGain, int yOffset,
                         std::span<const LoggerZoomRect> chain)
    : plot_(plot), baseGrid_(baseValueLabels(yGain, yOffset)) {
    if (readingCount > 1)
        xStep_ = plot.width() / static_cast<float>(readingCount - 1);
    grid_ = baseGrid_;
    for (const LoggerZoomRect& rect : chain) {
        const LoggerZoomRect r = sorted(rect);
        chain_.push_back(r);
        x_.follow(plot.left, r.x1, plot.width() / static_cast<double>(r.x2 - r.x1));
        y_.follow(plot.top, r.y1, plot.height() / static_cast<double>(r.y2 - r.y1));
        grid_ = gridInside(grid_, r, plot);
    }
}

double LoggerLevel::baseX(double reading) const {
    return plot_.left + reading * xStep_;
}

double LoggerLevel::baseY(double value) const {
    const auto low = static_cast<float>(baseGrid_[0]);
    const float range = static_cast<float>(baseGrid_[kValueDivisions]) - low;
    return plot_.bottom - (value - low) * plot_.height() / range;
}

double LoggerLevel::chainX(double x) const {
    for (const LoggerZoomRect& r : chain_)
        x = plot_.left + (x - r.x1) * plot_.width() / (r.x2 - r.x1);
    return x;
}

double LoggerLevel::chainY(double y) const {
    for (const LoggerZoomRect& r : chain_)
        y = plot_.top + (y - r.y1) * plot_.height() / (r.y2 - r.y1);
    return y;
}

double LoggerLevel::fastX(double x) const {
    if (chain_.empty())
        return x;
    const double v = x_.scale * x + x_.shift;
    return nearPixelEdge(v, x_.tolerance(x)) ? chainX(x) : v;
}

double LoggerLevel::fastY(double y) const {
    if (chain_.empty())
        return y;
    const double v = y_.scale * y + y_.shift;
    return nearPixelEdge(v, y_.tolerance(y)) ? chainY(y) : v;
}

LoggerLevel currentLevel(const LoggerViewState& view, const LoggerPlotRect& plot,
                         int readingCount) {
    const int depth = view.overviewMode ? 0 : std::clamp(view.zoomDepth, 0, kLoggerDeepestZoom);
    return LoggerLevel(plot, readingCount, view.yGain, view.yOffset,
                       std::span(view.zoomRect).first(static_cast<std::size_t>(depth)));
}

bool zoomStepDeepens(const LoggerLevel& level, const LoggerZoomRect& rect) {
    if (level.depth() >= kLoggerDeepestZoom)
        return false;
    const LoggerPlotRect& plot = level.plot();
    if (!(level.spacing() < plot.width()))
        return false; // the readings are already spread across the plot
    // Stretching no width over the plot would put every reading at infinity.
    if (rect.x1 == rect.x2)
        return false;
    const LoggerYGrid& grid = level.yGrid();
    const double range = grid[kValueDivisions] - grid[0];
    const double labelStep = (rect.y2 - rect.y1) * 0.1 * range / plot.height();
    return labelStep > kMinLabelStep;
}

} // namespace calorant
