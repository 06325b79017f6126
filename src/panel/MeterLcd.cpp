#include "panel/MeterLcd.h"

#include "link/MeterState.h"
#include "panel/CMeterPanelDlg.h"
#include "panel/LogicalFont.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <array>
#include <string>

namespace calorant {

namespace {

const QColor kLcdColour(168, 191, 163);
const QColor kOfflineColour(255, 0, 0);
const QColor kTextColour(0, 0, 0);

const QString kOfflineText = QStringLiteral("OFFLINE");
constexpr QPoint kOfflineTopLeft(53, 160);

enum LcdFont {
    kLabelFont,
    kBigDigitsFont,
    kSmallDigitsFont,
    kUnitFont,
    kDegreeFont,
    kIndicatorFont,
    kLcdFontCount
};

const std::array<LogicalFont, kLcdFontCount>& lcdFontTable() {
    static const std::array<LogicalFont, kLcdFontCount> table{{
        {QStringLiteral("Arial"), -8, 0, 100},       // channel labels
        {QStringLiteral("Arial"), 55, 13, 700},      // main reading, "OFFLINE"
        {QStringLiteral("Arial"), 40, 7, 700},       // readings 2 to 5
        {QStringLiteral("Arial"), -13, 0, 700},      // unit letter
        {QStringLiteral("black Arial"), -5, 0, 100}, // degree mark
        {QStringLiteral("Arial"), -10, 0, 100},      // HOLD, REC, mode and type indicators
    }};
    return table;
}

using TextOf = std::string (*)(const MeterState&);

struct LcdText {
    TextOf text;
    LcdFont font;
    int x;       // left edge, or the right edge when advance is set
    int y;       // top edge
    int advance; // 0: left-aligned at x; else the width counted per character
};

std::string degreeMark(const MeterState& state) {
    return state.unitText() == "C" || state.unitText() == "F" ? "O" : "";
}

// In drawing order; later texts draw over earlier ones where they meet.
const std::array<LcdText, 18> kLcdTexts{{
    {[](const MeterState& s) { return s.mainLabel(); }, kLabelFont, 62, 123, 0},
    {[](const MeterState& s) { return s.readingText()[0]; }, kBigDigitsFont, 135, 127, 13},
    {degreeMark, kDegreeFont, 148, 157, 0},
    {[](const MeterState& s) { return s.secondLabel(); }, kLabelFont, 132, 177, 0},
    {[](const MeterState& s) { return s.thirdLabel(); }, kLabelFont, 77, 177, 0},
    {[](const MeterState& s) { return s.difLabel()[0]; }, kLabelFont, 52, 250, 0},
    {[](const MeterState& s) { return s.difLabel()[1]; }, kLabelFont, 111, 250, 0},
    {[](const MeterState& s) { return s.recText(); }, kIndicatorFont, 140, 122, 0},
    {[](const MeterState& s) { return s.elapsedUnitText(); }, kIndicatorFont, 65, 220, 0},
    {[](const MeterState& s) { return s.statModeText(); }, kIndicatorFont, 130, 220, 0},
    {[](const MeterState& s) { return s.irTempText(); }, kIndicatorFont, 63, 262, 0},
    {[](const MeterState& s) { return s.probeTypeText(); }, kIndicatorFont, 52, 262, 0},
    {[](const MeterState& s) { return s.holdText(); }, kIndicatorFont, 100, 122, 0},
    {[](const MeterState& s) { return s.unitText(); }, kUnitFont, 152, 157, 0},
    {[](const MeterState& s) { return s.readingText()[2]; }, kSmallDigitsFont, 105, 187, 7},
    {[](const MeterState& s) { return s.readingText()[1]; }, kSmallDigitsFont, 160, 187, 7},
    {[](const MeterState& s) { return s.readingText()[3]; }, kSmallDigitsFont, 108, 227, 7},
    {[](const MeterState& s) { return s.readingText()[4]; }, kSmallDigitsFont, 160, 227, 7},
}};

using LcdFonts = std::array<QFont, kLcdFontCount>;

LcdFonts makeLcdFonts() {
    LcdFonts fonts;
    for (int i = 0; i < kLcdFontCount; ++i)
        fonts[i] = toQFont(lcdFontTable()[i]);
    return fonts;
}

void drawTopLeft(QPainter& painter, const QFont& font, int x, int y, const QString& text) {
    painter.setFont(font);
    painter.drawText(QPointF(x, y + QFontMetricsF(painter.font()).ascent()), text);
}

} // namespace

void paintMeterLcd(QPainter& painter, const MeterState& state, bool linkOffline) {
    const LcdFonts fonts = makeLcdFonts();
    painter.fillRect(CMeterPanelDlg::kLcdRect, kLcdColour);
    painter.setBackgroundMode(Qt::TransparentMode);

    if (linkOffline) {
        painter.setPen(kOfflineColour);
        drawTopLeft(painter, fonts[kBigDigitsFont], kOfflineTopLeft.x(), kOfflineTopLeft.y(),
                    kOfflineText);
        return;
    }

    painter.setPen(kTextColour);
    for (const LcdText& item : kLcdTexts) {
        const std::string text = item.text(state);
        const int x = item.advance == 0 ? item.x : item.x - item.advance * int(text.size());
        drawTopLeft(painter, fonts[item.font], x, item.y, QString::fromStdString(text));
    }
}

QRect offlineTextBounds() {
    const QFontMetrics metrics(toQFont(lcdFontTable()[kBigDigitsFont]));
    const QRect advance(0, -metrics.ascent(), metrics.horizontalAdvance(kOfflineText),
                        metrics.height());
    // One pixel more all round for the smoothed edges of the glyphs.
    return (metrics.boundingRect(kOfflineText) | advance)
        .translated(kOfflineTopLeft + QPoint(0, metrics.ascent()))
        .adjusted(-1, -1, 1, 1);
}

} // namespace calorant
