#pragma once

#include "cli/CliCommand.h"

#include <string_view>

namespace calorant::cli {

// One line "calorant-cli: REASON" on stderr; return the exit status to use.
int reportFailure(std::string_view reason);
int reportUsageError(std::string_view reason);

// "usage: calorant-cli USAGE" on stderr, USAGE being a command's usage line; returns
// the usage-error exit status.
int reportUsage(std::string_view usage);

// Writes one line to stdout and flushes it, so that a reading process sees each
// line as it is made.
void printLine(std::string_view line);

} // namespace calorant::cli
