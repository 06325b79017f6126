// The recording journal: the bytes of its documented format, a journal written sample by
// sample and read back whole, what is kept of one cut short, overwritten with garbage,
// written by another version or longer than a store, a journal that cannot be written,
// and the recording a journal restores into the sample store.
#include "FileTestSupport.h"
#include "core/Crc32.h"
#include "record/RecordingJournal.h"
#include "record/SampleStore.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace calorant::test {
namespace {

namespace fs = std::filesystem;

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::uint32_t littleEndian32(const std::string& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(int32At(bytes, at));
}

JournalSample sampleOf(float base, bool fresh) {
    return {{base, base + 1, base + 2, base + 3, base + 4}, fresh};
}

class JournalFile : public ::testing::Test {
protected:
    void SetUp() override { journal.setPath(path); }

    // A journal of `count` samples, every third a repeat.
    void writeSamples(int count) {
        ASSERT_TRUE(journal.begin(header));
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(journal.append(sampleOf(20.0f + i * 0.1f, i % 3 != 2)));
    }

    void rewrite(const std::string& bytes) { writeBytes(path, bytes); }

    ScratchFolder scratch;
    fs::path folder = scratch.path();
    fs::path path = folder / "recording-1.journal";
    RecordingJournal journal;
    JournalHeader header{kDecember7, 2000};
};

TEST(JournalFormat, TheChecksumIsTheCommonCrc32) {
    EXPECT_EQ(crc32(bytesOf("123456789")), 0xCBF43926u);
    EXPECT_EQ(crc32({}), 0u);
}

TEST(JournalFormat, HeaderAndSampleBytesAreTheDocumentedLittleEndianLayout) {
    const std::string head = encodeJournalHeader({0x0102030405, 3000});
    ASSERT_EQ(head.size(), kJournalHeaderSize);
    EXPECT_EQ(head.substr(0, 8), "CALORJNL");
    EXPECT_EQ(head.substr(8, 16),
              std::string("\x01\x00\x00\x00\xB8\x0B\x00\x00\x05\x04\x03\x02\x01\x00\x00\x00", 16));
    EXPECT_EQ(littleEndian32(head, 24), crc32(bytesOf(head.substr(0, 24))));

    const std::string sample = encodeJournalSample(258, {{1.0f, -2.0f, 0, 0, 2900.5f}, true});
    ASSERT_EQ(sample.size(), kJournalSampleSize);
    EXPECT_EQ(sample.substr(0, 6), std::string("\x02\x01\x00\x00\x01\x00", 6));
    EXPECT_EQ(sample.substr(6, 8), std::string("\x00\x00\x80\x3F\x00\x00\x00\xC0", 8)); // 1, -2
    EXPECT_EQ(littleEndian32(sample, 22), 0x45354800u);                                 // 2900.5
    EXPECT_EQ(littleEndian32(sample, 26), crc32(bytesOf(sample.substr(0, 26))));
}

TEST_F(JournalFile, EverySampleAppendedIsReadBackWithItsFreshness) {
    writeSamples(7);
    EXPECT_EQ(fs::file_size(path), kJournalHeaderSize + 7 * kJournalSampleSize)
        << "each sample is in the file when append returns";
    const auto content = readJournal(path);
    ASSERT_TRUE(content);
    EXPECT_FALSE(content->damaged);
    EXPECT_EQ(content->header.runStartTime, kDecember7);
    EXPECT_EQ(content->header.sampleRateMs, 2000);
    ASSERT_EQ(content->samples.size(), 7u);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(content->samples[i].values, sampleOf(20.0f + i * 0.1f, true).values) << i;
        EXPECT_EQ(content->samples[i].fresh, i % 3 != 2) << i;
    }

    // A new recording starts the file over; retiring removes it.
    ASSERT_TRUE(journal.begin({kDecember7 + 60, 1000}));
    EXPECT_TRUE(readJournal(path)->samples.empty());
    journal.retire();
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(readJournal(path)) << "no file, nothing to offer";
    EXPECT_FALSE(journal.append(sampleOf(1, true))) << "nothing begun";
}

TEST_F(JournalFile, ADamagedJournalKeepsTheWholeSamplesBeforeTheDamage) {
    writeSamples(5);
    const std::string whole = fileBytes(path);

    rewrite(whole.substr(0, whole.size() - 11)); // cut short in the last sample
    auto content = readJournal(path);
    ASSERT_TRUE(content);
    EXPECT_TRUE(content->damaged);
    EXPECT_EQ(content->samples.size(), 4u);

    std::string flipped = whole;
    flipped[kJournalHeaderSize + 2 * kJournalSampleSize + 9] ^= 0x10; // a value of sample 2
    rewrite(flipped);
    content = readJournal(path);
    EXPECT_TRUE(content->damaged);
    EXPECT_EQ(content->samples.size(), 2u);

    rewrite(whole + std::string(45, '\x7F')); // garbage after the end
    content = readJournal(path);
    EXPECT_TRUE(content->damaged);
    EXPECT_EQ(content->samples.size(), 5u);

    // A sample that is whole but out of sequence ends what is read.
    rewrite(whole.substr(0, kJournalHeaderSize) + encodeJournalSample(0, sampleOf(1, true)) +
            encodeJournalSample(2, sampleOf(2, true)));
    content = readJournal(path);
    EXPECT_TRUE(content->damaged);
    EXPECT_EQ(content->samples.size(), 1u);
}

TEST_F(JournalFile, AFileThatIsNoJournalOfThisVersionReadsAsDamagedWithNothingWhole) {
    writeSamples(3);
    std::string other = fileBytes(path);
    other[8] = 2; // version 2, checksum made to match
    const std::uint32_t crc = crc32(bytesOf(other.substr(0, 24)));
    for (int i = 0; i < 4; ++i)
        other[24 + i] = static_cast<char>((crc >> (8 * i)) & 0xFF);
    for (const std::string& bytes :
         {other, std::string("KV4410M garbage that is not a journal at all........."),
          std::string(), fileBytes(path).substr(0, 20)}) {
        rewrite(bytes);
        const auto content = readJournal(path);
        ASSERT_TRUE(content) << "the file is there";
        EXPECT_TRUE(content->damaged);
        EXPECT_TRUE(content->samples.empty());
    }
    // A rate the programme cannot have used is not a header either.
    rewrite(encodeJournalHeader({kDecember7, 1500}) + encodeJournalSample(0, sampleOf(1, true)));
    EXPECT_TRUE(readJournal(path)->samples.empty());
}

TEST_F(JournalFile, NoMoreSamplesAreReadThanTheStoreCanHold) {
    std::string bytes = encodeJournalHeader(header);
    for (int i = 0; i < kSampleCapacity + 5; ++i)
        bytes += encodeJournalSample(i, sampleOf(1, true));
    rewrite(bytes);
    const auto content = readJournal(path);
    EXPECT_EQ(content->samples.size(), std::size_t(kSampleCapacity - 1));
    EXPECT_TRUE(content->damaged);
}

TEST_F(JournalFile, AJournalThatCannotBeWrittenSaysWhyAndWritesNothingMore) {
    journal.setPath(folder / "missing" / "recording-1.journal");
    EXPECT_FALSE(journal.begin(header));
    EXPECT_EQ(journal.error(), "No such file or directory");
    EXPECT_FALSE(journal.writing());

    if (fs::exists("/dev/full")) { // a disk that is full from the first byte
        journal.setPath("/dev/full");
        EXPECT_FALSE(journal.begin(header));
        EXPECT_EQ(journal.error(), "No space left on device");
        EXPECT_FALSE(journal.append(sampleOf(1, true)));
    }
}

TEST(JournalRestore, TheJournalsSamplesBecomeAStoppedRecordingLikeAnyOther) {
    SampleStore store;
    const std::vector<JournalSample> samples{sampleOf(20, true), sampleOf(20, false),
                                             sampleOf(21, true), sampleOf(21, false),
                                             sampleOf(22, true)};
    ASSERT_TRUE(store.restore({kDecember7, 3000}, samples));
    EXPECT_EQ(store.sampleCount(), 5);
    EXPECT_EQ(store.dataNo(), 3);
    EXPECT_EQ(std::vector<std::int32_t>(store.freshSampleIndexes().begin(),
                                        store.freshSampleIndexes().end()),
              (std::vector<std::int32_t>{0, 2, 4}));
    EXPECT_FLOAT_EQ(store.recordedSamples(kIR)[3], 23.0f);
    EXPECT_EQ(store.sampleTime(4), kDecember7 + 12);
    EXPECT_EQ(store.startTimeText(), "12/07/26 14:05:09");
    EXPECT_EQ(store.dataNoText(), "3");
    EXPECT_EQ(store.sampleRateText(), "3");
    EXPECT_EQ(store.proposedRateSeconds(), 3);
    EXPECT_TRUE(store.stopped());
    EXPECT_FALSE(store.recording());
    EXPECT_TRUE(store.canSave());
    EXPECT_TRUE(store.asksSaveBeforeRun());
    EXPECT_TRUE(store.asksSaveOnClose());

    // The next Run replaces it as usual.
    ASSERT_TRUE(store.run(1));
    store.onAcceptedFrame({5, 5, 5, 5, 5}, kDecember7 + 100);
    store.onSampleTick();
    EXPECT_EQ(store.sampleCount(), 1);
    EXPECT_EQ(store.runStartTime(), kDecember7 + 100);
}

TEST(JournalRestore, NothingIsRestoredOverARunningRecordingOrFromNoSamples) {
    SampleStore store;
    record(store, 1, {{1, 1, 1, 1, 1}, {2, 2, 2, 2, 2}});
    EXPECT_FALSE(store.restore({kDecember7, 1000}, std::vector{sampleOf(9, true)}));
    EXPECT_EQ(store.sampleCount(), 2);
    store.stop();
    EXPECT_FALSE(store.restore({kDecember7, 1000}, {}));
    EXPECT_EQ(store.sampleCount(), 2);
    EXPECT_FALSE(store.restore({kDecember7, 1000},
                               std::vector<JournalSample>(kSampleCapacity, sampleOf(1, true))));
}

} // namespace
} // namespace calorant::test
