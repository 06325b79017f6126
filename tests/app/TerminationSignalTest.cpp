// Ending on a termination signal with nobody at the screen: the real signal delivered to
// the programme's own handling asks nothing, writes the settings and saves a recording
// into the recording folder under the proposed name, reporting both files, and ends with
// status 0; the main window's signal ending with nothing worth saving, and with a save
// that fails, which is reported and ends with status 1.
#include "app/CKVDoc.h"
#include "app/CMainFrame.h"
#include "app/CMeterApp.h"
#include "app/SettingsFile.h"
#include "graph/CKVView.h"
#include "graph/GraphPresenter.h"
#include "link/MeterLink.h"
#include "support/ByteArrays.h"
#include "support/FakePortEnumerator.h"
#include "support/FakeSerialPort.h"
#include "support/NextModal.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <optional>

using namespace calorant;
using calorant::test::NextModal;

namespace {

const QString kRecordingFolder = QStringLiteral("Documents/KL320 Thermocouple IR Datalogger");

// A home of its own, whose documents folder does not exist yet.
class TerminationSignalTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        savedHome = qgetenv("HOME");
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
        QDir(home.path()).mkpath("config");
    }
    void TearDown() override {
        qputenv("HOME", savedHome);
        qunsetenv("XDG_CONFIG_HOME");
    }

    // Sampling ticks over live values: a recording of `count` samples that goes on.
    static void recordSamples(CKVDoc& doc, CMainFrame& frame, int count) {
        SampleStore& store = doc.sampleStore();
        store.run(1);
        for (int i = 0; i < count; ++i) {
            store.onAcceptedFrame({20.0f + i, 21, 22, 23, 24}, 1700000000 + i);
            frame.view()->graph().onSampleTick();
        }
    }

    QStringList recordingFiles() const {
        return QDir(home.filePath(kRecordingFolder)).entryList(QDir::Files, QDir::Name);
    }

    QTemporaryDir home;
    QByteArray savedHome;
};

std::string readAll(std::FILE* file) {
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        text += static_cast<char>(c);
    return text;
}

TEST_F(TerminationSignalTest, ASignalSavesTheRecordingWithoutAQuestionAndEndsWithStatusZero) {
    const std::filesystem::path settingsFolder = toFilesystemPath(home.filePath("config"));
    CMeterApp app(CommandLine{}, settingsFolder);
    app.initInstance();
    recordSamples(app.document(), *app.mainFrame(), 3);
    std::FILE* messages = std::tmpfile();
    ASSERT_NE(messages, nullptr);
    std::optional<int> exitStatus;
    app.exitOnTerminationSignals([&](int status) { exitStatus = status; }, messages);
    const NextModal anyQuestion([](QWidget&) {});

    ASSERT_EQ(std::raise(SIGHUP), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return exitStatus.has_value(); }, 5000));

    EXPECT_EQ(*exitStatus, 0);
    EXPECT_FALSE(anyQuestion.seen());
    EXPECT_FALSE(app.mainFrame()->isVisible());
    EXPECT_TRUE(QFile::exists(home.filePath("config/KV4410Pconfig.ini")));
    const QStringList files = recordingFiles();
    ASSERT_EQ(files.size(), 2) << files.join(", ").toStdString();
    const QRegularExpression name(QStringLiteral(R"(^(\d\d-\d\d-\d\d \d\d\.\d\d\.\d\d)\.csv$)"));
    const QRegularExpressionMatch csv = name.match(files[0]);
    ASSERT_TRUE(csv.hasMatch()) << files[0].toStdString();
    EXPECT_EQ(files[1], csv.captured(1) + ".graph");
    const QString folder = home.filePath(kRecordingFolder) + "/";
    EXPECT_EQ(readAll(messages), ("calorant: recording saved to " + folder + files[1] +
                                  "\ncalorant: recording saved to " + folder + files[0] + "\n")
                                     .toStdString());
    std::fclose(messages);
}

class SignalEnding : public TerminationSignalTest {
protected:
    void SetUp() override {
        TerminationSignalTest::SetUp();
        auto fakePort = std::make_unique<FakeSerialPort>();
        port = fakePort.get();
        MainFrameOptions options;
        options.settingsFolder = userSettingsFolder();
        options.serialPort = std::move(fakePort);
        options.portEnumerator = std::make_unique<FakePortEnumerator>();
        frame = std::make_unique<CMainFrame>(doc, std::move(options));
        frame->show();
    }

    int endOnSignal() {
        return frame->endOnSignal([this](const QString& line) { reported << line; });
    }

    CKVDoc doc;
    FakeSerialPort* port = nullptr;
    std::unique_ptr<CMainFrame> frame;
    QStringList reported;
};

TEST_F(SignalEnding, WithOneSampleNothingIsSavedAndTheLinkEndsAfterTheSettings) {
    recordSamples(doc, *frame, 1);
    EXPECT_EQ(endOnSignal(), 0);
    EXPECT_TRUE(reported.isEmpty());
    EXPECT_TRUE(recordingFiles().isEmpty());
    EXPECT_TRUE(QFile::exists(home.filePath("config/KV4410Pconfig.ini")));
    ASSERT_FALSE(port->written.isEmpty());
    EXPECT_EQ(port->written.last(), bytes({0xAA, 0x55, 0x0E}));
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(SignalEnding, ASaveThatFailsIsReportedAndEndsWithStatusOne) {
    recordSamples(doc, *frame, 4);
    ASSERT_TRUE(QDir(home.path()).mkpath("Documents"));
    QFile blocker(home.filePath(kRecordingFolder)); // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const NextModal anyMessage([](QWidget&) {});

    EXPECT_EQ(endOnSignal(), 1);
    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported[0].startsWith("Could not save " + home.filePath(kRecordingFolder)))
        << reported[0].toStdString();
    EXPECT_TRUE(reported[0].contains(".csv: ")) << reported[0].toStdString();
    QTest::qWait(30);
    EXPECT_FALSE(anyMessage.seen()) << "no one is there to click it away";
    EXPECT_FALSE(frame->isVisible());

    // A second signal changes nothing.
    EXPECT_EQ(endOnSignal(), 1);
    EXPECT_EQ(reported.size(), 1);
}

} // namespace
