// The real-time sample store as the GUI and the command-line recorder drive it: live
// frames writing the current slot, sampling ticks turning it into fresh or repeated
// samples, Run/Stop and the automatic stops (limits, silence, a full store), the
// control-bar texts and the rules that enable Run, Stop, Save and Print.

#include "record/SampleStore.h"

#include "core/CalendarTime.h"

#include <gtest/gtest.h>

namespace calorant {
namespace {

Channels reading(float base) {
    return {base, base + 1, base + 2, base + 3, base + 4};
}

class SampleStoreTest : public ::testing::Test {
protected:
    const std::time_t start = makeLocalTime(2026, 12, 7, 14, 5, 9);
    SampleStore store;

    // Frames are flowing, Run is confirmed and the first frame starts the recording.
    void startRecording(int rateSeconds, float firstValue = 20.0f) {
        store.onAcceptedFrame(reading(0.0f), start - 1);
        ASSERT_TRUE(store.run(rateSeconds));
        store.onAcceptedFrame(reading(firstValue), start);
    }

    // One tick, preceded by a frame with `value` when `withFrame` is set.
    TickOutcome tick(bool withFrame, float value, std::time_t at) {
        if (withFrame)
            store.onAcceptedFrame(reading(value), at);
        return store.onSampleTick();
    }
};

TEST_F(SampleStoreTest, EveryTickWithANewFrameRecordsAFreshReading) {
    startRecording(2);
    EXPECT_EQ(store.startTimeText(), "");
    EXPECT_FALSE(store.graphChanged());
    EXPECT_TRUE(store.onSampleTick().freshReading);
    EXPECT_TRUE(store.graphChanged());
    EXPECT_EQ(store.startTimeText(), "12/07/26 14:05:09");
    EXPECT_EQ(store.sampleRateText(), "2");
    for (int k = 1; k < 10; ++k)
        EXPECT_TRUE(tick(true, 20.0f + k, start + 2 * k).freshReading);

    EXPECT_EQ(store.sampleCount(), 10);
    EXPECT_EQ(store.dataNo(), 10);
    EXPECT_EQ(store.dataNoText(), "10");
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(store.sampleOfDataNo()[k], k);
        EXPECT_FLOAT_EQ(store.recordedSamples(kT1)[k], 20.0f + k);
        EXPECT_FLOAT_EQ(store.recordedSamples(kT4)[k], 24.0f + k);
    }
    EXPECT_EQ(store.recordedSamples(kIR).size(), 10u);
    EXPECT_EQ(store.freshSampleIndexes().size(), 10u);
    EXPECT_EQ(store.sampleTime(9), start + 18);
}

TEST_F(SampleStoreTest, TicksWithoutFramesRepeatTheLastFreshSample) {
    startRecording(1);
    store.onSampleTick();
    tick(true, 31.5f, start + 1);
    store.clearGraphChanged();
    for (int i = 0; i < 3; ++i) {
        const TickOutcome repeat = store.onSampleTick();
        EXPECT_TRUE(repeat.sampleRecorded);
        EXPECT_FALSE(repeat.freshReading);
    }
    EXPECT_EQ(store.sampleCount(), 5);
    EXPECT_EQ(store.dataNo(), 2);
    EXPECT_EQ(store.dataNoText(), "2");
    EXPECT_FALSE(store.graphChanged()); // repeats do not repaint the graph
    for (int i = 2; i < 5; ++i) {
        EXPECT_FLOAT_EQ(store.channelSamples()[kT1][i], 31.5f);
        EXPECT_FLOAT_EQ(store.channelSamples()[kT3][i], 34.5f);
    }

    tick(true, 40.0f, start + 5);
    EXPECT_EQ(store.sampleCount(), 6);
    EXPECT_EQ(store.dataNo(), 3);
    EXPECT_EQ(store.sampleOfDataNo()[2], 5);
    EXPECT_FLOAT_EQ(store.channelSamples()[kT1][5], 40.0f);
}

TEST_F(SampleStoreTest, RatesBelowOneSecondBecomeOneAndHugeRatesStayWithin32Bits) {
    EXPECT_EQ(store.proposedRateSeconds(), 1);
    for (int entered : {0, -5}) {
        SampleStore s;
        s.run(entered);
        EXPECT_EQ(s.sampleRateMs(), 1000) << entered;
        EXPECT_EQ(s.sampleRateText(), "1") << entered;
    }
    store.run(3000000);
    EXPECT_EQ(store.sampleRateMs(), 2147483000);
    EXPECT_EQ(store.sampleRateText(), "2147483");
    EXPECT_EQ(store.proposedRateSeconds(), 2147483);
}

TEST_F(SampleStoreTest, AnArmedRunWaitsForItsFirstFrameAndThenResetsTheStore) {
    startRecording(1, 10.0f);
    store.onSampleTick();
    for (int k = 1; k <= 4; ++k)
        tick(true, 10.0f + k, start + k);
    store.stop();
    ASSERT_EQ(store.sampleCount(), 5);

    EXPECT_TRUE(store.asksSaveBeforeRun());
    store.onAcceptedFrame(reading(50.0f), start + 10);
    ASSERT_TRUE(store.run(2));
    EXPECT_TRUE(store.runPending());
    EXPECT_TRUE(store.takeRearmTimer());
    EXPECT_FALSE(store.takeRearmTimer());

    // Old curves stay on screen, untouched by ticks, until a frame arrives.
    EXPECT_FALSE(store.onSampleTick().sampleRecorded);
    EXPECT_EQ(store.sampleCount(), 5);
    EXPECT_EQ(store.dataNo(), 5);

    const std::time_t restart = start + 100;
    EXPECT_TRUE(store.onAcceptedFrame(reading(60.0f), restart).recordingStarted);
    EXPECT_EQ(store.sampleCount(), 0);
    EXPECT_EQ(store.dataNo(), 0);
    EXPECT_EQ(store.runStartTime(), restart);
    EXPECT_FALSE(store.runPending());
    EXPECT_FALSE(store.stopped());
    EXPECT_FALSE(store.onAcceptedFrame(reading(61.0f), restart).recordingStarted);

    store.onSampleTick();
    EXPECT_EQ(store.sampleCount(), 1);
    EXPECT_FLOAT_EQ(store.recordedSamples(kT1)[0], 61.0f);
    EXPECT_EQ(store.startTimeText(), "12/07/26 14:06:49");
}

TEST_F(SampleStoreTest, CancellingTheRateDialogKeepsTheOldRecordingAndRate) {
    startRecording(3);
    store.onSampleTick();
    store.stop();
    store.onAcceptedFrame(reading(5.0f), start + 9);

    store.runCancelled();
    EXPECT_TRUE(store.takeRearmTimer());
    EXPECT_FALSE(store.recording());
    EXPECT_FALSE(store.runPending());
    EXPECT_TRUE(store.canRun());
    EXPECT_EQ(store.sampleRateMs(), 3000);
    EXPECT_EQ(store.sampleCount(), 1);
    EXPECT_EQ(store.runStartTime(), start);
}

TEST_F(SampleStoreTest, RunIsRefusedWhileARecordingRuns) {
    startRecording(1);
    EXPECT_FALSE(store.run(9));
    EXPECT_EQ(store.sampleRateMs(), 1000);
    EXPECT_FALSE(store.runPending());
}

TEST_F(SampleStoreTest, FiveThousandFreshReadingsStopTheRecording) {
    startRecording(1);
    // Every other tick misses its frame, so samples run ahead of fresh readings.
    for (int k = 1; k < kFreshReadingLimit; ++k) {
        tick(true, 1.0f, start + k);
        store.onSampleTick();
        ASSERT_FALSE(store.checkLimits()) << k;
    }
    tick(true, 1.0f, start + 20000);
    ASSERT_EQ(store.dataNo(), kFreshReadingLimit);
    EXPECT_LT(store.sampleCount(), kSampleLimit);
    EXPECT_TRUE(store.checkLimits());
    EXPECT_FALSE(store.recording());
    EXPECT_TRUE(store.stopped());
    EXPECT_FALSE(store.canStop());
    EXPECT_EQ(store.dataNo(), kFreshReadingLimit);

    store.onAcceptedFrame(reading(2.0f), start + 20001);
    EXPECT_TRUE(store.canRun());
}

TEST_F(SampleStoreTest, TenThousandSamplesStopTheRecording) {
    startRecording(1);
    store.onSampleTick();
    while (store.sampleCount() < kSampleLimit)
        store.onSampleTick();
    EXPECT_TRUE(store.checkLimits());
    EXPECT_FALSE(store.recording());
    EXPECT_FALSE(store.checkLimits());
}

TEST_F(SampleStoreTest, TicksWithoutFramesNeverWriteBeyondTheLastSlot) {
    startRecording(1, 7.0f);
    store.onSampleTick();
    TickOutcome last;
    int ticks = 0;
    while (store.recording() && ticks < 20000) {
        last = store.onSampleTick();
        ++ticks;
    }
    EXPECT_TRUE(last.stoppedAtCapacity);
    EXPECT_FALSE(last.sampleRecorded);
    EXPECT_EQ(store.sampleCount(), kSampleCapacity - 1);
    EXPECT_TRUE(store.stopped());
    EXPECT_FALSE(store.canStop());

    // The live values still land in the (last) current slot, never beyond it.
    store.onAcceptedFrame(reading(99.0f), start + 20000);
    EXPECT_FLOAT_EQ(store.channelSamples()[kT4][kSampleCapacity - 1], 103.0f);
    EXPECT_FLOAT_EQ(store.channelSamples()[kT4][kSampleCapacity - 2], 11.0f);
}

TEST_F(SampleStoreTest, AFullPreviousRecordingDoesNotStopTheNextArmedRun) {
    startRecording(1);
    store.onSampleTick();
    while (store.sampleCount() < kSampleLimit)
        store.onSampleTick();
    ASSERT_TRUE(store.checkLimits());

    store.onAcceptedFrame(reading(1.0f), start + 20000);
    ASSERT_TRUE(store.run(1));
    EXPECT_FALSE(store.checkLimits()); // a receive event that held no frame
    EXPECT_TRUE(store.recording());
    EXPECT_TRUE(store.onAcceptedFrame(reading(2.0f), start + 20001).recordingStarted);
    EXPECT_EQ(store.sampleCount(), 0);
}

TEST_F(SampleStoreTest, SilenceStopsTheRecordingAndDisablesRunUntilFramesReturn) {
    startRecording(1);
    store.onSampleTick();
    store.stopBySilence();
    EXPECT_FALSE(store.recording());
    EXPECT_TRUE(store.stopped());
    EXPECT_FALSE(store.canStop());
    EXPECT_FALSE(store.canRun());
    EXPECT_FALSE(store.onSampleTick().sampleRecorded);
    EXPECT_EQ(store.sampleCount(), 1);

    store.onAcceptedFrame(reading(1.0f), start + 9);
    EXPECT_TRUE(store.canRun());
    EXPECT_TRUE(store.canSave());
}

TEST_F(SampleStoreTest, AnArmedRunEndedBeforeItsFirstFrameKeepsThePreviousRecording) {
    startRecording(1, 10.0f);
    tick(true, 11.0f, start + 1);
    tick(true, 12.0f, start + 2);
    store.stop();
    store.onAcceptedFrame(reading(0.0f), start + 3);
    ASSERT_TRUE(store.run(1));

    store.stopBySilence(); // the meter went away before the run began
    store.onAcceptedFrame(reading(0.0f), start + 30);
    EXPECT_EQ(store.sampleCount(), 2);
    EXPECT_EQ(store.runStartTime(), start);
    EXPECT_TRUE(store.stopped());
    EXPECT_FALSE(store.recording());

    // The next Run still starts a fresh recording at its first frame.
    ASSERT_TRUE(store.run(1));
    EXPECT_TRUE(store.onAcceptedFrame(reading(3.0f), start + 40).recordingStarted);
    EXPECT_EQ(store.sampleCount(), 0);
}

TEST_F(SampleStoreTest, CommandsAreEnabledByTheStateOfTheRecording) {
    EXPECT_FALSE(store.canRun());
    EXPECT_FALSE(store.canStop());
    EXPECT_FALSE(store.canSave());
    EXPECT_FALSE(store.canPrint());
    EXPECT_FALSE(store.asksSaveBeforeRun());

    store.onAcceptedFrame(reading(0.0f), start);
    EXPECT_TRUE(store.canRun());
    store.run(1);
    EXPECT_FALSE(store.canRun());
    EXPECT_TRUE(store.canStop());
    EXPECT_TRUE(store.asksSaveBeforeRun());

    store.onAcceptedFrame(reading(0.0f), start);
    EXPECT_FALSE(store.canRun());
    EXPECT_FALSE(store.canSave());
    store.onSampleTick();
    EXPECT_TRUE(store.canSave());
    EXPECT_TRUE(store.canPrint());
    EXPECT_FALSE(store.asksSaveOnClose());
    tick(true, 1.0f, start + 1);
    EXPECT_TRUE(store.asksSaveOnClose());

    store.stop();
    EXPECT_FALSE(store.canStop());
    EXPECT_FALSE(store.canRun());
    EXPECT_TRUE(store.canSave());
    store.onAcceptedFrame(reading(0.0f), start + 2);
    EXPECT_TRUE(store.canRun());
}

} // namespace
} // namespace calorant
