// The bars around the real-time graph: channel buttons and the Y axis setup changing the
// view's display settings (and announcing it), the fields showing the texts handed in,
// the statistics rows following MeterState channel by channel, the scroll strip moving
// only on a thumb drag, and where the view places the panel and the bars for a given
// main window size, including the heights below which a bar keeps its place.
#include "document/GraphDisplaySettings.h"
#include "link/MeterState.h"
#include "panel/CGraphBarDlg.h"
#include "panel/CGraphScrollDlg.h"
#include "panel/CMeterPanelDlg.h"
#include "panel/CStatsBarDlg.h"
#include "panel/CYAxisDlg.h"
#include "panel/GraphScrollState.h"
#include "panel/ViewChildPlacement.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace calorant;

namespace {

QPushButton* buttonNamed(QWidget& parent, const char* text) {
    for (QPushButton* button : parent.findChildren<QPushButton*>())
        if (button->text() == QLatin1String(text))
            return button;
    return nullptr;
}

class ControlBar : public ::testing::Test {
protected:
    void click(const char* text) {
        QPushButton* button = buttonNamed(bar, text);
        ASSERT_NE(button, nullptr) << text;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Runs `choose` on the Y axis dialog as soon as the Y Axis button has opened it.
    void runYAxisDialog(std::function<void(CYAxisDlg&)> choose) {
        QTimer::singleShot(0, [choose] {
            auto* dialog = qobject_cast<CYAxisDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            choose(*dialog);
        });
        click("Y Axis");
    }

    GraphDisplaySettings settings;
    CGraphBarDlg bar{settings};
    QSignalSpy visibilityChanged{&bar, &CGraphBarDlg::channelVisibilityChanged};
    QSignalSpy yAxisChanged{&bar, &CGraphBarDlg::yAxisChanged};
};

TEST_F(ControlBar, aChannelButtonShowsThatChannelAloneAndCombineBringsAllBack) {
    click("T2");
    EXPECT_EQ(settings.graphChannelVisible, (std::array{false, true, false, false, false}));
    click("IR");
    EXPECT_EQ(settings.graphChannelVisible, (std::array{false, false, true, false, false}));
    click("T3");
    EXPECT_EQ(settings.graphChannelVisible, (std::array{false, false, false, true, false}));
    click("Combine");
    EXPECT_EQ(settings.graphChannelVisible, (std::array{true, true, true, true, true}));
    EXPECT_EQ(visibilityChanged.count(), 4);
}

TEST_F(ControlBar, aGainChosenWithoutAnOffsetChangesOnlyTheGain) {
    settings.graphYGain = 10;
    settings.graphYOffset = -2;
    runYAxisDialog([](CYAxisDlg& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("yGainList"))->setCurrentIndex(4); // "50"
        dialog.accept();
    });
    EXPECT_EQ(settings.graphYGain, 50);
    EXPECT_EQ(settings.graphYOffset, -2);
    EXPECT_EQ(yAxisChanged.count(), 1);
}

TEST_F(ControlBar, theYAxisDialogClosedWithoutOkChangesNothing) {
    settings.graphYGain = 10;
    settings.graphYOffset = 5;
    runYAxisDialog([](CYAxisDlg& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("yGainList"))->setCurrentIndex(6);
        dialog.findChild<QComboBox*>(QStringLiteral("yOffsetList"))->setCurrentIndex(4);
        dialog.close();
    });
    EXPECT_EQ(settings.graphYGain, 10);
    EXPECT_EQ(settings.graphYOffset, 5);
    EXPECT_EQ(yAxisChanged.count(), 0);
}

TEST(StatsBar, eachRowShowsItsOwnChannelsStatistics) {
    MeterState state;
    LiveFrame frame;
    frame.arrivalTime = 1700000000;
    frame.channel = {25.0f, -20.0f, 30.0f, 0.0f, 2950.0f};
    state.applyFrame(frame);

    CStatsBarDlg stats;
    stats.refresh(state);
    for (int channel = 0; channel < kChannelCount; ++channel) {
        EXPECT_EQ(stats.fieldText(channel, CStatsBarDlg::kMaxColumn).toStdString(),
                  state.maxText()[channel]);
        EXPECT_EQ(stats.fieldText(channel, CStatsBarDlg::kMinColumn).toStdString(),
                  state.minText()[channel]);
        EXPECT_EQ(stats.fieldText(channel, CStatsBarDlg::kAvgColumn).toStdString(),
                  state.avgText()[channel]);
    }
    EXPECT_EQ(stats.fieldText(kIR, CStatsBarDlg::kAvgColumn), QStringLiteral("30.0 C"));
    EXPECT_EQ(stats.fieldText(kT4, CStatsBarDlg::kMaxColumn), QStringLiteral("- - - -"));
}

class ScrollStrip : public ::testing::Test {
protected:
    void SetUp() override {
        strip.resize(700, 25);
        strip.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&strip));
        QScrollBar* bar = strip.scrollBar();
        bar->setEnabled(true);
        bar->setRange(0, 100);
        state.scrollMax = 60;
        state.scrollOffset = 11;
        bar->setValue(50);
    }

    GraphScrollState state;
    CGraphScrollDlg strip{state};
    QSignalSpy scrolled{&strip, &CGraphScrollDlg::scrolled};
};

TEST_F(ScrollStrip, startsDisabledAndKeepsItsBarAlongTheBottomEdge) {
    GraphScrollState fresh;
    CGraphScrollDlg other(fresh);
    EXPECT_FALSE(other.scrollBar()->isEnabled());
    other.resize(500, 40);
    other.show();
    EXPECT_EQ(other.scrollBar()->geometry(), QRect(0, 20, 500, 20));
}

TEST_F(ScrollStrip, draggingTheThumbToScrollMaxShowsTheNewestEnd) {
    QScrollBar* bar = strip.scrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(60);
    bar->setSliderDown(false);
    EXPECT_TRUE(state.userScrolled);
    EXPECT_EQ(state.scrollOffset, 1);
    EXPECT_EQ(bar->value(), 60);
    EXPECT_GE(scrolled.count(), 1);
}

TEST_F(ScrollStrip, clickingAnArrowMovesNeitherTheThumbNorTheGraph) {
    QScrollBar* bar = strip.scrollBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 4, bar->height() / 2));
    EXPECT_EQ(bar->value(), 50);
    EXPECT_EQ(state.scrollOffset, 11);
    EXPECT_FALSE(state.userScrolled);
    EXPECT_GE(scrolled.count(), 1);
}

TEST(ViewChildGeometry, aRoomyWindowPlacesEveryWindow) {
    const ViewChildGeometry g = viewChildGeometry(QRect(0, 0, 1000, 700), 94, 135);
    EXPECT_EQ(g.meterPanel, QRect(0, 31, 228, 648));
    EXPECT_EQ(g.graphBar, QRect(228, 30, 770, 94));
    EXPECT_EQ(g.statsBar, QRect(228, 543, 770, 135));
    EXPECT_EQ(g.scrollStrip, QRect(228, 518, 770, 25));
}

TEST(ViewChildGeometry, lowWindowsLeaveTheStatisticsBarAndThenTheScrollStripWhereTheyWere) {
    EXPECT_FALSE(viewChildGeometry(QRect(0, 0, 800, 262), 94, 135).statsBar);
    EXPECT_TRUE(viewChildGeometry(QRect(0, 0, 800, 263), 94, 135).statsBar);
    EXPECT_FALSE(viewChildGeometry(QRect(0, 0, 800, 284), 94, 135).scrollStrip);
    EXPECT_TRUE(viewChildGeometry(QRect(0, 0, 800, 285), 94, 135).scrollStrip);
    // The conditions depend on the height only, wherever the area lies.
    EXPECT_FALSE(viewChildGeometry(QRect(0, -30, 800, 262), 94, 135).statsBar);
    EXPECT_EQ(viewChildGeometry(QRect(0, -30, 800, 300), 94, 135).statsBar,
              QRect(228, 113, 570, 135));
}

TEST(ViewChildGeometry, aTinyWindowGivesNoNegativeSizes) {
    const ViewChildGeometry g = viewChildGeometry(QRect(0, 0, 100, 40), 94, 135);
    EXPECT_EQ(g.meterPanel.height(), 0);
    EXPECT_EQ(g.graphBar.width(), 0);
}

TEST(ViewChildPlacement, windowsThatDoNotFitKeepTheirPlaceAndTheOthersFollowTheWindow) {
    QWidget frame;
    MeterState state;
    GraphDisplaySettings settings;
    GraphScrollState scroll;
    auto* panel = new CMeterPanelDlg(state, {}, &frame);
    auto* graphBar = new CGraphBarDlg(settings, &frame);
    auto* statsBar = new CStatsBarDlg(&frame);
    auto* scrollStrip = new CGraphScrollDlg(scroll, &frame);
    frame.show();

    placeViewChildren(QRect(0, 0, 1000, 270), *panel, *graphBar, *statsBar, *scrollStrip);
    EXPECT_TRUE(statsBar->isVisible());
    EXPECT_FALSE(scrollStrip->isVisible()); // never placed yet: still hidden
    const QRect statsPlace = statsBar->geometry();

    placeViewChildren(QRect(0, 0, 900, 200), *panel, *graphBar, *statsBar, *scrollStrip);
    EXPECT_EQ(statsBar->geometry(), statsPlace);
    EXPECT_EQ(graphBar->geometry(), QRect(228, 30, 670, graphBar->layoutHeight()));
    EXPECT_EQ(panel->geometry(), QRect(0, 31, 228, 148));
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(graphBar->isVisible());
}

} // namespace
