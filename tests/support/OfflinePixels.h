#pragma once
// How much of the red OFFLINE text the meter panel shows, read off its pixels.
#include "panel/CMeterPanelDlg.h"

#include <QColor>
#include <QImage>

namespace calorant::test {

// Pixels of pure red (the OFFLINE text) inside the panel's LCD.
inline int offlineRedPixels(CMeterPanelDlg& panel) {
    const QImage image = panel.grab().toImage();
    int count = 0;
    const QRect lcd = CMeterPanelDlg::kLcdRect;
    for (int y = lcd.top(); y <= lcd.bottom(); ++y)
        for (int x = lcd.left(); x <= lcd.right(); ++x)
            count += image.pixelColor(x, y) == QColor(255, 0, 0) ? 1 : 0;
    return count;
}

} // namespace calorant::test
