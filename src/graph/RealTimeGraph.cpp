#include "graph/RealTimeGraph.h"

#include "core/CalendarTime.h"
#include "core/NumberFormat.h"
#include "core/PixelMath.h"
#include "core/TemperatureText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace calorant {

namespace {

constexpr const char* kTimeOfDay = "%H:%M:%S";
constexpr int kZoomGridLines = 10;
constexpr double kMinZoomLabelStep = 0.1;

std::string timeText(std::time_t start, std::int64_t seconds) {
    return formatTime(start + static_cast<std::time_t>(seconds), kTimeOfDay);
}

// The samples of a channel that may be drawn: the recorded ones, never beyond the array.
std::span<const float> recorded(const GraphInputs& inputs, int channel) {
    const std::span<const float> all = inputs.samples[channel];
    const auto count = static_cast<std::size_t>(std::max(inputs.sampleCount, 0));
    return all.first(std::min(count, all.size()));
}

PlotGeometry geometryOf(const GraphInputs& inputs) {
    return plotGeometry(inputs.clientWidth, inputs.clientHeight, inputs.controlBarHeight,
                        inputs.statsBarHeight);
}

std::vector<LegendEntry> legendOf(const GraphInputs& inputs, const PlotGeometry& g) {
    std::vector<LegendEntry> legend;
    for (int c = 0; c < kChannelCount; ++c) {
        if (!inputs.channelVisible[c])
            continue;
        const int lineY = g.top + 28 - kToolbarBand;
        legend.push_back({c,
                          kChannelNames[c],
                          {g.left + 65 + 100 * c, g.top + 10 - kToolbarBand},
                          {g.left + 50 + 100 * c, lineY},
                          {g.left + 100 + 100 * c, lineY}});
    }
    return legend;
}

// Five labels at the division lines 0, 3, 6, 9 and 12 of the plain time axis.
std::vector<TimeLabel> plainTimeLabels(const GraphInputs& inputs, const PlotGeometry& g,
                                       float xStep) {
    const int s = samplesPerDivision(g.width(), xStep);
    const std::int64_t rateSeconds = inputs.sampleRateMs / 1000;
    const int top = g.bottom + 40 - kToolbarBand;
    std::vector<TimeLabel> labels{{timeText(inputs.runStartTime, 0), g.left + 2, top}};
    for (int line = 3; line <= kTimeDivisions; line += 3) {
        const std::int64_t seconds = std::int64_t{line} * s * rateSeconds;
        const int left = toPixel(static_cast<float>(s) * xStep * static_cast<float>(line) +
                                 static_cast<float>(g.left));
        labels.push_back({timeText(inputs.runStartTime, seconds), left, top});
    }
    return labels;
}

std::vector<TimeLabel> zoomedTimeLabels(const GraphInputs& inputs, const PlotGeometry& g,
                                        const LevelView& level, int first, int scrollOffset) {
    const int step = zoomGridStep(g.width(), level.dx);
    const std::int64_t rateSeconds = inputs.sampleRateMs / 1000;
    const std::int64_t firstSeconds = (std::int64_t{first} - scrollOffset) * rateSeconds;
    const int top = g.bottom + 40 - kToolbarBand;
    std::vector<TimeLabel> labels;
    for (int j = 0; j < kZoomGridLines; ++j) {
        const std::int64_t sample = std::int64_t{first} + std::int64_t{j} * step;
        const double x = g.left + level.sampleX(static_cast<double>(sample));
        if (x < g.left || x > g.right)
            continue;
        const std::int64_t seconds = firstSeconds + std::int64_t{j} * step * rateSeconds;
        labels.push_back({timeText(inputs.runStartTime, seconds), toPixel(x), top});
    }
    return labels;
}

std::vector<int> zoomedGridX(const PlotGeometry& g, const LevelView& level, int first) {
    const int step = zoomGridStep(g.width(), level.dx);
    std::vector<int> lines;
    for (int j = 0; j < kZoomGridLines; ++j) {
        const double sample = static_cast<double>(first) + static_cast<double>(j) * step;
        lines.push_back(toPixel(level.sampleX(sample)));
    }
    return lines;
}

GraphRect spanning(GraphPoint a, GraphPoint b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::abs(a.x - b.x), std::abs(a.y - b.y)};
}

} // namespace

std::string readoutValueText(float celsius, TemperatureUnit unit) {
    return temperatureText(celsius, unit, kGraphReadoutStyle);
}

GraphPicture RealTimeGraph::paint(const GraphInputs& inputs) {
    GraphPicture picture;
    picture.geometry = geometryOf(inputs);
    const PlotGeometry& g = picture.geometry;
    if (inputs.sampleCount == 1) {
        resetForNewRecording();
        picture.scrollReset = true;
    }
    picture.emptyReadout = inputs.sampleCount <= 0;
    picture.legend = legendOf(inputs, g);
    if (!g.isDrawable()) {
        picture.valueLabels =
            layoutValueLabels(baseValueLabels(inputs.yGain, inputs.yOffset), g.height());
        return picture;
    }

    if (inputs.sampleCount >= 2)
        samplesPerWidth_ = settleSamplesPerWidth(samplesPerWidth_, inputs.sampleCount, g.width());
    xStep_ = sampleStep(g.width(), samplesPerWidth_);
    const LevelView level = currentLevel(inputs);
    // The sample at the plot's left edge, taken afresh at every paint: the zoomed picture
    // moves under the grid while the time axis compresses, and the selection may lie
    // beyond the newest sample.
    const int firstVisible = zoomed_ ? toPixel(-level.x0 / level.dx) : 0;
    if (zoomed_ && firstVisiblePending_) {
        picture.scrollBarPosition = firstVisible;
        firstVisiblePending_ = false;
    }

    if (zoomed_)
        picture.gridX = zoomedGridX(g, level, firstVisible);
    else if (inputs.sampleCount <= 0)
        picture.gridX = emptyGridX(g.width());
    else
        picture.gridX = sampleGridX(g.width(), xStep_);
    picture.gridY = horizontalGridY(g.height());
    picture.valueLabels = layoutValueLabels(level.labels, g.height());

    if (inputs.sampleCount >= 2) {
        const int shift = sampleShift(inputs);
        for (int c = 0; c < kChannelCount; ++c) {
            if (inputs.channelVisible[c])
                picture.curves[c] = channelCurve(recorded(inputs, c), inputs.unit, level, shift,
                                                 g.width(), g.height());
        }
    }
    if (inputs.sampleCount >= 1 && g.bottom > g.top) {
        picture.timeLabels =
            zoomed_ ? zoomedTimeLabels(inputs, g, level, firstVisible, inputs.scrollOffset)
                    : plainTimeLabels(inputs, g, xStep_);
    }
    return picture;
}

LevelView RealTimeGraph::currentLevel(const GraphInputs& inputs) const {
    LevelView level = levelZeroView(xStep_, baseValueLabels(inputs.yGain, inputs.yOffset));
    const PlotGeometry g = geometryOf(inputs);
    if (!g.isDrawable())
        return level;
    for (int k = 0; k < zoomLevel_; ++k)
        level = zoomInto(level, levels_[k], g);
    return level;
}

void RealTimeGraph::resetForNewRecording() {
    samplesPerWidth_ = kInitialSamplesPerWidth;
    zoomLevel_ = 0;
    zoomed_ = false;
    firstVisiblePending_ = false;
}

void RealTimeGraph::buttonDown(GraphPoint point, const GraphInputs& inputs) {
    const MouseArea area = mouseArea(inputs.clientWidth, inputs.clientHeight);
    if (inputs.sampleCount <= 0 || area.isEmpty())
        return;
    selectionStart_ = lastPoint_ = area.clamp(point);
    dragging_ = true;
    notMoved_ = true;
}

std::optional<MouseMoveResult> RealTimeGraph::mouseMove(GraphPoint point,
                                                        const GraphInputs& inputs) {
    const MouseArea area = mouseArea(inputs.clientWidth, inputs.clientHeight);
    if (inputs.sampleCount <= 0 || area.isEmpty())
        return std::nullopt;
    const GraphPoint p = area.clamp(point);
    MouseMoveResult result;
    result.hoverX = p.x;
    result.hoverTop = area.top;
    result.hoverBottom = area.bottom;

    // The sample under the hover line: measured from the plot's left edge, so that the
    // readout names the sample the line is drawn through.
    const LevelView level = currentLevel(inputs);
    const PlotGeometry g = geometryOf(inputs);
    const double position = (p.x - g.left - level.x0) / level.dx - sampleShift(inputs);
    if (std::isfinite(position) && position > -1 && position < inputs.sampleCount) {
        int k = static_cast<int>(position);
        if (position - k > 0.5)
            ++k;
        if (k >= 0 && k < inputs.sampleCount) {
            const std::int64_t seconds = std::int64_t{inputs.sampleRateMs} * k / 1000;
            CursorReadout readout{
                std::string(kEmptyTimeReadout) + timeText(inputs.runStartTime, seconds), {}};
            for (int c = 0; c < kChannelCount; ++c) {
                const std::span<const float> samples = inputs.samples[c];
                if (static_cast<std::size_t>(k) >= samples.size())
                    break;
                if (c > 0)
                    readout.valuesText += "  ";
                readout.valuesText += std::string(kChannelNames[c]) + ": " +
                                      readoutValueText(samples[k], inputs.unit);
            }
            result.readout = std::move(readout);
        }
    }

    if (dragging_) {
        beingZoomed_ = true;
        if (!(p == lastPoint_)) {
            notMoved_ = false;
            result.rubberBand = spanning(selectionStart_, p);
            lastPoint_ = p;
        }
    }
    return result;
}

bool RealTimeGraph::buttonUp(GraphPoint point, const GraphInputs& inputs) {
    const MouseArea area = mouseArea(inputs.clientWidth, inputs.clientHeight);
    if (inputs.sampleCount <= 0 || area.isEmpty())
        return false;
    const GraphPoint end = area.clamp(point);
    dragging_ = false;
    // Whatever the outcome, the drag is over: sampling ticks may repaint again.
    beingZoomed_ = false;
    if (notMoved_)
        return false;

    const PlotGeometry g = geometryOf(inputs);
    if (g.isDrawable()) {
        const ZoomSelection selection = selectionTo(end, g);
        if (canDeepen(selection, inputs))
            levels_[zoomLevel_++] = selection;
    }
    zoomed_ = true;
    notMoved_ = true;
    firstVisiblePending_ = true;
    return true;
}

ZoomSelection RealTimeGraph::selectionTo(GraphPoint end, const PlotGeometry& g) const {
    // The selection is taken relative to the plot itself, so that exactly the selected
    // rectangle fills the plot at the next level.
    const auto fx = [&](int x) { return std::clamp((x - g.left) / double(g.width()), 0.0, 1.0); };
    const auto fy = [&](int y) { return std::clamp((y - g.top) / double(g.height()), 0.0, 1.0); };
    return {std::min(fx(selectionStart_.x), fx(end.x)), std::min(fy(selectionStart_.y), fy(end.y)),
            std::max(fx(selectionStart_.x), fx(end.x)), std::max(fy(selectionStart_.y), fy(end.y))};
}

bool RealTimeGraph::canDeepen(const ZoomSelection& selection, const GraphInputs& inputs) const {
    if (zoomLevel_ >= kMaxZoomLevel)
        return false;
    const LevelView level = currentLevel(inputs);
    if (!(level.dx < mouseArea(inputs.clientWidth, inputs.clientHeight).width()))
        return false; // samples are already spread wider than the area
    // A selection without width would stretch the time axis without bound.
    if (!(selection.right > selection.left))
        return false;
    const double range = level.labels[kValueDivisions] - level.labels[0];
    const double labelStep = (selection.bottom - selection.top) * range / kValueDivisions;
    return labelStep > kMinZoomLabelStep;
}

bool RealTimeGraph::dragWatch(GraphPoint cursor, int clientWidth, int clientHeight) {
    if (!dragging_ || insideDragTolerance(cursor, clientWidth, clientHeight))
        return false;
    dragging_ = false;
    beingZoomed_ = false;
    notMoved_ = true;
    return true;
}

void RealTimeGraph::undoZoom() {
    zoomLevel_ = 0;
    zoomed_ = false;
    firstVisiblePending_ = false;
}

} // namespace calorant
