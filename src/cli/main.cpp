// calorant-cli: the headless companion of Calorant, on the same link and core code.
#include "cli/CliCommand.h"

#include <QCoreApplication>
#include <cstdio>
#include <string>
#include <vector>

using namespace calorant::cli;

static void printUsage(std::FILE* out) {
    std::fprintf(out, "usage: calorant-cli COMMAND [OPTIONS]\n\ncommands:\n");
    for (const CliCommand& command : cliCommands())
        std::fprintf(out, "  %.*s\n", int(command.usage.size()), command.usage.data());
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        printUsage(stderr);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printUsage(stdout);
        return kExitOk;
    }
    for (const CliCommand& command : cliCommands()) {
        if (command.name == args[0])
            return command.run(std::vector<std::string>(args.begin() + 1, args.end()));
    }
    std::fprintf(stderr, "calorant-cli: unknown command '%s' (see calorant-cli --help)\n",
                 args[0].c_str());
    return kExitUsage;
}
