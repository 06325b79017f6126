#pragma once

#include "core/Temperature.h"
#include "record/JournalFormat.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <memory>
#include <span>
#include <string>

namespace calorant {

// Fixed sizes of the real-time recording. The arrays hold a few slots more than a
// recording may use, so the current slot (written by every live frame) always exists.
inline constexpr int kSampleCapacity = 10010;
inline constexpr int kSampleLimit = 10000;      // a recording stops at this many samples
inline constexpr int kFreshReadingLimit = 5000; // ... or at this many fresh readings

// Every sample rate is a whole number of seconds whose milliseconds fit 32 bits.
inline constexpr int kMinSampleRateSeconds = 1;
inline constexpr int kMaxSampleRateSeconds = 2147483;

using ChannelArray = std::array<float, kSampleCapacity>;
using ChannelSampleArrays = std::array<ChannelArray, kChannelCount>;
using SampleIndexArray = std::array<std::int32_t, kSampleCapacity>;

// What a live frame changed, so the GUI knows which views to update.
struct FrameOutcome {
    bool recordingStarted = false; // an armed run began: store reset, new start time
};

// What a sampling tick did.
struct TickOutcome {
    bool sampleRecorded = false; // sampleCount grew by one
    bool freshReading = false;   // the new sample carried a new frame: repaint graph, refresh texts
    bool stoppedAtCapacity = false; // the store was full, so the recording ended instead
};

// The real-time recording and its run control: the five channels sampled at a fixed
// rate from the first frame after Run until Stop or an automatic stop.
//
// Every accepted live frame overwrites the current slot (index sampleCount) with the
// latest values; a sampling tick turns that slot into a recorded sample. A tick without
// a new frame repeats the previous sample, and sampleOfDataNo remembers which samples
// hold fresh readings. Nothing is allocated after construction, and no frame or tick
// ever writes beyond the last slot.
//
// Time never comes from the clock: frames bring their arrival time.
class SampleStore {
public:
    SampleStore();

    // --- events -------------------------------------------------------------------

    // One accepted live frame, in channel order T1, T2, IR, T3, T4 (degrees Celsius).
    FrameOutcome onAcceptedFrame(const Channels& channels, std::time_t arrivalTime);

    // The sampling timer fired (period sampleRateMs()).
    TickOutcome onSampleTick();

    // Rate the Sample Rate Setup dialog proposes: the current rate, at least 1 s.
    int proposedRateSeconds() const;

    // Whether Run must first ask to save the existing recording.
    bool asksSaveBeforeRun() const { return hasGraphData_; }

    // Run confirmed with the rate entered in seconds: values below 1 become 1, values
    // whose milliseconds would not fit 32 bits become kMaxSampleRateSeconds. The store
    // is armed; the next accepted frame resets it and starts the recording. Refused
    // (false, nothing changes) while a recording runs.
    bool run(int enteredRateSeconds);

    // The Sample Rate Setup dialog was cancelled: the recording and rate stay.
    void runCancelled();

    // The Stop command. Samples, counters and times stay for saving and printing.
    // Stopping an armed run that has not started keeps the previous recording.
    void stop();

    // After every receive event: ends the recording at kFreshReadingLimit fresh
    // readings or kSampleLimit samples. Returns true when it stopped the recording.
    bool checkLimits();

    // No frame during a watchdog period, or no meter port found: the recording ends
    // and Run stays disabled until frames come back.
    void stopBySilence();

    // A recording read back from its journal becomes the recording, stopped, as if it
    // had just ended: Save, Print and the graph treat it like any other, and Run asks to
    // save it first. Refused (false, nothing changes) while a recording runs or is armed,
    // without samples, or with more than the store holds.
    bool restore(const JournalHeader& header, std::span<const JournalSample> samples);

    // The graph painter has drawn the hover line again after a fresh-reading tick.
    void clearGraphChanged() { graphChanged_ = false; }

    // True once after a Run (confirmed or cancelled): the sampling timer must be
    // restarted with sampleRateMs(). Reading it clears it.
    bool takeRearmTimer();

    // --- recording ----------------------------------------------------------------

    int sampleCount() const { return sampleCount_; }
    int dataNo() const { return dataNo_; }
    std::time_t runStartTime() const { return runStartTime_; }
    int sampleRateMs() const { return sampleRateMs_; }

    // All slots of every channel; slot sampleCount() holds the latest live values.
    const ChannelSampleArrays& channelSamples() const { return *channelSamples_; }
    // For fresh reading k (0-based), the sample index it was recorded in.
    const SampleIndexArray& sampleOfDataNo() const { return *sampleOfDataNo_; }

    // The recorded samples 0 .. sampleCount()-1 of one channel (0..4).
    std::span<const float> recordedSamples(int channel) const;
    // The sample indexes of the fresh readings 0 .. dataNo()-1.
    std::span<const std::int32_t> freshSampleIndexes() const;

    // Local time of sample `index`: runStartTime + index * whole seconds of the rate.
    std::time_t sampleTime(int index) const;

    // --- texts of the control bar (locale-independent) -----------------------------

    // runStartTime as "%m/%d/%y %H:%M:%S", refreshed by every fresh-reading tick.
    const std::string& startTimeText() const { return startTimeText_; }
    // dataNo as a decimal integer, refreshed by every fresh-reading tick.
    const std::string& dataNoText() const { return dataNoText_; }
    // The confirmed rate in whole seconds (shown before the label "Sec").
    const std::string& sampleRateText() const { return sampleRateText_; }

    // --- run-control state --------------------------------------------------------

    bool newReading() const { return newReading_; }
    bool graphChanged() const { return graphChanged_; }
    bool runPending() const { return runPending_; }
    bool recording() const { return recording_; }
    bool stopped() const { return stopped_; }
    bool hasGraphData() const { return hasGraphData_; }
    bool runEnabled() const { return runEnabled_; }
    bool stopEnabled() const { return stopEnabled_; }
    bool rearmTimer() const { return rearmTimer_; }

    // --- command enabling -----------------------------------------------------------

    bool canRun() const { return runEnabled_; } // also the meter's power-off command
    bool canStop() const { return stopEnabled_; }
    bool canSave() const { return sampleCount_ != 0; }
    bool canPrint() const { return sampleCount_ != 0; }
    // Closing the main window offers to save a recording of two samples or more.
    bool asksSaveOnClose() const { return sampleCount_ >= 2; }

private:
    void endRecording();

    std::unique_ptr<ChannelSampleArrays> channelSamples_;
    std::unique_ptr<SampleIndexArray> sampleOfDataNo_;

    int sampleCount_ = 0;
    int dataNo_ = 0;
    std::time_t runStartTime_ = 0;
    int sampleRateMs_ = 0;

    std::string startTimeText_;
    std::string dataNoText_;
    std::string sampleRateText_;

    bool newReading_ = false;
    bool graphChanged_ = false;
    bool runPending_ = false;
    bool recording_ = false;
    bool stopped_ = true;
    bool hasGraphData_ = false;
    bool runEnabled_ = false;
    bool stopEnabled_ = false;
    bool rearmTimer_ = false;
};

} // namespace calorant
