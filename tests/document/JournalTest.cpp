// The recording's journal as the document keeps it: every recorded sample in the file
// from the first frame of a run on, the journal a programme left behind handed back once
// and restored as a stopped recording, a retired journal that stays retired, one that
// cannot be written reported while the recording goes on, and the journal slots of
// programmes running side by side.
#include "document/CKVDoc.h"
#include "document/JournalSlot.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace calorant {
namespace {

namespace fs = std::filesystem;

constexpr std::time_t kStart = 1700000000;

LiveFrame frameOf(float t1, std::time_t arrival) {
    LiveFrame frame;
    frame.arrivalTime = arrival;
    frame.channel = {t1, 21.0f, 22.0f, 23.0f, 24.0f};
    return frame;
}

class DocumentJournal : public ::testing::Test {
protected:
    // A run at 2 s whose ticks see a frame, a frame, none, a frame.
    void recordFourSamples() {
        doc.sampleStore().run(2);
        doc.onAcceptedFrame(frameOf(20.0f, kStart));
        doc.onSampleTick();
        doc.onAcceptedFrame(frameOf(20.5f, kStart + 2));
        doc.onSampleTick();
        doc.onSampleTick();
        doc.onAcceptedFrame(frameOf(21.0f, kStart + 6));
        doc.onSampleTick();
    }

    QTemporaryDir folder;
    fs::path path = fs::path(folder.path().toStdString()) / "recording-1.journal";
    CKVDoc doc;
};

TEST_F(DocumentJournal, EverySampleOfARunningRecordingIsInTheJournalAsTheStoreHoldsIt) {
    EXPECT_FALSE(doc.journalInto(path)) << "nothing was left";
    doc.sampleStore().run(2);
    doc.onSampleTick(); // an armed run has no journal before its first frame
    EXPECT_FALSE(fs::exists(path));

    doc.onAcceptedFrame(frameOf(20.0f, kStart));
    doc.onSampleTick();
    doc.onAcceptedFrame(frameOf(20.5f, kStart + 2));
    doc.onSampleTick();
    doc.onSampleTick();
    doc.onAcceptedFrame(frameOf(21.0f, kStart + 6)); // a frame not yet sampled is not kept
    const auto content = readJournal(path);
    ASSERT_TRUE(content);
    EXPECT_EQ(content->header.runStartTime, kStart);
    EXPECT_EQ(content->header.sampleRateMs, 2000);
    ASSERT_EQ(content->samples.size(), 3u);
    EXPECT_EQ(content->samples[1].values[0], 20.5f);
    EXPECT_EQ(content->samples[2].values[0], 20.5f) << "the repeat of the tick without a frame";
    EXPECT_EQ(content->samples[2].values[4], 24.0f);
    EXPECT_TRUE(content->samples[1].fresh);
    EXPECT_FALSE(content->samples[2].fresh);

    doc.retireJournal();
    EXPECT_FALSE(fs::exists(path));
    doc.onSampleTick();
    EXPECT_FALSE(fs::exists(path)) << "the recording goes on unjournalled";
}

TEST_F(DocumentJournal, AJournalLeftBehindComesBackOnceAndRestoresAStoppedRecording) {
    doc.journalInto(path);
    recordFourSamples();

    CKVDoc next; // the next programme, after the first one died
    const auto left = next.journalInto(path);
    ASSERT_TRUE(left);
    EXPECT_EQ(left->samples.size(), 4u);
    QSignalSpy restored(&next, &CKVDoc::recordingRestored);
    ASSERT_TRUE(next.restoreJournalled(*left));
    EXPECT_EQ(restored.count(), 1);
    const SampleStore& store = next.sampleStore();
    EXPECT_EQ(store.sampleCount(), 4);
    EXPECT_EQ(store.dataNo(), 3);
    EXPECT_EQ(store.runStartTime(), kStart);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(store.recordedSamples(0)[i], doc.sampleStore().recordedSamples(0)[i]) << i;
    EXPECT_TRUE(fs::exists(path)) << "kept until the restored recording is saved";

    // The restored recording's journal gives way to the next one.
    next.sampleStore().run(1);
    next.onAcceptedFrame(frameOf(30.0f, kStart + 100));
    next.onSampleTick();
    EXPECT_EQ(readJournal(path)->samples.size(), 1u);
}

TEST_F(DocumentJournal, AJournalThatCannotBeWrittenIsReportedOnceAndTheRecordingGoesOn) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "needs /dev/full, a device that is always full";
    doc.journalInto("/dev/full");
    QSignalSpy failed(&doc, &CKVDoc::journalFailed);
    recordFourSamples();
    ASSERT_EQ(failed.count(), 1);
    EXPECT_EQ(failed.at(0).at(0).toString(), QStringLiteral("No space left on device"));
    EXPECT_EQ(doc.sampleStore().sampleCount(), 4);
}

TEST(JournalSlots, ProgrammesSideBySideEachTakeTheirOwnAndALeftJournalIsPreferred) {
    QTemporaryDir dir;
    const fs::path state = fs::path(dir.path().toStdString()) / "state" / "calorant";
    auto first = JournalSlot::claim(state);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->journalPath(), state / "recording-1.journal");
    auto second = JournalSlot::claim(state);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->journalPath(), state / "recording-2.journal");

    // The second programme died with a journal; the first ended normally.
    std::ofstream(second->journalPath()) << "journal";
    second.reset();
    first.reset();
    const auto next = JournalSlot::claim(state);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->journalPath(), state / "recording-2.journal");
}

} // namespace
} // namespace calorant
