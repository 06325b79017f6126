#include "record/SampleStore.h"

#include "core/CalendarTime.h"
#include "core/NumberFormat.h"

#include <algorithm>

namespace calorant {

SampleStore::SampleStore()
    : channelSamples_(std::make_unique<ChannelSampleArrays>()),
      sampleOfDataNo_(std::make_unique<SampleIndexArray>()) {}

FrameOutcome SampleStore::onAcceptedFrame(const Channels& channels, std::time_t arrivalTime) {
    FrameOutcome outcome;
    newReading_ = true;
    if (runPending_ && stopped_) {
        runPending_ = false;
        stopped_ = false;
        runStartTime_ = arrivalTime;
        sampleCount_ = 0;
        dataNo_ = 0;
        outcome.recordingStarted = true;
    }
    if (!recording_)
        runEnabled_ = true;
    // The current slot always holds the latest live values; a tick may record it.
    for (int channel = 0; channel < kChannelCount; ++channel)
        (*channelSamples_)[channel][sampleCount_] = channels[channel];
    return outcome;
}

TickOutcome SampleStore::onSampleTick() {
    TickOutcome outcome;
    // An armed run leaves the previous recording untouched until its first frame.
    if (!recording_ || stopped_)
        return outcome;
    // Without frames the ticks keep adding repeats; the last slot must stay free for
    // the live values, so a full store ends the recording like the limits do.
    if (sampleCount_ >= kSampleCapacity - 1) {
        endRecording();
        outcome.stoppedAtCapacity = true;
        return outcome;
    }
    (*sampleOfDataNo_)[dataNo_] = sampleCount_;
    if (newReading_) {
        graphChanged_ = true;
        startTimeText_ = formatTime(runStartTime_, "%m/%d/%y %H:%M:%S");
        ++sampleCount_;
        ++dataNo_;
        dataNoText_ = formatInt(dataNo_);
        newReading_ = false;
        outcome.sampleRecorded = true;
        outcome.freshReading = true;
        return outcome;
    }
    if (sampleCount_ == 0)
        return outcome; // nothing to repeat yet
    for (ChannelArray& samples : *channelSamples_)
        samples[sampleCount_] = samples[sampleCount_ - 1];
    ++sampleCount_;
    outcome.sampleRecorded = true;
    return outcome;
}

int SampleStore::proposedRateSeconds() const {
    return std::max(sampleRateMs_ / 1000, kMinSampleRateSeconds);
}

bool SampleStore::run(int enteredRateSeconds) {
    if (recording_ && !stopped_)
        return false;
    const int rate = std::clamp(enteredRateSeconds, kMinSampleRateSeconds, kMaxSampleRateSeconds);
    sampleRateMs_ = rate * 1000;
    sampleRateText_ = formatInt(rate);
    if (runEnabled_) {
        runEnabled_ = false;
        stopEnabled_ = true;
    }
    runPending_ = true;
    recording_ = true;
    hasGraphData_ = true;
    rearmTimer_ = true;
    return true;
}

void SampleStore::runCancelled() {
    rearmTimer_ = true;
}

void SampleStore::stop() {
    endRecording();
}

bool SampleStore::checkLimits() {
    if (!recording_ || stopped_)
        return false; // the counters of an armed run still belong to the previous recording
    if (dataNo_ < kFreshReadingLimit && sampleCount_ < kSampleLimit)
        return false;
    endRecording();
    return true;
}

void SampleStore::stopBySilence() {
    endRecording();
    runEnabled_ = false;
}

bool SampleStore::takeRearmTimer() {
    const bool rearm = rearmTimer_;
    rearmTimer_ = false;
    return rearm;
}

std::span<const float> SampleStore::recordedSamples(int channel) const {
    if (channel < 0 || channel >= kChannelCount)
        return {};
    return std::span<const float>((*channelSamples_)[channel].data(),
                                  static_cast<std::size_t>(sampleCount_));
}

std::span<const std::int32_t> SampleStore::freshSampleIndexes() const {
    return std::span<const std::int32_t>(sampleOfDataNo_->data(),
                                         static_cast<std::size_t>(dataNo_));
}

std::time_t SampleStore::sampleTime(int index) const {
    return runStartTime_ + static_cast<std::time_t>(index) * (sampleRateMs_ / 1000);
}

void SampleStore::endRecording() {
    // An armed run that ends before its first frame must not reset the store later.
    runPending_ = false;
    stopped_ = true;
    recording_ = false;
    stopEnabled_ = false;
}

bool SampleStore::restore(const JournalHeader& header, std::span<const JournalSample> samples) {
    if (recording_ || samples.empty() || samples.size() > kSampleCapacity - 1)
        return false;
    sampleCount_ = 0;
    dataNo_ = 0;
    for (const JournalSample& sample : samples) {
        if (sample.fresh)
            (*sampleOfDataNo_)[dataNo_++] = sampleCount_;
        for (int channel = 0; channel < kChannelCount; ++channel)
            (*channelSamples_)[channel][sampleCount_] = sample.values[channel];
        ++sampleCount_;
    }
    // The current slot shows the last sample until the meter's next frame.
    for (ChannelArray& values : *channelSamples_)
        values[sampleCount_] = values[sampleCount_ - 1];
    runStartTime_ = header.runStartTime;
    sampleRateMs_ = header.sampleRateMs;
    startTimeText_ = formatTime(runStartTime_, "%m/%d/%y %H:%M:%S");
    dataNoText_ = formatInt(dataNo_);
    sampleRateText_ = formatInt(sampleRateMs_ / 1000);
    newReading_ = false;
    graphChanged_ = true;
    runPending_ = false;
    stopped_ = true;
    hasGraphData_ = true;
    return true;
}

} // namespace calorant
