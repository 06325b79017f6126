// calorant: the desktop companion of the five-channel temperature meter.
#include "app/CMeterApp.h"
#include "app/CommandLine.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

// Help, version and usage errors end the programme with their exit status; nullopt
// means start.
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
    if (parsed.commandLine.showVersion) {
        std::printf("%s\n", qPrintable(calorant::versionLine()));
        return 0;
    }
    return std::nullopt;
}

// Qt's own options (-platform, -style, ...) start with a single dash; only QApplication
// can take them out of the arguments.
bool mayHoldQtOptions(int argc, char** argv) {
    return std::any_of(argv + 1, argv + argc, [](const char* argument) {
        const QLatin1StringView text(argument);
        return text.startsWith(QLatin1Char('-')) && !text.startsWith(QLatin1String("--")) &&
               text != QLatin1String("-h") && text != QLatin1String("-v");
    });
}

// Answers --help, --version and usage errors before a display is needed, where no Qt
// option could be among the arguments. A core application names the programme in the
// usage line as it was started.
std::optional<int> answerBeforeDisplay(int argc, char** argv) {
    if (mayHoldQtOptions(argc, argv))
        return std::nullopt;
    const QCoreApplication core(argc, argv);
    return answerWithoutWindow(calorant::parseCommandLine(QCoreApplication::arguments().mid(1)));
}

} // namespace

int main(int argc, char** argv) {
    if (const auto status = answerBeforeDisplay(argc, argv))
        return *status;

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Calorant"));
    QApplication::setApplicationVersion(calorant::programmeVersion());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.calorant.Calorant"));

    const calorant::ParsedCommandLine parsed =
        calorant::parseCommandLine(QApplication::arguments().mid(1));
    if (const auto status = answerWithoutWindow(parsed))
        return *status;

    calorant::CMeterApp meterApp(parsed.commandLine, calorant::userSettingsFolder(),
                                 calorant::userStateFolder());
    meterApp.exitOnTerminationSignals(&QApplication::exit, stderr);
    meterApp.initInstance();
    return QApplication::exec();
}
