// The mouse on the logger graph window's plot, driven the way the window's handlers
// drive it: presses clamped into the plot, clicks that do not zoom, the rubber band,
// each refusal of the zoom step, the deepest level, the drag watch's cancel frame, the
// return to the overview, the cursor line with its reading and ties, and the readout
// texts in every unit.
#include "LoggerGraphTestSupport.h"
#include "logger/LoggerReadout.h"

#include <gtest/gtest.h>

namespace calorant {
namespace {

using namespace test;

class LoggerMouse : public ::testing::Test {
protected:
    // 101 readings 10 pixels apart, 25.0 C on every channel.
    LoggerMouse() : set(uniformSet(101, 25.0f)) {}

    LoggerGraphInputs inputs() const { return inputsFor(&set); }
    LoggerButtonUp dragTo(GraphPoint from, GraphPoint to) { return drag(view, from, to, inputs()); }

    LoggerSet set;
    LoggerViewState view;
};

TEST_F(LoggerMouse, APressIsHeldInsideThePlotAndAClickWithoutMovingDoesNotZoom) {
    zoomButtonDown(view, {100, 20}, inputs());
    EXPECT_EQ(view.dragActive, 1);
    EXPECT_EQ(view.dragStill, 1);
    EXPECT_EQ(view.pressPoint, (GraphPoint{kLeft, kTop}));
    EXPECT_EQ(view.zoomRect[0].x1, 290.0f);
    EXPECT_EQ(view.zoomRect[0].y1, 90.0f);

    const LoggerButtonUp click = dragTo({500, 300}, {500, 300});
    EXPECT_TRUE(click.dragEnded);
    EXPECT_FALSE(click.zoomed);
    EXPECT_EQ(view.overviewMode, 1);
    EXPECT_EQ(view.dragActive, 0);

    // Away and back to the press point still counts as a drag.
    zoomButtonDown(view, {500, 300}, inputs());
    zoomMouseMove(view, {600, 400}, inputs());
    zoomMouseMove(view, {500, 300}, inputs());
    EXPECT_TRUE(zoomButtonUp(view, {500, 300}, inputs()).zoomed);
    EXPECT_EQ(view.zoomDepth, 0); // but a rectangle without width does not deepen
}

TEST_F(LoggerMouse, TheRubberBandSpansThePressPointAndTheClampedMouse) {
    zoomButtonDown(view, {600, 200}, inputs());
    auto move = zoomMouseMove(view, {400, 350}, inputs());
    ASSERT_TRUE(move && move->rubberBand);
    EXPECT_EQ(*move->rubberBand, (GraphRect{400, 200, 200, 150}));
    EXPECT_EQ(view.dragStill, 0);
    move = zoomMouseMove(view, {3000, -50}, inputs());
    EXPECT_EQ(*move->rubberBand, (GraphRect{600, kTop, kRight - 600, 110}));
    EXPECT_FALSE(move->cursorLine); // beyond right + 1: the cursor line stays
    EXPECT_EQ(view.lastPoint, (GraphPoint{kRight, kTop}));
}

TEST_F(LoggerMouse, AnUpwardDragEntersZoomModeWithoutDeepening) {
    const LoggerButtonUp up = dragTo({700, 400}, {800, 200});
    EXPECT_TRUE(up.zoomed);
    EXPECT_EQ(view.overviewMode, 0);
    EXPECT_EQ(view.zoomDepth, 0);
    EXPECT_EQ(view.zoomRect[0], (LoggerZoomRect{700, 400, 800, 200}));

    // A leftward drag downwards is sorted and zooms.
    EXPECT_TRUE(dragTo({800, 200}, {700, 400}).zoomed);
    EXPECT_EQ(view.zoomDepth, 1);
}

TEST_F(LoggerMouse, WithoutASetShownTheMouseZoomsAndReadsNothing) {
    const LoggerGraphInputs none = inputsFor(nullptr);
    zoomButtonDown(view, {500, 200}, none);
    EXPECT_FALSE(zoomMouseMove(view, {700, 300}, none));
    const LoggerButtonUp up = zoomButtonUp(view, {700, 300}, none);
    EXPECT_TRUE(up.dragEnded);
    EXPECT_FALSE(up.zoomed);
    EXPECT_EQ(view.overviewMode, 1);
    EXPECT_EQ(view.cursorHidden, 1);
}

TEST_F(LoggerMouse, AReleaseWithoutAPressDoesNotZoomAgain) {
    EXPECT_TRUE(dragTo({400, 100}, {900, 400}).zoomed);
    EXPECT_EQ(view.zoomDepth, 1);
    const LoggerButtonUp stray = zoomButtonUp(view, {600, 300}, inputs());
    EXPECT_FALSE(stray.dragEnded);
    EXPECT_FALSE(stray.zoomed);
    EXPECT_EQ(view.zoomDepth, 1);
}

TEST_F(LoggerMouse, NinetyNineLevelsAreTheDeepest) {
    view.yGain = 200; // 2000 degrees: room for 99 levels above 0.1 degree a division
    // Each rectangle keeps the bottom-left corner and drops 5 pixels at the top and right.
    for (int level = 1; level <= kLoggerDeepestZoom; ++level) {
        ASSERT_TRUE(dragTo({kLeft, kTop + 5}, {kRight - 5, kBottom}).zoomed);
        ASSERT_EQ(view.zoomDepth, level);
    }
    EXPECT_TRUE(dragTo({kLeft, kTop + 5}, {kRight - 5, kBottom}).zoomed);
    EXPECT_EQ(view.zoomDepth, kLoggerDeepestZoom);
    const LoggerPicture picture = paintLoggerGraph(view, inputs());
    EXPECT_EQ(picture.curves[kT1].size(), 1u);
    EXPECT_EQ(picture.yLabels[0].text, "0.00");
    EXPECT_EQ(picture.yLabels[10].text, "575.71"); // 2000 x (395 / 400)^99
}

TEST_F(LoggerMouse, ATenthOfTheHeightOfPointOneDegreeOrLessDoesNotDeepen) {
    view.yGain = 1; // 10 degrees on 400 pixels: 40 pixels make a tenth of 0.1 degree
    EXPECT_TRUE(dragTo({500, 100}, {700, 140}).zoomed);
    EXPECT_EQ(view.zoomDepth, 0);
    EXPECT_TRUE(dragTo({500, 100}, {700, 141}).zoomed);
    EXPECT_EQ(view.zoomDepth, 1);
    // The next level's labels come from the rectangle: 8.725 to 9.75 degrees, the
    // first held as the float 8.7250004.
    const LoggerPicture picture = paintLoggerGraph(view, inputs());
    EXPECT_EQ(picture.yLabels[0].text, "8.73");
    EXPECT_EQ(picture.yLabels[10].text, "9.75");
}

TEST_F(LoggerMouse, ReadingsAlreadyAsFarApartAsThePlotIsWideDoNotDeepen) {
    set = uniformSet(2, 25.0f); // 1000 pixels apart at level 0
    EXPECT_TRUE(dragTo({300, 100}, {800, 400}).zoomed);
    EXPECT_EQ(view.zoomDepth, 0);

    set = uniformSet(3, 25.0f); // 500 apart: one zoom into half the width reaches 1000
    returnToOverview(view);
    EXPECT_TRUE(dragTo({300, 100}, {800, 400}).zoomed);
    EXPECT_EQ(view.zoomDepth, 1);
    EXPECT_TRUE(dragTo({300, 100}, {800, 400}).zoomed);
    EXPECT_EQ(view.zoomDepth, 1);
}

TEST_F(LoggerMouse, TheDragWatchCancelsAtFiftyBesideFortyBelowAndTwentyAboveThePlot) {
    const GraphPoint staying[] = {{1339, 300}, {241, 300}, {700, 529}, {700, 71}};
    const GraphPoint leaving[] = {{1340, 300}, {240, 300}, {700, 530}, {700, 70}};
    for (int i = 0; i < 4; ++i) {
        zoomButtonDown(view, {500, 200}, inputs());
        zoomMouseMove(view, {600, 300}, inputs());
        EXPECT_FALSE(zoomDragWatch(view, staying[i], inputs())) << i;
        EXPECT_EQ(view.dragActive, 1);
        EXPECT_TRUE(zoomDragWatch(view, leaving[i], inputs())) << i;
        EXPECT_EQ(view.dragActive, 0);
        EXPECT_EQ(view.dragStill, 1);
        EXPECT_FALSE(zoomButtonUp(view, leaving[i], inputs()).zoomed);
        EXPECT_EQ(view.overviewMode, 1);
    }
    EXPECT_FALSE(zoomDragWatch(view, {0, 0}, inputs())); // no drag, nothing to cancel
}

TEST_F(LoggerMouse, ReturningToTheOverviewFromDepthFiveDropsEveryLevelAndTheShift) {
    view.yGain = 10;
    for (int k = 0; k < 5; ++k)
        dragTo({300, 100}, {1200, 450});
    ASSERT_EQ(view.zoomDepth, 5);
    paintLoggerGraph(view, inputs());
    trackScrollThumb(view, 3);
    zoomMouseMove(view, {700, 300}, inputs());
    ASSERT_NE(view.scrollShift, 0);
    ASSERT_EQ(view.cursorHidden, 0);

    returnToOverview(view);
    EXPECT_EQ(view.overviewMode, 1);
    EXPECT_EQ(view.zoomDepth, 0);
    EXPECT_EQ(view.scrollShift, 0);
    EXPECT_EQ(view.cursorHidden, 1);
    EXPECT_EQ(view.dragStill, 1);
    const LoggerPicture picture = paintLoggerGraph(view, inputs());
    EXPECT_EQ(picture.frame.gridLines.size(), 26u);
    EXPECT_EQ(picture.yLabels[10].text, "100.00");
    EXPECT_FALSE(picture.cursorLine);
    EXPECT_EQ(picture.curves[kT1].at(0).front(), (GraphPoint{290, 390}));
}

TEST_F(LoggerMouse, TheCursorNamesTheNearerReadingAndTheEarlierOneHalfway) {
    setValue(set, 1, kT1, 30.0f);
    auto move = zoomMouseMove(view, {295, 300}, inputs()); // halfway between 0 and 1
    ASSERT_TRUE(move && move->cursorLine);
    EXPECT_EQ(*move->cursorLine, (LoggerLine{{295, kTop}, {295, kBottom}}));
    EXPECT_EQ(view.cursorReading, 0);
    EXPECT_EQ(view.cursorHidden, 0);
    EXPECT_EQ(view.cursorX, 295);
    EXPECT_EQ(view.cursorValueText[kT1], "25.0C");
    EXPECT_EQ(view.cursorTimeText, "14:05:09");

    zoomMouseMove(view, {296, 300}, inputs());
    EXPECT_EQ(view.cursorReading, 1);
    EXPECT_EQ(view.cursorValueText[kT1], "30.0C");
    EXPECT_EQ(view.cursorTimeText, "14:05:11");

    // The line follows up to one pixel past the right edge; beyond, nothing moves.
    move = zoomMouseMove(view, {kRight + 1, 300}, inputs());
    EXPECT_TRUE(move->cursorLine);
    EXPECT_EQ(view.cursorReading, 100);
    move = zoomMouseMove(view, {kRight + 2, 300}, inputs());
    EXPECT_FALSE(move->cursorLine);
    EXPECT_EQ(view.cursorX, kRight + 1);
    move = zoomMouseMove(view, {kLeft - 1, 300}, inputs());
    EXPECT_FALSE(move->cursorLine);

    // The painted picture redraws the line where it last was.
    EXPECT_EQ(paintLoggerGraph(view, inputs()).cursorLine,
              (LoggerLine{{kRight + 1, kTop}, {kRight + 1, kBottom}}));
}

TEST_F(LoggerMouse, TheReadoutShowsEachChannelInTheSetsUnitAndDashesAboveTwentyNineHundred) {
    setValue(set, 30, kT1, 100.0f);
    setValue(set, 30, kT2, 2900.0f);
    setValue(set, 30, kIR, 2900.5f);
    view.channelVisible = {1, 0, 1, 0, 0};
    auto move = zoomMouseMove(view, {590, 300}, inputs());
    ASSERT_TRUE(move);
    EXPECT_EQ(view.cursorValueText, (std::array<std::string, kChannelCount>{
                                        "100.0C", "2900.0C", "------", "25.0C", "25.0C"}));
    EXPECT_EQ(view.cursorTimeText, "14:06:09");
    ASSERT_EQ(move->readout.size(), 2u); // only the visible channels are redrawn
    EXPECT_EQ(move->readout[1].channel, kIR);
    EXPECT_EQ(move->readout[1].value.text, "------");
    EXPECT_EQ(move->readout[1].valueBox, (GraphRect{530, 70, 50, 20}));

    set.unit = 1;
    zoomMouseMove(view, {590, 300}, inputs());
    EXPECT_EQ(view.cursorValueText[kT1], "212.0F");
    set.unit = 2;
    zoomMouseMove(view, {590, 300}, inputs());
    EXPECT_EQ(view.cursorValueText[kT1], "373.2K");
    EXPECT_EQ(view.cursorValueText[kIR], "------");
    EXPECT_EQ(cursorValueText(25.0f, unitOfCode(7)), ""); // a unit the programme does not know
}

TEST_F(LoggerMouse, InZoomModeTheCursorNamesTheReadingTheShiftedCurveShowsThere) {
    setValue(set, 30, kT1, 90.0f);
    EXPECT_TRUE(dragTo({540, 90}, {1040, 290}).zoomed); // 20 pixels apart, reading 25 at left
    paintLoggerGraph(view, inputs());
    zoomMouseMove(view, {390, 300}, inputs());
    EXPECT_EQ(view.cursorReading, 30);
    EXPECT_EQ(view.cursorValueText[kT1], "90.0C");

    trackScrollThumb(view, 21); // curves 5 readings to the right: reading 30 at x 490
    zoomMouseMove(view, {490, 300}, inputs());
    EXPECT_EQ(view.cursorReading, 30);
    zoomMouseMove(view, {480, 300}, inputs()); // halfway to reading 29
    EXPECT_EQ(view.cursorReading, 29);

    // Where the shifted curves hold no reading the readout keeps its texts.
    trackScrollThumb(view, 80); // shift -54: x 1200 shows reading 124
    auto move = zoomMouseMove(view, {1200, 300}, inputs());
    EXPECT_EQ(view.cursorReading, 124);
    EXPECT_TRUE(move->readout.empty());
    EXPECT_EQ(view.cursorValueText[kT1], "25.0C");
    trackScrollThumb(view, -80); // shift 106: reading -35
    move = zoomMouseMove(view, {1200, 300}, inputs());
    EXPECT_EQ(view.cursorReading, -35);
    EXPECT_TRUE(move->readout.empty());
}

} // namespace
} // namespace calorant
