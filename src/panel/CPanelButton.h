#pragma once

#include "panel/MeterCommandSink.h"
#include "panel/PanelKeys.h"

#include <QAbstractButton>
#include <QPixmap>

namespace calorant {

// One key of the meter panel, drawn as the picture of the instrument's own key.
//
// The key sends its command each time it goes down: a left-button press, the space
// bar while it has the focus, or the pointer dragged back onto it with the button
// held. Repainting a key that is held down sends nothing, and releasing it sends
// nothing. The second click of a double-click does not press the key again: it is
// reported through doubleClicked() only, for the panel to send the double-click
// command where the key has one.
class CPanelButton : public QAbstractButton {
    Q_OBJECT
public:
    CPanelButton(const PanelKey& key, MeterCommandSink sendMeterCommand, QWidget* parent);

    PanelKeyId controlId() const { return key_.controlId; }
    const PanelKey& key() const { return key_; }

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void sendPressCommand();

    const PanelKey& key_;
    MeterCommandSink sendMeterCommand_;
    QPixmap picture_;
};

} // namespace calorant
