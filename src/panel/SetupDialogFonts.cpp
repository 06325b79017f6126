#include "panel/SetupDialogFonts.h"

#include "panel/LogicalFont.h"

namespace calorant {

QFont setupTemplateFont() {
    return toQFont(LogicalFont{QStringLiteral("System"), -13, 0, 400});
}

QFont setupLabelFont(int characterHeight) {
    return toQFont(LogicalFont{QStringLiteral("Arial"), -characterHeight, 0, 500});
}

} // namespace calorant
