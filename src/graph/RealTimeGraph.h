#pragma once

#include "core/Temperature.h"
#include "graph/GraphAxes.h"
#include "graph/GraphCurves.h"
#include "graph/GraphGeometry.h"
#include "graph/GraphZoom.h"

#include <array>
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace calorant {

// Everything one paint of the real-time graph depends on, as plain values.
struct GraphInputs {
    int clientWidth = 0; // the view's client size
    int clientHeight = 0;
    int controlBarHeight = 0; // client heights of the bars as first laid out
    int statsBarHeight = 0;
    int sampleCount = 0; // recorded samples; the current slot (index sampleCount) is not drawn
    std::array<std::span<const float>, kChannelCount> samples{}; // channelSamples, Celsius
    std::time_t runStartTime = 0;
    int sampleRateMs = 0;
    int yGain = 10;
    int yOffset = 0;
    TemperatureUnit unit = TemperatureUnit::Celsius;
    std::array<bool, kChannelCount> channelVisible{true, true, true, true, true};
    // How far a zoomed picture is scrolled, in samples (owned by the view's scroll state).
    int scrollOffset = 0;
};

// Text drawn with its top-left corner at (left, top), view coordinates.
struct TimeLabel {
    std::string text; // "%H:%M:%S"
    int left = 0;
    int top = 0;
};

// One legend entry of a visible channel, view coordinates: the name's top-left corner
// and a 2-pixel line in the channel's colour.
struct LegendEntry {
    int channel = 0;
    std::string_view name;
    GraphPoint textTopLeft;
    GraphPoint lineFrom;
    GraphPoint lineTo;
};

// What the painter draws, in the order: legend box and entries; plot filled black with
// the dotted grid and the curves; value strip with labels and ticks; right margin strip;
// time band with the time labels.
struct GraphPicture {
    PlotGeometry geometry;
    std::vector<int> gridX; // plot x of the vertical dotted lines, from y 0 to H
    std::vector<int> gridY; // plot y of the horizontal dotted lines, from x 0 to W
    std::array<ValueLabel, kValueLabelCount> valueLabels; // value-strip coordinates
    std::vector<TimeLabel> timeLabels;                    // drawn only if bottom > top
    std::vector<LegendEntry> legend;
    std::array<std::vector<Polyline>, kChannelCount> curves; // plot coordinates
    // The store is empty: the status bar shows kEmptyTimeReadout and kEmptyValuesReadout.
    bool emptyReadout = false;
    // Set on the first paint after a zoom: the first visible sample, the integer part of
    // the sample index at the plot's left edge. It may be negative (sample 0 right of the
    // edge) or beyond the newest sample (a zoom into the part not yet recorded). It
    // becomes the scroll state's scrollMax, and the scroll bar gets the range 0 to
    // sampleCount and this position.
    std::optional<int> scrollBarPosition;
    // This paint found the first sample of a new recording and reset the zoom: the
    // view sets its scrollOffset to 0.
    bool scrollReset = false;
};

inline constexpr std::string_view kEmptyTimeReadout = "time:";
inline constexpr std::string_view kEmptyValuesReadout =
    "T1:         T2:         IR:         T3:         T4:";

// The status-bar texts for the sample under the cursor.
struct CursorReadout {
    std::string timeText;   // pane 1
    std::string valuesText; // pane 2
};

// What a mouse move asks of the view. The hover line is a dotted vertical line at
// hoverX from hoverTop to hoverBottom drawn over the picture (view coordinates).
struct MouseMoveResult {
    int hoverX = 0;
    int hoverTop = 0;
    int hoverBottom = 0;
    std::optional<CursorReadout> readout; // unset: the status bar keeps its texts
    std::optional<GraphRect> rubberBand;  // set: the selection rectangle moved here
};

// The real-time graph's time axis, zoom, scroll and cursor state and the arithmetic
// behind its picture. All positions in and out are view coordinates unless named
// otherwise. The view calls paint() at each repaint and the mouse handlers on mouse
// input; none of it touches a window or a clock.
class RealTimeGraph {
public:
    static constexpr int kMaxZoomLevel = 99;

    // Lays out one paint. The first sample of a recording resets the time axis and the
    // zoom; a recording that outgrew the time axis compresses it here.
    GraphPicture paint(const GraphInputs& inputs);

    // Left button down. Starts a selection (the view then runs its 10 ms drag watch).
    void buttonDown(GraphPoint point, const GraphInputs& inputs);
    // Hover line, cursor readout and, while dragging, the selection rectangle.
    std::optional<MouseMoveResult> mouseMove(GraphPoint point, const GraphInputs& inputs);
    // Left button up. Returns true when a dragged selection ended: the graph is zoomed
    // and the view must repaint at once. The level deepens only if the selection allows
    // it (below the deepest level, a label step above 0.1, samples not already spread
    // wider than the mouse area, a selection with width); otherwise it stays.
    bool buttonUp(GraphPoint point, const GraphInputs& inputs);
    // The 10 ms drag watch. Returns true when the drag was abandoned because the cursor
    // left the tolerance frame: the view repaints and stops the watch.
    bool dragWatch(GraphPoint cursor, int clientWidth, int clientHeight);
    // Back to the unzoomed picture. The view also sets its scrollOffset to 0, disables
    // the scroll bar and repaints.
    void undoZoom();

    int samplesPerWidth() const { return samplesPerWidth_; } // N
    float xStep() const { return xStep_; }                   // level-0 pixels per sample
    int zoomLevel() const { return zoomLevel_; }
    bool zoomed() const { return zoomed_; } // UndoZoom is enabled exactly while set
    bool dragging() const { return dragging_; }
    // A selection is being dragged: a sampling tick must not repaint the graph.
    bool beingZoomed() const { return beingZoomed_; }

private:
    // The current level's view of the samples for this geometry (level 0 when not zoomed).
    LevelView currentLevel(const GraphInputs& inputs) const;
    int sampleShift(const GraphInputs& inputs) const { return zoomed_ ? inputs.scrollOffset : 0; }
    void resetForNewRecording();
    bool canDeepen(const ZoomSelection& selection, const GraphInputs& inputs) const;
    ZoomSelection selectionTo(GraphPoint end, const PlotGeometry& plot) const;

    int samplesPerWidth_ = kInitialSamplesPerWidth;
    float xStep_ = 0;

    std::array<ZoomSelection, kMaxZoomLevel> levels_{}; // selection of level k + 1 at k
    int zoomLevel_ = 0;
    bool zoomed_ = false;
    bool firstVisiblePending_ = false;

    bool dragging_ = false;
    bool notMoved_ = true;
    bool beingZoomed_ = false;
    GraphPoint selectionStart_;
    GraphPoint lastPoint_;
};

// One value of the cursor readout: "%.1f" with the unit letter, or "----" for the
// meter's no-value code.
std::string readoutValueText(float celsius, TemperatureUnit unit);

} // namespace calorant
