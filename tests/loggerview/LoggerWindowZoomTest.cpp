// Zoom, scroll and cursor of the logger graph window through real mouse events: a click
// that does not move, a rectangle that becomes the whole plot with its time axis on
// reading positions, one dragged upward, the deepest level and ZoomOut from any depth;
// the drag watch that abandons a rectangle dragged too far from the plot, and the
// rubber band that leaves the screen as it was; panning a zoomed set by whole readings;
// the cursor halfway between two readings and a reading with no value; and the
// double-click in the list that leaves the zoom and the shift behind.
#include "LoggerWindowHost.h"
#include "graph/GraphPainter.h"
#include "support/OnScreen.h"

#include <QRubberBand>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace calorant {
namespace {

using namespace test;

constexpr int kPlotWidth = 400;
constexpr int kPlotHeight = 500;

// Eleven readings 2 s apart from 04:05:06: reading r holds 100 r + 10 c on channel c,
// with no value on T2 at reading 4.
LoggerStore elevenSteps() {
    return downloadOf({{makeLocalTime(2023, 2, 3, 4, 5, 6), 2, 11, [](int r, int c) {
                            return r == 4 && c == kT2 ? 2950.0f : float(100 * r + 10 * c);
                        }}});
}

// A window whose plot is 400 x 500 pixels, showing `store`'s first set: eleven readings
// lie 40 pixels apart, and at the default scale a degree is half a pixel.
class ZoomWindow {
public:
    explicit ZoomWindow(LoggerStore store) : host(std::move(store)) {
        const LoggerPlotRect plot = host.plot();
        host.window->resize(host.window->width() - int(plot.width()) + kPlotWidth,
                            host.window->height() - int(plot.height()) + kPlotHeight);
        host.settle();
        host.doubleClickRow(0);
    }

    LoggerPlotRect plot() const { return host.plot(); }
    int left() const { return int(plot().left); }
    int right() const { return int(plot().right); }
    int top() const { return int(plot().top); }
    int bottom() const { return int(plot().bottom); }
    int middle() const { return (top() + bottom()) / 2; }
    // Where reading r lies in the overview.
    int overviewX(int reading) const { return left() + reading * kPlotWidth / 10; }

    LoggerViewState& view() { return host.doc.loggerViewState(); }
    QScrollBar& scrollBar() { return *host.window->scrollBar(); }

    // Readings first..last stretched over the whole plot, its height kept.
    void zoomToReadings(int first, int last) {
        host.drag({overviewX(first), top()}, {overviewX(last), bottom()});
    }

    bool readoutShows(const QImage& shot, int channel, const std::string& value,
                      const std::string& time) const {
        const LoggerFonts fonts = loggerFonts();
        const int slot = left() + 120 * channel;
        return showsText(shot, {slot, 70}, value, fonts.readout) &&
               showsText(shot, {slot + 62, 70}, time, fonts.readout);
    }

    // The readout as the mouse move's repaint left it on the screen.
    bool readoutOnScreen(int channel, const std::string& value, const std::string& time) const {
        return readoutShows(onScreen(*host.window), channel, value, time);
    }

    bool timeLabelAt(const QImage& shot, int x, const std::string& text) const {
        return showsText(shot, {x, bottom() + 1}, text, loggerFonts().labels);
    }

    LoggerWindowHost host;
};

bool inOverview(const LoggerViewState& view) {
    return view.overviewMode == 1 && view.zoomDepth == 0 && view.scrollShift == 0 &&
           view.dragActive == 0;
}

TEST(LoggerWindowZoom, AClickWithoutMovingChangesNothing) {
    ZoomWindow zoom(elevenSteps());
    const QImage before = zoom.host.shot();
    const QPoint at(zoom.overviewX(3), zoom.middle());

    zoom.host.press(at);
    EXPECT_TRUE(zoom.host.window->dragWatch().isActive());
    zoom.host.release(at);

    EXPECT_TRUE(inOverview(zoom.view()));
    EXPECT_FALSE(zoom.host.window->dragWatch().isActive());
    EXPECT_FALSE(zoom.host.window->rubberBand()->isVisible());
    EXPECT_FALSE(zoom.scrollBar().isEnabled());
    EXPECT_EQ(zoom.host.shot(), before);
}

TEST(LoggerWindowZoom, ADraggedRectangleBecomesThePlotWithItsTimeAxisOnReadingPositions) {
    ZoomWindow zoom(elevenSteps());
    const int left = zoom.left();
    const int bottom = zoom.bottom();
    zoom.host.press({zoom.overviewX(2), zoom.top()});
    zoom.host.moveMouse({zoom.overviewX(6), zoom.bottom() + 30}); // held at the bottom edge
    QRubberBand& band = *zoom.host.window->rubberBand();
    EXPECT_TRUE(band.isVisible());
    EXPECT_EQ(band.geometry(), QRect(QPoint(zoom.overviewX(2), zoom.top()),
                                     QSize(4 * kPlotWidth / 10, kPlotHeight)));
    zoom.host.release({zoom.overviewX(6), zoom.bottom() + 30});

    EXPECT_FALSE(band.isVisible());
    EXPECT_EQ(zoom.view().overviewMode, 0);
    EXPECT_EQ(zoom.view().zoomDepth, 1);
    EXPECT_TRUE(zoom.scrollBar().isEnabled());
    EXPECT_EQ(zoom.scrollBar().minimum(), 0);
    EXPECT_EQ(zoom.scrollBar().maximum(), 11);
    EXPECT_EQ(zoom.scrollBar().value(), 3); // reading 2 at the left edge

    // Readings 2 to 6 now lie 100 pixels apart, each with a grid line and its time.
    const QImage shot = zoom.host.shot();
    for (int r = 2; r <= 6; ++r) {
        const int x = left + 100 * (r - 2);
        const std::string time = "04:05:" + std::to_string(6 + 2 * r);
        EXPECT_TRUE(zoom.timeLabelAt(shot, x, time)) << r;
        if (r == 2 || r == 6)
            continue; // on the plot's edges
        EXPECT_EQ(shot.pixel(x, bottom - 50 * r), channelColour(kT1)) << r;
        EXPECT_EQ(shot.pixel(x, zoom.top() + 5), kLoggerTimeGrid) << r;
        EXPECT_EQ(shot.pixel(x + 50, zoom.top() + 5), qRgb(0, 0, 0)) << r;
    }
    EXPECT_FALSE(zoom.timeLabelAt(shot, left, "04:05:06"));
    // The overview's fixed columns are gone, the rows stay.
    EXPECT_EQ(shot.pixel(left + kPlotWidth / 15, zoom.top() + 5), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(left + 50, zoom.top() + kPlotHeight / 10), kLoggerGrid);
}

TEST(LoggerWindowZoom, ADragUpwardEntersZoomModeWithoutDeepening) {
    ZoomWindow zoom(elevenSteps());
    zoom.host.drag({zoom.overviewX(2), zoom.bottom() - 10}, {zoom.overviewX(6), zoom.top() + 10});

    EXPECT_EQ(zoom.view().overviewMode, 0);
    EXPECT_EQ(zoom.view().zoomDepth, 0);
    EXPECT_TRUE(zoom.scrollBar().isEnabled());
    // Level 0 with the zoom-mode time axis: ten readings across the plot put a grid
    // line and a time on every second one.
    const QImage shot = zoom.host.shot();
    for (int r : {0, 2, 4, 8}) {
        const std::string time =
            "04:05:" + std::string(r < 2 ? "0" : "") + std::to_string(6 + 2 * r);
        EXPECT_TRUE(zoom.timeLabelAt(shot, zoom.overviewX(r), time)) << r;
    }
    EXPECT_FALSE(zoom.timeLabelAt(shot, zoom.overviewX(1), "04:05:08"));
    EXPECT_EQ(shot.pixel(zoom.overviewX(2), zoom.top() + 5), kLoggerTimeGrid);
    EXPECT_EQ(shot.pixel(zoom.overviewX(1), zoom.top() + 5), qRgb(0, 0, 0));
}

// Each rectangle drops a 2% margin on every side of the plot.
void zoomOnce(ZoomWindow& zoom) {
    const int dx = kPlotWidth * 2 / 100;
    const int dy = kPlotHeight * 2 / 100;
    zoom.host.drag({zoom.left() + dx, zoom.top() + dy}, {zoom.right() - dx, zoom.bottom() - dy});
}

TEST(LoggerWindowZoom, TheNinetyNinthLevelIsTheDeepestAndZoomOutLeavesAnyDepthAtOnce) {
    // A full set, whose readings stay closer than the plot's width through every level;
    // T1 runs along the middle of the scale, where the rectangles close in.
    ZoomWindow zoom(downloadOf({{makeLocalTime(2024, 1, 1, 0, 0, 0), 1, kLoggerSetCapacity,
                                 [](int r, int c) { return float(495 + 200 * c + r % 11); }}}));
    const QImage overview = zoom.host.shot();
    ASSERT_TRUE(zoom.host.window->command(kLoggerZoomOut)->isEnabled());

    for (int level = 1; level <= 5; ++level)
        zoomOnce(zoom);
    ASSERT_EQ(zoom.view().zoomDepth, 5);
    zoom.scrollBar().setSliderPosition(zoom.scrollBar().value() - 40); // the thumb dragged
    ASSERT_EQ(zoom.view().scrollShift, 40);
    zoom.host.moveMouse({zoom.left() + 100, zoom.middle()});
    zoom.host.clickTool(kLoggerZoomOut);

    EXPECT_TRUE(inOverview(zoom.view()));
    EXPECT_EQ(zoom.view().cursorHidden, 1);
    EXPECT_FALSE(zoom.scrollBar().isEnabled());
    // The readout keeps its last texts; the plot and its labels are the overview again.
    const QRect belowReadout(QPoint(zoom.host.list().geometry().right() + 4, 90),
                             QPoint(overview.width() - 1, zoom.scrollBar().geometry().top() - 4));
    EXPECT_EQ(zoom.host.shot().copy(belowReadout), overview.copy(belowReadout));

    for (int level = 1; level <= 99; ++level)
        zoomOnce(zoom);
    EXPECT_EQ(zoom.view().zoomDepth, 99);
    zoomOnce(zoom);
    EXPECT_EQ(zoom.view().zoomDepth, 99);
    EXPECT_EQ(zoom.view().overviewMode, 0);
    // Even there T1 runs across the plot.
    const QImage deepest = zoom.host.shot();
    int t1 = 0;
    for (int x = zoom.left() + 1; x < zoom.right(); ++x)
        for (int y = zoom.top() + 1; y < zoom.bottom(); ++y)
            t1 += deepest.pixel(x, y) == channelColour(kT1) ? 1 : 0;
    EXPECT_GT(t1, kPlotWidth / 2);

    zoom.host.clickTool(kLoggerZoomOut);
    EXPECT_TRUE(inOverview(zoom.view()));
    EXPECT_EQ(zoom.host.shot().copy(belowReadout), overview.copy(belowReadout));
}

TEST(LoggerWindowZoom, ADragThatLeavesThePlotFarEnoughIsCancelledWithinOneTick) {
    ZoomWindow zoom(elevenSteps());
    CLoggerGraphDlg& window = *zoom.host.window;
    const QPoint start(zoom.overviewX(5), zoom.middle());
    struct Away {
        QPoint justInside;
        QPoint far;
    };
    const Away aways[] = {
        {{zoom.right() + 49, zoom.middle()}, {zoom.right() + 50, zoom.middle()}},
        {{zoom.left() - 49, zoom.middle()}, {zoom.left() - 50, zoom.middle()}},
        {{zoom.overviewX(7), zoom.bottom() + 39}, {zoom.overviewX(7), zoom.bottom() + 40}},
        {{zoom.overviewX(7), zoom.top() - 19}, {zoom.overviewX(7), zoom.top() - 20}},
    };
    for (const Away& away : aways) {
        zoom.host.press(start);
        zoom.host.moveMouse(away.justInside);
        window.onDragWatchTimer();
        EXPECT_EQ(zoom.view().dragActive, 1) << away.justInside.x() << "," << away.justInside.y();
        EXPECT_TRUE(window.rubberBand()->isVisible());

        zoom.host.moveHeldMouse(away.far);
        EXPECT_EQ(zoom.view().dragActive, 1); // only the watch cancels
        window.onDragWatchTimer();
        EXPECT_EQ(zoom.view().dragActive, 0) << away.far.x() << "," << away.far.y();
        EXPECT_EQ(zoom.view().dragStill, 1);
        EXPECT_FALSE(window.rubberBand()->isVisible());
        EXPECT_FALSE(window.dragWatch().isActive());

        zoom.host.release(away.far);
        EXPECT_TRUE(inOverview(zoom.view()));
    }

    // The watch runs by itself every 10 ms.
    zoom.host.press(start);
    zoom.host.moveMouse({zoom.right() + 80, zoom.bottom() + 80});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.dragWatch().isActive(); }, 1000));
    EXPECT_EQ(zoom.view().dragActive, 0);
    zoom.host.release({zoom.right() + 80, zoom.bottom() + 80});
    EXPECT_TRUE(inOverview(zoom.view()));
}

TEST(LoggerWindowZoom, ACancelledRectangleLeavesTheScreenAsItWas) {
    ZoomWindow zoom(elevenSteps());
    const QPoint start(zoom.overviewX(3), zoom.middle());
    zoom.host.moveMouse(start); // the cursor line and readout come first
    const QImage before = onScreen(*zoom.host.window);

    // The rectangle is drawn where the watch leaves it alone, then taken far away, where
    // the watch's next tick cancels it.
    zoom.host.press(start);
    zoom.host.moveMouse({zoom.right() + 40, zoom.middle() + 100});
    const QImage dragging = onScreen(*zoom.host.window);
    const QRect band = zoom.host.window->rubberBand()->geometry();
    EXPECT_EQ(band, QRect(start, QPoint(zoom.right() - 1, zoom.middle() + 99)));
    int changed = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (dragging.pixel(x, y) != before.pixel(x, y)) {
                EXPECT_TRUE(band.contains(x, y)) << x << "," << y;
                ++changed;
            }
    EXPECT_GT(changed, 0);

    zoom.host.moveHeldMouse({zoom.right() + 60, zoom.middle() + 100});
    zoom.host.window->onDragWatchTimer();
    settle();
    EXPECT_FALSE(zoom.host.window->rubberBand()->isVisible());
    EXPECT_EQ(onScreen(*zoom.host.window), before);
    zoom.host.release({zoom.right() + 60, zoom.middle() + 100});
}

TEST(LoggerWindowZoom, PanningMovesTheCurvesByWholeReadingsAndTheTimeLabelsWithThem) {
    ZoomWindow zoom(elevenSteps());
    zoom.zoomToReadings(2, 6);
    const QImage still = zoom.host.shot();
    const QRect interior(QPoint(zoom.left() + 1, zoom.top() + 1),
                         QPoint(zoom.right() - 1, zoom.bottom() - 1));
    // The cursor line stays where the mouse left it.
    const int stillCursor = zoom.view().cursorX;
    const auto compareShifted = [&](const QImage& shifted, int by) {
        const int shiftedCursor = zoom.view().cursorX;
        int compared = 0;
        for (int y = interior.top(); y <= interior.bottom(); ++y)
            for (int x = std::max(interior.left(), interior.left() - by);
                 x <= std::min(interior.right(), interior.right() - by); ++x) {
                if (x == stillCursor || x + by == shiftedCursor)
                    continue;
                if (shifted.pixel(x + by, y) != still.pixel(x, y))
                    return testing::AssertionFailure() << "at " << x << "," << y;
                ++compared;
            }
        return testing::AssertionSuccess() << compared;
    };

    // Thumb position p puts reading p - 1 at the left edge: 2 puts reading 1 there.
    zoom.scrollBar().setSliderPosition(2);
    EXPECT_EQ(zoom.view().scrollShift, 1);
    EXPECT_EQ(zoom.scrollBar().value(), 2);
    const QImage right = zoom.host.shot();
    EXPECT_TRUE(compareShifted(right, 100));
    EXPECT_NE(right, still);
    EXPECT_TRUE(zoom.timeLabelAt(right, zoom.left(), "04:05:08"));
    EXPECT_TRUE(zoom.timeLabelAt(right, zoom.left() + 100, "04:05:10"));
    // The cursor names the reading drawn under it.
    zoom.host.moveMouse({zoom.left() + 100, zoom.middle()});
    EXPECT_TRUE(zoom.readoutOnScreen(kT1, "200.0C", "04:05:10"));

    // Other scroll actions leave the thumb and the curves where they are.
    zoom.scrollBar().triggerAction(QAbstractSlider::SliderPageStepAdd);
    zoom.scrollBar().triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(zoom.scrollBar().value(), 2);
    EXPECT_EQ(zoom.view().scrollShift, 1);

    // Thumb at 5: reading 4 at the left edge, the curves 200 pixels left of the start.
    zoom.scrollBar().setSliderPosition(5);
    EXPECT_EQ(zoom.view().scrollShift, -2);
    const QImage leftwards = zoom.host.shot();
    EXPECT_TRUE(compareShifted(leftwards, -200));
    EXPECT_TRUE(zoom.timeLabelAt(leftwards, zoom.left(), "04:05:14"));

    // A further zoom keeps the shift.
    zoomOnce(zoom);
    EXPECT_EQ(zoom.view().zoomDepth, 2);
    EXPECT_EQ(zoom.view().scrollShift, -2);
}

TEST(LoggerWindowZoom, ACursorHalfwayBetweenTwoReadingsNamesTheEarlierOne) {
    ZoomWindow zoom(elevenSteps());
    const int halfway = (zoom.overviewX(1) + zoom.overviewX(2)) / 2;
    zoom.host.moveMouse({halfway, zoom.middle()});
    EXPECT_EQ(zoom.view().cursorReading, 1);
    EXPECT_TRUE(zoom.readoutOnScreen(kT1, "100.0C", "04:05:08"));
    EXPECT_TRUE(zoom.readoutOnScreen(kIR, "120.0C", "04:05:08"));

    zoom.host.moveMouse({halfway + 1, zoom.middle()});
    EXPECT_EQ(zoom.view().cursorReading, 2);
    EXPECT_TRUE(zoom.readoutOnScreen(kT1, "200.0C", "04:05:10"));

    // Zoomed onto readings 2 to 6, halfway from reading 3 to 4 is 150 pixels in.
    zoom.zoomToReadings(2, 6);
    zoom.host.moveMouse({zoom.left() + 150, zoom.middle()});
    EXPECT_EQ(zoom.view().cursorReading, 3);
    EXPECT_TRUE(zoom.readoutOnScreen(kT1, "300.0C", "04:05:12"));
}

TEST(LoggerWindowZoom, AReadingWithNoValueReadsAsDashesOnItsChannelOnly) {
    ZoomWindow zoom(elevenSteps());
    zoom.host.moveMouse({zoom.overviewX(4), zoom.middle()});
    EXPECT_TRUE(zoom.readoutOnScreen(kT2, "------", "04:05:14"));
    EXPECT_TRUE(zoom.readoutOnScreen(kT1, "400.0C", "04:05:14"));
    EXPECT_TRUE(zoom.readoutOnScreen(kIR, "420.0C", "04:05:14"));
}

TEST(LoggerWindowZoom, ADoubleClickInTheListLeavesTheZoomAndTheShift) {
    ZoomWindow zoom(elevenSteps());
    zoom.zoomToReadings(2, 6);
    zoom.scrollBar().setSliderPosition(1);
    ASSERT_EQ(zoom.view().scrollShift, 2);

    zoom.host.doubleClickRow(0);

    EXPECT_TRUE(inOverview(zoom.view()));
    EXPECT_FALSE(zoom.scrollBar().isEnabled());
    // The cursor formula of the overview counts no shift.
    zoom.host.moveMouse({zoom.overviewX(3), zoom.middle()});
    EXPECT_EQ(zoom.view().cursorReading, 3);
}

} // namespace
} // namespace calorant
