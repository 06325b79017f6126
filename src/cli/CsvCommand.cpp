// calorant-cli csv FILE.graph -o OUT.csv: the CSV table of any .graph file, as the
// logger window's Save writes it.
#include "cli/CliCommand.h"
#include "cli/CliReport.h"
#include "cli/CommandOptions.h"
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
    CommandOptions parser("csv");
    parser.addValues({"o"});
    if (parser.parse(args) || parser.positional().size() != 1 || parser.count("o") != 1)
        return std::nullopt;
    CsvOptions options{parser.positional().front(), parser.value("o")};
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
