// calorant-cli csv FILE.graph -o OUT.csv: the CSV table of any .graph file, as the
// logger window's Save writes it.
#include "cli/CliCommand.h"
#include "cli/CliReport.h"
#include "cli/GraphFileInput.h"
#include "record/CsvFile.h"

#include <optional>
#include <sstream>

namespace calorant::cli {

namespace {

constexpr std::string_view kCsvUsage = "csv FILE.graph -o OUT.csv";

struct CsvOptions {
    std::string input;
    std::string output;
};

std::optional<CsvOptions> parseCsvOptions(const std::vector<std::string>& args) {
    CsvOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size() && options.output.empty())
            options.output = args[++i];
        else if (args[i].starts_with("-") || !options.input.empty())
            return std::nullopt;
        else
            options.input = args[i];
    }
    if (options.input.empty() || options.output.empty())
        return std::nullopt;
    return options;
}

int runCsv(const std::vector<std::string>& args) {
    const std::optional<CsvOptions> options = parseCsvOptions(args);
    if (!options)
        return reportUsage(kCsvUsage);
    const std::optional<GraphFileContents> input = loadGraphFile("csv", options->input);
    if (!input)
        return kExitFailure;
    std::ostringstream csv(std::ios::binary);
    writeCsvFile(csv, input->set);
    return writeOutputFile("csv", options->output, csv.view());
}

} // namespace

CliCommand csvCommand() {
    return {"csv", kCsvUsage, runCsv};
}

} // namespace calorant::cli
