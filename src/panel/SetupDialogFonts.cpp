#include "panel/SetupDialogFonts.h"

#include "panel/LogicalFont.h"

namespace calorant {

QFont setupLabelFont(int characterHeight) {
    return toQFont(LogicalFont{QStringLiteral("Arial"), -characterHeight, 0, 500});
}

} // namespace calorant
