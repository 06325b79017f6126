#pragma once

#include <QFont>
#include <QRect>

namespace calorant {

// Converts layout rectangles given in dialog units into pixels. A dialog unit is a
// quarter of the template font's average letter width horizontally and an eighth of
// its line height vertically, so each template font has its own conversion.
class DialogUnits {
public:
    // Templates in the "System" font: its fixed base units of 8 x 16 pixels.
    static DialogUnits systemTemplate();
    // Templates in a face at a size in points, taken at 96 pixels per inch.
    static DialogUnits forTemplateFont(const QString& face, int points);

    int baseWidth() const { return baseWidth_; }
    int baseHeight() const { return baseHeight_; }
    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    QRect toPixels(int x, int y, int width, int height) const;

private:
    DialogUnits(int baseWidth, int baseHeight) : baseWidth_(baseWidth), baseHeight_(baseHeight) {}

    int baseWidth_;
    int baseHeight_;
};

} // namespace calorant
