// The real-time graph's fixed layout and axes as exact numbers: the plot rectangle and
// the grey areas around it, value labels with their ticks and alignment, the time axis
// with its compression as a recording grows, and the grid positions of every case.
#include "graph/GraphAxes.h"

#include "graph/GraphGeometry.h"

#include <gtest/gtest.h>

namespace calorant {
namespace {

TEST(GraphGeometry, ThePlotAndItsLabelAreasFollowTheClientSize) {
    // Control bar 94 and statistics bar 148 pixels high: a 990 x 484 plot.
    const PlotGeometry g = plotGeometry(1342, 800, 94, 148);
    EXPECT_EQ((GraphRect{g.left, g.top, g.width(), g.height()}), (GraphRect{302, 116, 990, 484}));
    EXPECT_EQ(g.valueStrip, (GraphRect{226, 92, 76, 538}));
    EXPECT_EQ(g.rightMarginStrip, (GraphRect{1292, 92, 60, 508}));
    EXPECT_EQ(g.timeBand, (GraphRect{302, 631 - kToolbarBand, 1098, 29}));
    EXPECT_EQ(g.legendBox, (GraphRect{290, 126 - kToolbarBand, 1062, 23}));

    const PlotGeometry narrow = plotGeometry(270, 300, 94, 148); // right edge at 220
    EXPECT_EQ(narrow.rightMarginStrip.width, 0);
    EXPECT_EQ(narrow.legendBox.width, 0);
    EXPECT_FALSE(narrow.isDrawable());
    EXPECT_EQ(plotGeometry(274, 300, 94, 148).rightMarginStrip.width, 60);
}

TEST(GraphGeometry, MousePositionsAreClampedIntoTheMouseArea) {
    const MouseArea area = mouseArea(1342, 800);
    EXPECT_EQ(area.clamp({2000, 50}), (GraphPoint{1292, 118}));
    EXPECT_EQ(area.clamp({100, 700}), (GraphPoint{294, 600}));
    EXPECT_TRUE(mouseArea(300, 300).isEmpty());
    EXPECT_TRUE(insideDragTolerance({245, 116}, 1342, 800));
    EXPECT_FALSE(insideDragTolerance({244, 300}, 1342, 800));
    EXPECT_FALSE(insideDragTolerance({500, 620}, 1342, 800));
}

TEST(ValueAxis, GainAndOffsetGiveTheLabelsTheirPlacesAndTheValuePositions) {
    const ValueLabels labels = baseValueLabels(5, -2);
    EXPECT_EQ(plotY(15.0, labels, 484), 242.0);
    EXPECT_EQ(plotY(-10.0, labels, 484), 484.0);
    // 32 F on an F-labelled axis from 50 to 150 lies below the bottom edge.
    EXPECT_GT(plotY(32.0, baseValueLabels(10, 5), 484), 484.0);

    const auto layout = layoutValueLabels(labels, 484);
    EXPECT_EQ(layout[0].text, "-10.00");
    EXPECT_EQ(layout[4].text, "10.00");
    EXPECT_EQ(layout[10].text, "40.00");
    EXPECT_EQ(layout[0].tickY, 507); // the plot's bottom row in strip coordinates
    EXPECT_EQ(layout[10].tickY, 24); // the plot's top row
    EXPECT_EQ(layout[0].textTop, 500);
    EXPECT_EQ(layout[10].textTop, 18);
    EXPECT_EQ(layout[0].textLeft, 17);
    EXPECT_EQ(layout[2].textLeft, 32); // 0.00
    EXPECT_EQ(layout[10].textLeft, 24);
}

TEST(ValueAxis, WidthClassesRightAlignLabelsByTheirDigits) {
    const double values[] = {0, 9.99, 10, 999, 1000, -0.5, -10, -100, -999.9, -1000};
    const int classes[] = {4, 4, 3, 2, 1, 3, 2, 1, 1, 0};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(valueLabelWidthClass(values[i]), classes[i]) << values[i];
}

TEST(TimeAxis, ARecordingThatOutgrowsTheWidthCompressesItToElevenTwelfths) {
    EXPECT_EQ(sampleStep(990, 100), 10.0f);
    const TimeAxisGrowth growth = compressTimeAxis(100, 990);
    EXPECT_EQ(growth.xStep, 9.075f);
    EXPECT_EQ(growth.samplesPerWidth, 110);
    EXPECT_EQ(settleSamplesPerWidth(100, 100, 990), 100);
    EXPECT_EQ(settleSamplesPerWidth(100, 101, 990), 110);
    EXPECT_EQ(settleSamplesPerWidth(100, 125, 990), 133); // 110, 121, 133
    const int settled = settleSamplesPerWidth(100, 10000, 990);
    EXPECT_GE(settled, 10000);
    EXPECT_LE(settled, 10000 * 12 / 11 + 1);

    const float step = sampleStep(990, 110);
    EXPECT_NEAR(step, 9.083, 0.001);
    EXPECT_EQ(samplesPerDivision(990, step), 9);
}

TEST(TimeAxis, GridLinesSpreadEvenlyOrSitOnSamplePositions) {
    const std::vector<int> empty = emptyGridX(990);
    ASSERT_EQ(empty.size(), 13u);
    EXPECT_EQ(empty[1], 82);
    EXPECT_EQ(empty[2], 165);

    const std::vector<int> first = sampleGridX(990, 10.0f); // 8 samples per division
    ASSERT_EQ(first.size(), 14u);
    EXPECT_EQ(first[1], 80);
    EXPECT_EQ(first[13], 1040); // beyond the right edge, clipped by the painter
    const std::vector<int> grown = sampleGridX(990, sampleStep(990, 110)); // every 9 samples
    EXPECT_EQ(grown[1], 81);
    EXPECT_EQ(grown[2], 163);

    EXPECT_EQ(horizontalGridY(484),
              (std::vector<int>{48, 96, 145, 193, 242, 290, 338, 387, 435, 484}));
}

} // namespace
} // namespace calorant
