#pragma once

#include "core/PixelGeometry.h"
#include "graph/RealTimeGraph.h"

#include <QColor>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <string>

class QFont;
class QPainter;

namespace calorant {

// Colours of the real-time graph, fixed like the instrument's own display.
inline constexpr QRgb kPlotBackground = qRgb(0, 0, 0);
inline constexpr QRgb kGridColour = qRgb(170, 170, 170);
inline constexpr QRgb kLabelAreaColour = qRgb(217, 218, 212);
inline constexpr QRgb kLabelTextColour = qRgb(0, 0, 0);

// T1 red, T2 yellow, IR cyan, T3 purple, T4 green.
QRgb channelColour(int channel);

// Cosmetic pens of whole pixels; the dotted one draws 3 pixels on, 3 off.
QPen solidPen(QRgb colour, int width);
QPen dottedPen(QRgb colour);

// Whole-pixel geometry of the layouts as Qt's.
inline QRect toQRect(const GraphRect& r) {
    return QRect(r.left, r.top, r.width, r.height);
}
inline QPoint toQPoint(GraphPoint p) {
    return QPoint(p.x, p.y);
}

// Text placed by its top-left corner, the way the layouts give it.
void drawTextAt(QPainter& painter, int left, int top, const std::string& text);

// Paints one laid-out picture of the real-time graph onto any surface, in view
// coordinates: the legend, the time band with its labels, the plot with its dotted grid
// and curves, the value strip and the right margin strip. The areas overlap a little
// and are painted in this order, so the plot and the strips lie on top. Each curve is
// drawn with one pen; the painter must not be antialiased, so that curves and grid
// stay crisp one-pixel lines.
void paintGraphPicture(QPainter& painter, const GraphPicture& picture, const QFont& font);

} // namespace calorant
