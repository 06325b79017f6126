#include "panel/DialogUnits.h"

#include "panel/LogicalFont.h"

#include <QFontMetricsF>
#include <cmath>

namespace calorant {

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int scaleRounded(int a, int b, int c) {
    return int(std::lround(double(a) * b / c));
}

} // namespace

DialogUnits DialogUnits::systemTemplate() {
    return DialogUnits(8, 16);
}

DialogUnits DialogUnits::forTemplateFont(const QString& face, int points) {
    const QFont font = toQFont(LogicalFont{face, -scaleRounded(points, 96, 72), 0, 400});
    const QFontMetricsF metrics(font);
    const int alphabet = int(metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")));
    // The letter width is the alphabet's average rounded to the nearest pixel.
    return DialogUnits((alphabet / 26 + 1) / 2, int(std::ceil(metrics.height())));
}

int DialogUnits::toPixelsX(int units) const {
    return scaleRounded(units, baseWidth_, 4);
}

int DialogUnits::toPixelsY(int units) const {
    return scaleRounded(units, baseHeight_, 8);
}

QRect DialogUnits::toPixels(int x, int y, int width, int height) const {
    const int left = toPixelsX(x);
    const int top = toPixelsY(y);
    return QRect(left, top, toPixelsX(x + width) - left, toPixelsY(y + height) - top);
}

} // namespace calorant
