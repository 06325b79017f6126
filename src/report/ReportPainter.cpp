#include "report/ReportPainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPolygon>

namespace calorant {

namespace {

QColor toQColor(ReportColour colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

// Page y points upwards; the painter's y points downwards.
QPoint toDevicePoint(PagePoint p) {
    return QPoint(p.x, -p.y);
}

QPolygon toPolygon(const Polyline& line) {
    QPolygon polygon(static_cast<qsizetype>(line.size()));
    for (std::size_t i = 0; i < line.size(); ++i)
        polygon[static_cast<qsizetype>(i)] = toDevicePoint(line[i]);
    return polygon;
}

// A solid line pen of the page: round ends and round joins, so a polyline covers
// exactly what its segments drawn one by one would cover.
QPen solidPen(ReportColour colour, int width) {
    return QPen(toQColor(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPen gridPen(ReportColour colour) {
    return QPen(toQColor(colour), kGridPenWidth, Qt::DotLine, Qt::FlatCap);
}

// "Arial" is served by a metric-compatible face where it is not installed. Weight 100
// asks for the lightest face there is, which for Arial is its regular one; asking for
// it by name keeps another family's thin face from standing in.
QFont reportFont(int characterHeight) {
    QFont font(QString::fromUtf8(kReportFontFace.data(), qsizetype(kReportFontFace.size())));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setPixelSize(characterHeight);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

class TextDrawer {
public:
    explicit TextDrawer(QPainter& painter)
        : painter_(painter), title_(reportFont(kTitleFontHeight)),
          text_(reportFont(kTextFontHeight)),
          titleAscent_(QFontMetricsF(title_, painter.device()).ascent()),
          textAscent_(QFontMetricsF(text_, painter.device()).ascent()) {}

    // The top-left corner of the text at the given point.
    void draw(const PageText& text) {
        const bool title = text.font == ReportFont::Title;
        painter_.setFont(title ? title_ : text_);
        painter_.setPen(toQColor(text.colour));
        const double ascent = title ? titleAscent_ : textAscent_;
        painter_.drawText(QPointF(text.topLeft.x, -text.topLeft.y + ascent),
                          QString::fromStdString(text.text));
    }

private:
    QPainter& painter_;
    QFont title_;
    QFont text_;
    double titleAscent_;
    double textAscent_;
};

void fillWhiteStrips(QPainter& painter, int deviceWidth, int deviceHeight) {
    for (const PageRect& strip : whiteStrips(deviceWidth, deviceHeight)) {
        if (strip.width > 0 && strip.height > 0)
            painter.fillRect(
                QRect(strip.left, -(strip.bottom + strip.height), strip.width, strip.height),
                Qt::white);
    }
}

} // namespace

void paintReportPage(QPainter& painter, const ReportPage& page) {
    const QPaintDevice& device = *painter.device();
    painter.save();
    // 0.01 inch per unit, the origin at the device's bottom-right corner.
    painter.setTransform(QTransform(device.logicalDpiX() / 100.0, 0, 0,
                                    device.logicalDpiY() / 100.0, device.width(), device.height()));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(solidPen(kReportBlack, kFramePenWidth));
    painter.drawPolyline(toPolygon(page.frame));
    if (page.hasChart) {
        for (const CurveStroke& stroke : page.curves) {
            painter.setPen(solidPen(stroke.colour, kCurvePenWidth));
            painter.drawPolyline(toPolygon(stroke.points));
        }
        fillWhiteStrips(painter, device.width(), device.height());
        TextDrawer texts(painter);
        for (const PageText& text : page.texts)
            texts.draw(text);
        painter.setPen(gridPen(page.gridColour));
        for (const PageLine& line : page.grid)
            painter.drawLine(toDevicePoint(line.from), toDevicePoint(line.to));
        texts.draw(page.stamp);
    }
    painter.restore();
}

void paintReport(QPainter& painter, const ReportInputs& inputs) {
    paintReportPage(painter, layoutReport(inputs));
}

} // namespace calorant
