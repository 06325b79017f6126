#include "cli/CliCommand.h"

namespace calorant::cli {

// Each command lives in its own file; this table is the only place that lists them.
const std::vector<CliCommand>& cliCommands() {
    static const std::vector<CliCommand> commands{
    };
    return commands;
}

} // namespace calorant::cli
