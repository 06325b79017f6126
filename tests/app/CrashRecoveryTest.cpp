// A recording survives the programme: calorant with the meter emulator records at 1 s
// and is killed with SIGKILL; the next start offers the recording back with its start
// time and sample count, Yes restores every sample taken up to the kill, Save writes
// them all, and closing after that leaves no journal behind.
#include "app/CMainFrame.h"
#include "app/CMeterApp.h"
#include "support/NextModal.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace calorant {
namespace {

namespace fs = std::filesystem;
using test::NextModal;

// Runs the recording child until it has recorded `samples` samples, then kills it.
// Returns the T1 value of each sample it reported.
std::vector<float> recordAndKill(const QString& settings, const QString& state, int samples) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationDirPath() + "/calorant_recording_child",
                {settings, state});
    std::vector<float> t1;
    const QRegularExpression line(QStringLiteral("^sample (\\d+) (\\S+)\\n$"));
    while (static_cast<int>(t1.size()) < samples &&
           (child.canReadLine() || child.waitForReadyRead(15000))) {
        const auto match = line.match(QString::fromUtf8(child.readLine()));
        if (match.hasMatch() && match.captured(1).toInt() == static_cast<int>(t1.size()) + 1)
            t1.push_back(match.captured(2).toFloat());
    }
    child.kill(); // SIGKILL: nothing of the programme runs after it
    child.waitForFinished(5000);
    return t1;
}

TEST(CrashRecovery, ARecordingKilledMidwayIsOfferedBackSavedWholeAndThenRetired) {
    const QString binDir = QCoreApplication::applicationDirPath();
    if (!QFile::exists(binDir + "/calorant-meter-sim"))
        GTEST_SKIP() << "calorant-meter-sim is not built beside the tests";
    QTemporaryDir home; // without a Documents folder, as on a new account
    const QString settings = home.filePath("config");
    const QString state = home.filePath("state/calorant");
    const std::vector<float> reported = recordAndKill(settings, state, 4);
    ASSERT_EQ(reported.size(), 4u) << "the child recorded too little before the kill";

    // The next start, in this process, with the same folders.
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8()); // the documents folder for Save
    QString question;
    const auto answerYes = std::make_unique<NextModal>([&question](QWidget& modal) {
        auto& box = static_cast<QMessageBox&>(modal);
        question = box.text();
        box.button(QMessageBox::Yes)->click();
    });
    CMeterApp app({}, toFilesystemPath(settings), toFilesystemPath(state));
    app.initInstance();
    const SampleStore& store = app.document().sampleStore();
    const auto offered =
        QRegularExpression(
            QStringLiteral("^Calorant did not end normally during a recording\\. Do you want "
                           "to restore the recording started \\d\\d/\\d\\d/\\d\\d "
                           "\\d\\d:\\d\\d:\\d\\d with (\\d+) samples\\?$"))
            .match(question);
    ASSERT_TRUE(offered.hasMatch()) << question.toStdString();
    EXPECT_EQ(offered.captured(1).toInt(), store.sampleCount());
    ASSERT_GE(store.sampleCount(), 4) << "every sample up to the kill";
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(store.recordedSamples(kT1)[i], reported[i], 0.051) << i;
    EXPECT_TRUE(store.stopped());

    // Save proposes its folder and a name; the user takes them.
    const fs::path folder =
        fs::path(home.path().toStdString()) / "Documents" / "KL320 Thermocouple IR Datalogger";
    const NextModal saveDialog([](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr) << modal.metaObject()->className();
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QAction* save = app.mainFrame()->commandAction(kCmdSave);
    ASSERT_TRUE(QTest::qWaitFor([save] { return save->isEnabled(); }, 2000));
    save->trigger();
    std::vector<fs::path> graphs;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".graph")
            graphs.push_back(entry.path());
    ASSERT_EQ(graphs.size(), 1u);
    const fs::path saved = graphs.front();
    ASSERT_TRUE(app.document().openGraphFile(saved).loaded());
    const LoggerSet& file = app.document().loggerSet();
    ASSERT_EQ(file.readingCount, store.sampleCount());
    for (int i = 0; i < file.readingCount; ++i)
        EXPECT_EQ(file.values[static_cast<std::size_t>(i) * kChannelCount + kT1],
                  store.recordedSamples(kT1)[i])
            << i;

    const NextModal noSaveAtClose(
        [](QWidget& modal) { static_cast<QMessageBox&>(modal).button(QMessageBox::No)->click(); });
    app.mainFrame()->close();
    EXPECT_FALSE(fs::exists(fs::path(state.toStdString()) / "recording-1.journal"));
    qputenv("HOME", realHome);
}

} // namespace
} // namespace calorant
