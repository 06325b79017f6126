// calorant-cli record end to end against the emulator's fixed channels: three samples at
// one second, saved as the .graph file (every sample, the unit, the settings file's Y
// gain and offset) and its UTF-16 CSV companion (one row per fresh reading); and the
// arguments it refuses.
#include "cli/CliEmulator.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

using namespace cli_test;

namespace {

qint32 int32At(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

float floatAt(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<float>(bytes.constData() + offset);
}

} // namespace

TEST(RecordCommand, RecordsThreeSamplesAndSavesTheGraphAndItsCsvWithTheSettingsYScale) {
    QTemporaryDir dir;
    QFile settings(dir.filePath(QStringLiteral("KV4410Pconfig.ini")));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[GainInfo]\r\nGain=20\r\n[OffsetInfo]\r\nOffset=5\r\n");
    settings.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path());
    const Emulator emulator({QStringLiteral("--scenario"), QStringLiteral("fixed"),
                             QStringLiteral("--frame-interval"), QStringLiteral("250")});
    ASSERT_FALSE(emulator.pty().isEmpty());
    const QString graphPath = dir.filePath(QStringLiteral("run.graph"));

    const CliResult result =
        runCli({QStringLiteral("record"), QStringLiteral("--device"), emulator.pty(),
                QStringLiteral("--rate"), QStringLiteral("1"), QStringLiteral("--samples"),
                QStringLiteral("3"), QStringLiteral("--out"), graphPath},
               environment);

    ASSERT_EQ(result.exitCode, 0) << result.errLines.join('\n').toStdString();
    QFile graph(graphPath);
    ASSERT_TRUE(graph.open(QIODevice::ReadOnly));
    const QByteArray bytes = graph.readAll();
    ASSERT_EQ(bytes.size(), 49 + 3 * 20);
    EXPECT_EQ(bytes.left(8), QByteArray("\x07KV4410M"));
    EXPECT_EQ(int32At(bytes, 8), 3);
    for (int sample = 0; sample < 3; ++sample) {
        EXPECT_FLOAT_EQ(floatAt(bytes, 12 + sample * 20), 25.0f);
        EXPECT_FLOAT_EQ(floatAt(bytes, 12 + sample * 20 + 4), -20.0f);
    }
    EXPECT_EQ(bytes[72], 0);            // unit C
    EXPECT_EQ(int32At(bytes, 97), 1);   // rate in seconds
    EXPECT_EQ(int32At(bytes, 101), 20); // Y gain
    EXPECT_EQ(int32At(bytes, 105), 5);  // Y offset

    QFile csv(dir.filePath(QStringLiteral("run.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QByteArray csvBytes = csv.readAll();
    ASSERT_TRUE(csvBytes.startsWith("\xFF\xFE"));
    const QString text = QString::fromUtf16(
        reinterpret_cast<const char16_t*>(csvBytes.constData() + 2), (csvBytes.size() - 2) / 2);
    const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1\t25.0\t-20.0\t30.0\t0.0\t100.0\tC\t ")))
        << lines[1].toStdString();
}

TEST(RecordCommand, RefusesArgumentsThatDoNotDescribeOneRecording) {
    const QStringList base{QStringLiteral("record"), QStringLiteral("--device"),
                           QStringLiteral("/dev/null"), QStringLiteral("--out"),
                           QStringLiteral("x.graph")};
    EXPECT_EQ(
        runCli(base + QStringList{"--rate", "1", "--samples", "3", "--seconds", "3"}).exitCode, 2);
    EXPECT_EQ(runCli(base + QStringList{"--rate", "0", "--samples", "3"}).exitCode, 2);
    EXPECT_EQ(runCli(base + QStringList{"--rate", "1", "--samples", "10001"}).exitCode, 2);
    EXPECT_EQ(runCli(base + QStringList{"--rate", "1"}).exitCode, 2);
}
