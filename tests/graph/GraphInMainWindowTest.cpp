// The real-time graph in the main window, where the meter panel and the bars lie over
// edges of the view and so are left out of the view's repaints: a recording reaches the
// screen with its curves and time labels, the repaints then stop, and a change first
// seen by a hover-line strip still reaches the screen whole.
#include "GraphTestHost.h"
#include "app/CMainFrame.h"
#include "graph/CKVView.h"
#include "graph/GraphGeometry.h"
#include "graph/GraphPainter.h"
#include "panel/CGraphBarDlg.h"
#include "panel/CStatsBarDlg.h"
#include "support/FakeSerialPort.h"
#include "support/OnScreen.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace calorant::test {
namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

class GraphInMainWindow : public ::testing::Test {
protected:
    GraphInMainWindow() {
        frame.resize(1600, 1000);
        frame.show();
        view.installEventFilter(&paints);
    }

    static MainFrameOptions options(const QTemporaryDir& settings) {
        MainFrameOptions options;
        options.settingsFolder = settings.path().toStdString();
        options.serialPort = std::make_unique<FakeSerialPort>();
        return options;
    }

    // A fresh reading taken by a sampling tick, as the running programme takes it.
    void freshSample(int i) {
        const float v = 20.0f + static_cast<float>(i % 40);
        doc.sampleStore().onAcceptedFrame({v, v + 5, v + 10, v + 15, v + 20},
                                          kStart + static_cast<std::time_t>(i));
        doc.onSampleTick();
    }

    QImage viewOnScreen() {
        return onScreen(frame).copy(QRect(view.mapTo(&frame, QPoint()), view.size()));
    }

    PlotGeometry geometry() const {
        return plotGeometry(view.width(), view.height(), view.graphBar()->layoutHeight(),
                            view.statsBar()->layoutHeight());
    }

    // Pixels of one colour within the part of `area` that lies in the view.
    static int pixelsOf(const QImage& image, const GraphRect& area, QRgb colour) {
        const QRect inside = QRect(area.left, area.top, area.width, area.height) & image.rect();
        int count = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                count += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
        return count;
    }

    QTemporaryDir settings;
    CKVDoc doc;
    CMainFrame frame{doc, options(settings)};
    CKVView& view = *frame.view();
    PaintCounter paints;
};

TEST_F(GraphInMainWindow, ARecordingReachesTheScreenAndTheRepaintsThenStop) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    doc.sampleStore().run(1);
    doc.sampleStore().takeRearmTimer(); // the ticks below stand for the sampling timer's
    for (int i = 0; i < 30; ++i)
        freshSample(i);
    settle();

    QImage screen = viewOnScreen();
    const PlotGeometry g = geometry();
    const GraphRect plot{g.left, g.top, g.width(), g.height()};
    for (int c = 0; c < kChannelCount; ++c)
        EXPECT_GT(pixelsOf(screen, plot, channelColour(c)), 100) << "channel " << c;
    EXPECT_GT(pixelsOf(screen, g.timeBand, kLabelTextColour), 50) << "time labels";

    paints.paints = 0;
    QTest::qWait(100);
    EXPECT_EQ(paints.paints, 0) << "the screen is current: nothing more to paint";

    // A tick without a new frame repeats the last sample and asks for no repaint; the
    // strip a hover line repaints sees it first, far from the newest sample.
    const int t1Before = pixelsOf(screen, plot, channelColour(kT1));
    doc.onSampleTick();
    ASSERT_EQ(doc.sampleStore().sampleCount(), 31);
    view.repaint(QRect(g.right - 20, g.top, 1, g.height()));
    settle();
    screen = viewOnScreen();
    EXPECT_GT(pixelsOf(screen, plot, channelColour(kT1)), t1Before) << "the repeated sample";
    const QImage fresh = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (const QRect& part : view.visibleRegion())
        EXPECT_TRUE(screen.copy(part) == fresh.copy(part)) << "one whole picture, not a piece";
    paints.paints = 0;
    QTest::qWait(100);
    EXPECT_EQ(paints.paints, 0);
}

} // namespace
} // namespace calorant::test
