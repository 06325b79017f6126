#include "app/CMeterApp.h"

#include "app/CMainFrame.h"
#include "app/DataLoggerCommand.h"
#include "app/RecordingCommands.h"
#include "app/TerminationSignals.h"
#include "graph/CKVView.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>

namespace calorant {

namespace {

// Start-up messages come before the main window is shown, so they have no owner.
void showMessage(const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Calorant"), text, QMessageBox::Ok);
    box.exec();
}

} // namespace

CMeterApp::CMeterApp(CommandLine commandLine, std::filesystem::path settingsFolder,
                     std::filesystem::path stateFolder)
    : commandLine_(std::move(commandLine)), settingsFolder_(std::move(settingsFolder)),
      stateFolder_(std::move(stateFolder)) {}

CMeterApp::~CMeterApp() = default;

void CMeterApp::initInstance() {
    MainFrameOptions options;
    options.settingsFolder = settingsFolder_;
    options.deviceOverride = commandLine_.demo ? startEmulator() : commandLine_.devicePath;
    mainFrame_ = std::make_unique<CMainFrame>(doc_, std::move(options));
    const bool fileLoaded = !commandLine_.graphFile.isEmpty() && openCommandLineFile();
    // Without a window manager nothing maximises the window: it gets the screen anyway.
    mainFrame_->setGeometry(mainFrame_->screen()->availableGeometry());
    mainFrame_->showMaximized();
    offerJournalledRecording();
    if (fileLoaded)
        mainFrame_->dataLoggerCommand().showLoadedFile();
}

void CMeterApp::exitOnTerminationSignals(std::function<void(int)> exit, std::FILE* messages) {
    handleTerminationSignals([this, exit = std::move(exit), messages] {
        int status = 0;
        if (mainFrame_)
            status = mainFrame_->endOnSignal([messages](const QString& line) {
                std::fprintf(messages, "calorant: %s\n", qPrintable(line));
                std::fflush(messages);
            });
        exit(status);
    });
}

// The emulator sits beside the programme. Returns its device, or nothing when it could
// not be started.
QString CMeterApp::startEmulator() {
    if (emulator_.start(QCoreApplication::applicationDirPath(), {}))
        return emulator_.devicePath();
    showMessage(
        QStringLiteral("The meter emulator could not be started: %1").arg(emulator_.errorString()));
    return {};
}

void CMeterApp::offerJournalledRecording() {
    if (stateFolder_.empty())
        return;
    journalSlot_ = JournalSlot::claim(stateFolder_);
    if (!journalSlot_)
        return; // recordings go unjournalled, as they always did
    if (const std::optional<JournalContent> left = doc_.journalInto(journalSlot_->journalPath()))
        mainFrame_->recordingCommands().offerJournalledRecording(*left);
}

bool CMeterApp::openCommandLineFile() {
    const GraphReadResult result = doc_.openGraphFile(toFilesystemPath(commandLine_.graphFile));
    if (!result.loaded())
        showMessage(QString::fromStdString(result.message));
    return result.loaded();
}

std::filesystem::path userSettingsFolder() {
    return toFilesystemPath(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

std::filesystem::path userStateFolder() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty())
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return toFilesystemPath(state + QStringLiteral("/calorant"));
#else
    return toFilesystemPath(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
#endif
}

std::filesystem::path toFilesystemPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

} // namespace calorant
