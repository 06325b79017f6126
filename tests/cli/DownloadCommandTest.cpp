// calorant-cli download end to end against the emulator's logger memory, streamed as
// fast as the terminal takes it: every set saved as .graph and .csv under its start time
// and listed; a memory of several 20000-byte blocks; an empty and an oversized memory
// end with a reason and no files.
#include "cli/CliEmulator.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace cli_test;

namespace {

CliResult download(const QString& logger, const QString& outDir) {
    const Emulator emulator({QStringLiteral("--scenario"), QStringLiteral("fixed"),
                             QStringLiteral("--logger"), logger, QStringLiteral("--pace"),
                             QStringLiteral("fast")});
    EXPECT_FALSE(emulator.pty().isEmpty()) << "the emulator did not start";
    return runCli({QStringLiteral("download"), QStringLiteral("--device"), emulator.pty(),
                   QStringLiteral("--out-dir"), outDir});
}

// A .graph file holds 49 bytes and 20 per reading.
qint64 graphSize(int readings) {
    return 49 + 20 * qint64(readings);
}

} // namespace

TEST(DownloadCommand, SavesEveryRecordSetUnderItsStartTimeAndListsIt) {
    QTemporaryDir dir;
    const QString outDir = dir.filePath(QStringLiteral("sets"));

    const CliResult result = download(QStringLiteral("sets"), outDir);

    ASSERT_EQ(result.exitCode, 0) << result.errLines.join('\n').toStdString();
    ASSERT_EQ(result.outLines.size(), 3);
    EXPECT_EQ(result.outLines[0],
              QStringLiteral("set 1: start 12/24/19 09:15:30, unit C, rate 1 s, "
                             "60 readings, saved as 12-24-19 09.15.30.graph"));
    EXPECT_TRUE(result.outLines[2].startsWith(QStringLiteral("set 3: start 01/06/20 08:30:00")));
    const QList<QPair<QString, int>> sets{{QStringLiteral("12-24-19 09.15.30"), 60},
                                          {QStringLiteral("01-05-20 14.00.00"), 240},
                                          {QStringLiteral("01-06-20 08.30.00"), 30}};
    for (const auto& [stem, readings] : sets) {
        EXPECT_EQ(QFileInfo(outDir + '/' + stem + ".graph").size(), graphSize(readings))
            << stem.toStdString();
        EXPECT_GT(QFileInfo(outDir + '/' + stem + ".csv").size(), 0) << stem.toStdString();
    }
    EXPECT_EQ(QDir(outDir).entryList(QDir::Files).size(), 6);
}

TEST(DownloadCommand, TakesAMemoryOfSeveralBlocks) {
    QTemporaryDir dir;
    const QString outDir = dir.filePath(QStringLiteral("large"));

    const CliResult result = download(QStringLiteral("large"), outDir);

    ASSERT_EQ(result.exitCode, 0) << result.errLines.join('\n').toStdString();
    EXPECT_EQ(result.outLines.size(), 10);
    EXPECT_EQ(QDir(outDir).entryList(QDir::Files).size(), 20);
}

TEST(DownloadCommand, AnEmptyOrOversizedMemoryEndsWithAReasonAndNoFiles) {
    QTemporaryDir dir;
    const QString outDir = dir.filePath(QStringLiteral("none"));

    const CliResult empty = download(QStringLiteral("empty"), outDir);
    EXPECT_EQ(empty.exitCode, 1);
    ASSERT_EQ(empty.errLines.size(), 1);
    EXPECT_TRUE(empty.errLines[0].endsWith(QStringLiteral("There is no data on the RAM!")));

    const CliResult oversized = download(QStringLiteral("oversized"), outDir);
    EXPECT_EQ(oversized.exitCode, 1);
    ASSERT_EQ(oversized.errLines.size(), 1);
    EXPECT_TRUE(oversized.errLines[0].contains(QStringLiteral("150000")));

    EXPECT_FALSE(QFileInfo::exists(outDir));
}
