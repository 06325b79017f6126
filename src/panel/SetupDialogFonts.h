#pragma once

#include <QFont>

namespace calorant {

// The setup dialogs' labels and OK buttons use Arial of medium weight at a character
// height chosen per dialog.
QFont setupLabelFont(int characterHeight);

} // namespace calorant
