// Both Saves of the programme, the main window's of the recording and the logger
// window's of a downloaded set, made through their real dialogs over files of the same
// names, onto a full disk and into a read-only folder: the message names the file and
// the reason, the old files are kept byte for byte and no temporary file is left; once
// the fault is gone the same Save replaces them.
#include "WindowOnEmulator.h"
#include "loggerview/LoggerToolBar.h"
#include "support/FileFaults.h"

#include <functional>

namespace calorant::test {
namespace {

class WindowSaveFaults : public WindowOnEmulator {
protected:
    // A folder holding older files under the names the save will take.
    QString folderWithOldFiles(const QString& name, const QString& stem) {
        const QString folder = home.filePath(name);
        QDir().mkpath(folder);
        writeFile(folder + '/' + stem + ".graph", "an older graph file");
        writeFile(folder + '/' + stem + ".csv", "an older table");
        return folder;
    }

    // `save` asks for `path`, which exists, is told to replace it, and fails; returns the
    // message it showed.
    QString refusedSave(const std::function<void()>& save, const QString& path) {
        ModalScript script({chooseFile(path), answerYes, closeModal});
        save();
        EXPECT_TRUE(QTest::qWaitFor([&] { return script.seen.size() == 3; }, 5000))
            << script.seen.join(" | ").toStdString();
        return script.seen.value(2);
    }

    // The same save with nothing in its way, which replaces both files.
    void expectSaveGoesThrough(const std::function<void()>& save, const QString& folder,
                               const QString& stem) {
        const QMap<QString, QByteArray> before = folderContents(folder);
        ModalScript script({chooseFile(folder + '/' + stem + ".graph"), answerYes});
        save();
        QTest::qWait(50);
        EXPECT_EQ(script.seen.size(), 2) << script.seen.join(" | ").toStdString();
        const QMap<QString, QByteArray> after = folderContents(folder);
        EXPECT_EQ(after.keys(), before.keys());
        EXPECT_NE(after.value(stem + ".graph"), before.value(stem + ".graph"));
        EXPECT_TRUE(after.value(stem + ".csv").startsWith("\xFF\xFE"));
    }

    // The full disk, then the read-only folder, then neither.
    void expectFaultsRefusedThenSaved(const std::function<void()>& save, const QString& stem) {
        const QString full = folderWithOldFiles(QStringLiteral("full"), stem);
        const QMap<QString, QByteArray> fullBefore = folderContents(full);
        {
            const FileSizeLimit diskFull(64);
            const QString message = refusedSave(save, full + '/' + stem + ".graph");
            EXPECT_TRUE(message.startsWith("Calorant: Could not save " + full + '/' + stem))
                << message.toStdString();
            EXPECT_TRUE(message.endsWith(QStringLiteral(": File too large")))
                << message.toStdString();
        }
        EXPECT_EQ(contentsDifference(fullBefore, folderContents(full)).toStdString(), "");
        expectSaveGoesThrough(save, full, stem);

        const QString locked = folderWithOldFiles(QStringLiteral("locked"), stem);
        const QMap<QString, QByteArray> lockedBefore = folderContents(locked);
        {
            const ReadOnlyFolder readOnly(locked);
            if (!readOnly.usable())
                GTEST_SKIP() << "this process writes into a folder without write permission "
                                "(root, and its permission override cannot be dropped)";
            const QString message = refusedSave(save, locked + '/' + stem + ".graph");
            EXPECT_TRUE(message.startsWith("Calorant: Could not save " + locked + '/' + stem))
                << message.toStdString();
            EXPECT_TRUE(message.endsWith(QStringLiteral(": Permission denied")))
                << message.toStdString();
        }
        EXPECT_EQ(contentsDifference(lockedBefore, folderContents(locked)).toStdString(), "");
        expectSaveGoesThrough(save, locked, stem);
    }
};

TEST_F(WindowSaveFaults, TheRecordingsSaveThatCannotWriteSaysWhyAndKeepsTheOldFiles) {
    start({"--scenario", "fixed", "--frame-interval", "100"});
    recordAndStop();
    expectFaultsRefusedThenSaved([this] { command(kCmdSave).trigger(); }, QStringLiteral("run"));
    expectRecordingAsItWas();
}

TEST_F(WindowSaveFaults, TheLoggerWindowsSaveThatCannotWriteSaysWhyAndKeepsTheOldFiles) {
    startWithLogger("sets");
    command(kCmdDataLogger).trigger();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return loggerWindow() && loggerWindow()->isVisible(); }, 10000));
    loggerWindow()->showListRow(0);
    QAction& save = *loggerWindow()->command(kLoggerSave);
    ASSERT_TRUE(QTest::qWaitFor([&] { return save.isEnabled(); }, 2000)); // at the next paint
    expectFaultsRefusedThenSaved([&save] { save.trigger(); }, QStringLiteral("12-24-19 09.15.30"));
}

} // namespace
} // namespace calorant::test
