// The real-time graph as the user sees it, checked on the pixels of the painted window:
// the empty graph's grid and labels, sampling ticks repainting the first sample's start
// time and then curves, channel visibility, a dense recording drawn exactly like the
// line through every sample, a change first seen by a small repaint reaching the whole
// picture on the screen, and the mouse: hover line and cursor readout, the line gone
// when a new recording empties the store, zoom by dragging, a click that does not
// zoom, a drag abandoned when it leaves the graph, and UndoZoom.
#include "GraphTestHost.h"
#include "graph/GraphPainter.h"
#include "support/OnScreen.h"

#include <QApplication>
#include <QMouseEvent>
#include <QRubberBand>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <set>

namespace calorant::test {
namespace {

QRgb rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}
bool isColour(QRgb pixel, QRgb colour) {
    return (pixel & 0xFFFFFF) == (colour & 0xFFFFFF);
}

// The colours found inside the plot, apart from its black background and grey grid.
std::set<QRgb> curveColours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = kPlotTop; y < kPlotTop + kPlotHeight; ++y)
        for (int x = kPlotLeft; x < kPlotLeft + kPlotWidth; ++x) {
            const QRgb pixel = rgb(image, x, y);
            if (!isColour(pixel, kPlotBackground) && !isColour(pixel, kGridColour))
                colours.insert(pixel);
        }
    return colours;
}

int countInRect(const QImage& image, const QRect& rect, auto predicate) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += predicate(rgb(image, x, y)) ? 1 : 0;
    return count;
}

class GraphWindow : public ::testing::Test {
protected:
    GraphWindow() {
        QObject::connect(&host.presenter, &GraphPresenter::readoutChanged,
                         [this](const QString& time, const QString& values) {
                             readoutTime = time;
                             readoutValues = values;
                         });
    }

    void showWindow() {
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    void drag(QPoint from, QPoint to) {
        QTest::mousePress(&host, Qt::LeftButton, {}, from);
        QTest::mouseMove(&host, to);
        QTest::mouseRelease(&host, Qt::LeftButton, {}, to);
    }

    // A mouse move with no button held, delivered to the window like the system does.
    void hover(QPoint position) {
        QMouseEvent move(QEvent::MouseMove, position, host.mapToGlobal(position), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&host, &move);
    }

    QRubberBand* rubberBand() { return host.findChild<QRubberBand*>(); }

    GraphState state;
    GraphTestHost host{state.sources()};
    QString readoutTime;
    QString readoutValues;
};

TEST_F(GraphWindow, AnEmptyGraphIsABlackPlotWithAnEvenDottedGridAndNoTimeLabels) {
    const QImage image = host.picture();

    // Columns and rows that are mostly grid: 13 vertical lines at i * W / 12 and 10
    // horizontal ones at i * H / 10; those on the far edges fall just outside the plot.
    std::set<int> columns;
    for (int x = 0; x < kPlotWidth; ++x) {
        const QRect column(kPlotLeft + x, kPlotTop, 1, kPlotHeight);
        if (countInRect(image, column, [](QRgb p) { return isColour(p, kGridColour); }) >
            kPlotHeight / 4)
            columns.insert(x);
    }
    EXPECT_EQ(columns, (std::set<int>{0, 82, 165, 247, 330, 412, 495, 577, 660, 742, 825, 907}));
    std::set<int> rows;
    for (int y = 0; y < kPlotHeight; ++y) {
        const QRect row(kPlotLeft, kPlotTop + y, kPlotWidth, 1);
        if (countInRect(image, row, [](QRgb p) { return isColour(p, kGridColour); }) >
            kPlotWidth / 4)
            rows.insert(y);
    }
    EXPECT_EQ(rows, (std::set<int>{48, 96, 145, 193, 242, 290, 338, 387, 435}));
    EXPECT_TRUE(curveColours(image).empty());

    // The time band below the plot is plain grey; the value strip carries its labels.
    const QRect band(kPlotLeft, kPlotTop + kPlotHeight + 1, kPlotWidth, 29);
    EXPECT_EQ(countInRect(image, band, [](QRgb p) { return !isColour(p, kLabelAreaColour); }), 0);
    const QRect strip(226, kPlotTop - 24, 76, kPlotHeight + 54);
    EXPECT_GT(countInRect(image, strip, [](QRgb p) { return isColour(p, kLabelTextColour); }), 50);

    EXPECT_EQ(readoutTime, "time:");
    EXPECT_EQ(readoutValues, "T1:         T2:         IR:         T3:         T4:");
}

TEST_F(GraphWindow, SamplingTicksRepaintTheFirstSampleAsAStartTimeAndTheNextAsCurves) {
    QSignalSpy ticked(&state.doc, &CKVDoc::sampleTicked);
    state.store.run(1);
    state.store.onAcceptedFrame({20, 30, 40, 50, 60}, kStart);
    state.doc.onSampleTick();
    QImage image = host.picture();
    EXPECT_TRUE(curveColours(image).empty()) << "a curve needs two samples";
    const QRect firstLabel(kPlotLeft, kPlotTop + kPlotHeight + 1, 70, 29);
    EXPECT_GT(countInRect(image, firstLabel, [](QRgb p) { return isColour(p, kLabelTextColour); }),
              20);

    state.store.onAcceptedFrame({60, 50, 40, 30, 20}, kStart + 1);
    state.doc.onSampleTick();
    EXPECT_EQ(curveColours(host.picture()).size(), 5u);
    ASSERT_EQ(ticked.count(), 2);
    EXPECT_TRUE(ticked.back().front().value<TickOutcome>().freshReading)
        << "a fresh reading: the bars refresh";
}

TEST_F(GraphWindow, OnlyTheVisibleChannelIsDrawnAndNamedInTheLegend) {
    state.record(ramp(30));
    EXPECT_EQ(curveColours(host.picture()).size(), 5u);

    state.display.graphChannelVisible = {false, false, false, true, false};
    const QImage image = host.picture(); // no explicit repaint request: the change is seen
    EXPECT_EQ(curveColours(image), (std::set<QRgb>{channelColour(kT3) & 0xFFFFFF}));

    // The legend line of the fourth slot alone, 2 pixels, at top + 28 in frame terms.
    const int lineY = kPlotTop + 28 - kToolbarBand;
    for (int c = 0; c < kChannelCount; ++c) {
        const QRect slot(kPlotLeft + 50 + 100 * c, lineY - 1, 50, 3);
        const int coloured = countInRect(image, slot, [](QRgb p) {
            return !isColour(p, kLabelAreaColour) && !isColour(p, kLabelTextColour);
        });
        EXPECT_EQ(coloured > 0, c == kT3) << "legend slot " << c;
    }
}

TEST_F(GraphWindow, ADenseRecordingLooksExactlyLikeTheLineThroughEverySample) {
    // 6000 noisy samples across 990 pixels: many samples share each pixel column, and
    // the few points kept per column must still cover every pixel the samples cover.
    std::vector<float> values(6000);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<float>(50 + 40 * std::sin(i * 0.01) + ((i * 7919) % 23) - 11);
    GraphInputs inputs;
    inputs.clientWidth = kClientWidth;
    inputs.clientHeight = kClientHeight;
    inputs.controlBarHeight = 94;
    inputs.statsBarHeight = 148;
    inputs.sampleCount = static_cast<int>(values.size());
    inputs.samples[kT1] = values;
    inputs.channelVisible = {true, false, false, false, false};
    RealTimeGraph graph;
    GraphPicture picture = graph.paint(inputs);
    picture.gridX.clear();
    picture.gridY.clear();

    QImage ours(kClientWidth, kClientHeight, QImage::Format_RGB32);
    ours.fill(Qt::black);
    QPainter oursPainter(&ours);
    paintGraphPicture(oursPainter, picture, GraphTestHost::labelFont());
    oursPainter.end();

    QImage reference = ours.copy();
    QPainter painter(&reference);
    painter.fillRect(kPlotLeft, kPlotTop, kPlotWidth, kPlotHeight, Qt::black);
    painter.setClipRect(kPlotLeft, kPlotTop, kPlotWidth, kPlotHeight);
    painter.translate(kPlotLeft, kPlotTop);
    painter.setPen(QColor(channelColour(kT1)));
    const ValueLabels labels = baseValueLabels(10, 0);
    const auto at = [&](std::size_t i) {
        return QPoint(static_cast<int>(static_cast<double>(i) * graph.xStep()),
                      static_cast<int>(plotY(values[i], labels, kPlotHeight)));
    };
    QPolygon all;
    for (std::size_t i = 0; i < values.size(); ++i)
        all << at(i);
    painter.drawPolyline(all);
    painter.end();

    EXPECT_LT(graph.xStep(), 0.2f);
    EXPECT_TRUE(ours == reference);
}

TEST_F(GraphWindow, TheHoverLineFollowsTheMouseAndTheReadoutNamesTheSampleUnderIt) {
    std::vector<Channels> samples = ramp(50);
    samples[5] = {100.0f, 2950.0f, 0.0f, -10.0f, 25.5f};
    recordInto(state.store, samples, false);
    state.unit = TemperatureUnit::Fahrenheit;
    showWindow();

    // 50 samples on a 100-sample axis: 10 pixels apart, sample 5 at x = 302 + 50.
    hover(QPoint(352, 300));
    EXPECT_EQ(readoutTime, "time:22:13:25");
    EXPECT_EQ(readoutValues, "T1: 212.0 F  T2: ----  IR: 32.0 F  T3: 14.0 F  T4: 77.9 F");
    QImage image = host.picture();
    const auto whiteIn = [&](int x) {
        return countInRect(image, QRect(x, 118, 1, 600 - 118 + 1),
                           [](QRgb p) { return isColour(p, qRgb(255, 255, 255)); });
    };
    EXPECT_GT(whiteIn(352), 100);

    hover(QPoint(452, 300));
    image = host.picture();
    EXPECT_EQ(whiteIn(352), 0);
    EXPECT_GT(whiteIn(452), 100);

    // Ticks without a new frame repeat a sample: new pictures, the line stays.
    for (int repeat = 1; repeat <= 2; ++repeat) {
        state.doc.onSampleTick();
        image = host.picture();
        EXPECT_EQ(state.store.sampleCount(), 50 + repeat);
        EXPECT_GT(whiteIn(452), 100);
    }

    // Right of the newest sample the readout keeps its last texts.
    hover(QPoint(1200, 300));
    EXPECT_EQ(readoutTime, "time:22:13:35");
}

TEST_F(GraphWindow, AChangeFirstSeenByASmallRepaintReachesTheWholePictureOnTheScreen) {
    recordInto(state.store, ramp(50), false);
    showWindow();
    settle();
    // The strip a hover line repaints, far from the newest sample at x 302 + 490.
    const QRegion strip(1000, 118, 1, 483);
    const auto expectScreenShowsTheWholePicture = [&](const char* change,
                                                      const QRegion& repainted) {
        host.repaint(repainted);
        settle();
        const QImage screen = onScreen(host);
        const QImage fresh = host.picture();
        ASSERT_EQ(screen.size(), fresh.size());
        int differing = 0;
        for (int y = 0; y < fresh.height(); ++y)
            for (int x = 0; x < fresh.width(); ++x)
                differing += rgb(screen, x, y) != rgb(fresh, x, y) ? 1 : 0;
        EXPECT_EQ(differing, 0) << change;
    };

    expectScreenShowsTheWholePicture("nothing", strip);
    // Nothing asks for a repaint: the unit changed on the stopped meter, a tick without
    // a new frame repeated the last sample.
    state.unit = TemperatureUnit::Fahrenheit;
    expectScreenShowsTheWholePicture("unit", strip);
    state.doc.onSampleTick();
    ASSERT_EQ(state.store.sampleCount(), 51);
    expectScreenShowsTheWholePicture("repeated sample", strip);
    // Two corners span the whole window but cover almost nothing of it.
    state.unit = TemperatureUnit::Kelvin;
    expectScreenShowsTheWholePicture("unit, two corners",
                                     QRegion(0, 0, 2, 2) |
                                         QRegion(kClientWidth - 2, kClientHeight - 2, 2, 2));
}

TEST_F(GraphWindow, ANewRecordingThatEmptiesTheStoreTakesTheHoverLineAway) {
    state.record(ramp(50));
    showWindow();
    hover(QPoint(452, 300));
    const auto whiteInColumn = [&](const QImage& image) {
        return countInRect(image, QRect(452, 118, 1, 600 - 118 + 1),
                           [](QRgb p) { return isColour(p, qRgb(255, 255, 255)); });
    };
    ASSERT_GT(whiteInColumn(host.picture()), 100);

    // Run, then the first frame: the store is empty until the next tick.
    state.store.run(1);
    state.store.onAcceptedFrame({20, 30, 40, 50, 60}, kStart + 100);
    ASSERT_EQ(state.store.sampleCount(), 0);
    host.update();
    settle();
    EXPECT_EQ(whiteInColumn(onScreen(host)), 0);
    EXPECT_EQ(whiteInColumn(host.picture()), 0);
    EXPECT_EQ(readoutTime, "time:");
}

TEST_F(GraphWindow, AClickDoesNotZoomADragDoesAndUndoZoomOrANewRecordingReturns) {
    state.record(ramp(50));
    showWindow();
    QSignalSpy zoomChanged(&host.presenter, &GraphPresenter::zoomChanged);
    const QImage whole = host.picture();

    QTest::mouseClick(&host, Qt::LeftButton, {}, QPoint(600, 300));
    EXPECT_FALSE(host.presenter.zoomed());
    EXPECT_EQ(zoomChanged.count(), 0);

    drag(QPoint(500, 200), QPoint(900, 500));
    EXPECT_TRUE(host.presenter.zoomed());
    EXPECT_EQ(host.presenter.zoomLevel(), 1);
    EXPECT_EQ(zoomChanged.count(), 1);
    EXPECT_FALSE(rubberBand()->isVisible());
    EXPECT_FALSE(host.picture() == whole);

    host.presenter.undoZoom();
    EXPECT_FALSE(host.presenter.zoomed());
    EXPECT_EQ(zoomChanged.count(), 2);
    EXPECT_TRUE(host.picture() == whole);

    // The first sample of a new recording shows it unzoomed.
    drag(QPoint(500, 200), QPoint(900, 500));
    state.store.run(1);
    state.store.onAcceptedFrame({20, 30, 40, 50, 60}, kStart + 100);
    state.doc.onSampleTick();
    host.picture();
    EXPECT_FALSE(host.presenter.zoomed());
    EXPECT_EQ(zoomChanged.count(), 4);
}

TEST_F(GraphWindow, ADragThatLeavesTheGraphIsAbandonedWithinOneWatchTick) {
    state.record(ramp(50));
    showWindow();

    QTest::mousePress(&host, Qt::LeftButton, {}, QPoint(500, 200));
    QTest::mouseMove(&host, QPoint(700, 400));
    ASSERT_TRUE(rubberBand()->isVisible());
    QTest::mouseMove(&host, QPoint(244, 400));
    QTest::qWait(3 * GraphPresenter::kDragWatchMs);
    EXPECT_FALSE(rubberBand()->isVisible());

    QTest::mouseRelease(&host, Qt::LeftButton, {}, QPoint(244, 400));
    EXPECT_FALSE(host.presenter.zoomed());
}

TEST_F(GraphWindow, AWindowTooSmallForTheGraphPaintsAndIgnoresTheMouse) {
    state.record(ramp(50));
    showWindow();
    for (const QSize size : {QSize(300, 150), QSize(1, 1), QSize(340, 320)}) {
        SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
        host.resize(size);
        readoutTime.clear();
        hover(QPoint(size.width() / 2, size.height() / 2));
        drag(QPoint(0, 0), QPoint(size.width(), size.height()));
        EXPECT_FALSE(host.presenter.zoomed());
        EXPECT_FALSE(rubberBand()->isVisible());
        EXPECT_TRUE(readoutTime.isEmpty());

        // No plot has room: no curve and no hover line, whatever the mouse did.
        const QImage image = host.picture();
        ASSERT_EQ(image.size(), size);
        EXPECT_EQ(countInRect(image, image.rect(),
                              [](QRgb p) {
                                  for (int c = 0; c < kChannelCount; ++c)
                                      if (isColour(p, channelColour(c)))
                                          return true;
                                  return isColour(p, qRgb(255, 255, 255));
                              }),
                  0);
    }

    // Back at its size the graph is whole again.
    host.resize(kClientWidth, kClientHeight);
    EXPECT_EQ(curveColours(host.picture()).size(), 5u);
    hover(QPoint(452, 300));
    EXPECT_EQ(readoutTime, "time:22:13:35");
}

} // namespace
} // namespace calorant::test
