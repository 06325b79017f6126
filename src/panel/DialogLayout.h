#pragma once

#include "panel/DialogUnits.h"

class QLineEdit;
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

// A number in an entry field, selected so that typing replaces it.
void showEntry(QLineEdit& edit, long long value);
// An entry the dialog cannot take: the message, then the focus back on the field with
// its text selected.
void refuseEntry(QWidget* dialog, QLineEdit& edit, const QString& message);

} // namespace calorant
