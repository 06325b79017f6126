// What the meter panel paints: the display texts of MeterState inside the LCD at their
// places, right-aligned readings that count characters, the degree mark only for
// Celsius and Fahrenheit, blank texts drawing nothing, "OFFLINE" in red with nothing
// else on the LCD and no trace of it on the screen once the meter is back, and a
// repaint after a frame that covers only the LCD.
#include "link/MeterState.h"
#include "panel/CMeterPanelDlg.h"
#include "panel/PanelArtwork.h"
#include "support/OnScreen.h"

#include <QImage>
#include <QPaintEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace calorant;

namespace {

// A frame as the meter sends it: readings in its display unit, flags as received.
LiveFrame frame(std::array<float, 5> readings, std::uint8_t unitCode = 0) {
    LiveFrame f;
    f.arrivalTime = 1700000000;
    f.channel = {25.0f, -20.0f, 30.0f, 0.0f, 100.0f};
    f.reading = readings;
    f.modeA = 0x80;       // main reading shows T1
    f.modeB = 0x08;       // second reading shows T2
    f.irTempFlags = 0x01; // IR temperature mode: reading 3 is shown
    f.unitCode = unitCode;
    return f;
}

// Black text, antialiased edges included; the LCD and the red of "OFFLINE" are not dark.
bool isDark(QRgb pixel) {
    return qRed(pixel) < 110 && qGreen(pixel) < 110 && qBlue(pixel) < 110;
}
bool isRed(QRgb pixel) {
    return qRed(pixel) > 200 && qGreen(pixel) < 80 && qBlue(pixel) < 80;
}

int countPixels(const QImage& image, const QRect& box, bool (*test)(QRgb)) {
    int count = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

class MeterPanelDisplay : public ::testing::Test {
protected:
    QImage paint() { return panel.grab().toImage(); }
    int darkIn(const QImage& image, QRect box) { return countPixels(image, box, isDark); }

    MeterState state;
    CMeterPanelDlg panel{state, {}};
};

// Text boxes from top-left corners; heights cover the glyphs of each font.
const QRect kMainReadingRow(52, 135, 114, 40);
const QRect kUpperSmallRow(52, 192, 114, 25);
const QRect kLowerSmallRow(52, 232, 114, 25);

TEST_F(MeterPanelDisplay, theMainReadingIsRightAlignedByCountingCharacters) {
    state.applyFrame(frame({-12.3f, 0, 0, 0, 0})); // "-12.3": five characters from x 70
    const QImage image = paint();
    EXPECT_GT(darkIn(image, QRect(70, 135, 66, 40)), 100);
    EXPECT_EQ(darkIn(image, QRect(52, 135, 17, 40)), 0);
}

TEST_F(MeterPanelDisplay, overRangeStartsFurtherRightAndAnEmptyReadingDrawsNothing) {
    LiveFrame over = frame({0, 0, 0, 0, 0});
    over.olFlags = 0x80; // reading 1 shows "OL", from x 135 - 26
    state.applyFrame(over);
    QImage image = paint();
    EXPECT_GT(darkIn(image, QRect(109, 135, 27, 40)), 50);
    EXPECT_EQ(darkIn(image, QRect(52, 135, 56, 40)), 0);

    MeterState empty;
    CMeterPanelDlg emptyPanel(empty, {});
    image = emptyPanel.grab().toImage();
    EXPECT_EQ(darkIn(image, CMeterPanelDlg::kLcdRect.adjusted(0, 2, 0, 0)), 0);
}

TEST_F(MeterPanelDisplay, smallReadingsFillBothRowsRightAlignedToTheirColumns) {
    state.applyFrame(frame({1.0f, 123.4f, 5.6f, 78.9f, 100.0f}));
    const QImage image = paint();
    // Row one: reading 3 ("5.6", from x 84) ends at x 105, reading 2 ("123.4", from
    // x 125) ends at 160.
    EXPECT_GT(darkIn(image, QRect(84, 192, 22, 25)), 20);
    EXPECT_EQ(darkIn(image, QRect(60, 192, 22, 25)), 0);
    EXPECT_GT(darkIn(image, QRect(125, 192, 12, 25)), 10);
    EXPECT_GT(darkIn(image, QRect(140, 192, 21, 25)), 20);
    EXPECT_EQ(darkIn(image, QRect(106, 192, 18, 25)), 0);
    // Row two: reading 4 ends at 108, reading 5 ("100.0") starts at 125.
    EXPECT_GT(darkIn(image, QRect(80, 232, 29, 25)), 20);
    EXPECT_GT(darkIn(image, QRect(125, 232, 36, 25)), 20);
}

TEST_F(MeterPanelDisplay, anElapsedTimeInReadingThreeIsRightAlignedLikeANumber) {
    LiveFrame f = frame({0, 0, 0, 0, 0});
    f.statMode = kStatModeMin;
    f.elapsedTime = {12, 5}; // "12:05", five characters from x 70
    f.dashFlags = 0x80;      // hours and minutes
    state.applyFrame(f);
    ASSERT_EQ(state.readingText()[2], "12:05");
    const QImage image = paint();
    EXPECT_GT(darkIn(image, QRect(70, 192, 36, 25)), 40);
    EXPECT_EQ(darkIn(image, QRect(52, 192, 17, 25)), 0);
    // "hour : min" below the row on the left, "MIN" on the right.
    EXPECT_GT(darkIn(image, QRect(65, 220, 40, 11)), 5);
    EXPECT_GT(darkIn(image, QRect(130, 220, 22, 11)), 5);
}

TEST_F(MeterPanelDisplay, theDegreeMarkIsDrawnForCelsiusAndFahrenheitOnly) {
    const QRect degreeMark(147, 157, 5, 6);
    const QRect unitLetter(152, 157, 14, 14);
    for (const std::uint8_t unit : {0, 1, 2}) {
        MeterState unitState;
        unitState.applyFrame(frame({20.0f, 0, 0, 0, 0}, unit));
        CMeterPanelDlg unitPanel(unitState, {});
        const QImage image = unitPanel.grab().toImage();
        EXPECT_GT(darkIn(image, unitLetter), 5) << "unit " << int(unit);
        if (unit == 2)
            EXPECT_EQ(darkIn(image, degreeMark), 0) << "Kelvin has no degree mark";
        else
            EXPECT_GT(darkIn(image, degreeMark), 0) << "unit " << int(unit);
    }
}

TEST_F(MeterPanelDisplay, indicatorsShowWhenSetAndBlankTextsDrawNothing) {
    const QRect hold(100, 125, 26, 8);
    const QRect rec(140, 125, 26, 8);
    const QRect irTemp(63, 262, 40, 11);

    LiveFrame on = frame({1.0f, 0, 0, 0, 0});
    on.status = kStatusHold | kStatusRecording;
    state.applyFrame(on);
    QImage image = paint();
    EXPECT_GT(darkIn(image, hold), 5);
    EXPECT_GT(darkIn(image, rec), 5);
    EXPECT_GT(darkIn(image, irTemp), 5);

    LiveFrame off = frame({1.0f, 0, 0, 0, 0});
    off.irTempFlags = 0; // IR temperature off: "IRTEMP" and reading 3 blank
    state.applyFrame(off);
    ASSERT_EQ(state.holdText(), "    ");
    image = paint();
    EXPECT_EQ(darkIn(image, hold), 0);
    EXPECT_EQ(darkIn(image, rec), 0);
    EXPECT_EQ(darkIn(image, irTemp), 0);
    EXPECT_EQ(darkIn(image, QRect(60, 192, 46, 25)), 0);
}

TEST_F(MeterPanelDisplay, offlineShowsOnlyARedOfflineOnTheLcd) {
    LiveFrame busy = frame({-12.3f, 123.4f, 5.6f, 78.9f, 100.0f});
    busy.status = kStatusHold | kStatusRecording;
    state.applyFrame(busy);
    panel.setLinkOffline(true);
    const QImage image = paint();

    const QRect lcd = CMeterPanelDlg::kLcdRect;
    EXPECT_EQ(darkIn(image, lcd), 0);
    EXPECT_GT(countPixels(image, QRect(53, 165, 110, 45), isRed), 300);
    EXPECT_EQ(countPixels(image, QRect(52, 125, 114, 33), isRed), 0);
    EXPECT_EQ(countPixels(image, QRect(52, 220, 114, 55), isRed), 0);
    EXPECT_EQ(image.pixel(60, 250), qRgb(168, 191, 163));

    panel.setLinkOffline(false);
    EXPECT_GT(darkIn(paint(), kMainReadingRow), 100);
    EXPECT_EQ(countPixels(paint(), lcd, isRed), 0);
}

TEST_F(MeterPanelDisplay, theBottomBandAndTheRepeatedFaceFillAPanelLargerThanThePicture) {
    panel.resize(228, 700);
    const QImage image = paint();
    EXPECT_EQ(image.pixel(10, 600), qRgb(217, 218, 212));
    EXPECT_EQ(image.pixel(227, 699), qRgb(217, 218, 212));
    const QImage face = meterFace().toImage();
    EXPECT_EQ(qAlpha(face.pixel(30, 300)), 255);
    EXPECT_EQ(image.pixel(30, 300), face.pixel(30, 300));
    // Right of the 220-pixel face the picture starts again from its left edge.
    for (int y : {50, 300, 550})
        EXPECT_EQ(image.pixel(220 + 3, y), image.pixel(3, y)) << "row " << y;
}

TEST_F(MeterPanelDisplay, comingBackOnlineLeavesNoRedOfOfflineOnTheScreen) {
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    test::settle();
    const QRect aroundLcd = CMeterPanelDlg::kLcdRect.adjusted(-20, -20, 20, 20);
    const int redOfTheFace = countPixels(test::onScreen(panel), aroundLcd, isRed);

    panel.setLinkOffline(true);
    test::settle();
    ASSERT_GT(countPixels(test::onScreen(panel), aroundLcd, isRed), redOfTheFace + 300);

    // The first frame after the silence, as the link delivers it.
    state.applyFrame(frame({1.0f, 0, 0, 0, 0}));
    panel.setLinkOffline(false);
    panel.showNewFrame();
    test::settle();
    EXPECT_EQ(countPixels(test::onScreen(panel), aroundLcd, isRed), redOfTheFace);
}

// Records the area of every paint the panel receives.
class PaintRecorder : public QObject {
public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST_F(MeterPanelDisplay, aNewFrameRepaintsOnlyTheLcdWhileGoingOfflineRepaintsEverything) {
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    QCoreApplication::processEvents();
    PaintRecorder recorder;
    panel.installEventFilter(&recorder);

    state.applyFrame(frame({1.0f, 0, 0, 0, 0}));
    panel.showNewFrame();
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.painted, QRegion(CMeterPanelDlg::kLcdRect));

    recorder.painted = QRegion();
    panel.setLinkOffline(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.painted, QRegion(panel.rect()));

    // Coming back repaints the LCD and the few columns the text covered beyond it.
    recorder.painted = QRegion();
    panel.setLinkOffline(false);
    QCoreApplication::processEvents();
    EXPECT_TRUE(recorder.painted.contains(CMeterPanelDlg::kLcdRect));
    EXPECT_TRUE(
        CMeterPanelDlg::kLcdRect.adjusted(-4, -4, 4, 4).contains(recorder.painted.boundingRect()));
}

} // namespace
