#include "loggerview/LoggerGraphPainter.h"

#include "graph/GraphPainter.h"
#include "panel/LogicalFont.h"

#include <QImage>
#include <QLine>
#include <QList>
#include <QPainter>
#include <algorithm>

namespace calorant {

namespace {

constexpr int kLegendLineWidth = 2;

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

namespace {

// One channel's curve written into the image column by column. Where the curve is
// denser than the pixels it turns back within a column again and again; the lines
// within one column cover just the span from its lowest to its highest point. A line on
// to the next column, from (x, a) to (x + 1, b), Qt draws down (or up) column x to one
// row short of b and b itself in column x + 1, where b is that column's first point; so
// every column of a dense curve is one run of pixels, written straight into the image.
// Lines reaching further go to the painter as separate lines (Qt's cosmetic polyline
// leaves out a pixel here and there where a curve turns back, separate lines do not).
// Together they cover exactly the pixels of a line drawn for every pair of readings.
class CurveWriter {
public:
    CurveWriter(QImage& image, QPoint origin, QRgb colour)
        : image_(image), origin_(origin), colour_(colour), bits_(image.bits()),
          stride_(image.bytesPerLine()) {}

    void add(const Polyline& line) {
        std::size_t first = 0;
        while (first < line.size()) {
            const int x = line[first].x;
            int low = line[first].y;
            int high = low;
            std::size_t end = first + 1;
            for (; end < line.size() && line[end].x == x; ++end) {
                low = std::min(low, line[end].y);
                high = std::max(high, line[end].y);
            }
            if (end < line.size()) {
                const GraphPoint from = line[end - 1];
                const GraphPoint to = line[end];
                if (to.x == x + 1) {
                    const int reach = to.y == from.y ? from.y : to.y - (to.y > from.y ? 1 : -1);
                    low = std::min(low, reach);
                    high = std::max(high, reach);
                } else if (reachesImage(from, to)) {
                    farLines_.append(QLine(toQPoint(from), toQPoint(to)));
                }
            }
            writeColumn(x, low, high);
            first = end;
        }
    }

    // The lines that reach beyond the next column, drawn over the written columns.
    void drawFarLines() {
        if (farLines_.isEmpty())
            return;
        QPainter painter(&image_);
        painter.translate(-origin_);
        painter.setPen(solidPen(colour_, 1));
        painter.drawLines(farLines_);
    }

private:
    // Deep in a zoom most of a curve lies far outside the picture; a line whose box
    // misses the image draws nothing there, and the painter need not clip it.
    bool reachesImage(GraphPoint from, GraphPoint to) const {
        const int left = origin_.x();
        const int top = origin_.y();
        return std::max(from.x, to.x) >= left && std::min(from.x, to.x) < left + image_.width() &&
               std::max(from.y, to.y) >= top && std::min(from.y, to.y) < top + image_.height();
    }

    void writeColumn(int clientX, int low, int high) {
        const int x = clientX - origin_.x();
        if (x < 0 || x >= image_.width())
            return;
        const int top = std::max(low - origin_.y(), 0);
        const int bottom = std::min(high - origin_.y(), image_.height() - 1);
        for (int y = top; y <= bottom; ++y)
            reinterpret_cast<QRgb*>(bits_ + y * stride_)[x] = colour_;
    }

    QImage& image_;
    QPoint origin_;
    QRgb colour_;
    uchar* bits_;
    qsizetype stride_;
    QList<QLine> farLines_;
};

} // namespace

void paintLoggerCurves(QImage& image, QPoint origin, const LoggerPicture& picture) {
    Q_ASSERT(image.depth() == 32);
    for (int c = 0; c < kChannelCount; ++c) {
        CurveWriter writer(image, origin, channelColour(c));
        for (const Polyline& line : picture.curves[c])
            writer.add(line);
        writer.drawFarLines();
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

void paintLoggerPicture(QImage& image, QPoint origin, const LoggerPicture& picture,
                        const LoggerFonts& fonts) {
    {
        QPainter painter(&image);
        painter.translate(-origin);
        paintLoggerFrame(painter, picture);
    }
    paintLoggerCurves(image, origin, picture);
    QPainter painter(&image);
    painter.translate(-origin);
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
