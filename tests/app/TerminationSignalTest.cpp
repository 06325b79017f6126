// Ending on a termination signal with nobody at the screen: the real signal delivered to
// the programme's own handling asks nothing, writes the settings and saves the recording
// into the recording folder under the proposed name, reports both files on its message
// stream, and ends with status 0.
#include "WindowRecording.h"
#include "app/CMainFrame.h"
#include "app/CMeterApp.h"
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
    test::recordSamples(app.document(), 3);
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

} // namespace
