// calorant-cli download against the meter emulator over a pseudo-terminal when the
// meter lets it down: unplugged halfway through the stream, a stream that stops halfway
// and a meter that never answers end with one line, status 1 and no folder or file; a
// memory that is no memory image is saved as the sets its stray set markers begin.
#include "cli/CliEmulator.h"
#include "support/FileFaults.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>
#include <vector>

using namespace cli_test;
using calorant::test::folderContents;

namespace {

// calorant-cli download from an emulator of its own with this logger behaviour, its
// memory sent as fast as it is taken; several run side by side.
class Download {
public:
    explicit Download(const QString& logger) {
        const QString meter = startLinkedEmulator(
            emulator_, dir_.path(),
            {QStringLiteral("--logger"), logger, QStringLiteral("--pace"), QStringLiteral("fast"),
             QStringLiteral("--replug-after"), QStringLiteral("500")});
        cli_.start(binDir() + QStringLiteral("/calorant-cli"),
                   {QStringLiteral("download"), QStringLiteral("--device"), meter,
                    QStringLiteral("--out-dir"), outDir()});
    }
    QString outDir() const { return dir_.filePath(QStringLiteral("sets")); }
    CliResult finish() { return finishProgram(cli_); }

private:
    QTemporaryDir dir_;
    std::optional<Emulator> emulator_;
    QProcess cli_;
};

TEST(CliDownloadFaults, ADownloadCutShortEndsWithOneLineAndNoFolder) {
    struct Case {
        const char* logger;
        QString reason;
    };
    const int total = 3 * 11 + 330 * 10 + 10; // the emulator's three sets and the closing bytes
    const Case cases[] = {
        {"unplug", "the meter's port went away during the download; nothing was saved"},
        {"mute", "the meter did not answer the logger request"},
        {"halfway", QStringLiteral("the logger memory stopped coming after %1 of %2 bytes; "
                                   "nothing was saved")
                        .arg(total / 2)
                        .arg(total)}};
    std::vector<std::unique_ptr<Download>> downloads;
    for (const Case& c : cases)
        downloads.push_back(std::make_unique<Download>(QString::fromLatin1(c.logger)));
    for (std::size_t i = 0; i < downloads.size(); ++i) {
        const Case& c = cases[i];
        const CliResult result = downloads[i]->finish();
        EXPECT_EQ(result.exitCode, 1) << c.logger;
        EXPECT_EQ(result.errLines.join('\n').toStdString(),
                  ("calorant-cli: " + c.reason).toStdString());
        EXPECT_TRUE(result.outLines.isEmpty()) << c.logger;
        EXPECT_FALSE(QFileInfo::exists(downloads[i]->outDir())) << c.logger;
    }
}

TEST(CliDownloadFaults, AGarbageMemoryIsSavedAsTheSetsItsStraySetMarkersBegin) {
    Download download(QStringLiteral("garbage"));
    const CliResult result = download.finish();
    const QString outDir = download.outDir();

    ASSERT_EQ(result.exitCode, 0) << result.errLines.join('\n').toStdString();
    ASSERT_EQ(result.outLines.size(), 4);
    EXPECT_EQ(result.outLines[0],
              QStringLiteral("set 1: start 12/03/61 06:42:20, unit C, rate 0 s, 25 readings, "
                             "saved as 12-03-61 06.42.20.graph"));
    EXPECT_TRUE(result.outLines[1].contains(QStringLiteral(", rate 43606 s, 0 readings, ")));
    EXPECT_TRUE(result.outLines[2].contains(QStringLiteral(", rate 15676 s, 88 readings, ")));
    EXPECT_TRUE(result.outLines[3].contains(QStringLiteral(", rate 65535 s, 0 readings, ")));
    const QMap<QString, QByteArray> files = folderContents(outDir);
    EXPECT_EQ(files.size(), 8);
    EXPECT_EQ(files.value(QStringLiteral("12-03-61 06.42.20.graph")).size(), 49 + 20 * 25);
}

} // namespace
