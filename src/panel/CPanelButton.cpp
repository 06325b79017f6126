#include "panel/CPanelButton.h"

#include "panel/DialogUnits.h"
#include "panel/PanelArtwork.h"

#include <QMouseEvent>
#include <QPainter>

namespace calorant {

CPanelButton::CPanelButton(const PanelKey& key, MeterCommandSink sendMeterCommand, QWidget* parent)
    : QAbstractButton(parent), key_(key), sendMeterCommand_(std::move(sendMeterCommand)),
      picture_(renderedArtwork(QString::fromLatin1(key.artwork), key.artworkSize)) {
    setText(QString::fromLatin1(key.label));
    setAccessibleName(text());
    const QRect layout =
        DialogUnits::systemTemplate().toPixels(key.layoutUnits.x(), key.layoutUnits.y(),
                                               key.layoutUnits.width(), key.layoutUnits.height());
    setGeometry(QRect(key.position, layout.size()));
    connect(this, &QAbstractButton::pressed, this, &CPanelButton::sendPressCommand);
    connect(this, &QAbstractButton::released, this, [this] { unsetCursor(); });
}

void CPanelButton::sendPressCommand() {
    // The press shows only as the cursor: the key looks the same up and down.
    setCursor(Qt::PointingHandCursor);
    if (sendMeterCommand_)
        sendMeterCommand_(meterCommand(key_.pressCode));
}

void CPanelButton::paintEvent(QPaintEvent*) {
    // Top-left part of the picture, unscaled: a key smaller than its picture crops it.
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

// The default handling treats the second click as another press.
void CPanelButton::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        event->accept();
        emit doubleClicked();
        return;
    }
    QAbstractButton::mouseDoubleClickEvent(event);
}

} // namespace calorant
