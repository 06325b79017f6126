#include "document/CKVDoc.h"

#include "document/LoggerIntake.h"
#include "document/LoggerSetChoice.h"

#include <fstream>
#include <utility>

namespace calorant {

CKVDoc::CKVDoc(QObject* parent) : QObject(parent) {
    connect(&samplingTimer_, &QTimer::timeout, this, &CKVDoc::onSampleTick);
}

// --- the sampling clock ----------------------------------------------------------------

void CKVDoc::onSampleTick() {
    const TickOutcome outcome = sampleStore_.onSampleTick();
    journalSample(outcome);
    if (outcome.sampleRecorded || outcome.stoppedAtCapacity)
        emit sampleTicked(outcome);
}

void CKVDoc::rearmSamplingTimerIfAsked() {
    if (!sampleStore_.takeRearmTimer())
        return;
    const int rateMs = sampleStore_.sampleRateMs();
    if (rateMs > 0)
        samplingTimer_.start(rateMs);
    else
        samplingTimer_.stop(); // no rate chosen yet: nothing to sample
}

// --- what the link brings ----------------------------------------------------------------

void CKVDoc::onAcceptedFrame(const LiveFrame& frame) {
    setLinkOffline(false);
    const FrameOutcome outcome = sampleStore_.onAcceptedFrame(frame.channel, frame.arrivalTime);
    meterState_.applyFrame(frame);
    if (outcome.recordingStarted) {
        if (!journal_.path().empty() &&
            !journal_.begin({sampleStore_.runStartTime(), sampleStore_.sampleRateMs()}))
            reportJournalFailure();
        emit recordingStarted();
        updateAllViews();
    }
    emit frameApplied(frame);
}

void CKVDoc::checkLimits() {
    if (sampleStore_.checkLimits())
        emit recordingStopped();
}

void CKVDoc::onMeterAnswered() {
    setLinkOffline(false);
}

void CKVDoc::onMeterSilent() {
    setLinkOffline(true);
    stopRecordingBySilence();
}

void CKVDoc::onMeterUnreachable() {
    setLinkOffline(true);
}

void CKVDoc::takeDownloadedMemory(DecodedLoggerMemory memory) {
    const int setCount = keepDownloadedMemory(loggerStore_, std::move(memory));
    if (setCount > 0)
        emit loggerStoreDownloaded(setCount);
}

void CKVDoc::setLinkOffline(bool offline) {
    if (linkOffline_ == offline)
        return;
    linkOffline_ = offline;
    emit offlineChanged(offline);
}

void CKVDoc::stopRecordingBySilence() {
    const bool wasRecording = sampleStore_.recording();
    sampleStore_.stopBySilence();
    if (wasRecording)
        emit recordingStopped();
}

// --- the recording's journal --------------------------------------------------------------

std::optional<JournalContent> CKVDoc::journalInto(std::filesystem::path path) {
    std::optional<JournalContent> left = readJournal(path);
    journal_.setPath(std::move(path));
    return left;
}

bool CKVDoc::restoreJournalled(const JournalContent& content) {
    if (!sampleStore_.restore(content.header, content.samples))
        return false;
    emit recordingRestored();
    updateAllViews();
    return true;
}

void CKVDoc::retireJournal() {
    journal_.retire();
}

void CKVDoc::journalSample(const TickOutcome& outcome) {
    if (!outcome.sampleRecorded || !journal_.writing())
        return;
    const int index = sampleStore_.sampleCount() - 1;
    JournalSample sample;
    for (int channel = 0; channel < kChannelCount; ++channel)
        sample.values[channel] = sampleStore_.channelSamples()[channel][index];
    sample.fresh = outcome.freshReading;
    if (!journal_.append(sample))
        reportJournalFailure();
}

void CKVDoc::reportJournalFailure() {
    emit journalFailed(QString::fromStdString(journal_.error()));
}

// --- logger operations -------------------------------------------------------------------

bool CKVDoc::showDownloadedSet(int setIndex) {
    if (!calorant::showDownloadedSet(loggerStore_, setIndex, loggerSet_))
        return false;
    emit loggerSetChanged();
    return true;
}

GraphReadResult CKVDoc::openGraphFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {std::nullopt, std::string(kInvalidFormatMessage)};
    GraphReadResult result = readGraphFile(in);
    if (result.contents) {
        keepGraphFile(*result.contents, loggerSet_, loggerModeFlags_);
        emit loggerSetChanged();
    }
    return result;
}

void CKVDoc::prepareLoggerDownload() {
    calorant::prepareLoggerDownload(loggerModeFlags_);
}

void CKVDoc::prepareLoggerFiles(bool listLoadedFile) {
    calorant::prepareLoggerFiles(loggerModeFlags_, listLoadedFile);
}

const LoggerSet* CKVDoc::shownLoggerSet() const {
    return loggerSetShown(loggerModeFlags_) ? &loggerSet_ : nullptr;
}

const LoggerSet* CKVDoc::refreshShownLoggerSet() {
    refreshShownSet(loggerStore_, loggerFileTable_, loggerModeFlags_, loggerSet_);
    return shownLoggerSet();
}

void CKVDoc::pickLoggerListRow(int row) {
    if (pickListRow(row, loggerFileTable_, loggerModeFlags_, loggerSet_, loggerViewState_))
        emit loggerSetChanged();
}

AddedFileRow CKVDoc::listLoadedFile() {
    const AddedFileRow added = addFileRow(
        loggerFileTable_, loggerSet_, loggerModeFlags_.loadedYGain, loggerModeFlags_.loadedYOffset);
    loggerModeFlags_.appendLoadedFile = 0;
    if (added.listCleared)
        loggerModeFlags_.shownFileRow = -1;
    return added;
}

void CKVDoc::closeLoggerWindow() {
    returnToOverview(loggerViewState_);
    calorant::closeLoggerWindow(loggerModeFlags_, loggerFileTable_, loggerStore_);
    emit loggerWindowClosed();
}

} // namespace calorant
