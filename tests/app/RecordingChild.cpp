// A programme that records as a user would, for the test to kill: the main window with
// the meter emulator, its journal in the state folder given, Run answered with 1 s as
// soon as it is enabled, and a line "sample <count> <T1>" on stdout for every sample
// recorded.
//   calorant_recording_child SETTINGS_FOLDER STATE_FOLDER
#include "app/CMainFrame.h"
#include "app/CMeterApp.h"
#include "support/NextModal.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <cstdio>
#include <memory>

using namespace calorant;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: calorant_recording_child SETTINGS_FOLDER STATE_FOLDER\n");
        return 2;
    }
    CommandLine commandLine;
    commandLine.demo = true;
    CMeterApp app(commandLine, toFilesystemPath(arguments[1]), toFilesystemPath(arguments[2]));
    app.initInstance();

    CKVDoc& doc = app.document();
    QAction* run = app.mainFrame()->commandAction(kCmdRun);
    std::unique_ptr<test::NextModal> rateDialog;
    QObject::connect(run, &QAction::changed, [&] {
        if (rateDialog || !run->isEnabled())
            return;
        rateDialog = std::make_unique<test::NextModal>([](QWidget& dialog) {
            dialog.findChild<QLineEdit*>()->setText(QStringLiteral("1"));
            static_cast<QDialog&>(dialog).accept();
        });
        QMetaObject::invokeMethod(run, &QAction::trigger, Qt::QueuedConnection);
    });
    QObject::connect(&doc, &CKVDoc::sampleTicked, [&](const TickOutcome& outcome) {
        if (!outcome.sampleRecorded)
            return;
        const SampleStore& store = doc.sampleStore();
        std::printf("sample %d %.1f\n", store.sampleCount(),
                    store.recordedSamples(kT1)[store.sampleCount() - 1]);
        std::fflush(stdout);
    });
    return QApplication::exec();
}
