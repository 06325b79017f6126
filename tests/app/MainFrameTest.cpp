// The main window on the offscreen platform with a scripted serial port: its menus,
// toolbar and status bar; which commands are enabled and marked as the link's state
// changes; the link's timers running from creation; the settings file read at creation
// and written by every close, before the link-end command goes out, after which nothing
// reopens the port while the save question waits; a termination signal's ending with
// nothing to save and with a save that fails; the panel and bars placed through
// real window resizes, with the size limits of the statistics bar and the scroll strip;
// OFFLINE on the panel while the meter does not answer; a port this user may not open
// explained once in a message box.
#include "WindowRecording.h"
#include "app/CMainFrame.h"
#include "app/CMeterApp.h"
#include "app/SettingsFile.h"
#include "document/CKVDoc.h"
#include "graph/CKVView.h"
#include "link/ByteArrayView.h"
#include "link/MeterLink.h"
#include "panel/CGraphBarDlg.h"
#include "panel/CGraphScrollDlg.h"
#include "panel/CMeterPanelDlg.h"
#include "panel/CStatsBarDlg.h"
#include "sim/FrameEncoder.h"
#include "support/ByteArrays.h"
#include "support/FakePortEnumerator.h"
#include "support/FakeSerialPort.h"
#include "support/NextModal.h"
#include "support/OfflinePixels.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <utility>

using namespace calorant;
using calorant::test::NextModal;
using calorant::test::offlineRedPixels;

namespace {

const QByteArray kLiveRequestBytes = bytes({0xAA, 0x55, 0x01});
const QByteArray kLinkEndBytes = bytes({0xAA, 0x55, 0x0E});

// A live frame from the emulator's own encoder: 23.4 C on T1 as the main reading.
QByteArray liveFrame() {
    sim::FrameContent content;
    content.channelTenths = {234, 210, 300, 220, 950};
    content.readingTenths = {234, 210, 300, 220, 950};
    const sim::FrameBytes frame = sim::encodeLiveFrame(content, sim::ChecksumForm::EqualsSum);
    return toByteArray(frame);
}

// Texts of a menu's items, "-" for a separator.
QStringList itemTexts(const QList<QAction*>& actions, bool toolTips = false) {
    QStringList texts;
    for (const QAction* action : actions)
        texts << (action->isSeparator() ? QStringLiteral("-")
                  : toolTips            ? action->toolTip()
                                        : action->text());
    return texts;
}

class MainFrameTest : public ::testing::Test {
protected:
    // The configuration folder is also the home, whose documents folder does not exist.
    void SetUp() override {
        ASSERT_TRUE(configHome.isValid());
        savedHome = qgetenv("HOME");
        qputenv("HOME", configHome.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    }
    void TearDown() override {
        qputenv("HOME", savedHome);
        qunsetenv("XDG_CONFIG_HOME");
    }

    void makeFrame(const QString& deviceOverride = {}) {
        auto fakePort = std::make_unique<FakeSerialPort>();
        port = fakePort.get();
        MainFrameOptions options;
        options.settingsFolder = userSettingsFolder();
        options.deviceOverride = deviceOverride;
        options.serialPort = std::move(fakePort);
        options.portEnumerator = std::make_unique<FakePortEnumerator>();
        frame = std::make_unique<CMainFrame>(doc, std::move(options));
    }

    QAction* command(CommandId id) const { return frame->commandAction(id); }

    // Period and single-shot flag of every link timer that runs.
    std::multiset<std::pair<int, bool>> runningLinkTimers() const {
        std::multiset<std::pair<int, bool>> running;
        for (const QTimer* timer : frame->link().findChildren<QTimer*>())
            if (timer->isActive())
                running.insert({timer->interval(), timer->isSingleShot()});
        return running;
    }

    void recordSamples(int count) { test::recordSamples(doc, count); }

    // Ends the window as a termination signal does, collecting what it reports.
    int endOnSignal() {
        return frame->endOnSignal([this](const QString& line) { reported << line; });
    }

    QString settingsPath() const {
        return configHome.filePath(QString::fromLatin1(kSettingsFileName.data()));
    }

    // Resizes the main window so that its frame client area is `height` pixels high.
    void resizeFrameClientTo(int height) {
        const int outside = frame->height() - frame->view()->height();
        frame->resize(1000,
                      height - CKVView::kFrameClientTop - CKVView::kFrameClientBelow + outside);
        QCoreApplication::processEvents();
        ASSERT_EQ(frame->view()->frameClientRect().height(), height);
    }

    QTemporaryDir configHome;
    QByteArray savedHome;
    QStringList reported;
    CKVDoc doc;
    FakeSerialPort* port = nullptr;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(MainFrameTest, MenusHoldTheCommandsInOrderWithTheirIdsAndShortcut) {
    makeFrame();
    const QList<QAction*> bar = frame->menuBar()->actions();
    EXPECT_EQ(itemTexts(bar),
              QStringList({"&File(f)", "&RealTime(R)", "&Data Logger", "&Help(H)"}));
    EXPECT_EQ(itemTexts(bar[0]->menu()->actions()),
              QStringList({"&Save", "&Open", "&Print", "-", "&Exit"}));
    EXPECT_EQ(itemTexts(bar[1]->menu()->actions()), QStringList({"&Run", "&Stop", "&UndoZoom"}));
    EXPECT_EQ(bar[2]->menu(), nullptr);
    EXPECT_EQ(itemTexts(bar[3]->menu()->actions()),
              QStringList({"&About KL320 Thermocouple/IR Datalogger...", "&Contents"}));

    EXPECT_EQ(bar[0]->menu()->actions()[2]->data().toInt(), 57607);
    EXPECT_EQ(bar[0]->menu()->actions()[2]->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_EQ(bar[1]->menu()->actions()[0]->data().toInt(), 32771);
    EXPECT_EQ(bar[2]->data().toInt(), 32819);
    EXPECT_EQ(bar[3]->menu()->actions()[1]->data().toInt(), 32779);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("KL320 Thermocouple/IR Datalogger"));
}

TEST_F(MainFrameTest, ToolbarRunsFromSaveToHelpWithSeparatorsTipsAndPictures) {
    makeFrame();
    QToolBar* toolBar = frame->toolBar();
    EXPECT_EQ(itemTexts(toolBar->actions(), true),
              QStringList({"Save", "-", "Open", "-", "Start", "-", "Stop", "-", "Print", "-",
                           "UndoZoom", "-", "Help"}));
    EXPECT_EQ(toolBar->iconSize(), QSize(27, 20));
    for (QAction* action : toolBar->actions()) {
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().pixmap(27, 20).isNull()) << action->toolTip().toStdString();
        }
    }
}

TEST_F(MainFrameTest, StatusBarHasThreePlainPanesOfFixedWidthAndAFourth) {
    makeFrame();
    EXPECT_EQ(frame->statusPane(0)->width(), 150);
    EXPECT_EQ(frame->statusPane(1)->minimumWidth(), 150);
    EXPECT_EQ(frame->statusPane(2)->minimumWidth(), 500);
    ASSERT_NE(frame->statusPane(3), nullptr);
    EXPECT_EQ(frame->statusPane(4), nullptr);
    frame->setStatusPaneText(1, QStringLiteral("time:"));
    EXPECT_EQ(frame->statusPane(1)->text(), QStringLiteral("time:"));
}

TEST_F(MainFrameTest, CommandsAreEnabledAndMarkedByTheStateTheyDependOn) {
    makeFrame();
    for (CommandId id : {kCmdSave, kCmdPrint, kCmdRun, kCmdStop, kCmdUndoZoom, kCmdPowerOff})
        EXPECT_FALSE(command(id)->isEnabled()) << id;
    for (CommandId id : {kCmdExit, kCmdAbout, kCmdHelpContents, kCmdCom1, kCmdCom2, kCmdCom3,
                         kCmdCom4, kCmdOtherPorts})
        EXPECT_TRUE(command(id)->isEnabled()) << id;
    EXPECT_TRUE(command(kCmdCom1)->isChecked());
    EXPECT_FALSE(command(kCmdCom2)->isChecked());

    // The port commands have no menu item, button or shortcut: only the window has them.
    for (CommandId id : {kCmdCom1, kCmdOtherPorts, kCmdPowerOff}) {
        EXPECT_EQ(command(id)->associatedObjects(), QList<QObject*>({frame.get()})) << id;
        EXPECT_TRUE(command(id)->shortcut().isEmpty());
    }

    command(kCmdCom2)->trigger();
    EXPECT_EQ(frame->link().currentPort(), 2);
    EXPECT_TRUE(command(kCmdCom2)->isChecked());
    EXPECT_FALSE(command(kCmdCom1)->isChecked());

    // A live frame makes the meter's power-off available and the port choice unnecessary.
    port->deliver(liveFrame());
    QTest::qWait(1);
    EXPECT_TRUE(command(kCmdPowerOff)->isEnabled());
    EXPECT_FALSE(command(kCmdCom3)->isEnabled());
    EXPECT_FALSE(command(kCmdOtherPorts)->isEnabled());

    // The silence of a whole watch period takes both back.
    frame->link().onWatchdogTimer();
    frame->link().onWatchdogTimer();
    QTest::qWait(1);
    EXPECT_FALSE(command(kCmdPowerOff)->isEnabled());
    EXPECT_TRUE(command(kCmdCom3)->isEnabled());
}

TEST_F(MainFrameTest, WithoutSettingsFileTheDefaultsApplyAndExitWritesAllThree) {
    makeFrame();
    EXPECT_EQ(frame->link().currentPort(), 1);
    EXPECT_EQ(doc.graphDisplay().graphYGain, 10);
    EXPECT_EQ(doc.graphDisplay().graphYOffset, 0);
    ASSERT_FALSE(QFile::exists(settingsPath()));

    command(kCmdExit)->trigger();
    QFile file(settingsPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(file.readAll());
    for (const char* line :
         {"[COMInfo]", "COM num=1", "[GainInfo]", "Gain=10", "[OffsetInfo]", "Offset=0"})
        EXPECT_TRUE(text.contains(QLatin1String(line))) << line;
}

TEST_F(MainFrameTest, SavedSettingsAreUsedAndTheRunsChangesWrittenAtClose) {
    ASSERT_TRUE(WriteSettings(userSettingsFolder(), {7, 50, -2}));
    makeFrame();
    EXPECT_EQ(frame->link().currentPort(), 7);
    EXPECT_EQ(frame->link().savedPort(), 7);
    EXPECT_EQ(doc.graphDisplay().graphYGain, 50);
    EXPECT_EQ(doc.graphDisplay().graphYOffset, -2);

    command(kCmdCom3)->trigger();
    doc.graphDisplay().graphYGain = 200;
    frame->close();
    const Settings written = ReadSettings(userSettingsFolder());
    EXPECT_EQ(written.comPort, 3);
    EXPECT_EQ(written.yGain, 200);
    EXPECT_EQ(written.yOffset, -2);
}

TEST_F(MainFrameTest, TheWindowRunsTheLinksTimersWithTheirPeriodsFromItsCreation) {
    makeFrame();
    // The five-minute command, the watchdog, the port-list watch and the first scan.
    EXPECT_EQ(runningLinkTimers(),
              (std::multiset<std::pair<int, bool>>{
                  {300000, false}, {5000, false}, {1000, false}, {1000, true}}));
}

TEST_F(MainFrameTest, CloseWritesTheSettingsAndThenSendsTheLinkEndCommand) {
    makeFrame();
    port->deliver(liveFrame().left(20)); // part of a frame, still in the port's buffer
    QList<bool> settingsPresentAtWrite;
    QList<QByteArray> inputPendingAtWrite;
    port->duringWrite = [&] {
        settingsPresentAtWrite << QFile::exists(settingsPath());
        inputPendingAtWrite << port->unread();
    };
    frame->close();
    ASSERT_FALSE(port->written.isEmpty());
    EXPECT_EQ(port->written.last(), kLinkEndBytes);
    EXPECT_TRUE(settingsPresentAtWrite.last());
    EXPECT_EQ(inputPendingAtWrite.last(), QByteArray()) << "pending input thrown away first";
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(MainFrameTest, NothingReopensTheLinkWhileTheCloseQuestionIsOpen) {
    makeFrame(QStringLiteral("/dev/meter-bridge"));
    recordSamples(2);
    QString question;
    std::multiset<std::pair<int, bool>> timersDuringQuestion;
    NextModal answer([&](QWidget& modal) {
        auto& box = dynamic_cast<QMessageBox&>(modal);
        question = box.text();
        timersDuringQuestion = runningLinkTimers();
        // Long enough for the start-up scan, the port-list watch or the rescan after a
        // broken port to reopen the port and ask for frames again.
        port->breakDown(QStringLiteral("device removed"));
        QTest::qWait(1300);
        box.button(QMessageBox::No)->click();
    });
    frame->close();

    EXPECT_TRUE(answer.seen());
    EXPECT_EQ(question, QStringLiteral("Do you want to save the data before closing?"));
    EXPECT_TRUE(timersDuringQuestion.empty());
    ASSERT_FALSE(port->written.isEmpty());
    EXPECT_EQ(port->written.last(), kLinkEndBytes);
    EXPECT_FALSE(port->written.contains(kLiveRequestBytes));
}

TEST_F(MainFrameTest, ASignalWithOneSampleRecordedSavesNothingAndEndsTheLinkAfterTheSettings) {
    makeFrame();
    frame->show();
    recordSamples(1);
    QList<bool> settingsPresentAtWrite;
    port->duringWrite = [&] { settingsPresentAtWrite << QFile::exists(settingsPath()); };
    EXPECT_EQ(endOnSignal(), 0);
    EXPECT_TRUE(reported.isEmpty());
    EXPECT_FALSE(QDir(configHome.filePath("Documents")).exists());
    ASSERT_FALSE(port->written.isEmpty());
    EXPECT_EQ(port->written.last(), kLinkEndBytes);
    EXPECT_TRUE(settingsPresentAtWrite.last());
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(MainFrameTest, ASignalWhoseSaveFailsReportsItAndEndsWithStatusOne) {
    makeFrame();
    frame->show();
    recordSamples(4);
    const QString folder = configHome.filePath("Documents/KL320 Thermocouple IR Datalogger");
    ASSERT_TRUE(QDir(configHome.path()).mkpath("Documents"));
    QFile blocker(folder); // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const NextModal anyMessage([](QWidget&) {});

    EXPECT_EQ(endOnSignal(), 1);
    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported[0].startsWith("Could not save " + folder)) << reported[0].toStdString();
    EXPECT_TRUE(reported[0].contains(".csv: ")) << reported[0].toStdString();
    QTest::qWait(30);
    EXPECT_FALSE(anyMessage.seen()) << "no one is there to click it away";
    EXPECT_FALSE(frame->isVisible());

    // A second signal changes nothing.
    EXPECT_EQ(endOnSignal(), 1);
    EXPECT_EQ(reported.size(), 1);
}

TEST_F(MainFrameTest, CloseWithTheMeterPortGoneStillWritesTheSettingsAndCloses) {
    makeFrame();
    port->failOpensWith(QStringLiteral("no such device"));
    frame->show();
    frame->close();
    EXPECT_TRUE(QFile::exists(settingsPath()));
    EXPECT_TRUE(port->written.isEmpty());
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(MainFrameTest, ResizesPlaceThePanelAndBarsWithinTheirHeightLimits) {
    makeFrame();
    frame->show();
    CKVView& view = *frame->view();
    const int statsHeight = view.statsBar()->layoutHeight();
    const auto statsTopFor = [&](int clientHeight) { return clientHeight - 52 - statsHeight; };
    const auto scrollTopFor = [&](int clientHeight) { return clientHeight - 77 - statsHeight; };

    resizeFrameClientTo(600);
    EXPECT_EQ(view.meterPanel()->geometry(), QRect(0, 1, 228, 548));
    EXPECT_EQ(view.graphBar()->geometry(),
              QRect(228, 0, view.width() - 230, view.graphBar()->layoutHeight()));
    EXPECT_EQ(view.statsBar()->geometry(),
              QRect(228, statsTopFor(600), view.width() - 230, statsHeight));
    EXPECT_EQ(view.scrollStrip()->geometry(),
              QRect(228, scrollTopFor(600), view.width() - 230, 25));
    EXPECT_TRUE(view.statsBar()->isVisible());
    EXPECT_TRUE(view.scrollStrip()->isVisible());

    resizeFrameClientTo(262); // too low for either: both stay where they were
    EXPECT_EQ(view.meterPanel()->height(), 210);
    EXPECT_EQ(view.statsBar()->y(), statsTopFor(600));
    EXPECT_EQ(view.scrollStrip()->y(), scrollTopFor(600));

    resizeFrameClientTo(263); // the statistics bar moves, the scroll strip not yet
    EXPECT_EQ(view.statsBar()->y(), statsTopFor(263));
    EXPECT_EQ(view.scrollStrip()->y(), scrollTopFor(600));

    resizeFrameClientTo(284);
    EXPECT_EQ(view.scrollStrip()->y(), scrollTopFor(600));
    resizeFrameClientTo(285);
    EXPECT_EQ(view.statsBar()->y(), statsTopFor(285));
    EXPECT_EQ(view.scrollStrip()->y(), scrollTopFor(285));
}

TEST_F(MainFrameTest, PanelShowsOfflineWhileTheMeterIsAbsentAndReadingsWhenItAnswers) {
    makeFrame();
    frame->show();
    resizeFrameClientTo(700);
    CMeterPanelDlg& panel = *frame->view()->meterPanel();
    EXPECT_EQ(offlineRedPixels(panel), 0);

    frame->link().ScanForMeterPort(); // no bridge anywhere
    EXPECT_TRUE(doc.linkOffline());
    EXPECT_TRUE(panel.linkOffline());
    EXPECT_GT(offlineRedPixels(panel), 50);

    command(kCmdCom1)->trigger(); // still usable while offline
    port->deliver(liveFrame());
    QTest::qWait(1);
    EXPECT_FALSE(doc.linkOffline());
    EXPECT_EQ(offlineRedPixels(panel), 0);
    EXPECT_EQ(doc.meterState().readingText()[0], "23.4");
    EXPECT_EQ(frame->view()->graphBar()->fieldText(CGraphBarDlg::kBatteryField),
              QStringLiteral("Normal"));
}

TEST_F(MainFrameTest, APortThisUserMayNotOpenIsExplainedOnceInAMessageBoxCaptionedCalorant) {
    makeFrame();
    port->denyOpens();
    QStringList shown; // caption and text of every message box, each closed at once
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown << box->windowTitle() + QLatin1Char('|') + box->text();
            box->close();
        }
    });
    closer.start(10);

    frame->link().ScanForMeterPort(); // no bridge: the saved port, /dev/ttyUSB0
    EXPECT_TRUE(shown.isEmpty());     // never from inside the link's own work
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }, 2000));
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Calorant|"))) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains(QStringLiteral("/dev/ttyUSB0")));

    frame->link().onWatchdogTimer();
    frame->link().onWatchdogTimer(); // offline: both reopen the port
    QTest::qWait(100);
    EXPECT_EQ(shown.size(), 1);
}

} // namespace
