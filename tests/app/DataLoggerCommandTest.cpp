// The Data Logger command in the main window, with a scripted serial port and the
// emulator's own logger memories: a download shows "logging..." and then the logger
// graph window listing the sets, and the command stays unavailable while a download
// runs or the window is open; an empty memory, a meter that does not answer, a download
// given up and a port lost on the way each end with their message, shown from the event
// loop after the handler has returned; closing the main window takes the logger window
// with it. Open brings the same window up in file mode with an empty list, and a file
// the document's own Open reads while it is up becomes a row. At the end, a download of
// three sets from the emulator over a pseudo-terminal.
#include "app/DataLoggerCommand.h"

#include "app/CMainFrame.h"
#include "app/CMeterApp.h"
#include "cli/CliEmulator.h"
#include "document/CKVDoc.h"
#include "link/ByteArrayView.h"
#include "link/MeterLink.h"
#include "link/MeterState.h"
#include "loggerview/CLoggerGraphDlg.h"
#include "loggerview/CProgressDlg.h"
#include "loggerview/LoggerToolBar.h"
#include "sim/LoggerMemory.h"
#include "support/FakePortEnumerator.h"
#include "support/FakeSerialPort.h"
#include "support/ModalScript.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace calorant;
using calorant::test::ModalScript;

namespace {

QByteArray toBytes(const std::vector<std::uint8_t>& data) {
    return QByteArray(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
}

void closeIt(QWidget& modal) {
    modal.close();
}

class DataLoggerCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(configHome.isValid());
        qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
        auto fakePort = std::make_unique<FakeSerialPort>();
        port = fakePort.get();
        auto ports = std::make_unique<FakePortEnumerator>();
        ports->ports = {{QStringLiteral("/dev/ttyUSB0"), kCp210xVendorId}};
        MainFrameOptions options;
        options.settingsFolder = userSettingsFolder();
        options.serialPort = std::move(fakePort);
        options.portEnumerator = std::move(ports);
        frame = std::make_unique<CMainFrame>(doc, std::move(options));
        frame->link().ScanForMeterPort();
    }
    void TearDown() override {
        frame.reset();
        qunsetenv("XDG_CONFIG_HOME");
    }

    QAction& dataLogger() const { return *frame->commandAction(kCmdDataLogger); }
    MeterLink& link() const { return frame->link(); }
    CLoggerGraphDlg* loggerWindow() const { return frame->dataLoggerCommand().loggerWindow(); }

    static void settle() {
        for (int i = 0; i < 5; ++i)
            QTest::qWait(2);
    }

    // Data Logger chosen; the link has written its three header requests.
    void chooseDataLogger() {
        dataLogger().trigger();
        link().onLoggerRequestTimer();
        link().onLoggerRequestTimer();
    }

    QTemporaryDir configHome;
    CKVDoc doc;
    FakeSerialPort* port = nullptr;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(DataLoggerCommandTest, ADownloadShowsProgressThenTheLoggerWindowListingItsSets) {
    const sim::LoggerMemory memory = sim::makeLoggerMemory(sim::LoggerContent::Sets);
    EXPECT_TRUE(dataLogger().isEnabled());
    chooseDataLogger();
    EXPECT_FALSE(dataLogger().isEnabled()); // a download is under way
    EXPECT_EQ(doc.loggerModeFlags().listDownloadedSets, 1);
    EXPECT_EQ(doc.loggerModeFlags().loggerFileMode, 0);

    QString percentSeen;
    ModalScript script({[&](QWidget& progress) {
        percentSeen = qobject_cast<CProgressDlg*>(&progress)->percentText();
        port->deliver(toBytes(memory.stream())); // the stream arrives while it shows
    }});
    port->deliver(toBytes(memory.headerReply(1)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return loggerWindow() && loggerWindow()->isVisible(); }));
    settle();

    EXPECT_EQ(script.seen, QStringList{"logging...: "});
    EXPECT_EQ(percentSeen, QStringLiteral("   0%"));
    EXPECT_EQ(loggerWindow()->fileList()->model()->rowCount(), 3);
    EXPECT_EQ(doc.loggerModeFlags().loggerWindowShown, 1);
    EXPECT_TRUE(link().liveMode());
    EXPECT_FALSE(dataLogger().isEnabled()); // one logger window at a time

    loggerWindow()->close();
    settle();
    EXPECT_EQ(loggerWindow(), nullptr);
    EXPECT_TRUE(dataLogger().isEnabled());
    EXPECT_EQ(doc.loggerStore().downloadStoreReady, 0);
}

TEST_F(DataLoggerCommandTest, AnEmptyMemoryShowsItsMessageAndNoLoggerWindow) {
    ModalScript script({closeIt});
    chooseDataLogger();
    port->deliver(toBytes(sim::makeLoggerMemory(sim::LoggerContent::Empty).headerReply(0)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !script.seen.isEmpty(); }));
    settle();
    EXPECT_EQ(script.seen, QStringList{"Calorant: There is no data on the RAM!"});
    EXPECT_EQ(loggerWindow(), nullptr);
    EXPECT_TRUE(dataLogger().isEnabled());
}

TEST_F(DataLoggerCommandTest, EveryEndWithoutDataIsToldInOneSentenceOnceTheHandlerHasReturned) {
    // No answer within the watch period.
    {
        ModalScript script({closeIt});
        chooseDataLogger();
        link().onAnswerWatchTimer();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr); // not from inside the handler
        EXPECT_TRUE(QTest::qWaitFor([&] { return !script.seen.isEmpty(); }));
        EXPECT_EQ(script.seen,
                  QStringList{"Calorant: The meter did not answer the request for its logger "
                              "memory."});
        settle();
    }
    // The stream stops halfway and the time given runs out while "logging..." shows.
    {
        const sim::LoggerMemory memory = sim::makeLoggerMemory(sim::LoggerContent::Sets);
        ModalScript script({[&](QWidget&) {
                                port->deliver(toBytes(memory.stream()).left(100));
                                link().onGiveUpTimer();
                            },
                            closeIt});
        chooseDataLogger();
        port->deliver(toBytes(memory.headerReply(0)));
        EXPECT_TRUE(QTest::qWaitFor([&] { return script.seen.size() == 2; }));
        settle();
        EXPECT_EQ(script.seen[1], QStringLiteral("Calorant: The logger memory did not arrive in "
                                                 "time, so the download was given up."));
        EXPECT_EQ(loggerWindow(), nullptr);
        EXPECT_TRUE(link().liveMode());
    }
    // The meter's port breaks down before it answers, and the scan a second later
    // finds the download's port gone.
    {
        ModalScript script({closeIt});
        chooseDataLogger();
        port->breakDown(QStringLiteral("device unplugged"));
        link().onScanTimer();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !script.seen.isEmpty(); }));
        EXPECT_EQ(script.seen, QStringList{"Calorant: The meter's port went away during the "
                                           "logger download."});
        settle();
        EXPECT_TRUE(dataLogger().isEnabled());
    }
}

TEST_F(DataLoggerCommandTest, ClosingTheMainWindowTakesTheLoggerWindowWithIt) {
    const sim::LoggerMemory memory = sim::makeLoggerMemory(sim::LoggerContent::Sets);
    ModalScript script({[&](QWidget&) { port->deliver(toBytes(memory.stream())); }});
    chooseDataLogger();
    port->deliver(toBytes(memory.headerReply(0)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return loggerWindow() != nullptr; }));
    QPointer<CLoggerGraphDlg> window = loggerWindow();

    frame->close();
    settle();
    EXPECT_TRUE(window.isNull());
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(doc.loggerModeFlags().loggerWindowShown, 0);
}

QString cell(const QTableView& list, int row, int column) {
    return list.model()->data(list.model()->index(row, column)).toString();
}

TEST_F(DataLoggerCommandTest, OpenShowsAnEmptyFileListWhereEveryFileReadSinceBecomesARow) {
    const std::filesystem::path golden =
        (qEnvironmentVariable("CALORANT_TEST_DATA") + "/three-readings.graph").toStdU16String();
    // A file read before the window opens is not one of its rows.
    ASSERT_TRUE(doc.openGraphFile(golden).loaded());
    QAction& open = *frame->commandAction(kCmdOpen);
    ASSERT_TRUE(open.isEnabled());

    open.trigger();
    ASSERT_NE(loggerWindow(), nullptr);
    settle();
    EXPECT_TRUE(loggerWindow()->isVisible());
    EXPECT_EQ(doc.loggerModeFlags().loggerFileMode, 1);
    EXPECT_EQ(loggerWindow()->fileList()->model()->rowCount(), 0);
    EXPECT_TRUE(loggerWindow()->command(kLoggerDownload)->isEnabled());
    EXPECT_FALSE(open.isEnabled()); // one logger window at a time
    EXPECT_FALSE(dataLogger().isEnabled());

    // The document's own Open (Ctrl+O) reads into the window's list.
    ASSERT_TRUE(doc.openGraphFile(golden).loaded());
    settle();
    ASSERT_EQ(loggerWindow()->fileList()->model()->rowCount(), 1);
    EXPECT_EQ(cell(*loggerWindow()->fileList(), 0, 1), QStringLiteral("12/07/26 14:05:09"));

    loggerWindow()->close();
    settle();
    EXPECT_TRUE(open.isEnabled());
    EXPECT_TRUE(dataLogger().isEnabled());
    EXPECT_EQ(doc.loggerModeFlags().loggerFileMode, 0);
}

TEST(DataLoggerOverPseudoTerminal, ThreeSetsFromTheEmulatorBecomeThreeRowsInTheUnitItReported) {
    if (!QFile::exists(cli_test::binDir() + QStringLiteral("/calorant-meter-sim")))
        GTEST_SKIP() << "calorant-meter-sim is not built beside the tests";
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    const cli_test::Emulator emulator({QStringLiteral("--scenario"), QStringLiteral("fixed"),
                                       QStringLiteral("--frame-interval"), QStringLiteral("200"),
                                       QStringLiteral("--pace"), QStringLiteral("fast")});
    ASSERT_FALSE(emulator.pty().isEmpty());
    CKVDoc doc;
    MainFrameOptions options;
    options.settingsFolder = userSettingsFolder();
    options.deviceOverride = emulator.pty();
    CMainFrame frame(doc, std::move(options));
    frame.link().ScanForMeterPort();
    const MeterState& state = doc.meterState();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !state.readingText()[0].empty(); }, 10000));

    // The meter's unit key turns its display, and with it the logger's unit, to F.
    frame.link().sendCommand(meterCommand(kUnitKey));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return state.unitCode() == TemperatureUnit::Fahrenheit; }, 10000));
    frame.commandAction(kCmdDataLogger)->trigger();
    const auto window = [&] { return frame.dataLoggerCommand().loggerWindow(); };
    ASSERT_TRUE(QTest::qWaitFor([&] { return window() && window()->isVisible(); }, 20000));
    QTest::qWait(20);

    const QTableView& list = *window()->fileList();
    ASSERT_EQ(list.model()->rowCount(), 3);
    const QStringList rows[] = {{"1", "12/24/19 09:15:30", "F", "1sec", "60"},
                                {"2", "01/05/20 14:00:00", "F", "5sec", "240"},
                                {"3", "01/06/20 08:30:00", "F", "60sec", "30"}};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 5; ++column)
            EXPECT_EQ(cell(list, row, column), rows[row][column]) << row << "," << column;
    EXPECT_TRUE(frame.link().liveMode());
    frame.close();
    qunsetenv("XDG_CONFIG_HOME");
}

} // namespace
