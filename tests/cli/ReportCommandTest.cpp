// calorant-cli report end to end, without a display: the PDF of a day-long set read
// back with poppler holds the title, the caption, the file's own value labels and the
// five time labels on exactly one A4 page (or the page size asked for); a refused input
// or an output that cannot be written fails with one line and leaves no PDF behind;
// usage errors exit with 2.
#include "cli/CliEmulator.h"
#include "core/CalendarTime.h"
#include "logger/LoggerSet.h"
#include "record/GraphFile.h"
#include "support/PdfTools.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fstream>

using namespace cli_test;

namespace {

// A day of readings at one a minute, stored with the Y gain 5 and offset -2.
QString writeDayLongSet(const QTemporaryDir& folder) {
    calorant::LoggerSet set;
    set.readingCount = 1441;
    set.sampleRate = 60;
    calorant::setStartFields(set, calorant::makeLocalTime(2026, 3, 14, 9, 30, 0));
    for (int r = 0; r < set.readingCount; ++r)
        for (int c = 0; c < calorant::kChannelCount; ++c)
            set.values[std::size_t(r) * calorant::kChannelCount + c] = float(5 * c + r % 20);
    const QString path = folder.filePath("day.graph");
    std::ofstream out(path.toStdString(), std::ios::binary);
    calorant::writeGraphFile(out, set, 5, -2);
    return path;
}

// No display at all, and a platform that would need one.
QProcessEnvironment headless() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.insert("QT_QPA_PLATFORM", "xcb");
    return environment;
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

TEST(ReportCommand, WritesTheLoggerReportOfTheFileAsOnePdfPageWithoutADisplay) {
    QTemporaryDir folder;
    const QString input = writeDayLongSet(folder);
    const QString pdf = folder.filePath("day.pdf");
    const QString before =
        QString::fromStdString(calorant::formatTime(std::time(nullptr), "%Y-%m-%d %H:%M"));

    const CliResult result = runCli({"report", input, "-o", pdf}, headless());

    const QString after =
        QString::fromStdString(calorant::formatTime(std::time(nullptr), "%Y-%m-%d %H:%M"));
    ASSERT_EQ(result.exitCode, 0) << result.errLines.join('\n').toStdString();
    EXPECT_TRUE(result.outLines.isEmpty());
    EXPECT_TRUE(result.errLines.isEmpty()) << result.errLines.join('\n').toStdString();
    EXPECT_EQ(calorant::test::pdfInfo(pdf, "Pages"), "1");
    EXPECT_TRUE(calorant::test::pdfInfo(pdf, "Page size").contains("A4"));

    const QString text = calorant::test::pdfText(pdf);
    QStringList expected{"Test Report", "Temperature", "T1", "T2", "IR", "T3", "T4"};
    for (int i = 0; i <= 10; ++i) // the file's scale: (-2 + i) * 5
        expected << QString::number((i - 2) * 5) + ".0";
    expected << "09:30:00"
             << "15:30:00"
             << "21:30:00"
             << "03:30:00";
    for (const QString& piece : expected)
        EXPECT_TRUE(text.contains(piece)) << piece.toStdString() << " in\n" << text.toStdString();
    EXPECT_EQ(text.count("09:30:00"), 2); // the first and the last label, a day apart
    EXPECT_TRUE(text.contains(before) || text.contains(after)) << text.toStdString();
}

TEST(ReportCommand, PrintsOnThePageSizeAskedFor) {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("day.pdf");
    const CliResult result =
        runCli({"report", writeDayLongSet(folder), "--page-size", "letter", "-o", pdf});
    ASSERT_EQ(result.exitCode, 0) << result.errLines.join('\n').toStdString();
    EXPECT_TRUE(calorant::test::pdfInfo(pdf, "Page size").contains("letter"));
}

TEST(ReportCommand, ARefusedFileSaysInvalidFormatAndWritesNothing) {
    QTemporaryDir folder;
    const QString notAGraph = folder.filePath("notes.graph");
    std::ofstream(notAGraph.toStdString()) << "KV4410X and more";
    const CliResult result = runCli({"report", notAGraph, "-o", folder.filePath("out.pdf")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.errLines, QStringList{"Invalid Format!"});
    EXPECT_EQ(entries(folder.path()), QStringList{"notes.graph"});
}

TEST(ReportCommand, AnOutputThatCannotBeWrittenFailsWithOneLineAndLeavesNoFile) {
    QTemporaryDir folder;
    const QString input = writeDayLongSet(folder);
    QDir(folder.path()).mkdir("out");
    // A folder stands where the PDF should go: the page is written and then cannot
    // take its place.
    const QString taken = folder.filePath("out/taken.pdf");
    QDir().mkpath(taken);
    CliResult result = runCli({"report", input, "-o", taken});
    EXPECT_EQ(result.exitCode, 1);
    ASSERT_EQ(result.errLines.size(), 1);
    EXPECT_TRUE(result.errLines[0].startsWith("calorant-cli report: Could not save " + taken))
        << result.errLines[0].toStdString();
    EXPECT_EQ(entries(folder.filePath("out")), QStringList{"taken.pdf"});
    EXPECT_TRUE(QFileInfo(taken).isDir());

    const QString missing = folder.filePath("missing/day.pdf");
    result = runCli({"report", input, "-o", missing});
    EXPECT_EQ(result.exitCode, 1);
    ASSERT_EQ(result.errLines.size(), 1);
    EXPECT_TRUE(result.errLines[0].endsWith("No such file or directory"));
}

TEST(ReportCommand, UsageErrorsExitWithTwo) {
    QTemporaryDir folder;
    const QString input = writeDayLongSet(folder);
    const QString pdf = folder.filePath("day.pdf");
    for (const QStringList& args :
         {QStringList{"report"}, QStringList{"report", input}, QStringList{"report", "-o", pdf},
          QStringList{"report", input, "-o", pdf, "--pages", "2"},
          QStringList{"report", input, "-o", pdf, "--page-size"},
          QStringList{"report", input, input, "-o", pdf}}) {
        const CliResult result = runCli(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(result.errLines.size(), 1) << args.join(' ').toStdString();
    }
    const CliResult unknown = runCli({"report", input, "-o", pdf, "--page-size", "A99"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.errLines, QStringList{"calorant-cli: report: unknown page size 'A99'"});
    EXPECT_FALSE(QFileInfo::exists(pdf));
}
