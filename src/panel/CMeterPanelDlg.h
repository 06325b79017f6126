#pragma once

#include "panel/MeterCommandSink.h"
#include "panel/PanelKeys.h"

#include <QRect>
#include <QWidget>
#include <vector>

namespace calorant {

class CPanelButton;
class MeterState;

// The picture of the instrument at the left edge of the main window. Its LCD shows
// the meter's own display from the ready-made texts of MeterState, or "OFFLINE" in
// red while the link is down; its six keys send their commands to the meter.
//
// The panel keeps no display state: it reads MeterState while painting. After each
// accepted frame the owner calls showNewFrame(), which repaints only the LCD.
class CMeterPanelDlg : public QWidget {
    Q_OBJECT
public:
    // The LCD window of the face picture, in panel pixels.
    static constexpr QRect kLcdRect{52, 125, 114, 150};
    // Below this line the panel is plain band colour, however tall it is.
    static constexpr int kBottomBandTop = 600;

    CMeterPanelDlg(const MeterState& meterState, MeterCommandSink sendMeterCommand,
                   QWidget* parent = nullptr);
    ~CMeterPanelDlg() override;

    // Repaints the LCD from the current texts of MeterState.
    void showNewFrame();

    // The link watch's verdict. Going offline repaints the whole panel; coming back
    // repaints the LCD and whatever the "OFFLINE" text covered beyond it.
    void setLinkOffline(bool offline);
    bool linkOffline() const { return linkOffline_; }

    // The key with that control id, or nullptr.
    CPanelButton* key(PanelKeyId controlId) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void sendDoubleClickCommand(const CPanelButton& key);

    const MeterState& meterState_;
    MeterCommandSink sendMeterCommand_;
    bool linkOffline_ = false;
    std::vector<CPanelButton*> keys_;
};

} // namespace calorant
