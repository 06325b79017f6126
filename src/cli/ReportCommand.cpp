// calorant-cli report FILE.graph -o OUT.pdf [--page-size NAME]: the logger report of a
// .graph file's set as a one-page PDF, the page the logger window's Print makes, with
// all five channels on the file's own vertical scale, stamped with the time it runs.
#include "cli/CliCommand.h"
#include "cli/CliReport.h"
#include "cli/CommandOptions.h"
#include "cli/GraphFileInput.h"
#include "report/ReportPdf.h"
#include "report/ReportSources.h"

#include <QPageSize>
#include <ctime>
#include <optional>

namespace calorant::cli {

namespace {

constexpr std::string_view kReportUsage = "report FILE.graph -o OUT.pdf [--page-size NAME]";

struct ReportOptions {
    std::string input;
    std::string output;
    std::string pageSize = "A4";
};

std::optional<ReportOptions> parseReportOptions(const std::vector<std::string>& args) {
    CommandOptions parser("report");
    parser.addValues({"o", "page-size"});
    if (parser.parse(args) || parser.positional().size() != 1 || parser.count("o") != 1 ||
        parser.count("page-size") > 1)
        return std::nullopt;
    ReportOptions options;
    options.input = parser.positional().front();
    options.output = parser.value("o");
    if (parser.isSet("page-size"))
        options.pageSize = parser.value("page-size");
    if (options.input.empty() || options.output.empty())
        return std::nullopt;
    return options;
}

// A paper size by its usual name ("A4", "Letter", "Legal", "A3", ...), in any case.
std::optional<QPageSize> pageSizeNamed(const std::string& name) {
    const QString wanted = QString::fromStdString(name);
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto sizeId = static_cast<QPageSize::PageSizeId>(id);
        if (sizeId != QPageSize::Custom &&
            QPageSize::key(sizeId).compare(wanted, Qt::CaseInsensitive) == 0)
            return QPageSize(sizeId);
    }
    return std::nullopt;
}

int runReport(const std::vector<std::string>& args) {
    const std::optional<ReportOptions> options = parseReportOptions(args);
    if (!options)
        return reportUsage(kReportUsage);
    const std::optional<QPageSize> pageSize = pageSizeNamed(options->pageSize);
    if (!pageSize)
        return reportUsageError("report: unknown page size '" + options->pageSize + "'");
    const std::optional<GraphFileContents> input = loadGraphFile("report", options->input);
    if (!input)
        return kExitFailure;

    ReportInputs report =
        loggerReport(input->set, {true, true, true, true, true}, input->yGain, input->yOffset);
    report.printTime = std::time(nullptr);
    const QByteArray pdf = reportPdf(report, *pageSize);
    if (pdf.isEmpty())
        return reportFailure("report: the page could not be drawn");
    return writeOutputFile("report", options->output,
                           std::string_view(pdf.constData(), std::size_t(pdf.size())));
}

} // namespace

CliCommand reportCommand() {
    return {"report", kReportUsage, runReport, true};
}

} // namespace calorant::cli
