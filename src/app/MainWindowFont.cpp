#include "app/MainWindowFont.h"

#include <QFontDatabase>

namespace calorant {

namespace {

constexpr int kPixelSize = 13;
const QString kPreferredFace = QStringLiteral("SimSun");

} // namespace

QFont mainWindowFont() {
    QFont font = QFontDatabase::hasFamily(kPreferredFace)
                     ? QFont(kPreferredFace)
                     : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(kPixelSize);
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace calorant
