// calorant: the desktop companion of the five-channel temperature meter.
#include "app/CMeterApp.h"
#include "app/CommandLine.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

// Help and usage errors end the programme with their exit status; nullopt means start.
std::optional<int> answerWithoutWindow(const calorant::ParsedCommandLine& parsed) {
    if (!parsed.error.isEmpty()) {
        std::fprintf(stderr, "calorant: %s\n%s", qPrintable(parsed.error),
                     qPrintable(calorant::commandLineUsage()));
        return 2;
    }
    if (parsed.commandLine.showHelp) {
        std::fputs(qPrintable(calorant::commandLineUsage()), stdout);
        return 0;
    }
    return std::nullopt;
}

// Qt's own options (-platform, -style, ...) start with a single dash; only QApplication
// can take them out of the arguments.
bool mayHoldQtOptions(const QStringList& arguments) {
    return std::any_of(arguments.begin(), arguments.end(), [](const QString& argument) {
        return argument.startsWith(QLatin1Char('-')) && !argument.startsWith(QLatin1String("--")) &&
               argument != QLatin1String("-h");
    });
}

} // namespace

int main(int argc, char** argv) {
    // Answer --help and usage errors before a display is needed, where no Qt option
    // could be among the arguments.
    QStringList rawArguments;
    for (int i = 1; i < argc; ++i)
        rawArguments << QString::fromLocal8Bit(argv[i]);
    if (!mayHoldQtOptions(rawArguments))
        if (const auto status = answerWithoutWindow(calorant::parseCommandLine(rawArguments)))
            return *status;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Calorant"));
    QApplication::setApplicationVersion(QStringLiteral("3.0.1"));
    QGuiApplication::setDesktopFileName(QStringLiteral("calorant"));

    const calorant::ParsedCommandLine parsed =
        calorant::parseCommandLine(QApplication::arguments().mid(1));
    if (const auto status = answerWithoutWindow(parsed))
        return *status;

    calorant::CMeterApp meterApp(parsed.commandLine, calorant::userSettingsFolder());
    meterApp.exitOnTerminationSignals(&QApplication::exit, stderr);
    meterApp.initInstance();
    return QApplication::exec();
}
