// calorant-cli record and download against the meter emulator over a pseudo-terminal
// when the meter lets them down: unplugged during a recording, which stops by silence
// and keeps what it had; unplugged halfway through a download, a stream that stops
// halfway and a meter that never answers, which end with one line, status 1 and no
// folder or file; and a memory that is no memory image, whose stray set markers each
// begin a set that is saved.
#include "cli/CliEmulator.h"
#include "support/FileFaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>

using namespace cli_test;
using calorant::test::folderContents;

namespace {

// The emulator publishing its device at a link in `dir`, which follows it through an
// unplug; returns the link.
QString startEmulator(std::optional<Emulator>& emulator, const QTemporaryDir& dir,
                      QStringList args) {
    const QString link = dir.filePath(QStringLiteral("meter"));
    emulator.emplace(args << QStringLiteral("--scenario") << QStringLiteral("fixed")
                          << QStringLiteral("--frame-interval") << QStringLiteral("100")
                          << QStringLiteral("--link") << link);
    EXPECT_FALSE(emulator->pty().isEmpty()) << "the emulator did not start";
    return link;
}

CliResult download(const QString& logger, const QString& outDir) {
    QTemporaryDir dir;
    std::optional<Emulator> emulator;
    const QString meter = startEmulator(emulator, dir,
                                        {QStringLiteral("--logger"), logger,
                                         QStringLiteral("--pace"), QStringLiteral("fast"),
                                         QStringLiteral("--replug-after"), QStringLiteral("500")});
    return runCli({QStringLiteral("download"), QStringLiteral("--device"), meter,
                   QStringLiteral("--out-dir"), outDir});
}

TEST(CliLinkFaults, AMeterUnpluggedWhileRecordingStopsItBySilenceAndWhatCameIsSaved) {
    QTemporaryDir dir;
    std::optional<Emulator> emulator;
    // Unplugged for long enough that the scan a second after the port broke finds
    // nothing, then back; a recording asked to last well beyond the unplug.
    const QString meter = startEmulator(emulator, dir,
                                        {QStringLiteral("--unplug-after"), QStringLiteral("2500"),
                                         QStringLiteral("--replug-after"), QStringLiteral("2500")});
    const QString graph = dir.filePath(QStringLiteral("out/run.graph"));
    QDir().mkpath(dir.filePath(QStringLiteral("out")));

    const CliResult result =
        runCli({"record", "--device", meter, "--rate", "1", "--seconds", "25", "--out", graph});

    EXPECT_EQ(result.exitCode, 1);
    ASSERT_EQ(result.errLines.size(), 1) << result.errLines.join('\n').toStdString();
    const QRegularExpression silence(
        QStringLiteral(R"(^calorant-cli: the meter went silent: the recording stopped after )"
                       R"((\d+) samples \((\d+) readings\)$)"));
    const QRegularExpressionMatch stopped = silence.match(result.errLines[0]);
    ASSERT_TRUE(stopped.hasMatch()) << result.errLines[0].toStdString();
    const int samples = stopped.captured(1).toInt();
    const int readings = stopped.captured(2).toInt();
    // About 2.5 s of frames at one sample a second, then repeats until the silence ends it
    // five to ten seconds later.
    EXPECT_GE(readings, 1);
    EXPECT_LE(readings, 4);
    EXPECT_GT(samples, readings);
    EXPECT_LE(samples, readings + 11);

    // What came before the unplug is saved whole, and nothing else lies beside it.
    QFile file(graph);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.size(), 49 + 20 * samples);
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + 8), samples);
    EXPECT_EQ(folderContents(dir.filePath(QStringLiteral("out"))).keys(),
              (QStringList{"run.csv", "run.graph"}));
}

TEST(CliLinkFaults, ADownloadCutShortEndsWithOneLineAndNoFolder) {
    struct Case {
        const char* logger;
        QString reason;
    };
    const int total = 3 * 11 + 330 * 10 + 10; // the emulator's three sets and the closing bytes
    for (const Case& c :
         {Case{"unplug", "the meter's port went away during the download; nothing was saved"},
          Case{"mute", "the meter did not answer the logger request"},
          Case{"halfway", QStringLiteral("the logger memory stopped coming after %1 of %2 bytes; "
                                         "nothing was saved")
                              .arg(total / 2)
                              .arg(total)}}) {
        QTemporaryDir dir;
        const QString outDir = dir.filePath(QStringLiteral("sets"));
        const CliResult result = download(QString::fromLatin1(c.logger), outDir);
        EXPECT_EQ(result.exitCode, 1) << c.logger;
        EXPECT_EQ(result.errLines, QStringList{"calorant-cli: " + c.reason}) << c.logger;
        EXPECT_TRUE(result.outLines.isEmpty()) << c.logger;
        EXPECT_FALSE(QFileInfo::exists(outDir)) << c.logger;
    }
}

TEST(CliLinkFaults, AGarbageMemoryIsSavedAsTheSetsItsStraySetMarkersBegin) {
    QTemporaryDir dir;
    const QString outDir = dir.filePath(QStringLiteral("sets"));

    const CliResult result = download(QStringLiteral("garbage"), outDir);

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
