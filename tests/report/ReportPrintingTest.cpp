// The Print command's flow with the dialog answered from a script: a cancelled dialog
// prints nothing, the dialog offers no page range or selection, printing to a PDF file
// makes one page named "client   print" from inputs read after the dialog and stamped
// with the time of drawing, and a file that cannot be written says "Initial error!".
#include "report/ReportPrinting.h"

#include "core/CalendarTime.h"
#include "logger/LoggerSet.h"
#include "report/ReportSources.h"
#include "support/PdfTools.h"
#include "support/ScriptedPrintEnvironment.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace calorant {
namespace {

using test::printToFile;
using test::ScriptedPrintEnvironment;

// A source that counts how often it was asked, from a set of ten readings.
struct CountingSource {
    LoggerSet set;
    int calls = 0;
    CountingSource() {
        set.readingCount = 10;
        set.sampleRate = 1;
        setStartFields(set, makeLocalTime(2026, 5, 4, 8, 0, 0));
    }
    ReportSource source() {
        return [this] {
            ++calls;
            return loggerReport(set, {true, true, true, true, true}, 10, 0);
        };
    }
};

TEST(PrintFlow, ACancelledDialogPrintsNothingAndSaysNothing) {
    ScriptedPrintEnvironment environment;
    environment.answer = [](QPrintDialog&) { return false; };
    CountingSource report;
    EXPECT_EQ(printReport(nullptr, report.source(), environment), PrintOutcome::Cancelled);
    EXPECT_EQ(report.calls, 0);
    EXPECT_TRUE(environment.messages.isEmpty());

    // The dialog it showed: one page, so no range, selection or current page to pick;
    // printing to a file is offered.
    EXPECT_FALSE(environment.options.testFlag(QAbstractPrintDialog::PrintPageRange));
    EXPECT_FALSE(environment.options.testFlag(QAbstractPrintDialog::PrintSelection));
    EXPECT_FALSE(environment.options.testFlag(QAbstractPrintDialog::PrintCurrentPage));
    EXPECT_TRUE(environment.options.testFlag(QAbstractPrintDialog::PrintToFile));
    EXPECT_EQ(environment.documentName, QStringLiteral("client   print"));
}

TEST(PrintFlow, PrintingToAFileMakesOnePageFromTheInputsOfThatMoment) {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("report.pdf");
    ScriptedPrintEnvironment environment;
    CountingSource report;
    const auto choose = printToFile(pdf);
    environment.answer = [&](QPrintDialog& dialog) {
        EXPECT_EQ(report.calls, 0); // nothing is read before the user has chosen
        report.set.readingCount = 400;
        return choose(dialog);
    };
    EXPECT_EQ(printReport(nullptr, report.source(), environment), PrintOutcome::Printed);
    EXPECT_EQ(report.calls, 1);
    EXPECT_TRUE(environment.messages.isEmpty());

    EXPECT_EQ(test::pdfInfo(pdf, "Pages"), "1");
    EXPECT_EQ(test::pdfInfo(pdf, "Title"), "client   print");
    const QString text = test::pdfText(pdf);
    EXPECT_TRUE(text.contains("Test Report")) << text.toStdString();
    EXPECT_TRUE(text.contains("08:06:40")) << text.toStdString(); // 400 readings of 1 s
    EXPECT_TRUE(text.contains("2026-05-04 13:45")) << text.toStdString();
}

TEST(PrintFlow, APrintFileThatCannotBeWrittenSaysInitialError) {
    QTemporaryDir folder;
    const QString pdf = folder.filePath("missing/report.pdf");
    ScriptedPrintEnvironment environment;
    environment.answer = printToFile(pdf);
    CountingSource report;
    EXPECT_EQ(printReport(nullptr, report.source(), environment), PrintOutcome::InitialError);
    EXPECT_EQ(environment.messages, QStringList{"Initial error!"});
    EXPECT_EQ(report.calls, 0);
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

} // namespace
} // namespace calorant
