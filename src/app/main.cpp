// calorant: the desktop companion of the five-channel temperature meter.
#include "app/CMainFrame.h"
#include "app/CMeterApp.h"
#include "app/CommandLine.h"
#include "app/TerminationSignals.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Calorant"));
    QApplication::setApplicationVersion(QStringLiteral("3.0.1"));
    QGuiApplication::setDesktopFileName(QStringLiteral("calorant"));

    const calorant::ParsedCommandLine parsed =
        calorant::parseCommandLine(QApplication::arguments().mid(1));
    if (!parsed.error.isEmpty()) {
        std::fprintf(stderr, "calorant: %s\n%s", qPrintable(parsed.error),
                     qPrintable(calorant::commandLineUsage()));
        return 2;
    }
    if (parsed.commandLine.showHelp) {
        std::fputs(qPrintable(calorant::commandLineUsage()), stdout);
        return 0;
    }

    calorant::CMeterApp meterApp(parsed.commandLine, calorant::userSettingsFolder());
    calorant::handleTerminationSignals([&meterApp] {
        if (calorant::CMainFrame* frame = meterApp.mainFrame())
            frame->close();
        QApplication::quit();
    });
    meterApp.initInstance();
    return QApplication::exec();
}
