#include "app/RecordingCommands.h"

#include "app/CMainFrame.h"
#include "core/CalendarTime.h"
#include "document/CKVDoc.h"
#include "document/GraphDisplaySettings.h"
#include "graph/GraphPresenter.h"
#include "panel/WaitCursor.h"
#include "record/FileSave.h"
#include "record/SaveNaming.h"
#include "report/ReportSources.h"

#include <QAction>
#include <QKeySequence>
#include <system_error>

namespace calorant {

QString journalQuestion(const JournalContent& content) {
    const QString started =
        QString::fromStdString(formatTime(content.header.runStartTime, "%m/%d/%y %H:%M:%S"));
    const auto count = static_cast<qsizetype>(content.samples.size());
    const QString samples =
        count == 1 ? QStringLiteral("1 sample") : QStringLiteral("%1 samples").arg(count);
    if (content.damaged)
        return QStringLiteral("Calorant did not end normally during a recording, and its "
                              "journal is damaged: %1 of the recording started %2 %3 whole. "
                              "Do you want to restore %4?")
            .arg(samples, started, count == 1 ? QStringLiteral("is") : QStringLiteral("are"),
                 count == 1 ? QStringLiteral("it") : QStringLiteral("them"));
    return QStringLiteral("Calorant did not end normally during a recording. Do you want to "
                          "restore the recording started %1 with %2?")
        .arg(started, samples);
}

RecordingCommands::RecordingCommands(RecordingContext context,
                                     std::unique_ptr<RecordingDialogs> dialogs,
                                     QWidget* printParent,
                                     std::unique_ptr<PrintEnvironment> printing)
    : context_(std::move(context)), dialogs_(std::move(dialogs)), printParent_(printParent),
      printing_(std::move(printing)) {}

RecordingCommands::~RecordingCommands() = default;

void RecordingCommands::run() {
    SampleStore& store = context_.doc.sampleStore();
    const int proposed = store.proposedRateSeconds();
    if (store.asksSaveBeforeRun()) {
        if (dialogs_->askYesNo(kSaveBeforeRunQuestion))
            save();
        else
            context_.doc.retireJournal();
    }
    const std::optional<int> rate = dialogs_->askSampleRate(proposed);
    if (rate && store.run(*rate))
        context_.doc.updateAllViews();
    else
        store.runCancelled();
    context_.graph.invalidate();
}

bool RecordingCommands::canRun() const {
    return context_.doc.sampleStore().canRun();
}

void RecordingCommands::stop() {
    context_.doc.sampleStore().stop();
}

bool RecordingCommands::canStop() const {
    return context_.doc.sampleStore().canStop();
}

FileDialogRequest RecordingCommands::saveRequest(const QString& filter) const {
    return {prepareSaveFolder(context_.documentsFolder, kRecordingSaveFolder),
            QString::fromStdString(proposedSaveName(context_.now())), filter, kGraphSuffix};
}

bool RecordingCommands::save() {
    const std::optional<std::filesystem::path> path =
        dialogs_->askSavePath(saveRequest(kRecordingFileFilter));
    if (!path)
        return false;
    const SaveResult result = writeRecording(*path, Files::GraphAndCsv);
    if (!result.saved)
        reportFailure(result.message());
    return result.saved;
}

SaveResult RecordingCommands::writeRecording(const std::filesystem::path& graphPath, Files files) {
    const SampleStore& store = context_.doc.sampleStore();
    const TemperatureUnit unit = context_.doc.meterState().unitCode();
    const GraphDisplaySettings& display = context_.doc.graphDisplay();
    SaveResult result;
    {
        WaitCursor wait;
        result =
            files == Files::GraphAndCsv
                ? saveRecording(graphPath, store, unit, display.graphYGain, display.graphYOffset)
                : saveRecordingGraph(graphPath, store, unit, display.graphYGain,
                                     display.graphYOffset);
    }
    if (result.saved) {
        lastSaved_ = currentExtent();
        // A recording that goes on still needs its journal for the samples to come.
        if (!recordingRuns())
            context_.doc.retireJournal();
    }
    return result;
}

bool RecordingCommands::recordingRuns() const {
    const SampleStore& store = context_.doc.sampleStore();
    return store.recording() && !store.stopped();
}

RecordingCommands::SavedExtent RecordingCommands::currentExtent() const {
    const SampleStore& store = context_.doc.sampleStore();
    return {store.runStartTime(), store.sampleCount()};
}

bool RecordingCommands::canSave() const {
    return context_.doc.sampleStore().canSave();
}

PrintOutcome RecordingCommands::print() {
    const CKVDoc& doc = context_.doc;
    return printReport(
        printParent_,
        [&doc] {
            const GraphDisplaySettings& display = doc.graphDisplay();
            return realTimeReport(doc.sampleStore(), doc.meterState().unitCode(),
                                  display.graphChannelVisible, display.graphYGain,
                                  display.graphYOffset);
        },
        *printing_);
}

bool RecordingCommands::canPrint() const {
    return context_.doc.sampleStore().canPrint();
}

void RecordingCommands::openDocument() {
    const std::optional<std::filesystem::path> path =
        dialogs_->askOpenPath({prepareSaveFolder(context_.documentsFolder, kRecordingSaveFolder),
                               QString(), kDocumentFileFilter, kGraphSuffix});
    if (!path)
        return;
    const GraphReadResult result = context_.doc.openGraphFile(*path);
    if (!result.loaded())
        reportFailure(result.message);
}

// Opening a file does not make it the target of this Save: the recording would
// overwrite the file just opened.
void RecordingCommands::saveDocument() {
    if (documentPath_.empty()) {
        const std::optional<std::filesystem::path> path =
            dialogs_->askSavePath(saveRequest(kDocumentFileFilter));
        if (!path)
            return;
        documentPath_ = *path;
    }
    const SaveResult result = writeRecording(documentPath_, Files::GraphAlone);
    if (!result.saved) {
        documentPath_.clear(); // the next Save asks again
        reportFailure(result.message());
    }
}

void RecordingCommands::undoZoom() {
    context_.graph.undoZoom();
}

bool RecordingCommands::canUndoZoom() const {
    return context_.graph.zoomed();
}

void RecordingCommands::offerSaveBeforeClose() {
    const bool keepJournal = context_.doc.sampleStore().asksSaveOnClose() &&
                             dialogs_->askYesNo(kSaveBeforeCloseQuestion) && !save();
    if (!keepJournal)
        context_.doc.retireJournal();
}

std::optional<UnaskedSave> RecordingCommands::saveUnsavedWithoutAsking() {
    if (!context_.doc.sampleStore().asksSaveOnClose() || lastSaved_ == currentExtent()) {
        context_.doc.retireJournal();
        return std::nullopt;
    }
    // The documents folder need not exist yet, and no dialog will offer another place.
    std::error_code ignored;
    std::filesystem::create_directories(context_.documentsFolder, ignored);
    const FileDialogRequest request = saveRequest(kRecordingFileFilter);
    UnaskedSave save;
    save.graphPath =
        request.folder / (request.proposedName + "." + request.defaultSuffix).toStdU16String();
    save.result = writeRecording(save.graphPath, Files::GraphAndCsv);
    if (save.result.saved)
        context_.doc.retireJournal(); // the programme ends: no sample is to come
    return save;
}

void RecordingCommands::offerJournalledRecording(const JournalContent& content) {
    if (content.samples.empty()) {
        dialogs_->showMessage(kEmptyJournalMessage);
        context_.doc.retireJournal();
        return;
    }
    if (dialogs_->askYesNo(journalQuestion(content)) && context_.doc.restoreJournalled(content))
        return;
    context_.doc.retireJournal();
}

void RecordingCommands::reportFailure(const std::string& message) {
    if (!message.empty())
        dialogs_->showMessage(QString::fromStdString(message));
}

void RecordingCommands::bindTo(CMainFrame& frame) {
    frame.bindCommand(
        kCmdRun, [this] { run(); }, [this] { return canRun(); });
    frame.bindCommand(
        kCmdStop, [this] { stop(); }, [this] { return canStop(); });
    frame.bindCommand(
        kCmdSave, [this] { save(); }, [this] { return canSave(); });
    frame.bindCommand(
        kCmdPrint, [this] { print(); }, [this] { return canPrint(); });
    frame.bindCommand(
        kCmdUndoZoom, [this] { undoZoom(); }, [this] { return canUndoZoom(); });

    // The document's own Open and Save have no menu item or button, only their keys.
    const auto addKeyCommand = [&frame](QKeySequence::StandardKey key, const QString& tip,
                                        std::function<void()> handler) {
        auto* action = new QAction(tip, &frame);
        action->setShortcut(key);
        action->setToolTip(tip);
        QObject::connect(action, &QAction::triggered, &frame, [&frame, handler] {
            handler();
            frame.updateCommandStates();
        });
        frame.addAction(action);
    };
    addKeyCommand(QKeySequence::Open, QStringLiteral("Open an existing document"),
                  [this] { openDocument(); });
    addKeyCommand(QKeySequence::Save, QStringLiteral("Save the active document"),
                  [this] { saveDocument(); });

    QObject::connect(&context_.graph, &GraphPresenter::readoutChanged, &frame,
                     [&frame](const QString& time, const QString& values) {
                         frame.setStatusPaneText(1, time);
                         frame.setStatusPaneText(2, values);
                     });
    QObject::connect(&context_.graph, &GraphPresenter::zoomChanged, &frame,
                     &CMainFrame::updateCommandStates);
    QObject::connect(&context_.doc, &CKVDoc::sampleTicked, &frame,
                     &CMainFrame::updateCommandStates);
}

} // namespace calorant
