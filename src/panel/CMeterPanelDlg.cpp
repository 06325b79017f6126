#include "panel/CMeterPanelDlg.h"

#include "panel/CPanelButton.h"
#include "panel/EnterEscapeFilter.h"
#include "panel/MeterLcd.h"
#include "panel/PanelArtwork.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace calorant {

namespace {

const QColor kBottomBandColour(217, 218, 212);

} // namespace

CMeterPanelDlg::CMeterPanelDlg(const MeterState& meterState, MeterCommandSink sendMeterCommand,
                               QWidget* parent)
    : QWidget(parent), meterState_(meterState), sendMeterCommand_(std::move(sendMeterCommand)) {
    // Every paint covers the whole update area: no separate background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(228, kFaceSize.height());
    for (const PanelKey& keyInfo : panelKeys()) {
        auto* button = new CPanelButton(keyInfo, sendMeterCommand_, this);
        connect(button, &CPanelButton::doubleClicked, this,
                [this, button] { sendDoubleClickCommand(*button); });
        keys_.push_back(button);
    }
    EnterEscapeFilter::install(this);
}

CMeterPanelDlg::~CMeterPanelDlg() = default;

void CMeterPanelDlg::showNewFrame() {
    update(kLcdRect);
}

void CMeterPanelDlg::setLinkOffline(bool offline) {
    if (offline == linkOffline_)
        return;
    linkOffline_ = offline;
    if (offline)
        update();
    else
        update(kLcdRect | offlineTextBounds());
}

CPanelButton* CMeterPanelDlg::key(PanelKeyId controlId) const {
    const auto found = std::find_if(keys_.begin(), keys_.end(), [controlId](CPanelButton* b) {
        return b->controlId() == controlId;
    });
    return found == keys_.end() ? nullptr : *found;
}

void CMeterPanelDlg::sendDoubleClickCommand(const CPanelButton& key) {
    if (key.key().doubleClickCode && sendMeterCommand_)
        sendMeterCommand_(meterCommand(*key.key().doubleClickCode));
}

void CMeterPanelDlg::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The face repeats from the top-left corner where the panel is larger than it.
    painter.fillRect(event->rect(), QBrush(meterFace()));
    paintMeterLcd(painter, meterState_, linkOffline_);
    painter.fillRect(QRect(0, kBottomBandTop, width(), std::max(0, height() - kBottomBandTop)),
                     kBottomBandColour);
}

} // namespace calorant
