#pragma once

#include "panel/DialogUnits.h"

class QWidget;
class QString;

namespace calorant {

// Places a control at its layout rectangle, given in dialog units.
void placeControl(QWidget* control, const DialogUnits& units, int x, int y, int width, int height);

// The bars around the graph: light grey background for the bar and every control,
// black text.
void useBarColours(QWidget* bar);

// A message box with the application's caption, modal over `parent`.
void showMessage(QWidget* parent, const QString& text);

} // namespace calorant
