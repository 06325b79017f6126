#pragma once
// The main window connected to the meter emulator over a real pseudo-terminal, the way a
// user works it: in a home of its own, the emulator's device published as a symbolic
// link that follows it through unplugs, and the commands answered through their real
// dialogs.
#include "app/CMainFrame.h"
#include "app/CMeterApp.h"
#include "app/DataLoggerCommand.h"
#include "cli/CliEmulator.h"
#include "document/CKVDoc.h"
#include "link/MeterLink.h"
#include "loggerview/CLoggerGraphDlg.h"
#include "panel/CSampleRateDlg.h"
#include "support/ModalScript.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace calorant::test {

// Modal handlers for ModalScript.
inline void closeModal(QWidget& modal) {
    modal.close();
}
inline void confirmSampleRate(QWidget& modal) {
    auto* dialog = qobject_cast<CSampleRateDlg*>(&modal);
    ASSERT_NE(dialog, nullptr) << modal.windowTitle().toStdString();
    dialog->accept();
}
// The file dialog takes `path` as if typed and confirmed.
inline std::function<void(QWidget&)> chooseFile(const QString& path) {
    return [path](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr) << modal.windowTitle().toStdString();
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    };
}
// The progress window closes by itself; a handler that leaves it alone.
inline void leaveProgress(QWidget& modal) {
    EXPECT_EQ(modal.windowTitle(), QStringLiteral("logging..."));
}
inline void answerYes(QWidget& modal) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    ASSERT_NE(box, nullptr) << modal.windowTitle().toStdString();
    box->button(QMessageBox::Yes)->click();
}

class WindowOnEmulator : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QFile::exists(cli_test::binDir() + QStringLiteral("/calorant-meter-sim")))
            GTEST_SKIP() << "calorant-meter-sim is not built beside the tests";
        ASSERT_TRUE(home.isValid());
        savedHome = qgetenv("HOME");
        homeMoved = true;
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
        QDir(home.path()).mkpath(QStringLiteral("config"));
    }
    void TearDown() override {
        if (frame) {
            const ModalScript noSave({[](QWidget& modal) {
                if (auto* box = qobject_cast<QMessageBox*>(&modal))
                    box->button(QMessageBox::No)->click();
            }});
            frame->close();
        }
        frame.reset();
        emulator.reset();
        if (!homeMoved)
            return;
        if (savedHome.isNull())
            qunsetenv("HOME");
        else
            qputenv("HOME", savedHome);
        qunsetenv("XDG_CONFIG_HOME");
    }

    // The emulator with `args` besides its device link, and the window on that link once
    // its first frame has come.
    void start(QStringList args) {
        const QString link = home.filePath(QStringLiteral("meter"));
        emulator.emplace(args << QStringLiteral("--link") << link);
        ASSERT_FALSE(emulator->pty().isEmpty()) << "the emulator did not start";
        MainFrameOptions options;
        options.settingsFolder = userSettingsFolder();
        options.deviceOverride = link;
        frame = std::make_unique<CMainFrame>(doc, std::move(options));
        frame->resize(1000, 800);
        frame->show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return frameCount > 0; }, 10000)) << "no live frame";
    }

    QAction& command(CommandId id) const { return *frame->commandAction(id); }
    MeterLink& link() const { return frame->link(); }
    CLoggerGraphDlg* loggerWindow() const { return frame->dataLoggerCommand().loggerWindow(); }

    // Run with the proposed rate of 1 s, confirmed in the Sample Rate Setup dialog, and
    // the wait until `samples` samples are in.
    void runAndRecord(int samples) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return command(kCmdRun).isEnabled(); }, 5000));
        const ModalScript rate({confirmSampleRate});
        command(kCmdRun).trigger();
        ASSERT_EQ(rate.seen, QStringList{"Sample Rate Setup: "});
        ASSERT_TRUE(QTest::qWaitFor([&] { return doc.sampleStore().sampleCount() >= samples; },
                                    2000 * samples + 3000));
    }

    // The emulator with this logger behaviour, its memory sent as fast as it is taken.
    void startWithLogger(const QString& logger) {
        start({"--scenario", "fixed", "--frame-interval", "100", "--logger", logger, "--pace",
               "fast", "--replug-after", "500"});
    }

    // A stopped recording, to be found as it was after a download or a failed save.
    void recordAndStop() {
        runAndRecord(1);
        command(kCmdStop).trigger();
        recordedSamples = doc.sampleStore().sampleCount();
        recordedT1.assign(doc.sampleStore().recordedSamples(kT1).begin(),
                          doc.sampleStore().recordedSamples(kT1).end());
    }

    void expectRecordingAsItWas() const {
        const SampleStore& store = doc.sampleStore();
        EXPECT_FALSE(store.recording());
        EXPECT_EQ(store.sampleCount(), recordedSamples);
        const std::span<const float> t1 = store.recordedSamples(kT1);
        EXPECT_TRUE(std::equal(t1.begin(), t1.end(), recordedT1.begin(), recordedT1.end()));
    }

    // Data Logger, with every modal window it brings handled in turn; returns what they
    // were once `count` have come.
    QStringList downloadSeeing(int count, std::deque<std::function<void(QWidget&)>> handlers,
                               int timeoutMs) {
        ModalScript script(std::move(handlers));
        EXPECT_TRUE(command(kCmdDataLogger).isEnabled());
        command(kCmdDataLogger).trigger();
        EXPECT_TRUE(QTest::qWaitFor([&] { return script.seen.size() >= count; }, timeoutMs))
            << script.seen.join(" | ").toStdString();
        QTest::qWait(20);
        return script.seen;
    }

    // Live frames flow again, without anyone's help.
    void expectLiveAgain() {
        const int framesNow = frameCount;
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return frameCount > framesNow + 2 && !doc.linkOffline(); }, 8000))
            << "no live frame after the download";
        EXPECT_TRUE(link().liveMode());
        EXPECT_FALSE(link().downloadMode());
        EXPECT_TRUE(command(kCmdDataLogger).isEnabled());
    }

    // Every file under the home's documents folder.
    QStringList documentFiles() const {
        QStringList files;
        QDirIterator it(home.filePath(QStringLiteral("Documents")), QDir::Files | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
        return files;
    }

    QTemporaryDir home;
    QByteArray savedHome;
    bool homeMoved = false;
    std::optional<cli_test::Emulator> emulator;
    CKVDoc doc;
    std::unique_ptr<CMainFrame> frame;
    int frameCount = 0;
    int recordedSamples = 0;
    std::vector<float> recordedT1;
    const QMetaObject::Connection frames =
        QObject::connect(&doc, &CKVDoc::frameApplied, [this] { ++frameCount; });
};

} // namespace calorant::test
