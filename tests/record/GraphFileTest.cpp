// The .graph format: the exact bytes both writers produce, reading a file back into
// the logger's record set, and the files the reader refuses (wrong magic in any of the
// archive's string forms, impossible counts, files that end early), which must leave
// the record set and the logger flags exactly as they were.
#include "record/GraphFile.h"

#include "FileTestSupport.h"
#include "document/LoggerIntake.h"
#include "support/LoggerSetStart.h"

#include <bit>
#include <climits>
#include <sstream>
#include <utility>

namespace calorant {
namespace {

using test::int32At;

std::string graphBytesOf(const SampleStore& store, TemperatureUnit unit, int gain, int offset) {
    std::ostringstream out(std::ios::binary);
    writeGraphFile(out, store, unit, gain, offset);
    return out.str();
}

// Reads a file as the document opens one: a file read in full becomes the shown set.
GraphReadResult readBytes(const std::string& bytes, LoggerSet& set, LoggerModeFlags& flags) {
    std::istringstream in(bytes, std::ios::binary);
    GraphReadResult result = readGraphFile(in);
    if (result.contents)
        keepGraphFile(*result.contents, set, flags);
    return result;
}

LoggerSet goldenSet() {
    LoggerSet set;
    set.readingCount = 3;
    const float values[] = {20.0f,  25.3f, 2950.0f, -12.5f, 2900.0f, 20.1f,  25.4f, 30.0f,
                            -12.4f, 0.0f,  20.2f,   25.5f,  31.5f,   -12.3f, 100.0f};
    std::copy(std::begin(values), std::end(values), set.values.begin());
    set.unit = 2;
    test::fillStartFields(set, 2026, 12, 7, 14, 5, 9);
    set.sampleRate = 2;
    return set;
}

TEST(GraphFileWriting, ARecordingOfThreeSamplesTakes109BytesInFieldOrder) {
    SampleStore store;
    test::record(store, 2, {{1, 2, 3, 4, 5}, test::missingFrame(), {6, 7, 8, 9, 10}});
    ASSERT_EQ(store.sampleCount(), 3);

    const std::string bytes = graphBytesOf(store, TemperatureUnit::Fahrenheit, 50, -3);

    ASSERT_EQ(bytes.size(), 109u);
    EXPECT_EQ(bytes.substr(0, 8), "\x07KV4410M");
    EXPECT_EQ(bytes.substr(8, 4), std::string("\x03\0\0\0", 4));
    // Sample-major: the repeated sample 1 holds sample 0's values again.
    const float expected[] = {1, 2, 3, 4, 5, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    for (std::size_t i = 0; i < 15; ++i)
        EXPECT_EQ(std::bit_cast<float>(int32At(bytes, 12 + 4 * i)), expected[i]) << "value " << i;
    EXPECT_EQ(bytes[72], '\x01');
    const std::int32_t trailer[] = {2026, 12, 7, 14, 5, 9, 2, 50, -3};
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_EQ(int32At(bytes, 73 + 4 * i), trailer[i]) << "trailer field " << i;
}

TEST(GraphFileWriting, AnEmptyRecordingIsA49ByteFileThatLoadsAsAnEmptySet) {
    SampleStore store;
    const std::string bytes = graphBytesOf(store, TemperatureUnit::Celsius, 10, 0);
    ASSERT_EQ(bytes.size(), 49u);

    LoggerSet set = goldenSet();
    LoggerModeFlags flags;
    EXPECT_TRUE(readBytes(bytes, set, flags).loaded());
    EXPECT_EQ(set.readingCount, 0);
    EXPECT_EQ(flags.loadedYGain, 10);
}

TEST(GraphFileWriting, TheLoggerWriterMatchesTheGoldenFile) {
    std::ostringstream out(std::ios::binary);
    writeGraphFile(out, goldenSet(), 5, -2);
    EXPECT_EQ(out.str(), test::fileBytes(test::goldenFile("three-readings.graph")));
}

TEST(GraphFileReading, TheGoldenFileLoadsIntoTheSetAndRaisesTheLoadFlags) {
    LoggerSet set;
    LoggerModeFlags flags;
    const GraphReadResult result =
        readBytes(test::fileBytes(test::goldenFile("three-readings.graph")), set, flags);

    ASSERT_TRUE(result.loaded());
    EXPECT_TRUE(result.message.empty());
    const LoggerSet expected = goldenSet();
    EXPECT_EQ(set.readingCount, 3);
    EXPECT_TRUE(std::equal(set.values.begin(), set.values.begin() + 15, expected.values.begin()));
    EXPECT_EQ(set.unit, 2);
    EXPECT_EQ(set.sampleRate, 2);
    EXPECT_EQ(set.startTime, test::kDecember7);
    EXPECT_EQ(set.startSecond, 9);
    EXPECT_EQ(flags.loadedYGain, 5);
    EXPECT_EQ(flags.loadedYOffset, -2);
    EXPECT_EQ(flags.fileSetLoaded, 1);
    EXPECT_EQ(flags.appendLoadedFile, 1);
}

// Every refused file must leave the set and the flags as a previous good file left them.
class RefusedGraphFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(readBytes(test::fileBytes(test::goldenFile("three-readings.graph")), set, flags)
                        .loaded());
        flags.appendLoadedFile = 0; // as after the paint that listed the file
        flags.fileSetLoaded = 0;
        before = set;
        flagsBefore = flags;
    }

    void expectRefusedAndUntouched(const std::string& bytes, const std::string& what) {
        const GraphReadResult result = readBytes(bytes, set, flags);
        EXPECT_FALSE(result.loaded()) << what;
        EXPECT_EQ(result.message, "Invalid Format!") << what;
        EXPECT_EQ(set.readingCount, before.readingCount) << what;
        EXPECT_EQ(set.values, before.values) << what;
        EXPECT_EQ(set.unit, before.unit) << what;
        EXPECT_EQ(set.startTime, before.startTime) << what;
        EXPECT_EQ(set.startYear, before.startYear) << what;
        EXPECT_EQ(set.sampleRate, before.sampleRate) << what;
        EXPECT_EQ(flags.fileSetLoaded, 0) << what;
        EXPECT_EQ(flags.appendLoadedFile, 0) << what;
        EXPECT_EQ(flags.loadedYGain, flagsBefore.loadedYGain) << what;
        EXPECT_EQ(flags.loadedYOffset, flagsBefore.loadedYOffset) << what;
    }

    std::string golden = test::fileBytes(test::goldenFile("three-readings.graph"));
    LoggerSet set;
    LoggerModeFlags flags;
    LoggerSet before;
    LoggerModeFlags flagsBefore;
};

TEST_F(RefusedGraphFile, AWrongMagicLengthOrCharacterIsRefused) {
    std::string shortLength = golden;
    shortLength[0] = '\x06';
    expectRefusedAndUntouched(shortLength, "length byte 6");
    for (std::size_t i = 1; i <= 7; ++i) {
        std::string changed = golden;
        changed[i] = static_cast<char>(changed[i] + 1);
        expectRefusedAndUntouched(changed, "magic character " + std::to_string(i));
    }
    expectRefusedAndUntouched("", "empty file");
}

TEST_F(RefusedGraphFile, TheArchivesLongStringFormsAreNeverTheMagic) {
    // 0xFF and a 16-bit length, even one of 7 followed by the right characters.
    expectRefusedAndUntouched(std::string("\xFF\x07\x00", 3) + golden.substr(1), "16-bit 7");
    // 0xFF, 0xFFFF and a 32-bit length claiming four gigabytes, with nothing behind it.
    expectRefusedAndUntouched(std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7), "32-bit huge");
}

TEST_F(RefusedGraphFile, ANegativeOrOversizedCountIsRefused) {
    for (const std::int32_t count : {-1, -20, kLoggerSetCapacity + 1, 0x7FFFFFFF}) {
        std::string bytes = golden;
        for (std::size_t i = 0; i < 4; ++i)
            bytes[8 + i] = static_cast<char>((static_cast<std::uint32_t>(count) >> (8 * i)) & 0xFF);
        expectRefusedAndUntouched(bytes, "count " + std::to_string(count));
    }
}

TEST_F(RefusedGraphFile, AFileThatEndsEarlyAnywhereIsRefused) {
    for (std::size_t length = 0; length < golden.size(); ++length)
        expectRefusedAndUntouched(golden.substr(0, length), "cut at " + std::to_string(length));
}

TEST(GraphFileReading, AFullSetOf13110ReadingsIsAccepted) {
    LoggerSet full;
    full.readingCount = kLoggerSetCapacity;
    full.values.back() = 42.5f;
    std::ostringstream out(std::ios::binary);
    writeGraphFile(out, full, 100, 0);

    LoggerSet set;
    LoggerModeFlags flags;
    ASSERT_TRUE(readBytes(out.str(), set, flags).loaded());
    EXPECT_EQ(set.readingCount, kLoggerSetCapacity);
    EXPECT_EQ(set.values.back(), 42.5f);
}

TEST(GraphFileReading, StartFieldsBeyondAnyCalendarLoadWithNoStartTimeAndWriteBackAsRead) {
    for (const auto& [year, month] : {std::pair{INT_MIN, 12}, std::pair{2026, INT_MIN}}) {
        LoggerSet odd = goldenSet();
        test::fillStartFields(odd, year, month, 7, 14, 5, 9);
        std::ostringstream out(std::ios::binary);
        writeGraphFile(out, odd, 5, -2);

        LoggerSet set;
        LoggerModeFlags flags;
        ASSERT_TRUE(readBytes(out.str(), set, flags).loaded()) << year << " " << month;
        EXPECT_EQ(set.startTime, -1) << year << " " << month;
        EXPECT_EQ(set.startYear, year);
        EXPECT_EQ(set.startMonth, month);
        std::ostringstream again(std::ios::binary);
        writeGraphFile(again, set, flags.loadedYGain, flags.loadedYOffset);
        EXPECT_EQ(again.str(), out.str());
    }
}

} // namespace
} // namespace calorant
