#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace calorant::cli {

// Exit status of every command: 0 success, 1 failure, 2 usage error. A command
// that fails prints one line with the reason on stderr.
enum ExitStatus : int { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

struct CliCommand {
    std::string_view name;
    std::string_view usage; // one line, shown by --help
    std::function<int(const std::vector<std::string>& args)> run;
    // The command draws pages and so needs fonts: it runs in a GUI application on the
    // offscreen platform, which needs no display.
    bool drawsPages = false;
};

// Every command of calorant-cli; main() dispatches on the first argument.
const std::vector<CliCommand>& cliCommands();

} // namespace calorant::cli
