// The logger download without a port: the header reply (empty, oversized, only as the
// first bytes after the requests, split over blocks), the stream collected in whole blocks, short
// blocks and blocks running past the end, and the decoding of a complete stream into record sets:
// where records start and stop, start times, sample rates, negative values and streams
// without any set header, as the document keeps them.
#include "link/LoggerDownload.h"

#include "core/CalendarTime.h"
#include "document/LoggerIntake.h"
#include "link/LoggerStreamDecoder.h"
#include "logger/LoggerStore.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

using namespace calorant;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A complete stream decoded and kept as the document keeps a download.
int decodeInto(const Bytes& stream, std::uint8_t unit, LoggerStore& store) {
    return keepDownloadedMemory(store, decodeLoggerStream(stream, unit));
}

Bytes headerReply(std::uint32_t length, std::uint8_t unit = 0) {
    Bytes reply{0xBB, 0x55, unit, 0, 0};
    for (int shift = 24; shift >= 0; shift -= 8)
        reply.push_back(std::uint8_t(length >> shift));
    return reply;
}

Bytes setHeader(int intervalSeconds, int second, int minute, int hour, int day, int month,
                int yearSince2007) {
    Bytes header{0xAA, 0x56, std::uint8_t(intervalSeconds >> 8), std::uint8_t(intervalSeconds)};
    for (int field : {second, minute, hour, day, month, 0, yearSince2007})
        header.push_back(std::uint8_t(field));
    return header;
}

// One record of five values given in tenths.
Bytes record(int t1, int t2 = 0, int ir = 0, int t3 = 0, int t4 = 0) {
    Bytes bytes;
    for (int tenths : {t1, t2, ir, t3, t4}) {
        const auto raw = static_cast<std::uint16_t>(tenths);
        bytes.push_back(std::uint8_t(raw >> 8));
        bytes.push_back(std::uint8_t(raw));
    }
    return bytes;
}

void append(Bytes& to, const Bytes& bytes) {
    to.insert(to.end(), bytes.begin(), bytes.end());
}

// A stream of `total` bytes whose byte i is i mod 251 (no set header inside).
Bytes patternStream(int total) {
    Bytes bytes(static_cast<std::size_t>(total));
    for (int i = 0; i < total; ++i)
        bytes[static_cast<std::size_t>(i)] = std::uint8_t(i % 251);
    return bytes;
}

std::span<const std::uint8_t> slice(const Bytes& bytes, std::size_t from, std::size_t count) {
    return std::span<const std::uint8_t>(bytes).subspan(from, count);
}

// A download whose requests are written: the reply comes next.
LoggerDownload listening() {
    LoggerDownload download;
    download.start();
    download.listenForReply();
    return download;
}

LoggerDownload announced(std::uint32_t length) {
    LoggerDownload download = listening();
    EXPECT_EQ(download.onBlock(headerReply(length)), DownloadStep::Announced);
    return download;
}

} // namespace

TEST(LoggerHeaderReply, AnnouncesTheStreamLengthAndTheFirstThreshold) {
    const LoggerDownload large = announced(44990);
    EXPECT_EQ(large.downloadTotal(), 45000);
    EXPECT_EQ(large.receiveThreshold(), 20000);

    const LoggerDownload small = announced(30);
    EXPECT_EQ(small.downloadTotal(), 40);
    EXPECT_EQ(small.receiveThreshold(), 40);
}

TEST(LoggerHeaderReply, AMemoryLargerThanTheBufferIsRefused) {
    LoggerDownload download = listening();
    EXPECT_EQ(download.onBlock(headerReply(kDownloadBufferCapacity - 10 + 1)),
              DownloadStep::Refused);
    EXPECT_EQ(download.downloadTotal(), 0);
    EXPECT_EQ(download.announcedLength(), 131063u);
    EXPECT_EQ(download.onBlock(patternStream(100)), DownloadStep::Ignored);

    download.start();
    download.listenForReply();
    EXPECT_EQ(download.onBlock(headerReply(0xFFFFFFFFu)), DownloadStep::Refused);

    // Exactly the buffer is still taken.
    const LoggerDownload full = announced(kDownloadBufferCapacity - 10);
    EXPECT_EQ(full.downloadTotal(), kDownloadBufferCapacity);
}

TEST(LoggerHeaderReply, IsTheFirstBytesAfterTheRequestsAndMayComeInPieces) {
    LoggerDownload early;
    early.start();
    EXPECT_EQ(early.onBlock(headerReply(30)), DownloadStep::Ignored); // amid the requests
    early.listenForReply();
    EXPECT_EQ(early.onBlock(headerReply(50)), DownloadStep::Announced);
    EXPECT_EQ(early.downloadTotal(), 60);

    const Bytes reply = headerReply(1000);
    LoggerDownload split = listening();
    EXPECT_EQ(split.onBlock(slice(reply, 0, 1)), DownloadStep::Ignored);
    EXPECT_EQ(split.onBlock(slice(reply, 1, 4)), DownloadStep::Ignored);
    EXPECT_EQ(split.receiveThreshold(), kLoggerHeaderSize);
    EXPECT_EQ(split.onBlock(slice(reply, 5, 4)), DownloadStep::Announced);
    EXPECT_EQ(split.downloadTotal(), 1010);
}

TEST(LoggerHeaderReply, BytesThatBeginOtherwiseMeanNoReplyWhatFollowsThem) {
    // The tail of a live frame whose readings hold a 0xBB 0x55 pair, then a real reply.
    Bytes tail{0x38, 0x00, 0xBB, 0x55, 0x00, 0x00, 0x00, 0x00, 0x00, 0x12, 0x34};
    append(tail, headerReply(30));
    LoggerDownload behind = listening();
    EXPECT_EQ(behind.onBlock(tail), DownloadStep::Ignored);
    EXPECT_EQ(behind.onBlock(headerReply(30)), DownloadStep::Ignored);
    EXPECT_EQ(behind.downloadTotal(), 0);

    // 0xBB then anything but 0x55 is no reply either.
    LoggerDownload halfPair = listening();
    EXPECT_EQ(halfPair.onBlock(Bytes{0xBB}), DownloadStep::Ignored);
    EXPECT_EQ(halfPair.onBlock(Bytes{0xBB, 0x55, 0, 0, 0, 0, 0, 0, 30}), DownloadStep::Ignored);
    EXPECT_EQ(halfPair.downloadTotal(), 0);
}

TEST(LoggerStream, TwoWholeBlocksCompleteA40000ByteStream) {
    LoggerDownload download = announced(39990);
    const Bytes stream = patternStream(40000);

    EXPECT_EQ(download.onBlock(slice(stream, 0, 20000)), DownloadStep::Receiving);
    EXPECT_EQ(download.downloadReceived(), 20000);
    EXPECT_EQ(download.receiveThreshold(), 20000);
    EXPECT_EQ(download.onBlock(slice(stream, 20000, 20000)), DownloadStep::Complete);
    EXPECT_EQ(download.downloadReceived(), 40000);
    EXPECT_TRUE(std::ranges::equal(download.stream(), stream));
}

TEST(LoggerStream, ShortBlocksAndOverlongBlocksLeaveExactlyTheStreamInOrder) {
    LoggerDownload download = announced(990);
    Bytes stream = patternStream(1000);
    std::size_t offset = 0;
    // Blocks shorter than the threshold are taken as they come.
    while (offset < 980) {
        EXPECT_EQ(download.onBlock(slice(stream, offset, 7)), DownloadStep::Receiving);
        offset += 7;
        EXPECT_EQ(download.downloadReceived(), int(offset));
    }
    // The last block carries more than the stream: the rest is no part of it.
    Bytes last(stream.begin() + static_cast<std::ptrdiff_t>(offset), stream.end());
    append(last, Bytes(50, 0xEE));
    EXPECT_EQ(download.onBlock(last), DownloadStep::Complete);
    EXPECT_EQ(download.downloadReceived(), 1000);
    EXPECT_TRUE(std::ranges::equal(download.stream(), stream));
    EXPECT_EQ(download.onBlock(Bytes(10, 0xEE)), DownloadStep::Ignored);
}

TEST(LoggerStream, AHeaderReplyPatternInsideTheStreamIsStreamData) {
    LoggerDownload download = announced(20);
    const Bytes data = headerReply(5);
    EXPECT_EQ(download.onBlock(data), DownloadStep::Receiving);
    EXPECT_EQ(download.downloadReceived(), 9);
    EXPECT_EQ(download.downloadTotal(), 30);
}

TEST(LoggerStreamDecoding, ThirtyBytesOfDataHoldOneSetOfTwoRecords) {
    Bytes stream = setHeader(2, 0, 0, 12, 1, 6, 13);
    append(stream, record(251, -200));
    append(stream, record(252));
    append(stream, Bytes(9, 0x00)); // the set's last record would start at 31: too late
    ASSERT_EQ(stream.size(), 40u);

    LoggerStore store;
    EXPECT_EQ(decodeInto(stream, 1, store), 1);
    EXPECT_EQ(store.setCount, 1);
    EXPECT_EQ(store.setFirstReading, (std::vector<std::int32_t>{0, 2}));
    EXPECT_EQ(store.setSampleRate, (std::vector<std::int32_t>{2}));
    EXPECT_EQ(store.loggerUnit, 1);
    EXPECT_EQ(store.downloadStoreReady, 1);
    ASSERT_EQ(store.readings.size(), 10u);
    EXPECT_FLOAT_EQ(store.readings[0], 25.1f);
    EXPECT_FLOAT_EQ(store.readings[1], -20.0f);
    EXPECT_FLOAT_EQ(store.readings[5], 25.2f);
}

TEST(LoggerStreamDecoding, ARecordEndingExactlyAtTheNextHeaderBelongsToTheSet) {
    Bytes stream = setHeader(1, 0, 0, 0, 1, 1, 0);
    append(stream, record(10));
    append(stream, record(20));
    append(stream, record(30)); // starts at 31, ends at 41 where the next header begins
    append(stream, setHeader(60, 0, 0, 0, 2, 1, 0));
    append(stream, record(40));
    append(stream, Bytes(10, 0x00));

    LoggerStore store;
    EXPECT_EQ(decodeInto(stream, 0, store), 2);
    EXPECT_EQ(store.setFirstReading, (std::vector<std::int32_t>{0, 3, 4}));
    EXPECT_EQ(store.setSampleRate, (std::vector<std::int32_t>{1, 60}));
    EXPECT_FLOAT_EQ(store.readings[2 * 5], 3.0f);
    EXPECT_FLOAT_EQ(store.readings[3 * 5], 4.0f);
}

TEST(LoggerStreamDecoding, StartTimesAreLocalCalendarTimes) {
    Bytes stream = setHeader(300, 30, 15, 9, 24, 12, 12);
    append(stream, Bytes(10, 0x00));

    LoggerStore store;
    ASSERT_EQ(decodeInto(stream, 0, store), 1);
    EXPECT_EQ(formatTime(store.setStartTime[0], "%Y-%m-%d %H:%M:%S"), "2019-12-24 09:15:30");
    EXPECT_EQ(store.setSampleRate[0], 300);
    EXPECT_EQ(store.setFirstReading, (std::vector<std::int32_t>{0, 0}));
}

TEST(LoggerStreamDecoding, NegativeValuesFollowTheLiveFrameSignRule) {
    Bytes stream = setHeader(1, 0, 0, 0, 1, 1, 0);
    append(stream, Bytes{0xFF, 0x38, 0x80, 0x00, 0xFF, 0xFF, 0x7F, 0xFF, 0x00, 0x01});
    append(stream, Bytes(10, 0x00));

    LoggerStore store;
    ASSERT_EQ(decodeInto(stream, 0, store), 1);
    ASSERT_EQ(store.readings.size(), 5u);
    EXPECT_FLOAT_EQ(store.readings[0], -20.0f);
    EXPECT_FLOAT_EQ(store.readings[1], -3276.8f);
    EXPECT_FLOAT_EQ(store.readings[2], -0.1f);
    EXPECT_FLOAT_EQ(store.readings[3], 3276.7f);
    EXPECT_FLOAT_EQ(store.readings[4], 0.1f);
}

TEST(LoggerStreamDecoding, AStreamWithoutSetHeadersLeavesTheStoreAlone) {
    LoggerStore store;
    store.setCount = 1;
    store.readings = {1, 2, 3, 4, 5};
    store.setFirstReading = {0, 1};

    EXPECT_EQ(decodeInto(patternStream(110), 0, store), 0);
    EXPECT_EQ(store.setCount, 1);
    EXPECT_EQ(store.readings.size(), 5u);
    EXPECT_EQ(store.downloadStoreReady, 0);
}

TEST(LoggerStreamDecoding, AHeaderCutOffByTheEndOfTheStreamIsNoSet) {
    Bytes stream = setHeader(1, 0, 0, 0, 1, 1, 0);
    append(stream, record(10));
    append(stream, Bytes(10, 0x00));
    append(stream, Bytes{0xAA, 0x56, 0x00, 0x01, 0x00}); // only 5 of its 11 bytes

    LoggerStore store;
    EXPECT_EQ(decodeInto(stream, 0, store), 1);
    EXPECT_EQ(store.setFirstReading, (std::vector<std::int32_t>{0, 2}));
}
