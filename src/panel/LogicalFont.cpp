#include "panel/LogicalFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace calorant {

namespace {

// Letter frequencies (per thousand) of lower-case English text, space included: the
// classic definition of a font's average character width.
constexpr std::array<std::pair<char, int>, 27> kLetterWeights{{
    {'a', 64}, {'b', 14}, {'c', 27}, {'d', 35}, {'e', 100}, {'f', 20},  {'g', 14},
    {'h', 42}, {'i', 63}, {'j', 3},  {'k', 6},  {'l', 35},  {'m', 20},  {'n', 56},
    {'o', 56}, {'p', 17}, {'q', 4},  {'r', 49}, {'s', 56},  {'t', 71},  {'u', 31},
    {'v', 10}, {'w', 18}, {'x', 3},  {'y', 18}, {'z', 2},   {' ', 166},
}};

// Faces the layouts name that do not exist as such: "System" and "black Arial" mean
// the platform's ordinary sans face.
QString installedFace(const QString& face) {
    if (face == QLatin1String("Arial"))
        return face; // fontconfig serves Liberation Sans, which has Arial's metrics
    if (QFontDatabase::hasFamily(face))
        return face;
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont::Weight qtWeight(int weight) {
    // Arial has only a regular and a bold face; lighter or medium weights draw regular.
    return weight >= 600 ? QFont::Bold : QFont::Normal;
}

} // namespace

double averageCharWidth(const QFont& font) {
    const QFontMetricsF metrics(font);
    double total = 0.0;
    for (const auto& [letter, weight] : kLetterWeights)
        total += metrics.horizontalAdvance(QChar::fromLatin1(letter)) * weight;
    return total / 1000.0;
}

QFont toQFont(const LogicalFont& logical) {
    QFont font(installedFace(logical.face));
    font.setWeight(qtWeight(logical.weight));
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferNoHinting);

    if (logical.height < 0) {
        font.setPixelSize(-logical.height);
    } else if (logical.height > 0) {
        // A cell height: scale from a large reference size to keep rounding small.
        constexpr int reference = 100;
        font.setPixelSize(reference);
        const double cell = QFontMetricsF(font).height();
        font.setPixelSize(std::max(1, int(std::lround(logical.height * reference / cell))));
    }

    if (logical.width > 0) {
        const double natural = averageCharWidth(font);
        if (natural > 0.0)
            font.setStretch(std::clamp(int(std::lround(100.0 * logical.width / natural)), 1, 4000));
    }
    return font;
}

} // namespace calorant
