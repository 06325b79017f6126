#pragma once

#include <QFont>

namespace calorant {

// The setup dialogs are laid out in the "System" template font; their labels and OK
// buttons use Arial of medium weight at a character height chosen per dialog.
QFont setupTemplateFont();
QFont setupLabelFont(int characterHeight);

} // namespace calorant
