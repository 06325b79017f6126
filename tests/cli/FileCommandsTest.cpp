// calorant-cli's file commands run as a separate process: `info` shows every field of
// a .graph file as text and JSON, `csv` writes the same bytes as the logger's Save,
// refused files print "Invalid Format!" and exit 1, and usage errors exit 2.
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliRun runCli(const QStringList& args) {
    QProcess process;
    process.start(qEnvironmentVariable("CALORANT_BIN_DIR") + "/calorant-cli", args);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

QString golden(const char* name) {
    return QString(CALORANT_GOLDEN_DIR "/") + name;
}

std::string fileBytes(const QString& path) {
    std::ifstream in(std::filesystem::path(path.toStdString()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(InfoCommand, PrintsEveryFieldAndEveryReadingOfTheFile) {
    const CliRun run = runCli({"info", golden("three-readings.graph")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "readingCount: 3\n"
                       "unit: 2 (K)\n"
                       "startYear: 2026\n"
                       "startMonth: 12\n"
                       "startDay: 7\n"
                       "startHour: 14\n"
                       "startMinute: 5\n"
                       "startSecond: 9\n"
                       "sampleRate: 2\n"
                       "yGain: 5\n"
                       "yOffset: -2\n"
                       "readings (degrees C):\n"
                       "No\tT1\tT2\tIR\tT3\tT4\n"
                       "1\t20\t25.3\t2950\t-12.5\t2900\n"
                       "2\t20.1\t25.4\t30\t-12.4\t0\n"
                       "3\t20.2\t25.5\t31.5\t-12.3\t100\n");
}

TEST(InfoCommand, JsonHoldsTheSameFieldsAsOneObject) {
    const CliRun run = runCli({"info", "--json", golden("three-readings.graph")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    // One object on one line; the values as the file's floats print at their shortest.
    ASSERT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1);
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(run.out)),
              QJsonDocument::fromJson(
                  "{\"readingCount\":3,\"unit\":2,\"startYear\":2026,\"startMonth\":12,"
                  "\"startDay\":7,\"startHour\":14,\"startMinute\":5,\"startSecond\":9,"
                  "\"sampleRate\":2,\"yGain\":5,\"yOffset\":-2,\"unitText\":\"K\","
                  "\"values\":[[20,25.3,2950,-12.5,2900],[20.1,25.4,30,-12.4,0],"
                  "[20.2,25.5,31.5,-12.3,100]]}"));
    EXPECT_NE(run.out.find("[20.2,25.5,31.5,-12.3,100]"), std::string::npos) << run.out;
}

TEST(FileCommands, ARefusedFileSaysInvalidFormatAndFails) {
    const QString notAGraph = golden("three-readings.csv");
    for (const QStringList& args :
         {QStringList{"info", notAGraph}, QStringList{"csv", notAGraph, "-o", "/dev/null"}}) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_EQ(run.err, "Invalid Format!\n");
        EXPECT_TRUE(run.out.empty());
    }
}

TEST(FileCommands, AMissingInputFileFailsWithTheReason) {
    const CliRun run = runCli({"info", "/no/such/file.graph"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("/no/such/file.graph"), std::string::npos);
}

TEST(FileCommands, UsageErrorsExitWithTwo) {
    const QString file = golden("three-readings.graph");
    for (const QStringList& args :
         {QStringList{"info"}, QStringList{"info", file, file}, QStringList{"info", file, "--xml"},
          QStringList{"csv", file}, QStringList{"csv", "-o", "out.csv"},
          QStringList{"csv", file, "-o"}}) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_NE(run.err.find("usage"), std::string::npos);
    }
}

TEST(CsvCommand, WritesTheLoggerCsvOfTheFile) {
    QTemporaryDir folder;
    const QString out = folder.filePath("out.csv");
    const CliRun run = runCli({"csv", golden("three-readings.graph"), "-o", out});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(fileBytes(out), fileBytes(golden("three-readings.csv")));
}

TEST(CsvCommand, AnOutputThatCannotBeWrittenFailsWithTheFileAndReason) {
    QTemporaryDir folder;
    const QString out = folder.filePath("missing/out.csv");
    const CliRun run = runCli({"csv", golden("three-readings.graph"), "-o", out});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find(out.toStdString()), std::string::npos);
    EXPECT_NE(run.err.find("No such file or directory"), std::string::npos);
}

} // namespace
