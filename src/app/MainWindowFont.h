#pragma once

#include <QFont>

namespace calorant {

// The main window's font, in which the graph writes its labels and legend: SimSun at
// 10 points of a 96-dpi screen (13 pixels) when it is installed, else the desktop's
// sans face at the same size. Pixels, not points, so every screen draws it alike.
QFont mainWindowFont();

} // namespace calorant
