#include "graph/GraphPainter.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>

namespace calorant {

namespace {

constexpr std::array<QRgb, kChannelCount> kChannelColours{
    qRgb(255, 0, 0), qRgb(255, 255, 0), qRgb(0, 255, 255), qRgb(200, 100, 200), qRgb(0, 255, 0)};
constexpr int kLegendLineWidth = 2;
constexpr int kTickLength = 5;

void paintLegend(QPainter& painter, const GraphPicture& picture) {
    painter.fillRect(toQRect(picture.geometry.legendBox), QColor(kLabelAreaColour));
    for (const LegendEntry& entry : picture.legend) {
        painter.setPen(QColor(kLabelTextColour));
        drawTextAt(painter, entry.textTopLeft.x, entry.textTopLeft.y, std::string(entry.name));
        painter.setPen(solidPen(channelColour(entry.channel), kLegendLineWidth));
        painter.drawLine(toQPoint(entry.lineFrom), toQPoint(entry.lineTo));
    }
}

void paintTimeBand(QPainter& painter, const GraphPicture& picture) {
    const PlotGeometry& g = picture.geometry;
    if (g.bottom <= g.top)
        return;
    painter.fillRect(toQRect(g.timeBand), QColor(kLabelAreaColour));
    painter.setPen(QColor(kLabelTextColour));
    for (const TimeLabel& label : picture.timeLabels)
        drawTextAt(painter, label.left, label.top, label.text);
}

void paintCurves(QPainter& painter, const GraphPicture& picture) {
    QPolygon points;
    for (int c = 0; c < kChannelCount; ++c) {
        if (picture.curves[c].empty())
            continue;
        painter.setPen(solidPen(channelColour(c), 1));
        for (const Polyline& line : picture.curves[c]) {
            points.resize(static_cast<qsizetype>(line.size()));
            for (std::size_t i = 0; i < line.size(); ++i)
                points[static_cast<qsizetype>(i)] = toQPoint(line[i]);
            painter.drawPolyline(points);
        }
    }
}

void paintPlot(QPainter& painter, const GraphPicture& picture) {
    const PlotGeometry& g = picture.geometry;
    if (!g.isDrawable())
        return;
    painter.save();
    painter.translate(g.left, g.top);
    painter.setClipRect(0, 0, g.width(), g.height());
    painter.fillRect(0, 0, g.width(), g.height(), QColor(kPlotBackground));
    painter.setPen(dottedPen(kGridColour));
    for (int x : picture.gridX)
        painter.drawLine(x, 0, x, g.height());
    for (int y : picture.gridY)
        painter.drawLine(0, y, g.width(), y);
    paintCurves(painter, picture);
    painter.restore();
}

void paintValueStrip(QPainter& painter, const GraphPicture& picture) {
    const GraphRect& strip = picture.geometry.valueStrip;
    if (strip.width <= 0 || strip.height <= 0)
        return;
    painter.save();
    painter.translate(strip.left, strip.top);
    painter.setClipRect(0, 0, strip.width, strip.height);
    painter.fillRect(0, 0, strip.width, strip.height, QColor(kLabelAreaColour));
    painter.setPen(QColor(kLabelTextColour));
    for (const ValueLabel& label : picture.valueLabels) {
        painter.drawLine(strip.width - kTickLength, label.tickY, strip.width, label.tickY);
        drawTextAt(painter, label.textLeft, label.textTop, label.text);
    }
    painter.restore();
}

} // namespace

QPen dottedPen(QRgb colour) {
    QPen pen{QColor(colour)};
    pen.setCosmetic(true);
    pen.setWidth(1);
    pen.setDashPattern({3, 3});
    return pen;
}

QPen solidPen(QRgb colour, int width) {
    QPen pen{QColor(colour)};
    pen.setCosmetic(true);
    pen.setWidth(width);
    return pen;
}

void drawTextAt(QPainter& painter, int left, int top, const std::string& text) {
    painter.drawText(QPoint(left, top + painter.fontMetrics().ascent()),
                     QString::fromStdString(text));
}

QRgb channelColour(int channel) {
    return channel >= 0 && channel < kChannelCount ? kChannelColours[channel] : kLabelTextColour;
}

void paintGraphPicture(QPainter& painter, const GraphPicture& picture, const QFont& font) {
    painter.save();
    painter.setFont(font);
    paintLegend(painter, picture);
    paintTimeBand(painter, picture);
    paintPlot(painter, picture);
    paintValueStrip(painter, picture);
    painter.fillRect(toQRect(picture.geometry.rightMarginStrip), QColor(kLabelAreaColour));
    painter.restore();
}

} // namespace calorant
