#include "cli/CliCommand.h"

namespace calorant::cli {

CliCommand infoCommand();
CliCommand csvCommand();
CliCommand liveCommand();
CliCommand sendCommand();
CliCommand downloadCommand();
CliCommand recordCommand();
CliCommand reportCommand();

// Each command lives in its own file; this table is the only place that lists them.
const std::vector<CliCommand>& cliCommands() {
    static const std::vector<CliCommand> commands{
        infoCommand(), csvCommand(),      reportCommand(), liveCommand(),
        sendCommand(), downloadCommand(), recordCommand(),
    };
    return commands;
}

} // namespace calorant::cli
