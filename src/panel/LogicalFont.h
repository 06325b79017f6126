#pragma once

#include <QFont>
#include <QString>

namespace calorant {

// A font described the way the meter's layouts describe it: a face name, a height
// (below zero: the character height in pixels; above zero: the whole cell height,
// internal leading included), an average character width (0: the face's own) and a
// weight from 100 to 900. Sizes are pixels, never points, so that the panel looks the
// same on every screen resolution and on the offscreen platform.
struct LogicalFont {
    QString face;
    int height = 0;
    int width = 0;
    int weight = 400;
};

// The QFont that draws like the described font: a pixel size for the height and a
// horizontal stretch that brings the average character width to `width`.
// "Arial" is served by a metric-compatible face where Arial is not installed; an
// unknown face falls back to the default sans face.
QFont toQFont(const LogicalFont& logical);

// The average character width as the layouts mean it: the width of lower-case text
// of ordinary letter frequencies, space included. (Font files of newer faces store an
// average over every glyph instead, which is far wider and would make the stretch
// too narrow.)
double averageCharWidth(const QFont& font);

} // namespace calorant
