#pragma once

#include "app/CommandLine.h"
#include "document/CKVDoc.h"
#include "document/JournalSlot.h"
#include "link/MeterEmulatorProcess.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>

namespace calorant {

class CMainFrame;

// The application object: carries out the command line, creates the document and the
// main window with its view, and keeps them for the life of the programme. With --demo
// it also runs the meter emulator, which ends with it.
class CMeterApp {
public:
    // settingsFolder holds the settings file; the programme passes the per-user
    // configuration location. stateFolder holds the recordings' journals; without one
    // recordings are not journalled.
    CMeterApp(CommandLine commandLine, std::filesystem::path settingsFolder,
              std::filesystem::path stateFolder = {});
    ~CMeterApp();
    CMeterApp(const CMeterApp&) = delete;
    CMeterApp& operator=(const CMeterApp&) = delete;

    // Start-up: the emulator when asked for, the main window with its view, the .graph
    // file of the command line opened into the document, the window shown maximised,
    // and then the file in the logger graph window, as row 1 of its list and shown.
    // Before that, a recording that a programme which did not end normally left in its
    // journal is offered back.
    // A file that cannot be read is reported and the programme starts with nothing
    // loaded and no logger window; an emulator that cannot be started is reported and
    // the meter is looked for as usual.
    void initInstance();

    // SIGINT, SIGTERM and SIGHUP (Ctrl+C, a logout, kill) end the programme from the
    // event loop without a question (CMainFrame::endOnSignal); what it reports goes to
    // `messages` a line at a time, and `exit` gets the exit status (the programme passes
    // QApplication::exit). Call once.
    void exitOnTerminationSignals(std::function<void(int)> exit, std::FILE* messages);

    CKVDoc& document() { return doc_; }
    CMainFrame* mainFrame() const { return mainFrame_.get(); }

private:
    QString startEmulator();
    void offerJournalledRecording();
    // Reads the command line's file into the document; false when it was refused.
    bool openCommandLineFile();

    CommandLine commandLine_;
    std::filesystem::path settingsFolder_;
    std::filesystem::path stateFolder_;
    // Held for the life of the programme, after the document has closed its journal.
    std::unique_ptr<JournalSlot> journalSlot_;
    // Declared before the main window, so that the window has sent its link-end
    // command to the emulator before the emulator stops.
    MeterEmulatorProcess emulator_;
    CKVDoc doc_;
    std::unique_ptr<CMainFrame> mainFrame_;
};

// The per-user configuration folder the settings file lives in.
std::filesystem::path userSettingsFolder();

// The per-user state folder the recordings' journals live in: $XDG_STATE_HOME/calorant
// (~/.local/state/calorant) on Linux, the application's local data folder elsewhere.
std::filesystem::path userStateFolder();

// A QString path as a filesystem path, without loss on any platform.
std::filesystem::path toFilesystemPath(const QString& path);

} // namespace calorant
