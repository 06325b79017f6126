#pragma once

#include <QRect>

class QPainter;

namespace calorant {

class MeterState;

// Draws the meter's display onto the panel's LCD, in panel coordinates: the LCD fill
// and then either the eighteen display texts of `state` or, while the link is down,
// "OFFLINE" in red and nothing else. Every text is drawn with its top-left corner at
// its position; the readings are right-aligned by counting characters against a fixed
// advance, as the meter's segments are, rather than by measuring the text.
void paintMeterLcd(QPainter& painter, const MeterState& state, bool linkOffline);

// Everything the red "OFFLINE" covers, in panel coordinates. Its last letter reaches
// past the LCD's right edge onto the bezel.
QRect offlineTextBounds();

} // namespace calorant
