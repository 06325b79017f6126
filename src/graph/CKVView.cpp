#include "graph/CKVView.h"

#include "document/CKVDoc.h"
#include "graph/GraphPresenter.h"
#include "panel/CGraphBarDlg.h"
#include "panel/CGraphScrollDlg.h"
#include "panel/CMeterPanelDlg.h"
#include "panel/CStatsBarDlg.h"
#include "panel/ViewChildPlacement.h"

#include <QPaintEvent>
#include <QPainter>

namespace calorant {

namespace {

const QColor kBandColour(217, 218, 212);

} // namespace

CKVView::CKVView(CKVDoc& doc, const QFont& frameFont, MeterCommandSink sendMeterCommand,
                 QWidget* parent)
    : QWidget(parent), doc_(doc), frameFont_(frameFont) {
    // Every paint covers the whole view: no separate background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);

    // The child windows stay hidden until the first resize places them.
    meterPanel_ = new CMeterPanelDlg(doc_.meterState(), std::move(sendMeterCommand), this);
    graphBar_ = new CGraphBarDlg(doc_.graphDisplay(), this);
    statsBar_ = new CStatsBarDlg(this);
    scrollStrip_ = new CGraphScrollDlg(scrollState_, this);
    for (QWidget* child : {static_cast<QWidget*>(meterPanel_), static_cast<QWidget*>(graphBar_),
                           static_cast<QWidget*>(statsBar_), static_cast<QWidget*>(scrollStrip_)})
        child->hide();

    graph_ = new GraphPresenter(
        *this,
        {doc_, scrollState_, [this] { return doc_.meterState().unitCode(); },
         [this] { return graphBar_->layoutHeight(); }, [this] { return statsBar_->layoutHeight(); },
         scrollStrip_->scrollBar()},
        frameFont_);
    connect(&doc_, &CKVDoc::sampleTicked, this, [this](const TickOutcome& outcome) {
        if (outcome.freshReading)
            refreshBars();
    });
    connect(&doc_, &CKVDoc::frameApplied, this, &CKVView::onFrameApplied);
    connect(&doc_, &CKVDoc::recordingRestored, this, &CKVView::refreshBars);
    connect(&doc_, &CKVDoc::offlineChanged, meterPanel_, &CMeterPanelDlg::setLinkOffline);

    connect(graphBar_, &CGraphBarDlg::channelVisibilityChanged, &doc_, &CKVDoc::updateAllViews);
    connect(graphBar_, &CGraphBarDlg::yAxisChanged, &doc_, &CKVDoc::updateAllViews);
    connect(scrollStrip_, &CGraphScrollDlg::scrolled, this, qOverload<>(&QWidget::update));
    connect(&doc_, &CKVDoc::viewsNeedUpdate, this, qOverload<>(&QWidget::update));
}

CKVView::~CKVView() = default;

void CKVView::onFrameApplied(const LiveFrame&) {
    meterPanel_->showNewFrame();
    refreshBars();
}

void CKVView::refreshBars() {
    const SampleStore& store = doc_.sampleStore();
    const MeterState& meterState = doc_.meterState();
    graphBar_->setBatteryText(meterState.batteryText());
    graphBar_->setStartTimeText(store.startTimeText());
    graphBar_->setSampleRateText(store.sampleRateText());
    graphBar_->setDataNoText(store.dataNoText());
    statsBar_->refresh(meterState);
}

QRect CKVView::frameClientRect() const {
    return QRect(0, -kFrameClientTop, width(), kFrameClientTop + height() + kFrameClientBelow);
}

void CKVView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeViewChildren(frameClientRect(), *meterPanel_, *graphBar_, *statsBar_, *scrollStrip_);
}

void CKVView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    paintFrameBackground(painter);
    graph_->paint(painter, event->region());
}

// The main frame's own background: button face with two grey bands, one right of the
// graph and one holding the legend above it (frame-client coordinates).
void CKVView::paintFrameBackground(QPainter& painter) {
    const QRect r = frameClientRect();
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.fillRect(QRect(r.width() - 52, 125, 63, r.height() - 290).translated(r.topLeft()),
                     kBandColour);
    painter.fillRect(QRect(290, 125, r.width() - 300, 25).translated(r.topLeft()), kBandColour);
}

} // namespace calorant
