#pragma once

#include "core/Temperature.h"
#include "graph/RealTimeGraph.h"
#include "record/SampleStore.h"

#include <QFont>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRegion>
#include <QTimer>
#include <array>
#include <ctime>
#include <functional>

class QPainter;
class QRubberBand;
class QScrollBar;

namespace calorant {

class CKVDoc;
struct GraphScrollState;

// What the real-time graph is drawn from. The references must outlive the presenter.
struct GraphSources {
    CKVDoc& doc; // the recording, its sampling clock and the display settings
    GraphScrollState& scroll;
    std::function<TemperatureUnit()> unit; // the meter's display unit
    std::function<int()> controlBarHeight; // client heights of the bars as first laid out
    std::function<int()> statsBarHeight;
    QScrollBar* scrollBar = nullptr; // gets its range after a zoom; may be absent
};

// The real-time graph inside its host widget (the view): painting, and the mouse work
// of hover line, cursor readout and rubber-band zoom. Its paint re-arms the document's
// sampling timer after a Run, and a fresh reading repaints it.
//
// The picture is composed off-screen once per change and copied in paintEvent, so a
// repaint never flickers and an exposure costs one copy. The picture is rebuilt when
// anything it is drawn from has changed (size, recording, unit, scale, channels,
// scroll, zoom), whoever asked for the repaint; a repaint of less than the visible
// host that finds such a change asks for a whole one, so the screen never shows pieces
// of two pictures. What the host's opaque children cover is never repainted, so a
// whole repaint leaves it out and still shows the new picture. The hover line and the
// rubber band lie over the picture and never disturb it; an empty store takes the
// hover line away.
//
// The host calls paint() from its paintEvent; the presenter watches the host's mouse
// and resize events itself.
class GraphPresenter : public QObject {
    Q_OBJECT
public:
    static constexpr int kDragWatchMs = 10;

    GraphPresenter(QWidget& host, GraphSources sources, const QFont& font);
    ~GraphPresenter() override;

    // Draws the graph over what the host has painted, within `region`.
    void paint(QPainter& painter, const QRegion& region);

    // Back to the whole recording; the scroll bar is disabled again.
    void undoZoom();
    bool zoomed() const { return graph_.zoomed(); }
    int zoomLevel() const { return graph_.zoomLevel(); }

    // Repaints the graph from its sources, even if none of them seems to have changed.
    void invalidate();

signals:
    // The status bar's cursor panes: pane 1 the time, pane 2 the five values.
    void readoutChanged(const QString& timeText, const QString& valuesText);
    // The zoom state changed: UndoZoom may have become available or unavailable.
    void zoomChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Everything the picture depends on besides the zoom state, which the presenter
    // changes itself. The recorded samples change only with sampleCount or a new start.
    struct PictureKey {
        int width = 0;
        int height = 0;
        int controlBarHeight = 0;
        int statsBarHeight = 0;
        int sampleCount = 0;
        std::time_t runStartTime = 0;
        int sampleRateMs = 0;
        int yGain = 0;
        int yOffset = 0;
        TemperatureUnit unit = TemperatureUnit::Celsius;
        std::array<bool, kChannelCount> channelVisible{};
        int scrollOffset = 0;
        friend bool operator==(const PictureKey&, const PictureKey&) = default;
    };

    GraphInputs inputs() const;
    PictureKey keyOf(const GraphInputs& inputs) const;
    // Whether a paint of `region` covers all of the host that can be seen.
    bool coversVisibleHost(const QRegion& region) const;
    void rebuildPicture();
    void renderImage(const GraphPicture& picture);
    // A fresh reading repaints the graph unless a zoom selection is being dragged.
    void onSampleTicked(const TickOutcome& outcome);
    void paintHoverLine(QPainter& painter);
    void updateHoverColumn();

    void mousePressed(QPoint position);
    void mouseMoved(QPoint position);
    void mouseReleased(QPoint position);
    void watchDrag();
    void endDrag();
    void zoomStateChanged();

    QWidget& host_;
    GraphSources sources_;
    QFont font_;
    RealTimeGraph graph_;

    QImage image_;    // the composed picture, covering imageRect_ of the host
    QRect imageRect_; // in host coordinates
    PictureKey key_;
    bool stale_ = true;

    bool hoverVisible_ = false;
    int hoverX_ = 0;
    int hoverTop_ = 0;
    int hoverBottom_ = 0;

    QPoint lastMousePosition_; // of the last mouse event, judged by the drag watch
    QRubberBand* rubberBand_;
    QTimer dragWatch_;
};

} // namespace calorant
