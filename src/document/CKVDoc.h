#pragma once

#include "document/GraphDisplaySettings.h"
#include "link/LiveFrame.h"
#include "link/LoggerStreamDecoder.h"
#include "link/MeterState.h"
#include "logger/LoggerFileTable.h"
#include "logger/LoggerModeFlags.h"
#include "logger/LoggerSet.h"
#include "logger/LoggerStore.h"
#include "logger/LoggerViewState.h"
#include "record/GraphFile.h"
#include "record/RecordingJournal.h"
#include "record/SampleStore.h"

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace calorant {

// The document: the programme's state, from start-up to the close of the main window.
// It holds the real-time recording with its sampling clock, the meter's display state,
// the graph's display settings, whether the meter answers, every record set of the last
// logger download, the one logger set shown, the sets opened from files, the logger
// graph window's view state and mode flags.
//
// The windows read it and call its operations; they own no programme state. What the
// link decodes comes in through the operations of the link section, in the order the
// link hands it over, and every change goes out through a signal that carries it.
class CKVDoc : public QObject {
    Q_OBJECT
public:
    explicit CKVDoc(QObject* parent = nullptr);

    // --- state ----------------------------------------------------------------------

    SampleStore& sampleStore() { return sampleStore_; }
    const SampleStore& sampleStore() const { return sampleStore_; }
    const MeterState& meterState() const { return meterState_; }
    // Visible channels and Y scale of the real-time graph, set by the control bar.
    GraphDisplaySettings& graphDisplay() { return graphDisplay_; }
    const GraphDisplaySettings& graphDisplay() const { return graphDisplay_; }
    // The meter does not answer. The panel shows "OFFLINE" while it is set.
    bool linkOffline() const { return linkOffline_; }

    LoggerStore& loggerStore() { return loggerStore_; }
    const LoggerStore& loggerStore() const { return loggerStore_; }
    LoggerSet& loggerSet() { return loggerSet_; }
    const LoggerSet& loggerSet() const { return loggerSet_; }
    LoggerFileTable& loggerFileTable() { return loggerFileTable_; }
    const LoggerFileTable& loggerFileTable() const { return loggerFileTable_; }
    LoggerViewState& loggerViewState() { return loggerViewState_; }
    const LoggerViewState& loggerViewState() const { return loggerViewState_; }
    // How the logger graph window was opened and what it must show next.
    LoggerModeFlags& loggerModeFlags() { return loggerModeFlags_; }
    const LoggerModeFlags& loggerModeFlags() const { return loggerModeFlags_; }
    // Y gain and offset of the last .graph file read; the logger's Save stores these.
    std::int32_t loadedYGain() const { return loggerModeFlags_.loadedYGain; }
    std::int32_t loadedYOffset() const { return loggerModeFlags_.loadedYOffset; }

    // --- the sampling clock -----------------------------------------------------------

    // One tick of the sampling timer: the store records a sample.
    void onSampleTick();
    // After a Run, confirmed or cancelled, the timer restarts with the rate in force;
    // the graph's paint asks for it, as the view's drawing always did.
    void rearmSamplingTimerIfAsked();
    const QTimer& samplingTimer() const { return samplingTimer_; }

    // --- what the link brings -----------------------------------------------------------

    // One accepted live frame: the meter answers, the recording takes the channels (an
    // armed run starts), the meter state its display and statistics.
    void onAcceptedFrame(const LiveFrame& frame);
    // At the end of every receive event: the recording's limits.
    void checkLimits();
    // The meter answered something other than a live frame.
    void onMeterAnswered();
    // No frame for a whole watch period, or no meter port: offline, and the recording
    // ends.
    void onMeterSilent();
    // The meter's port cannot be used: offline, the recording goes on.
    void onMeterUnreachable();
    // A complete logger download: every set is kept; a memory without any set leaves
    // the store as it was.
    void takeDownloadedMemory(DecodedLoggerMemory memory);

    // --- the recording's journal ----------------------------------------------------------

    // From now on every recording is journalled, sample by sample, into the file at
    // `path`. What a programme that did not end normally left in that file is returned,
    // so that it can be offered back; nothing when there is no such file.
    std::optional<JournalContent> journalInto(std::filesystem::path path);
    // A journal's samples become the recording, stopped; the journal stays until the
    // recording is saved or given up. False when the store cannot take them.
    bool restoreJournalled(const JournalContent& content);
    // The recording is safe in a file, or the user gave it up: its journal goes, and a
    // recording that goes on is no longer journalled.
    void retireJournal();

    // --- logger operations --------------------------------------------------------------

    // Shows downloaded set `setIndex` as the logger set; false, and nothing changes, when
    // the store holds no such set.
    [[nodiscard]] bool showDownloadedSet(int setIndex);
    // Reads a .graph file into the logger set, keeps its Y scale as loadedYGain and
    // loadedYOffset, and raises the flags that make the logger graph window list it. A
    // file that cannot be opened is refused like one of the wrong format; a refused
    // file changes nothing.
    GraphReadResult openGraphFile(const std::filesystem::path& path);
    // The Data Logger command: the logger graph window to come lists the download's
    // sets, once.
    void prepareLoggerDownload();
    // The main window's Open: the logger graph window to come lists the files opened in
    // it, from an empty list or, with `listLoadedFile`, from the file just read.
    void prepareLoggerFiles(bool listLoadedFile);
    // The set the logger graph window shows; null while no set is shown.
    const LoggerSet* shownLoggerSet() const;
    // The same, brought up to date first: the selected set is copied in from the
    // download or the shown row from the file table, as every paint of the window does.
    const LoggerSet* refreshShownLoggerSet();
    // A double-click on row `row` of the logger graph window's file list (-1: none
    // selected): in file mode a filled row becomes the shown set with its file's Y
    // scale, in download mode the row's set is selected. Either way the view returns to
    // the overview.
    void pickLoggerListRow(int row);
    // The file just read becomes the next row of the file table, with its Y scale; when
    // the table starts over no row is shown any more.
    AddedFileRow listLoadedFile();
    // The logger graph window closed: its view back to the overview, its flags back to
    // rest, the file rows abandoned and the download released. The shown set and the
    // last loaded Y scale stay.
    void closeLoggerWindow();

    // Every view repaints from the document.
    void updateAllViews() { emit viewsNeedUpdate(); }

signals:
    // A live frame was applied: the panel's readings and both bars show it.
    void frameApplied(const calorant::LiveFrame& frame);
    // An armed run began with a frame.
    void recordingStarted();
    // A recording ended by itself: silence, no meter port or the store's limits.
    void recordingStopped();
    // A sampling tick recorded a sample or found the store full, which ends the
    // recording.
    void sampleTicked(const calorant::TickOutcome& outcome);
    void offlineChanged(bool offline);
    // A journalled recording was restored: the bars and the graph show it.
    void recordingRestored();
    // The journal could not be written; the recording goes on without it.
    void journalFailed(const QString& reason);
    // A logger download was kept: the store holds `setCount` sets.
    void loggerStoreDownloaded(int setCount);
    // The logger set holds another set: a downloaded one or a file's.
    void loggerSetChanged();
    void loggerWindowClosed();
    void viewsNeedUpdate();

private:
    void setLinkOffline(bool offline);
    void stopRecordingBySilence();
    void journalSample(const TickOutcome& outcome);
    void reportJournalFailure();

    SampleStore sampleStore_;
    RecordingJournal journal_;
    QTimer samplingTimer_;
    MeterState meterState_;
    GraphDisplaySettings graphDisplay_;
    bool linkOffline_ = false;
    LoggerStore loggerStore_;
    LoggerSet loggerSet_;
    LoggerFileTable loggerFileTable_;
    LoggerViewState loggerViewState_;
    LoggerModeFlags loggerModeFlags_;
};

} // namespace calorant

Q_DECLARE_METATYPE(calorant::TickOutcome)
