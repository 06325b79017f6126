// calorant-cli: the headless companion of Calorant, on the same link and core code.
#include "cli/CliCommand.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace calorant::cli;

static void printUsage(std::FILE* out) {
    std::fprintf(out, "usage: calorant-cli COMMAND [OPTIONS]\n\ncommands:\n");
    for (const CliCommand& command : cliCommands())
        std::fprintf(out, "  %.*s\n", int(command.usage.size()), command.usage.data());
}

static void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

// A command that draws pages gets a GUI application for its fonts, on the offscreen
// platform so that it runs without a display. What the platform says while it starts
// (a desktop session it does not find, for one) is left out: a command's output is its
// own lines.
static std::unique_ptr<QCoreApplication> makeApplication(const CliCommand& command, int& argc,
                                                         char** argv) {
    if (!command.drawsPages)
        return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QtMessageHandler previous = qInstallMessageHandler(dropMessage);
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(previous);
    return app;
}

int main(int argc, char** argv) {
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
        if (command.name == args[0]) {
            const auto app = makeApplication(command, argc, argv);
            return command.run(std::vector<std::string>(args.begin() + 1, args.end()));
        }
    }
    std::fprintf(stderr, "calorant-cli: unknown command '%s' (see calorant-cli --help)\n",
                 args[0].c_str());
    return kExitUsage;
}
