// The logger memory and its download: the byte layout of set headers and records,
// the header reply and the stream length, the built-in memories, and the exchange
// in simulated time (one answer to the repeated request, line-rate pacing, a stream
// that stops halfway, a mute meter, and sets recorded with REC).
#include "SimTestSupport.h"
#include "sim/LoggerMemory.h"
#include "sim/MeterSession.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>

namespace calorant::sim {
namespace {

using test::int16At;

constexpr SetStart kWallClock{2024, 5, 6, 7, 8, 9};

int setHeaderCount(const std::vector<std::uint8_t>& bytes) {
    int count = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
        count += bytes[i] == 0xAA && bytes[i + 1] == 0x56;
    return count;
}

TEST(LoggerMemory, SetsAreLaidOutAsHeadersFollowedByTenByteRecords) {
    LoggerMemory memory;
    memory.beginSet(2, SetStart{2019, 12, 24, 9, 15, 30});
    memory.appendRecord({-200, 250, 300, 0, 1000});
    memory.appendRecord({-1, 0, 0, 0, 0});
    memory.appendRecord({0, 0, 0, 0, 29500});
    memory.beginSet(600, SetStart{2020, 1, 2, 3, 4, 5});

    const std::vector<std::uint8_t>& b = memory.content();
    ASSERT_EQ(b.size(), 52u);
    const std::vector<std::uint8_t> firstHeader{0xAA, 0x56, 0x00, 0x02, 30, 15,
                                                9,    24,   12,   0x00, 12};
    EXPECT_TRUE(std::equal(firstHeader.begin(), firstHeader.end(), b.begin()));
    const std::vector<std::uint8_t> firstRecord{0xFF, 0x38, 0x00, 0xFA, 0x01,
                                                0x2C, 0x00, 0x00, 0x03, 0xE8};
    EXPECT_TRUE(std::equal(firstRecord.begin(), firstRecord.end(), b.begin() + 11));
    EXPECT_EQ(b[21], 0xFF); // -0.1
    EXPECT_EQ(b[22], 0xFF);
    EXPECT_EQ(b[39], 0x73); // 2950.0 ends the record that ends at the second header
    EXPECT_EQ(b[40], 0x3C);
    const std::vector<std::uint8_t> secondHeader{0xAA, 0x56, 0x02, 0x58, 5, 4, 3, 2, 1, 0x00, 13};
    EXPECT_TRUE(std::equal(secondHeader.begin(), secondHeader.end(), b.begin() + 41));
}

TEST(LoggerMemory, TheHeaderReplyAnnouncesTheContentAndTheStreamAddsTenBytes) {
    LoggerMemory memory;
    memory.beginSet(1, SetStart{});
    memory.appendRecord({});
    memory.appendRecord({});
    EXPECT_EQ(memory.headerReply(2),
              (std::vector<std::uint8_t>{0xBB, 0x55, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 31}));
    const auto stream = memory.stream();
    ASSERT_EQ(stream.size(), 41u);
    EXPECT_TRUE(std::equal(memory.content().begin(), memory.content().end(), stream.begin()));
    EXPECT_EQ(setHeaderCount(stream), 1);
}

TEST(LoggerMemory, BuiltInMemoriesHaveTheirSizesAndNoStraySetMarkers) {
    struct Case {
        LoggerContent content;
        std::size_t length;
        int sets;
    };
    for (const Case& c :
         {Case{LoggerContent::Sets, 3 * 11 + 330 * 10, 3}, Case{LoggerContent::Empty, 0, 0},
          Case{LoggerContent::Large, 45000, 10}, Case{LoggerContent::Oversized, 150000, 10},
          Case{LoggerContent::NoSets, 100, 0}, Case{LoggerContent::Garbage, kGarbageLength, 4}}) {
        const LoggerMemory memory = makeLoggerMemory(c.content);
        EXPECT_EQ(memory.content().size(), c.length);
        EXPECT_EQ(setHeaderCount(memory.stream()), c.sets);
    }
    const auto sets = makeLoggerMemory(LoggerContent::Sets).content();
    EXPECT_EQ(sets[4], 30); // the first set starts 2019-12-24 09:15:30
    EXPECT_EQ(sets[6], 9);
    EXPECT_EQ(sets[10], 12);
    EXPECT_EQ(int16At(sets, 13), -200);
}

TEST(LoggerMemory, GarbageHoldsSetMarkersOnlyWhereItSaysAndIsTheSameForEveryRun) {
    const std::vector<std::uint8_t> garbage = makeLoggerMemory(LoggerContent::Garbage).content();
    std::vector<std::size_t> markers;
    for (std::size_t i = 0; i + 1 < garbage.size(); ++i)
        if (garbage[i] == 0xAA && garbage[i + 1] == 0x56)
            markers.push_back(i);
    EXPECT_EQ(markers, std::vector<std::size_t>(std::begin(kGarbageSetMarkers),
                                                std::end(kGarbageSetMarkers)));
    EXPECT_EQ(garbage[37 + 2], 0);   // interval 0
    EXPECT_EQ(garbage[37 + 8], 0);   // month 0
    EXPECT_EQ(garbage[300 + 8], 13); // month 13
    EXPECT_NE(garbage[0], 0xAA) << "the memory does not begin with a set";
    EXPECT_EQ(makeLoggerMemory(LoggerContent::Garbage).content(), garbage);
}

class Download : public ::testing::Test {
protected:
    void start(LoggerContent content, DownloadBehaviour behaviour, bool fast) {
        SessionConfig config;
        config.scenario = FrameScenario::Fixed;
        config.loggerContent = content;
        config.download = behaviour;
        config.fastPace = fast;
        session_.emplace(config);
        key(0x01);
    }
    void key(std::uint8_t code) {
        const std::vector<std::uint8_t> bytes{0xAA, 0x55, code};
        session_->receive(bytes, now_, kWallClock);
    }
    std::vector<std::uint8_t> runUntil(std::int64_t end) {
        std::vector<std::uint8_t> bytes;
        for (; now_ < end; ++now_) {
            const auto sent = test::allBytes(session_->transmit(now_));
            bytes.insert(bytes.end(), sent.begin(), sent.end());
        }
        return bytes;
    }
    // The request as the host makes it: three times, 100 ms apart. Returns what came
    // during the requests and in the 200 ms after them.
    std::vector<std::uint8_t> requestHeader() {
        std::vector<std::uint8_t> bytes;
        for (int i = 0; i < 3; ++i) {
            key(0x02);
            const auto sent = runUntil(now_ + 100);
            bytes.insert(bytes.end(), sent.begin(), sent.end());
        }
        const auto after = runUntil(now_ + 200);
        bytes.insert(bytes.end(), after.begin(), after.end());
        return bytes;
    }

    std::optional<MeterSession> session_;
    std::int64_t now_ = 0;
};

TEST_F(Download, TheRepeatedRequestGetsOneHeaderAndStopsTheLiveStream) {
    start(LoggerContent::Sets, DownloadBehaviour::Answer, false);
    runUntil(1500);
    const auto reply = requestHeader();
    EXPECT_EQ(reply,
              (std::vector<std::uint8_t>{0xBB, 0x55, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0D, 0x05}));
    EXPECT_TRUE(runUntil(now_ + 3000).empty());
    EXPECT_EQ(session_->takeNotes(), std::vector<std::string>{"logger header 3333"});
}

TEST_F(Download, TheMemoryStreamRunsAtTheLineRateAndLiveFramesResumeOnRequest) {
    start(LoggerContent::Sets, DownloadBehaviour::Answer, false);
    requestHeader();
    key(0x10);
    const auto firstSecond = runUntil(now_ + 1000);
    EXPECT_GE(firstSecond.size(), 950u); // 9600 baud carries 960 bytes a second
    EXPECT_LE(firstSecond.size(), 1010u);
    auto stream = firstSecond;
    const auto rest = runUntil(now_ + 5000);
    stream.insert(stream.end(), rest.begin(), rest.end());
    EXPECT_EQ(stream, makeLoggerMemory(LoggerContent::Sets).stream());
    key(0x01);
    EXPECT_TRUE(test::isValidFrameAt(runUntil(now_ + 1)));
}

TEST_F(Download, AFastStreamComesInOneWriteOfTheAnnouncedLength) {
    start(LoggerContent::Large, DownloadBehaviour::Answer, true);
    requestHeader();
    key(0x10);
    const auto sent = session_->transmit(now_);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_FALSE(sent[0].droppable);
    EXPECT_EQ(sent[0].bytes.size(), 45010u);
}

TEST_F(Download, AStreamThatStopsHalfwaySendsHalfAndCanAskForAnUnplug) {
    for (const auto behaviour :
         {DownloadBehaviour::StopHalfway, DownloadBehaviour::UnplugHalfway}) {
        start(LoggerContent::Sets, behaviour, true);
        requestHeader();
        key(0x10);
        EXPECT_EQ(runUntil(now_ + 10000).size(), 3343u / 2);
        EXPECT_EQ(session_->unplugRequested(), behaviour == DownloadBehaviour::UnplugHalfway);
        EXPECT_EQ(session_->takeNotes().back(), "logger stream stopped after 1671 of 3343 bytes");
        session_->unplugged();
        EXPECT_FALSE(session_->unplugRequested());
    }
}

TEST_F(Download, AMuteMeterNeverAnswersAndKeepsStreaming) {
    start(LoggerContent::Sets, DownloadBehaviour::Mute, true);
    runUntil(1);
    const auto bytes = requestHeader();
    key(0x10);
    const auto later = runUntil(now_ + 2000);
    EXPECT_TRUE(bytes.empty() || bytes[0] == 0xAA);
    EXPECT_EQ(later.size(), 2u * 33u);
}

TEST_F(Download, RecStoresANewSetWithTheWallClockStartAndOneReadingASecond) {
    start(LoggerContent::Empty, DownloadBehaviour::Answer, true);
    key(0x03); // the header reply carries the display unit
    key(0x0F);
    runUntil(now_ + 2500);
    key(0x0F);
    runUntil(now_ + 3000);
    const auto reply = requestHeader();
    EXPECT_EQ(reply, (std::vector<std::uint8_t>{0xBB, 0x55, 0x01, 0, 0, 0, 0, 0, 11 + 3 * 10}));
    key(0x10);
    const auto stream = runUntil(now_ + 1);
    ASSERT_EQ(stream.size(), 51u);
    EXPECT_EQ(stream[4], 9); // 07:08:09 on 2024-05-06
    EXPECT_EQ(stream[5], 8);
    EXPECT_EQ(stream[6], 7);
    EXPECT_EQ(stream[7], 6);
    EXPECT_EQ(stream[8], 5);
    EXPECT_EQ(stream[10], 17);
    EXPECT_EQ(int16At(stream, 11), 250);
    EXPECT_EQ(int16At(stream, 33), -200);
}

} // namespace
} // namespace calorant::sim
