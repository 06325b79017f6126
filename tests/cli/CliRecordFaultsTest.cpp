// calorant-cli record against the meter emulator over a pseudo-terminal when the meter
// is unplugged during the recording: the recording stops by silence, what came before
// the unplug is saved whole, and the command ends with one line and status 1.
#include "cli/CliEmulator.h"
#include "support/FileFaults.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>

using namespace cli_test;
using calorant::test::folderContents;

namespace {

TEST(CliRecordFaults, AMeterUnpluggedWhileRecordingStopsItBySilenceAndWhatCameIsSaved) {
    QTemporaryDir dir;
    std::optional<Emulator> emulator;
    // Unplugged for long enough that the scan a second after the port broke finds
    // nothing, then back; a recording asked to last well beyond the unplug.
    const QString meter =
        startLinkedEmulator(emulator, dir.path(),
                            {QStringLiteral("--unplug-after"), QStringLiteral("2500"),
                             QStringLiteral("--replug-after"), QStringLiteral("3000")});
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

} // namespace
