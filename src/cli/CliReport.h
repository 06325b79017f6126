#pragma once

#include "cli/CliCommand.h"

#include <filesystem>
#include <string_view>

namespace calorant::cli {

// One line "calorant-cli: REASON" on stderr; return the exit status to use.
int reportFailure(std::string_view reason);
int reportUsageError(std::string_view reason);

// "usage: calorant-cli USAGE" on stderr, USAGE being a command's usage line; returns
// the usage-error exit status.
int reportUsage(std::string_view usage);

// Writes a command's output file whole, through a temporary file and a rename, so that
// a failure leaves no partial file. Returns kExitOk, or prints "calorant-cli COMMAND:
// Could not save FILE: REASON" and returns kExitFailure.
int writeOutputFile(std::string_view command, const std::filesystem::path& file,
                    std::string_view bytes);

// Writes one line to stdout and flushes it, so that a reading process sees each
// line as it is made.
void printLine(std::string_view line);

} // namespace calorant::cli
