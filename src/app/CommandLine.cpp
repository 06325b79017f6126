#include "app/CommandLine.h"

namespace calorant {
namespace {

ParsedCommandLine usageError(const QString& reason) {
    return {{}, reason};
}

} // namespace

ParsedCommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine result;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!optionsEnded && argument.startsWith(QLatin1String("-"))) {
            if (argument == QLatin1String("--")) {
                optionsEnded = true;
            } else if (argument == QLatin1String("--demo")) {
                result.demo = true;
            } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
                result.showHelp = true;
            } else if (argument == QLatin1String("--device") ||
                       argument.startsWith(QLatin1String("--device="))) {
                const bool separate = argument == QLatin1String("--device");
                if (separate)
                    result.devicePath = i + 1 < arguments.size() ? arguments[++i] : QString();
                else
                    result.devicePath = argument.mid(argument.indexOf(QLatin1Char('=')) + 1);
                if (result.devicePath.isEmpty())
                    return usageError(QStringLiteral("--device needs a device path"));
            } else {
                return usageError(QStringLiteral("unknown option %1").arg(argument));
            }
            continue;
        }
        if (!result.graphFile.isEmpty())
            return usageError(QStringLiteral("only one .graph file can be opened"));
        result.graphFile = argument;
    }
    if (result.demo && !result.devicePath.isEmpty())
        return usageError(QStringLiteral("--demo and --device cannot be used together"));
    return {result, {}};
}

QString commandLineUsage() {
    return QStringLiteral(
        "Usage: calorant [--device PATH] [--demo] [FILE.graph]\n"
        "  --device PATH  use this serial device as the meter's port (no port scan)\n"
        "  --demo         start the meter emulator calorant-meter-sim and use it\n"
        "  FILE.graph     open this recording at start-up\n");
}

} // namespace calorant
