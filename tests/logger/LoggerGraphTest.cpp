// One paint of the logger graph window as the window asks for it: nothing but the frame
// and legend without a set, the one-reading set, readings spread by a float step, the
// three units, a value far beyond the Y range, channel visibility, and zoom mode with
// its first visible reading, scroll bar, time grid and labels, Y labels, and panning.
#include "LoggerGraphTestSupport.h"
#include "graph/GraphCurves.h"

#include <gtest/gtest.h>
#include <limits>

namespace calorant {
namespace {

using namespace test;

TEST(LoggerPaint, WithoutASetOnlyTheFrameAndTheLegendAreDrawn) {
    LoggerViewState view;
    const LoggerPicture picture = paintLoggerGraph(view, inputsFor(nullptr));
    EXPECT_FALSE(picture.setShown);
    EXPECT_EQ(picture.frame.plot, (GraphRect{kLeft, kTop, 1000, 400}));
    EXPECT_EQ(picture.legend.size(), 5u);
    EXPECT_TRUE(picture.yLabels.empty());
    EXPECT_TRUE(picture.timeLabels.empty());
    EXPECT_TRUE(picture.readout.empty());
    for (const auto& curve : picture.curves)
        EXPECT_TRUE(curve.empty());
    // Without a set the ticks and the right border stay: no margin is repainted.
    EXPECT_EQ(picture.margins[3].width, 0);
    EXPECT_FALSE(picture.scrollBar.enabled);
    EXPECT_FALSE(picture.cursorLine);
}

TEST(LoggerPaint, AOneReadingSetDrawsNoCurveAndBothTimesShowTheStart) {
    LoggerViewState view;
    const LoggerSet set = uniformSet(1, 25.0f);
    const LoggerPicture picture = paintLoggerGraph(view, inputsFor(&set));
    EXPECT_TRUE(picture.setShown);
    for (const auto& curve : picture.curves)
        EXPECT_TRUE(curve.empty());
    ASSERT_EQ(picture.timeLabels.size(), 2u);
    EXPECT_EQ(picture.timeLabels[0], (LoggerText{"14:05:09", {kLeft, kBottom + 8}}));
    EXPECT_EQ(picture.timeLabels[1], (LoggerText{"14:05:09", {kRight - 55, kBottom + 8}}));
    EXPECT_EQ(picture.yLabels[10].text, "1000.00");
    EXPECT_EQ(picture.margins[3], (GraphRect{kRight, 23, 61, 528}));

    // An empty set has no last reading either; its end is its start too.
    const LoggerSet empty = uniformSet(0, 25.0f);
    EXPECT_EQ(paintLoggerGraph(view, inputsFor(&empty)).timeLabels[1].text, "14:05:09");
}

TEST(LoggerPaint, ReadingsSpreadAcrossThePlotInTheSetsUnit) {
    LoggerViewState view;
    view.yGain = 10; // 0..100 on 400 pixels
    LoggerSet set = uniformSet(3, 20.0f);
    setValue(set, 0, kT1, 0.0f);
    setValue(set, 1, kT1, 100.0f);
    setValue(set, 2, kT1, 50.0f);
    LoggerPicture picture = paintLoggerGraph(view, inputsFor(&set));
    ASSERT_EQ(picture.curves[kT1].size(), 1u);
    EXPECT_EQ(picture.curves[kT1][0], (Polyline{{290, 490}, {790, 90}, {1290, 290}}));
    EXPECT_EQ(picture.timeLabels[1].text, "14:05:13");

    set.unit = 1; // 32, 212 and 122 F against the unchanged grid
    picture = paintLoggerGraph(view, inputsFor(&set));
    EXPECT_EQ(picture.curves[kT1][0], (Polyline{{290, 362}, {790, -358}, {1290, 2}}));
    set.unit = 2; // 273.16 K lies 1092.64 pixels above the bottom
    picture = paintLoggerGraph(view, inputsFor(&set));
    EXPECT_EQ(picture.curves[kT1][0].front(), (GraphPoint{290, -602}));
    EXPECT_EQ(picture.yLabels[10].text, "100.00");
}

TEST(LoggerPaint, TheStepBetweenReadingsIsAFloatAndPointsAreTruncated) {
    // 1000 / 11 rounds down as a float: reading 11 lands just short of x 1290.
    LoggerViewState view;
    const LoggerSet twelve = uniformSet(12, 500.0f);
    Polyline line = paintLoggerGraph(view, inputsFor(&twelve)).curves[kT1].at(0);
    EXPECT_EQ(line.back(), (GraphPoint{1289, 290}));
    // 1000 / 15 rounds down as well: reading 3 lies at 489.99998, drawn in column 489.
    const LoggerSet sixteen = uniformSet(16, 500.0f);
    line = paintLoggerGraph(view, inputsFor(&sixteen)).curves[kT1].at(0);
    EXPECT_EQ(line[3], (GraphPoint{489, 290}));
}

TEST(LoggerPaint, AValueFarBeyondTheYRangeIsCutAtTheGuardFrame) {
    LoggerViewState view;
    view.yGain = 1; // 0..10 degrees: 2950.0 lies 117800 pixels above the bottom
    LoggerSet set = uniformSet(3, 5.0f);
    setValue(set, 1, kIR, 2950.0f);
    const LoggerPicture picture = paintLoggerGraph(view, inputsFor(&set));
    const auto& pieces = picture.curves[kIR];
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], (Polyline{{290, 290}, {360, kTop - kCurveGuard}}));
    EXPECT_EQ(pieces[1], (Polyline{{1219, kTop - kCurveGuard}, {1290, 290}}));
    // The margins then cover everything the curve drew outside the plot.
    EXPECT_EQ(picture.margins[0], (GraphRect{0, 23, kClientWidth, kTop - 23}));

    // Values no float arithmetic can place break the curve and draw nothing there.
    setValue(set, 1, kIR, std::numeric_limits<float>::infinity());
    setValue(set, 2, kT2, std::numeric_limits<float>::quiet_NaN());
    const LoggerPicture broken = paintLoggerGraph(view, inputsFor(&set));
    EXPECT_TRUE(broken.curves[kIR].empty());
    ASSERT_EQ(broken.curves[kT2].size(), 1u);
    EXPECT_EQ(broken.curves[kT2][0], (Polyline{{290, 290}, {790, 290}}));
}

TEST(LoggerPaint, OnlyIRVisibleDrawsOneCurveOneLegendEntryAndOneReadoutSlot) {
    LoggerViewState view;
    view.channelVisible = {0, 0, 1, 0, 0};
    const LoggerSet set = uniformSet(50, 25.0f);
    const LoggerPicture picture = paintLoggerGraph(view, inputsFor(&set));
    for (int c = 0; c < kChannelCount; ++c)
        EXPECT_EQ(picture.curves[c].size(), c == kIR ? 1u : 0u) << c;
    ASSERT_EQ(picture.legend.size(), 1u);
    EXPECT_EQ(picture.legend[0].name.text, "IR");
    ASSERT_EQ(picture.readout.size(), 1u);
    EXPECT_EQ(picture.readout[0].channel, kIR);
    EXPECT_EQ(picture.readout[0].value.text, ""); // the mouse has not moved yet
}

// 101 readings 10 pixels apart at 75.0 C on a 0..100 axis, T1 rising to 90.0 at
// reading 30, zoomed once into x 540..1040 and y 90..290: twice as wide and high,
// readings 25 to 75 across the plot, 50 to 100 degrees from bottom to top.
class LoggerZoomedPaint : public ::testing::Test {
protected:
    LoggerZoomedPaint() : set(uniformSet(101, 75.0f)) {
        setValue(set, 30, kT1, 90.0f);
        view.yGain = 10;
        EXPECT_TRUE(drag(view, {540, 90}, {1040, 290}, inputsFor(&set)).zoomed);
    }

    LoggerPicture paint() { return paintLoggerGraph(view, inputsFor(&set)); }

    LoggerSet set;
    LoggerViewState view;
};

TEST_F(LoggerZoomedPaint, TheFirstPaintFindsTheReadingAtTheLeftEdgeAndPlacesTheThumb) {
    EXPECT_EQ(view.zoomDepth, 1);
    EXPECT_EQ(view.overviewMode, 0);
    LoggerPicture picture = paint();
    EXPECT_EQ(view.firstVisibleReading, 25);
    EXPECT_TRUE(picture.scrollBar.enabled);
    EXPECT_EQ(picture.scrollBar.maximum, 101);
    EXPECT_EQ(picture.scrollBar.position, 26); // thumb p shows reading p - 1 at the edge
    EXPECT_EQ(scrollThumbPosition(view), 26);

    picture = paint();
    EXPECT_FALSE(picture.scrollBar.position); // placed once per zoom
    EXPECT_TRUE(picture.scrollBar.enabled);
    EXPECT_EQ(picture.frame.gridLines.size(), 11u); // no overview columns
}

TEST_F(LoggerZoomedPaint, TheTimeGridFollowsReadingsAndLabelsOnlyThoseInThePlot) {
    const LoggerPicture picture = paint();
    // 20 pixels per reading, 50 intervals across: a line every 1000 / 4 / 20 = 12 readings.
    ASSERT_EQ(picture.timeGrid.size(), 10u);
    EXPECT_EQ(picture.timeGrid[0], (LoggerLine{{290, kBottom}, {290, kTop}}));
    EXPECT_EQ(picture.timeGrid[1].from.x, 530);
    EXPECT_EQ(picture.timeGrid[9].from.x, 2450);
    const std::vector<LoggerText> expected{{"14:05:59", {290, kBottom + 1}},
                                           {"14:06:23", {530, kBottom + 1}},
                                           {"14:06:47", {770, kBottom + 1}},
                                           {"14:07:11", {1010, kBottom + 1}},
                                           {"14:07:35", {1250, kBottom + 1}}};
    EXPECT_EQ(picture.timeLabels, expected);
    EXPECT_EQ(picture.yLabels[0].text, "50.00");
    EXPECT_EQ(picture.yLabels[5].text, "75.00");
    EXPECT_EQ(picture.yLabels[10].text, "100.00");

    // Readings 24 to 76: those across the plot and one beyond it on either side.
    const Polyline& t1 = picture.curves[kT1].at(0);
    ASSERT_EQ(t1.size(), 53u);
    EXPECT_EQ(t1.front(), (GraphPoint{270, 290}));
    EXPECT_EQ(t1[1], (GraphPoint{290, 290}));
    EXPECT_EQ(t1[6], (GraphPoint{390, 170}));
    EXPECT_EQ(t1.back(), (GraphPoint{1310, 290}));
}

TEST_F(LoggerZoomedPaint, PanningMovesTheCurvesByWholeReadingsAndTheTimeLabelsWithThem) {
    paint();
    trackScrollThumb(view, 21); // reading 20 at the left edge
    EXPECT_EQ(view.scrollShift, 5);
    EXPECT_EQ(scrollThumbPosition(view), 21);
    LoggerPicture picture = paint();
    const Polyline* t1 = &picture.curves[kT1].at(0);
    EXPECT_EQ(t1->size(), 53u); // readings 19..71, drawn at the positions of 24..76
    EXPECT_EQ((*t1)[11], (GraphPoint{490, 170}));
    EXPECT_EQ(picture.timeGrid[0].from.x, 290); // the grid stays, its times move
    EXPECT_EQ(picture.timeLabels[0], (LoggerText{"14:05:49", {290, kBottom + 1}}));
    EXPECT_EQ(picture.timeLabels[1].text, "14:06:13");

    trackScrollThumb(view, 31); // the other way: reading 30 at the left edge
    EXPECT_EQ(view.scrollShift, -5);
    picture = paint();
    t1 = &picture.curves[kT1].at(0);
    EXPECT_EQ(t1->size(), 53u); // readings 29..81
    EXPECT_EQ((*t1)[1], (GraphPoint{290, 170}));
    EXPECT_EQ(picture.timeLabels[0].text, "14:06:09");

    // Far the other way the last reading ends the curve inside the plot: there is none
    // for the positions beyond it.
    trackScrollThumb(view, 66);
    EXPECT_EQ(view.scrollShift, -40);
    picture = paint();
    EXPECT_EQ(picture.curves[kT1].at(0).back(), (GraphPoint{990, 290}));
    trackScrollThumb(view, 31);

    // Zooming again keeps the shift; returning to the overview drops it.
    EXPECT_TRUE(drag(view, {300, 100}, {1200, 400}, inputsFor(&set)).zoomed);
    EXPECT_EQ(view.zoomDepth, 2);
    EXPECT_EQ(view.scrollShift, -5);
    returnToOverview(view);
    picture = paint();
    EXPECT_EQ(view.scrollShift, 0);
    EXPECT_FALSE(picture.scrollBar.enabled);
    EXPECT_EQ(picture.curves[kT1].at(0).size(), 101u);
}

TEST(LoggerPaint, FewReadingsAcrossTheZoomedPlotGetALineAtEachReadingOnly) {
    // Zoom mode at level 0 (an upward drag): readings 1000 pixels apart fit once.
    LoggerViewState view;
    const LoggerSet two = uniformSet(2, 25.0f);
    EXPECT_TRUE(drag(view, {700, 400}, {800, 200}, inputsFor(&two)).zoomed);
    EXPECT_EQ(view.zoomDepth, 0);
    LoggerPicture picture = paintLoggerGraph(view, inputsFor(&two));
    ASSERT_EQ(picture.timeGrid.size(), 2u);
    EXPECT_EQ(picture.timeGrid[1].from.x, 1290);
    ASSERT_EQ(picture.timeLabels.size(), 2u);
    EXPECT_EQ(picture.timeLabels[1], (LoggerText{"14:05:11", {1290, kBottom + 1}}));

    // 500 pixels apart: two intervals, a line every reading, all ten drawn.
    const LoggerSet three = uniformSet(3, 25.0f);
    view.scrollInitialised = 0;
    picture = paintLoggerGraph(view, inputsFor(&three));
    ASSERT_EQ(picture.timeGrid.size(), 10u);
    EXPECT_EQ(picture.timeGrid[9].from.x, 290 + 9 * 500);
    EXPECT_EQ(picture.timeLabels.size(), 3u);

    // A single reading has no spacing: one line and one label at it.
    const LoggerSet one = uniformSet(1, 25.0f);
    view.scrollInitialised = 0;
    picture = paintLoggerGraph(view, inputsFor(&one));
    EXPECT_EQ(view.firstVisibleReading, 0);
    ASSERT_EQ(picture.timeGrid.size(), 1u);
    EXPECT_EQ(picture.timeGrid[0].from.x, 290);
    ASSERT_EQ(picture.timeLabels.size(), 1u);
    EXPECT_EQ(picture.timeLabels[0].text, "14:05:09");
}

} // namespace
} // namespace calorant
