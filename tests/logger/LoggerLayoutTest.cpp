// The fixed layout of the logger graph window as exact numbers: the plot from the list
// width and the client size, the grid with its overview columns, the red border and
// ticks, the cleared band, the margins repainted after the curves, the Y labels with
// their width classes, the overview time labels, the legend and the readout line.
#include "LoggerGraphTestSupport.h"
#include "logger/LoggerPlotLayout.h"

#include <gtest/gtest.h>

namespace calorant {
namespace {

using namespace test;

const LoggerPlotRect kPlot = loggerPlotRect(kListWidth, kClientWidth, kClientHeight);

TEST(LoggerLayout, ThePlotFollowsTheListWidthAndTheClientSize) {
    EXPECT_EQ(kPlot.left, 290.0f);
    EXPECT_EQ(kPlot.top, 90.0f);
    EXPECT_EQ(kPlot.right, 1290.0f);
    EXPECT_EQ(kPlot.bottom, 490.0f);
    EXPECT_TRUE(kPlot.isDrawable());
    EXPECT_FALSE(loggerPlotRect(210, 351, 551).isDrawable()); // right edge on the left one
    EXPECT_FALSE(loggerPlotRect(210, 1351, 151).isDrawable());

    EXPECT_EQ(kPlot.clamp({100, 20}), (GraphPoint{290, 90}));
    EXPECT_EQ(kPlot.clamp({2000, 900}), (GraphPoint{1290, 490}));
    EXPECT_EQ(kPlot.clamp({700, 300}), (GraphPoint{700, 300}));
}

TEST(LoggerLayout, TheFrameHasElevenRowsFifteenOverviewColumnsAndAnOpenTopBorder) {
    const LoggerFrame frame = loggerFrame(kPlot, kClientWidth, kClientHeight, true);
    EXPECT_EQ(frame.client, (GraphRect{0, 0, 1351, 551}));
    EXPECT_EQ(frame.plot, (GraphRect{290, 90, 1000, 400}));
    ASSERT_EQ(frame.gridLines.size(), 26u);
    EXPECT_EQ(frame.gridLines[0], (LoggerLine{{290, 490}, {1290, 490}}));
    EXPECT_EQ(frame.gridLines[3], (LoggerLine{{290, 370}, {1290, 370}}));
    EXPECT_EQ(frame.gridLines[10], (LoggerLine{{290, 90}, {1290, 90}}));
    // Columns every 1000 / 15 pixels, truncated, the last one on the right edge.
    EXPECT_EQ(frame.gridLines[11], (LoggerLine{{356, 90}, {356, 490}}));
    EXPECT_EQ(frame.gridLines[12].from.x, 423);
    EXPECT_EQ(frame.gridLines[25].from.x, 1290);

    ASSERT_EQ(frame.borderLines.size(), 14u);
    EXPECT_EQ(frame.borderLines[0], (LoggerLine{{290, 490}, {1290, 490}}));
    EXPECT_EQ(frame.borderLines[1], (LoggerLine{{290, 90}, {290, 490}}));
    EXPECT_EQ(frame.borderLines[2], (LoggerLine{{1290, 90}, {1290, 490}}));
    EXPECT_EQ(frame.borderLines[3], (LoggerLine{{287, 490}, {290, 490}}));
    EXPECT_EQ(frame.borderLines[13], (LoggerLine{{287, 90}, {290, 90}}));
    EXPECT_EQ(frame.band, (GraphRect{278, 491, 1290, 100}));

    EXPECT_EQ(loggerFrame(kPlot, kClientWidth, kClientHeight, false).gridLines.size(), 11u);
}

TEST(LoggerLayout, TheMarginsCoverAllButThePlotBelowTheToolbar) {
    const auto margins = marginRects(kPlot, kClientWidth, kClientHeight);
    EXPECT_EQ(margins[0], (GraphRect{0, 23, 1351, 67}));   // above, up to top - 1
    EXPECT_EQ(margins[1], (GraphRect{0, 491, 1351, 60}));  // below, from bottom + 1
    EXPECT_EQ(margins[2], (GraphRect{0, 23, 290, 528}));   // left, up to left - 1
    EXPECT_EQ(margins[3], (GraphRect{1290, 23, 61, 528})); // right, from right

    // A client too small for its plot gets empty margins, never negative ones.
    const LoggerPlotRect tiny = loggerPlotRect(210, 100, 60);
    for (const GraphRect& r : marginRects(tiny, 100, 60)) {
        EXPECT_GE(r.width, 0);
        EXPECT_GE(r.height, 0);
    }
}

TEST(LoggerLayout, GainTwoHundredOffsetMinusFiveLabelsMinusToPlusAThousand) {
    const std::vector<LoggerText> labels = yLabels(kPlot, baseValueLabels(200, -5));
    ASSERT_EQ(labels.size(), 11u);
    const std::vector<LoggerText> expected{
        {"-1000.00", {220, 490}}, {"-800.00", {227, 450}}, {"-600.00", {227, 410}},
        {"-400.00", {227, 370}},  {"-200.00", {227, 330}}, {"0.00", {250, 290}},
        {"200.00", {235, 250}},   {"400.00", {235, 210}},  {"600.00", {235, 170}},
        {"800.00", {235, 130}},   {"1000.00", {227, 90}}};
    EXPECT_EQ(labels, expected);

    // Fractional labels of a zoom level: between -10 and 0 the widest class but one.
    const LoggerYGrid grid{-9.5, -5.125, 0.004, 9.999, 10, 99.99, 100, 999, -10, -99.5, -100};
    const std::vector<LoggerText> zoomed = yLabels(kPlot, grid);
    EXPECT_EQ(zoomed[0].text, "-9.50");
    EXPECT_EQ(zoomed[0].topLeft.x, 242);
    EXPECT_EQ(zoomed[2].text, "0.00");
    EXPECT_EQ(zoomed[2].topLeft.x, 250);
    EXPECT_EQ(zoomed[3].text, "10.00"); // 9.999 prints as 10.00 but keeps its class
    EXPECT_EQ(zoomed[3].topLeft.x, 250);
    EXPECT_EQ(zoomed[4].topLeft.x, 242);
    EXPECT_EQ(zoomed[6].topLeft.x, 235);
    EXPECT_EQ(zoomed[8].topLeft.x, 235);  // -10
    EXPECT_EQ(zoomed[10].topLeft.x, 227); // -100
}

TEST(LoggerLayout, TheOverviewTimesSitBelowThePlotAtItsEnds) {
    const std::time_t start = makeLocalTime(2026, 12, 7, 23, 59, 58);
    const auto labels = overviewTimeLabels(kPlot, start, start + 4);
    EXPECT_EQ(labels[0], (LoggerText{"23:59:58", {290, 498}}));
    EXPECT_EQ(labels[1], (LoggerText{"00:00:02", {1235, 498}}));
}

TEST(LoggerLayout, LegendAndReadoutPlaceEachVisibleChannelInItsOwnColumn) {
    const std::vector<LoggerLegendEntry> all = legendEntries(kPlot, {1, 1, 1, 1, 1});
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[0].name, (LoggerText{"T1", {330, 40}}));
    EXPECT_EQ(all[0].line, (LoggerLine{{310, 60}, {370, 60}}));
    EXPECT_EQ(all[4].name, (LoggerText{"T4", {810, 40}}));

    const std::vector<LoggerLegendEntry> ir = legendEntries(kPlot, {0, 0, 1, 0, 0});
    ASSERT_EQ(ir.size(), 1u);
    EXPECT_EQ(ir[0].channel, kIR);
    EXPECT_EQ(ir[0].name, (LoggerText{"IR", {570, 40}}));
    EXPECT_EQ(ir[0].line, (LoggerLine{{550, 60}, {610, 60}}));

    const std::array<std::string, kChannelCount> values{"1.0C", "2.0C", "3.0C", "4.0C", "5.0C"};
    const auto slots = readoutSlots(kPlot, {0, 0, 1, 0, 1}, values, "14:05:09");
    ASSERT_EQ(slots.size(), 2u);
    EXPECT_EQ(slots[0].channel, kIR);
    EXPECT_EQ(slots[0].valueBox, (GraphRect{530, 70, 50, 20}));
    EXPECT_EQ(slots[0].value, (LoggerText{"3.0C", {530, 70}}));
    EXPECT_EQ(slots[0].at, (LoggerText{"@", {580, 70}}));
    EXPECT_EQ(slots[0].time, (LoggerText{"14:05:09", {592, 70}}));
    EXPECT_EQ(slots[1].value, (LoggerText{"5.0C", {770, 70}}));
}

} // namespace
} // namespace calorant
