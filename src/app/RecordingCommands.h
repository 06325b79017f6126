#pragma once

#include "app/RecordingDialogs.h"
#include "record/FileSave.h"
#include "record/JournalFormat.h"
#include "report/ReportPrinting.h"

#include <QString>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace calorant {

class CKVDoc;
class CMainFrame;
class GraphPresenter;

inline const QString kSaveBeforeRunQuestion =
    QStringLiteral("Do you want to save the existing graph data before continuing?");
inline const QString kSaveBeforeCloseQuestion =
    QStringLiteral("Do you want to save the data before closing?");
inline const QString kEmptyJournalMessage =
    QStringLiteral("Calorant did not end normally during a recording, but its journal is "
                   "damaged and holds no whole sample. It is discarded.");
inline const QString kRecordingFileFilter = kDataLoggerSaveFilter;
inline const QString kDocumentFileFilter = QStringLiteral("Logger Files (*.graph)");

// The start-up question that offers a journalled recording back: its start time and
// how many whole samples it holds, and whether the rest of the journal was damaged.
QString journalQuestion(const JournalContent& content);

// What the recording commands work on. The references must outlive the commands.
struct RecordingContext {
    CKVDoc& doc; // the recording, the unit and Y scale saved with it, the logger set
    GraphPresenter& graph;
    std::filesystem::path documentsFolder; // the user's documents folder
    std::function<std::time_t()> now = [] { return std::time(nullptr); };
};

// A save made without asking anything: the .graph file (its CSV companion lies beside
// it) and how writing them went.
struct UnaskedSave {
    std::filesystem::path graphPath;
    SaveResult result;
};

// The main window's commands for the real-time recording: Run, Stop, Save, Print, the
// document's own Open and Save (Ctrl+O, Ctrl+S), UndoZoom, and the save offered when
// the window closes. The print dialog and its messages are modal to `printParent`.
class RecordingCommands {
public:
    RecordingCommands(RecordingContext context, std::unique_ptr<RecordingDialogs> dialogs,
                      QWidget* printParent, std::unique_ptr<PrintEnvironment> printing);
    ~RecordingCommands();

    // Asks whether to save a previous recording, then for the sample rate; on OK the
    // store is armed and its first frame starts the recording. Whatever the answer, the
    // sampling timer restarts with the rate in force at the graph's next paint.
    void run();
    bool canRun() const;
    void stop();
    bool canStop() const;

    // Saves the recording as a .graph file and its CSV companion, in the folder
    // "KL320 Thermocouple IR Datalogger" of the documents folder (created when missing)
    // under a name made from the current time. A failed save is reported. True when the
    // files were written.
    bool save();
    bool canSave() const;

    // Prints the recording as the one-page test report, in the meter's unit and on the
    // graph's Y scale and channels as they are when the page is drawn.
    PrintOutcome print();
    bool canPrint() const;

    // Reads a .graph file into the logger set; a refused file is reported.
    void openDocument();
    // Writes the recording as a .graph file alone. The first time it asks where.
    void saveDocument();

    void undoZoom();
    bool canUndoZoom() const;

    // Closing the main window: a recording of two samples or more may be saved first.
    // The recording's journal goes unless the user wanted it saved and it was not.
    void offerSaveBeforeClose();
    // Ending on a termination signal, with no one to ask: a recording of two samples or
    // more that no save has written since it last grew is saved like Save does, under
    // the name Save proposes. Nothing when there is nothing to save. The journal goes
    // unless that save failed.
    std::optional<UnaskedSave> saveUnsavedWithoutAsking();

    // At start-up: the recording a programme that did not end normally left in its
    // journal is offered back, with its start time and the number of whole samples;
    // Yes restores it as a stopped recording, No discards the journal.
    void offerJournalledRecording(const JournalContent& content);

    // Makes the commands work on the main window's menus, toolbar and shortcuts.
    void bindTo(CMainFrame& frame);

private:
    // Which recording, and how much of it, a save last wrote.
    struct SavedExtent {
        std::time_t runStartTime = 0;
        int sampleCount = 0;
        friend bool operator==(const SavedExtent&, const SavedExtent&) = default;
    };

    enum class Files { GraphAndCsv, GraphAlone };

    FileDialogRequest saveRequest(const QString& filter) const;
    SaveResult writeRecording(const std::filesystem::path& graphPath, Files files);
    SavedExtent currentExtent() const;
    bool recordingRuns() const;
    void reportFailure(const std::string& message);

    RecordingContext context_;
    std::unique_ptr<RecordingDialogs> dialogs_;
    QWidget* printParent_;
    std::unique_ptr<PrintEnvironment> printing_;
    std::filesystem::path documentPath_; // where the document's own Save writes
    std::optional<SavedExtent> lastSaved_;
};

} // namespace calorant
