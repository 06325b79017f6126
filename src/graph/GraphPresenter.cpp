#include "graph/GraphPresenter.h"

#include "document/CKVDoc.h"
#include "graph/GraphPainter.h"
#include "panel/GraphScrollState.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QScrollBar>
#include <QWidget>

namespace calorant {

namespace {

GraphPoint toGraphPoint(QPoint p) {
    return {p.x(), p.y()};
}

// Everything the composed picture covers: the plot, the strips beside it, the legend
// above it and the time band below it.
QRect pictureBounds(const PlotGeometry& g) {
    const QRect plot(g.left, g.top, std::max(g.width(), 0), std::max(g.height(), 0));
    return plot | toQRect(g.valueStrip) | toQRect(g.rightMarginStrip) | toQRect(g.timeBand) |
           toQRect(g.legendBox);
}

} // namespace

GraphPresenter::GraphPresenter(QWidget& host, GraphSources sources, const QFont& font)
    : QObject(&host), host_(host), sources_(std::move(sources)), font_(font),
      rubberBand_(new QRubberBand(QRubberBand::Rectangle, &host)) {
    host_.setMouseTracking(true);
    host_.installEventFilter(this);
    dragWatch_.setInterval(kDragWatchMs);
    connect(&dragWatch_, &QTimer::timeout, this, &GraphPresenter::watchDrag);
    connect(&sources_.doc, &CKVDoc::sampleTicked, this, &GraphPresenter::onSampleTicked);
}

GraphPresenter::~GraphPresenter() = default;

GraphInputs GraphPresenter::inputs() const {
    const SampleStore& store = sources_.doc.sampleStore();
    const GraphDisplaySettings& display = sources_.doc.graphDisplay();
    GraphInputs in;
    in.clientWidth = host_.width();
    in.clientHeight = host_.height();
    in.controlBarHeight = sources_.controlBarHeight();
    in.statsBarHeight = sources_.statsBarHeight();
    in.sampleCount = store.sampleCount();
    for (int c = 0; c < kChannelCount; ++c)
        in.samples[c] = store.channelSamples()[c];
    in.runStartTime = store.runStartTime();
    in.sampleRateMs = store.sampleRateMs();
    in.yGain = display.graphYGain;
    in.yOffset = display.graphYOffset;
    in.unit = sources_.unit();
    in.channelVisible = display.graphChannelVisible;
    in.scrollOffset = sources_.scroll.scrollOffset;
    return in;
}

GraphPresenter::PictureKey GraphPresenter::keyOf(const GraphInputs& in) const {
    return {in.clientWidth, in.clientHeight, in.controlBarHeight, in.statsBarHeight,
            in.sampleCount, in.runStartTime, in.sampleRateMs,     in.yGain,
            in.yOffset,     in.unit,         in.channelVisible,   in.scrollOffset};
}

void GraphPresenter::invalidate() {
    stale_ = true;
    host_.update();
}

void GraphPresenter::paint(QPainter& painter, const QRegion& region) {
    sources_.doc.rearmSamplingTimerIfAsked();
    // While a selection is dragged the picture under it stays as it is.
    if (stale_ || (!graph_.beingZoomed() && !(keyOf(inputs()) == key_))) {
        // A new picture copied into part of the old one would tear it: a paint that
        // leaves some of what is seen unpainted shows the old picture and asks for a
        // whole repaint.
        if (image_.isNull() || coversVisibleHost(region))
            rebuildPicture();
        else
            QMetaObject::invokeMethod(
                this, [this] { invalidate(); }, Qt::QueuedConnection);
    }
    const QRect target = imageRect_ & region.boundingRect();
    if (!target.isEmpty())
        painter.drawImage(target, image_, target.translated(-imageRect_.topLeft()));
    if (hoverVisible_)
        paintHoverLine(painter);
}

// No paint reaches what the host's opaque children cover (the meter panel and the bars
// lie over its edges), and what is hidden there shows no tear.
bool GraphPresenter::coversVisibleHost(const QRegion& region) const {
    return (host_.visibleRegion() - region).isEmpty();
}

void GraphPresenter::rebuildPicture() {
    const bool wasZoomed = graph_.zoomed();
    const GraphPicture picture = graph_.paint(inputs());
    GraphScrollState& scroll = sources_.scroll;
    if (picture.scrollReset)
        scroll.scrollOffset = 0;
    if (picture.scrollBarPosition) {
        scroll.scrollMax = *picture.scrollBarPosition;
        if (sources_.scrollBar) {
            sources_.scrollBar->setRange(0, sources_.doc.sampleStore().sampleCount());
            sources_.scrollBar->setValue(scroll.scrollMax);
        }
    }
    if (picture.emptyReadout)
        emit readoutChanged(
            QString::fromLatin1(kEmptyTimeReadout.data(), kEmptyTimeReadout.size()),
            QString::fromLatin1(kEmptyValuesReadout.data(), kEmptyValuesReadout.size()));

    // The hover line lies over the picture, so a new picture keeps it where the mouse
    // left it; the fresh sample it was waiting for is drawn. An empty store has no
    // sample under it, and the mouse is ignored until the first one arrives.
    sources_.doc.sampleStore().clearGraphChanged();
    if (picture.emptyReadout)
        hoverVisible_ = false;

    renderImage(picture);
    key_ = keyOf(inputs());
    stale_ = false;
    if (wasZoomed != graph_.zoomed())
        emit zoomChanged();
}

void GraphPresenter::renderImage(const GraphPicture& picture) {
    imageRect_ = pictureBounds(picture.geometry) & host_.rect();
    if (imageRect_.isEmpty()) {
        image_ = QImage();
        return;
    }
    if (image_.size() != imageRect_.size())
        image_ = QImage(imageRect_.size(), QImage::Format_ARGB32_Premultiplied);
    image_.fill(Qt::transparent);
    QPainter painter(&image_);
    painter.translate(-imageRect_.topLeft());
    paintGraphPicture(painter, picture, font_);
}

// The hover line inverts what lies under it: white on the black plot.
void GraphPresenter::paintHoverLine(QPainter& painter) {
    QPen pen(Qt::white);
    pen.setCosmetic(true);
    pen.setWidth(1);
    pen.setDashPattern({1, 1});
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.setPen(pen);
    painter.drawLine(hoverX_, hoverTop_, hoverX_, hoverBottom_);
    painter.restore();
}

void GraphPresenter::updateHoverColumn() {
    if (hoverVisible_)
        host_.update(QRect(hoverX_, hoverTop_, 1, hoverBottom_ - hoverTop_ + 1));
}

void GraphPresenter::onSampleTicked(const TickOutcome& outcome) {
    if (outcome.freshReading && !graph_.beingZoomed())
        invalidate();
}

void GraphPresenter::undoZoom() {
    graph_.undoZoom();
    sources_.scroll.scrollOffset = 0;
    if (sources_.scrollBar) {
        sources_.scrollBar->setValue(0);
        sources_.scrollBar->setEnabled(false);
    }
    zoomStateChanged();
}

bool GraphPresenter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &host_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            mousePressed(mouse->position().toPoint());
        break;
    }
    case QEvent::MouseMove:
        mouseMoved(static_cast<QMouseEvent*>(event)->position().toPoint());
        break;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            mouseReleased(mouse->position().toPoint());
        break;
    }
    default:
        break;
    }
    return false;
}

void GraphPresenter::mousePressed(QPoint position) {
    lastMousePosition_ = position;
    graph_.buttonDown(toGraphPoint(position), inputs());
    if (graph_.dragging())
        dragWatch_.start();
}

void GraphPresenter::mouseMoved(QPoint position) {
    lastMousePosition_ = position;
    const std::optional<MouseMoveResult> result =
        graph_.mouseMove(toGraphPoint(position), inputs());
    if (!result)
        return;
    updateHoverColumn(); // where the line was
    hoverVisible_ = true;
    hoverX_ = result->hoverX;
    hoverTop_ = result->hoverTop;
    hoverBottom_ = result->hoverBottom;
    updateHoverColumn();
    if (result->readout)
        emit readoutChanged(QString::fromStdString(result->readout->timeText),
                            QString::fromStdString(result->readout->valuesText));
    if (result->rubberBand) {
        rubberBand_->setGeometry(toQRect(*result->rubberBand));
        rubberBand_->show();
    }
}

void GraphPresenter::mouseReleased(QPoint position) {
    lastMousePosition_ = position;
    const bool zoomedNow = graph_.buttonUp(toGraphPoint(position), inputs());
    endDrag();
    if (zoomedNow)
        zoomStateChanged();
}

// The drag watch judges the position of the last mouse event: a selection dragged out
// of the graph's neighbourhood is abandoned.
void GraphPresenter::watchDrag() {
    if (graph_.dragWatch(toGraphPoint(lastMousePosition_), host_.width(), host_.height())) {
        endDrag();
        hoverVisible_ = false;
        invalidate();
    } else if (!graph_.dragging()) {
        dragWatch_.stop();
    }
}

// The picture may have fallen behind the recording while the selection was dragged.
void GraphPresenter::endDrag() {
    rubberBand_->hide();
    dragWatch_.stop();
    host_.update();
}

// The samples under the hover line have moved: it waits for the next mouse move.
void GraphPresenter::zoomStateChanged() {
    hoverVisible_ = false;
    invalidate();
    emit zoomChanged();
}

} // namespace calorant
