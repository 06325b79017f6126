#include "loggerview/LoggerGraphPainter.h"

#include "graph/GraphPainter.h"
#include "panel/LogicalFont.h"

#include <QLine>
#include <QList>
#include <QPainter>

namespace calorant {

namespace {

constexpr int kLegendLineWidth = 2;

QRect toQRect(const GraphRect& r) {
    return QRect(r.left, r.top, r.width, r.height);
}

QPoint toQPoint(GraphPoint p) {
    return QPoint(p.x, p.y);
}

void drawLines(QPainter& painter, const std::vector<LoggerLine>& lines) {
    for (const LoggerLine& line : lines)
        painter.drawLine(toQPoint(line.from), toQPoint(line.to));
}

void drawTexts(QPainter& painter, const std::vector<LoggerText>& texts) {
    for (const LoggerText& text : texts)
        drawTextAt(painter, text.topLeft.x, text.topLeft.y, text.text);
}

} // namespace

LoggerFonts loggerFonts() {
    return {toQFont(LogicalFont{QStringLiteral("Arial"), -14, 0, 100}),
            toQFont(LogicalFont{QStringLiteral("Arial"), -12, 0, 100})};
}

void paintLoggerFrame(QPainter& painter, const LoggerPicture& picture) {
    const LoggerFrame& frame = picture.frame;
    painter.fillRect(toQRect(frame.client), QColor(kLoggerBackground));
    painter.fillRect(toQRect(frame.plot), QColor(kLoggerPlot));
    painter.setPen(solidPen(kLoggerGrid, 1));
    drawLines(painter, frame.gridLines);
    painter.setPen(solidPen(kLoggerBorder, 1));
    drawLines(painter, frame.borderLines);
    painter.fillRect(toQRect(frame.band), QColor(kLoggerBackground));
    if (picture.setShown) {
        painter.setPen(solidPen(kLoggerTimeGrid, 1));
        drawLines(painter, picture.timeGrid);
    }
}

// Each polyline goes to the painter as its separate segments: Qt's cosmetic polyline
// leaves out a pixel here and there where a curve turns back within one pixel column,
// while separate lines cover exactly what one line per pair of readings covers.
void paintLoggerCurves(QPainter& painter, const LoggerPicture& picture) {
    QList<QLine> segments;
    for (int c = 0; c < kChannelCount; ++c) {
        if (picture.curves[c].empty())
            continue;
        painter.setPen(solidPen(channelColour(c), 1));
        for (const Polyline& line : picture.curves[c]) {
            segments.clear();
            for (std::size_t i = 1; i < line.size(); ++i)
                segments.append(QLine(toQPoint(line[i - 1]), toQPoint(line[i])));
            painter.drawLines(segments);
        }
    }
}

void paintLoggerLabels(QPainter& painter, const LoggerPicture& picture, const LoggerFonts& fonts) {
    painter.setFont(fonts.labels);
    if (picture.setShown) {
        for (const GraphRect& margin : picture.margins)
            painter.fillRect(toQRect(margin), QColor(kLoggerBackground));
        painter.setPen(QColor(kLoggerText));
        drawTexts(painter, picture.timeLabels);
        drawTexts(painter, picture.yLabels);
    }
    for (const LoggerLegendEntry& entry : picture.legend) {
        painter.setPen(QColor(kLoggerText));
        drawTextAt(painter, entry.name.topLeft.x, entry.name.topLeft.y, entry.name.text);
        painter.setPen(solidPen(channelColour(entry.channel), kLegendLineWidth));
        painter.drawLine(toQPoint(entry.line.from), toQPoint(entry.line.to));
    }
}

void paintLoggerPicture(QPainter& painter, const LoggerPicture& picture, const LoggerFonts& fonts) {
    paintLoggerFrame(painter, picture);
    paintLoggerCurves(painter, picture);
    paintLoggerLabels(painter, picture, fonts);
}

void paintLoggerReadout(QPainter& painter, const std::vector<LoggerReadoutSlot>& readout,
                        const QFont& font) {
    painter.setFont(font);
    painter.setPen(QColor(kLoggerText));
    for (const LoggerReadoutSlot& slot : readout) {
        painter.fillRect(toQRect(slot.valueBox), QColor(kLoggerBackground));
        for (const LoggerText* text : {&slot.value, &slot.at, &slot.time})
            drawTextAt(painter, text->topLeft.x, text->topLeft.y, text->text);
    }
}

void paintLoggerCursor(QPainter& painter, const LoggerLine& line) {
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    painter.setPen(dottedPen(kLoggerCursor));
    painter.drawLine(toQPoint(line.from), toQPoint(line.to));
    painter.restore();
}

} // namespace calorant
