// One paint of the real-time graph and the mouse work on it, driven like the view drives
// them: the empty and one-sample pictures, curves in every unit, the time axis growing
// with the recording, the legend, nested zooms with their limits and resets, the drag
// watch, the first visible sample after a zoom, and the cursor readout.
#include "graph/RealTimeGraph.h"

#include "core/CalendarTime.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace calorant {
namespace {

// Plot 990 x 484 at (302, 116); mouse area x 294..1292, y 118..600.
constexpr int kLeft = 302;
constexpr int kTop = 116;
constexpr int kW = 990;
constexpr int kH = 484;

class RealTimeGraphTest : public ::testing::Test {
protected:
    RealTimeGraphTest() {
        for (auto& channel : store)
            channel.assign(10010, 20.0f);
        for (int c = 0; c < kChannelCount; ++c)
            inputs.samples[c] = store[c];
        inputs.clientWidth = 1342;
        inputs.clientHeight = 800;
        inputs.controlBarHeight = 94;
        inputs.statsBarHeight = 148;
        inputs.runStartTime = makeLocalTime(2024, 3, 5, 14, 0, 0);
        inputs.sampleRateMs = 2000;
    }

    // Records `count` samples the way the view sees them: a paint per sample.
    GraphPicture recordUpTo(int count) {
        GraphPicture picture;
        for (int n = 1; n <= count; ++n) {
            inputs.sampleCount = n;
            picture = graph.paint(inputs);
        }
        return picture;
    }

    // A left-button drag from `from` to `to` in view coordinates.
    bool drag(GraphPoint from, GraphPoint to) {
        graph.buttonDown(from, inputs);
        graph.mouseMove(to, inputs);
        return graph.buttonUp(to, inputs);
    }

    std::array<std::vector<float>, kChannelCount> store;
    GraphInputs inputs;
    RealTimeGraph graph;
};

TEST_F(RealTimeGraphTest, AnEmptyStoreShowsAnEvenGridAndNoTimeOrCurves) {
    const GraphPicture picture = graph.paint(inputs);
    EXPECT_TRUE(picture.emptyReadout);
    EXPECT_EQ(picture.gridX, emptyGridX(kW));
    EXPECT_EQ(picture.gridY.size(), 10u);
    EXPECT_EQ(picture.valueLabels[10].text, "100.00");
    EXPECT_TRUE(picture.timeLabels.empty());
    for (const auto& curve : picture.curves)
        EXPECT_TRUE(curve.empty());
    EXPECT_FALSE(graph.mouseMove({500, 300}, inputs));
}

TEST_F(RealTimeGraphTest, TheFirstSampleShowsTheStartTimeButNoCurve) {
    const GraphPicture picture = recordUpTo(1);
    EXPECT_FALSE(picture.emptyReadout);
    EXPECT_TRUE(picture.scrollReset);
    EXPECT_EQ(graph.samplesPerWidth(), 100);
    EXPECT_EQ(graph.xStep(), 10.0f);
    for (const auto& curve : picture.curves)
        EXPECT_TRUE(curve.empty());
    ASSERT_EQ(picture.timeLabels.size(), 5u);
    EXPECT_EQ(picture.timeLabels[0].text, "14:00:00");
    EXPECT_EQ(picture.timeLabels[0].left, kLeft + 2);
    EXPECT_EQ(picture.timeLabels[0].top, 600 + 40 - kToolbarBand);
    // 8 samples per division at 2 s: line 3 is 48 s after the start, 240 pixels in.
    EXPECT_EQ(picture.timeLabels[1].text, "14:00:48");
    EXPECT_EQ(picture.timeLabels[1].left, kLeft + 240);
    EXPECT_EQ(picture.timeLabels[4].text, "14:03:12");
}

TEST_F(RealTimeGraphTest, CurvesJoinSamplesInTheDisplayUnitAgainstTheUnchangedAxis) {
    store[kT1][0] = 0.0f;
    store[kT1][1] = 100.0f;
    store[kT1][2] = 50.0f;
    GraphPicture picture = recordUpTo(3);
    ASSERT_EQ(picture.curves[kT1].size(), 1u);
    EXPECT_EQ(picture.curves[kT1][0], (Polyline{{0, 484}, {10, 0}, {20, 242}}));

    inputs.unit = TemperatureUnit::Fahrenheit; // 32, 212 and 122 F on the 0..100 axis
    picture = graph.paint(inputs);
    EXPECT_EQ(picture.curves[kT1][0], (Polyline{{0, 329}, {10, -542}, {20, -106}}));
    EXPECT_EQ(picture.valueLabels[10].text, "100.00");

    inputs.unit = TemperatureUnit::Celsius;
    inputs.yGain = 5;
    inputs.yOffset = -2;
    store[kT1][2] = 15.0f;
    picture = graph.paint(inputs);
    EXPECT_EQ(picture.curves[kT1][0].back(), (GraphPoint{20, kH / 2}));
    EXPECT_EQ(picture.valueLabels[0].text, "-10.00");
}

TEST_F(RealTimeGraphTest, ANoValueSpikeLeavesTheTopAndComesBackAsTwoClippedPieces) {
    inputs.yGain = 1; // a 10-degree axis puts 2950.0 far above the plot
    store[kIR][2] = 2950.0f;
    const GraphPicture picture = recordUpTo(5);
    const auto& pieces = picture.curves[kIR];
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].front(), (GraphPoint{0, -484})); // 20.0 is off this axis too
    EXPECT_EQ(pieces[0].back().y, -kCurveGuard);
    EXPECT_EQ(pieces[1].front().y, -kCurveGuard);
    EXPECT_EQ(pieces[1].back(), (GraphPoint{40, -484}));
}

TEST_F(RealTimeGraphTest, OnlyVisibleChannelsGetACurveAndALegendEntry) {
    inputs.channelVisible = {false, false, false, true, false};
    const GraphPicture picture = recordUpTo(3);
    for (int c = 0; c < kChannelCount; ++c)
        EXPECT_EQ(picture.curves[c].empty(), c != kT3) << c;
    ASSERT_EQ(picture.legend.size(), 1u);
    const LegendEntry& entry = picture.legend[0];
    EXPECT_EQ(entry.name, "T3");
    EXPECT_EQ(entry.textTopLeft, (GraphPoint{kLeft + 365, kTop + 10 - kToolbarBand}));
    EXPECT_EQ(entry.lineFrom, (GraphPoint{kLeft + 350, kTop + 28 - kToolbarBand}));
    EXPECT_EQ(entry.lineTo, (GraphPoint{kLeft + 400, kTop + 28 - kToolbarBand}));
}

TEST_F(RealTimeGraphTest, TheTimeAxisGrowsWhenTheRecordingPassesTheWidth) {
    GraphPicture picture = recordUpTo(100);
    EXPECT_EQ(graph.samplesPerWidth(), 100);
    EXPECT_EQ(picture.curves[kT1][0].back().x, 990); // sample 99 at the right edge

    picture = recordUpTo(101);
    EXPECT_EQ(graph.samplesPerWidth(), 110);
    EXPECT_NEAR(graph.xStep(), 9.083, 0.001);
    EXPECT_EQ(picture.curves[kT1][0].back().x, 908); // sample 100 at about 11/12 W
    EXPECT_EQ(picture.gridX[1], 81);                 // a line every 9 samples
    EXPECT_EQ(picture.timeLabels[1].text, "14:00:54");

    // A later recording starts over at 100 positions.
    picture = recordUpTo(1);
    EXPECT_EQ(graph.samplesPerWidth(), 100);
}

TEST_F(RealTimeGraphTest, ClicksAndAbandonedDragsDoNotZoom) {
    recordUpTo(10);
    graph.buttonDown({500, 300}, inputs);
    EXPECT_TRUE(graph.dragging());
    graph.mouseMove({500, 300}, inputs);
    EXPECT_FALSE(graph.buttonUp({500, 300}, inputs));
    EXPECT_FALSE(graph.zoomed());
    EXPECT_FALSE(graph.beingZoomed()); // sampling ticks repaint again

    graph.buttonDown({600, 300}, inputs);
    graph.mouseMove({400, 350}, inputs);
    EXPECT_FALSE(graph.dragWatch({300, 350}, 1342, 800));
    EXPECT_TRUE(graph.dragWatch({244, 350}, 1342, 800)); // left of the tolerance frame
    EXPECT_FALSE(graph.dragging());
    EXPECT_FALSE(graph.beingZoomed());
    EXPECT_FALSE(graph.buttonUp({244, 350}, inputs));
    EXPECT_FALSE(graph.zoomed());
}

TEST_F(RealTimeGraphTest, TheSelectedRectangleFillsThePlotAtTheNextLevel) {
    store[kT1][40] = 25.0f;
    recordUpTo(50);
    // Left half of the time axis, lower half of the values.
    graph.buttonDown({kLeft, kTop + kH / 2}, inputs);
    const auto moved = graph.mouseMove({kLeft + kW / 2, kTop + kH}, inputs);
    ASSERT_TRUE(moved && moved->rubberBand);
    EXPECT_EQ(*moved->rubberBand, (GraphRect{kLeft, kTop + kH / 2, kW / 2, kH / 2}));
    EXPECT_TRUE(graph.beingZoomed());
    EXPECT_TRUE(graph.buttonUp({kLeft + kW / 2, kTop + kH}, inputs));
    EXPECT_TRUE(graph.zoomed());
    EXPECT_FALSE(graph.beingZoomed());
    EXPECT_EQ(graph.zoomLevel(), 1);

    const GraphPicture picture = graph.paint(inputs);
    EXPECT_EQ(picture.valueLabels[0].text, "0.00");
    EXPECT_EQ(picture.valueLabels[10].text, "50.00");
    const Polyline& t1 = picture.curves[kT1][0];
    EXPECT_EQ(t1[40], (GraphPoint{800, kH / 2})); // twice as far apart, 25.0 at mid height
    EXPECT_EQ(t1[1], (GraphPoint{20, 290}));      // 20.0 at level 0: y 387

    graph.undoZoom();
    EXPECT_FALSE(graph.zoomed());
    EXPECT_EQ(graph.paint(inputs).curves[kT1][0][40], (GraphPoint{400, 363}));
}

TEST_F(RealTimeGraphTest, DraggingBeyondTheMouseAreaClampsTheSelection) {
    recordUpTo(50);
    graph.buttonDown({kLeft + kW / 2, kTop}, inputs);
    const auto moved = graph.mouseMove({5000, 5000}, inputs);
    ASSERT_TRUE(moved && moved->rubberBand);
    EXPECT_EQ(moved->rubberBand->right(), 1342 - 50);
    EXPECT_EQ(moved->rubberBand->bottom(), 800 - 200);
    EXPECT_EQ(moved->hoverX, 1292);
    EXPECT_TRUE(graph.buttonUp({5000, 5000}, inputs));
    const GraphPicture picture = graph.paint(inputs);
    // The selection's top was clamped to the mouse area, 2 pixels below the plot's top.
    EXPECT_EQ(picture.valueLabels[10].text, "99.59");
    EXPECT_EQ(picture.valueLabels[0].text, "0.00");
    EXPECT_EQ(picture.curves[kT1][0][0].x, -990); // right half: x doubled, shifted by W
}

TEST_F(RealTimeGraphTest, SelectionsThatCannotDeepenStillCountAsZoomed) {
    recordUpTo(50);
    // 4 pixels of a 100-degree axis: a label step of 0.08 is too fine.
    EXPECT_TRUE(drag({400, 300}, {800, 304}));
    EXPECT_TRUE(graph.zoomed());
    EXPECT_EQ(graph.zoomLevel(), 0);
    // 5 pixels give 0.103, which is enough.
    EXPECT_TRUE(drag({400, 300}, {800, 305}));
    EXPECT_EQ(graph.zoomLevel(), 1);
    // A purely vertical drag has no width to stretch.
    EXPECT_TRUE(drag({600, 200}, {600, 500}));
    EXPECT_EQ(graph.zoomLevel(), 1);

    // Each 10-pixel-wide selection spreads the samples 99 times further apart: from 10
    // to 990 pixels, still below the 998-pixel mouse area, then to 98010, beyond it.
    graph.undoZoom();
    for (int expectedLevel : {1, 2, 2}) {
        EXPECT_TRUE(drag({kLeft, kTop}, {kLeft + 10, kTop + kH}));
        EXPECT_EQ(graph.zoomLevel(), expectedLevel);
    }
}

TEST_F(RealTimeGraphTest, NinetyNineNestedZoomsAreTheDeepest) {
    inputs.yGain = 200; // room for 99 label steps above 0.1
    recordUpTo(50);
    for (int level = 1; level <= RealTimeGraph::kMaxZoomLevel; ++level) {
        ASSERT_TRUE(drag({kLeft, kTop}, {kLeft + kW - 5, kTop + kH - 5}));
        ASSERT_EQ(graph.zoomLevel(), level);
        graph.paint(inputs);
    }
    EXPECT_TRUE(drag({kLeft, kTop}, {kLeft + kW - 5, kTop + kH - 5}));
    EXPECT_EQ(graph.zoomLevel(), RealTimeGraph::kMaxZoomLevel);
    const GraphPicture picture = graph.paint(inputs);
    EXPECT_FALSE(picture.curves[kT1].empty());
}

TEST_F(RealTimeGraphTest, TheFirstPaintAfterAZoomPlacesTheScrollBarAtTheFirstVisibleSample) {
    recordUpTo(100);
    EXPECT_TRUE(drag({kLeft + kW / 2, kTop}, {kLeft + kW, kTop + kH}));
    GraphPicture picture = graph.paint(inputs);
    ASSERT_TRUE(picture.scrollBarPosition);
    EXPECT_EQ(*picture.scrollBarPosition, 49); // sample 49.5 sits at the left edge
    // 20 pixels per sample: V = 49, a grid line every (990 / 4) / 20 = 12 samples.
    EXPECT_EQ(picture.gridX[0], -10);
    EXPECT_EQ(picture.gridX[1], 230);
    // The label of the line left of the plot is not shown.
    ASSERT_FALSE(picture.timeLabels.empty());
    EXPECT_EQ(picture.timeLabels[0].left, kLeft + 230);
    EXPECT_EQ(picture.timeLabels[0].text, "14:02:02"); // sample 61 at 2 s

    EXPECT_FALSE(graph.paint(inputs).scrollBarPosition);

    // Scrolled back by 5 samples: curves and labels follow.
    inputs.scrollOffset = 5;
    picture = graph.paint(inputs);
    EXPECT_EQ(picture.curves[kT1][0][0].x, -990 + 100);
    EXPECT_EQ(picture.timeLabels[0].text, "14:01:52");

    // The first sample of a new recording ends the zoom.
    picture = recordUpTo(1);
    EXPECT_FALSE(graph.zoomed());
    EXPECT_EQ(graph.zoomLevel(), 0);
    EXPECT_TRUE(picture.scrollReset);
}

// Lines of the zoomed grid inside the plot, and its time labels, each of which must
// name the time the cursor readout gives at its place where a sample lies there.
void expectGridAndLabelsOnThePlot(RealTimeGraph& graph, const GraphInputs& inputs,
                                  const GraphPicture& picture) {
    const int inside = static_cast<int>(std::count_if(picture.gridX.begin(), picture.gridX.end(),
                                                      [](int x) { return x >= 0 && x < kW; }));
    EXPECT_GE(inside, 3) << "grid lines inside the plot";
    EXPECT_GE(picture.timeLabels.size(), 3u);
    for (const TimeLabel& label : picture.timeLabels) {
        EXPECT_GE(label.left, kLeft);
        EXPECT_LE(label.left, kLeft + kW);
        const auto moved = graph.mouseMove({label.left, 300}, inputs);
        if (moved && moved->readout) {
            EXPECT_EQ(moved->readout->timeText, "time:" + label.text) << "at x " << label.left;
        }
    }
}

TEST_F(RealTimeGraphTest, TheZoomedGridAndTimeLabelsStayOnThePlotWhileTheRecordingGrows) {
    // The right quarter of the time axis, partly beyond the newest sample.
    recordUpTo(90);
    ASSERT_TRUE(drag({kLeft + 3 * kW / 4, kTop}, {kLeft + kW, kTop + kH}));
    GraphPicture picture = graph.paint(inputs);
    expectGridAndLabelsOnThePlot(graph, inputs, picture);

    // The time axis compresses about ten times on the way to 600 samples.
    for (int count = 91; count <= 600; ++count) {
        inputs.sampleCount = count;
        picture = graph.paint(inputs);
        if (count % 50 == 0) {
            SCOPED_TRACE(count);
            expectGridAndLabelsOnThePlot(graph, inputs, picture);
        }
    }
    EXPECT_GT(graph.samplesPerWidth(), 600);
    EXPECT_TRUE(graph.zoomed());
}

TEST_F(RealTimeGraphTest, AZoomIntoThePartNotYetRecordedHasItsGridAndTimeLabels) {
    recordUpTo(30); // samples 0..29 of a 100-sample axis: x 0..290
    ASSERT_TRUE(drag({kLeft + 805, kTop}, {kLeft + 905, kTop + kH}));
    GraphPicture picture = graph.paint(inputs);
    ASSERT_TRUE(picture.scrollBarPosition);
    EXPECT_EQ(*picture.scrollBarPosition, 80); // sample 80.5 sits at the left edge
    expectGridAndLabelsOnThePlot(graph, inputs, picture);
    ASSERT_FALSE(picture.timeLabels.empty());
    EXPECT_EQ(picture.timeLabels.front().text, "14:02:44"); // sample 82 at 2 s
}

TEST_F(RealTimeGraphTest, TheReadoutNamesTheSampleUnderTheHoverLine) {
    store[kT1][10] = 100.0f;
    store[kIR][10] = 2950.0f;
    store[kT1][11] = 1.0f;
    recordUpTo(20);
    auto moved = graph.mouseMove({kLeft + 100, 300}, inputs);
    ASSERT_TRUE(moved && moved->readout);
    EXPECT_EQ(moved->hoverX, kLeft + 100);
    EXPECT_EQ(moved->hoverTop, 118);
    EXPECT_EQ(moved->hoverBottom, 600);
    EXPECT_EQ(moved->readout->timeText, "time:14:00:20");
    EXPECT_EQ(moved->readout->valuesText,
              "T1: 100.0 C  T2: 20.0 C  IR: ----  T3: 20.0 C  T4: 20.0 C");

    EXPECT_EQ(graph.mouseMove({kLeft + 105, 300}, inputs)->readout->timeText, "time:14:00:20");
    EXPECT_EQ(graph.mouseMove({kLeft + 106, 300}, inputs)->readout->timeText, "time:14:00:22");

    inputs.unit = TemperatureUnit::Fahrenheit;
    moved = graph.mouseMove({kLeft + 100, 300}, inputs);
    EXPECT_EQ(moved->readout->valuesText.substr(0, 12), "T1: 212.0 F ");
    inputs.unit = TemperatureUnit::Kelvin;
    moved = graph.mouseMove({kLeft + 110, 300}, inputs);
    EXPECT_EQ(moved->readout->valuesText.substr(0, 11), "T1: 274.2 K");

    // Right of the newest sample the status bar keeps what it showed.
    moved = graph.mouseMove({kLeft + 200, 300}, inputs);
    ASSERT_TRUE(moved);
    EXPECT_FALSE(moved->readout);
}

} // namespace
} // namespace calorant
