// Acceptance and decoding of the meter's 33-byte live frames from received blocks:
// both checksum forms, header and alignment checks, short and long blocks, and the
// sign decoding of the 16-bit temperature fields. Frames are written as literal bytes.
#include "link/LiveFrame.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace calorant {
namespace {

using Bytes = std::vector<std::uint8_t>;

// T1 25.0, T2 -20.0, IR 30.0, T3 0.0, T4 100.0; readings 25.0, -20.0; reading 3 dashed.
const Bytes kExampleFrame = {0xAA, 0xBB, 0x00, 0xFA, 0xFF, 0x38, 0x01, 0x2C, 0x00, 0x00, 0x03,
                             0xE8, 0x00, 0x80, 0x08, 0x00, 0x08, 0x00, 0x00, 0x00, 0xFA, 0xFF,
                             0x38, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x07, 0x6F};

// Rewrites the checksum so that it equals the byte sum of offsets 0..30 plus `extra`.
Bytes withChecksum(Bytes frame, int extra = 0) {
    int sum = 0;
    for (int i = 0; i < 31; ++i)
        sum += frame[i];
    const int checksum = sum - extra;
    frame[31] = static_cast<std::uint8_t>(checksum >> 8);
    frame[32] = static_cast<std::uint8_t>(checksum & 0xFF);
    return frame;
}

Bytes withChannelT1(std::uint8_t high, std::uint8_t low) {
    Bytes frame = kExampleFrame;
    frame[2] = high;
    frame[3] = low;
    return withChecksum(frame);
}

std::optional<LiveFrame> decode(const Bytes& block, std::time_t arrival = 1000) {
    return decodeLiveFrame(block, arrival);
}

TEST(LiveFrameDecoding, TheExampleFrameDecodesEveryField) {
    const auto frame = decode(kExampleFrame, 1234);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->arrivalTime, 1234);
    EXPECT_EQ(frame->channel, (Channels{25.0f, -20.0f, 30.0f, 0.0f, 100.0f}));
    EXPECT_EQ(frame->reading, (std::array<float, 5>{25.0f, -20.0f, 0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(frame->status, 0x00);
    EXPECT_EQ(frame->modeA, 0x80);
    EXPECT_EQ(frame->modeB, 0x08);
    EXPECT_EQ(frame->irTempFlags, 0x00);
    EXPECT_EQ(frame->dashFlags, 0x08);
    EXPECT_EQ(frame->olFlags, 0x00);
    EXPECT_EQ(frame->negOlFlags, 0x00);
    EXPECT_EQ(frame->statMode, 0);
    EXPECT_EQ(frame->unitCode, 0);
}

TEST(LiveFrameDecoding, AChecksum128BelowTheByteSumIsAcceptedLikeTheExactOne) {
    Bytes frame = kExampleFrame;
    frame[31] = 0x06;
    frame[32] = 0xEF;
    const auto decoded = decode(frame);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->channel, decode(kExampleFrame)->channel);
}

TEST(LiveFrameDecoding, AnyOtherChecksumDropsTheFrame) {
    EXPECT_FALSE(decode(withChecksum(kExampleFrame, 1)));
    EXPECT_FALSE(decode(withChecksum(kExampleFrame, -1)));
    EXPECT_FALSE(decode(withChecksum(kExampleFrame, -128))); // sum 128 below the checksum
    EXPECT_FALSE(decode(withChecksum(kExampleFrame, 256)));
}

TEST(LiveFrameDecoding, AWrongHeaderDropsTheFrameEvenWithAMatchingChecksum) {
    Bytes frame = kExampleFrame;
    frame[1] = 0xBA;
    EXPECT_FALSE(decode(withChecksum(frame)));
    frame = kExampleFrame;
    frame[0] = 0xAB;
    EXPECT_FALSE(decode(withChecksum(frame)));
}

TEST(LiveFrameDecoding, BlocksShorterThanAFrameAreRejected) {
    EXPECT_FALSE(decode(Bytes{}));
    EXPECT_FALSE(decode(Bytes{0xAA, 0xBB}));
    const Bytes truncated(kExampleFrame.begin(), kExampleFrame.end() - 1);
    EXPECT_FALSE(decode(truncated));
}

TEST(LiveFrameDecoding, OnlyTheFirstFrameOfALongBlockIsDecoded) {
    Bytes block = kExampleFrame;
    const Bytes second = withChannelT1(0x01, 0x00); // T1 25.6
    block.insert(block.end(), second.begin(), second.end());
    ASSERT_EQ(block.size(), 66u);
    const auto frame = decode(block);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->channel[kT1], 25.0f);

    Bytes trailingNoise = kExampleFrame;
    trailingNoise.push_back(0x55);
    EXPECT_TRUE(decode(trailingNoise));
}

TEST(LiveFrameDecoding, ABlockWhoseFrameStartsAfterTheFirstByteIsDroppedWhole) {
    Bytes block{0x00};
    block.insert(block.end(), kExampleFrame.begin(), kExampleFrame.end());
    EXPECT_FALSE(decode(block));
}

TEST(LiveFrameDecoding, NegativeFieldsAreTwosComplementTenths) {
    EXPECT_EQ(decode(withChannelT1(0xFF, 0x38))->channel[kT1], -20.0f);
    EXPECT_EQ(decode(withChannelT1(0x80, 0x00))->channel[kT1], -3276.8f);
    EXPECT_EQ(decode(withChannelT1(0xFF, 0xFF))->channel[kT1], -0.1f);
    EXPECT_EQ(decode(withChannelT1(0xF8, 0x30))->channel[kT1], -200.0f);
    EXPECT_EQ(decode(withChannelT1(0xFF, 0x00))->channel[kT1], -25.6f);
    EXPECT_EQ(decode(withChannelT1(0x7F, 0xFF))->channel[kT1], 3276.7f);
    EXPECT_EQ(decode(withChannelT1(0x71, 0x48))->channel[kT1], 2900.0f);
}

TEST(LiveFrameDecoding, ElapsedTimeBytesAreKeptAsReceived) {
    Bytes frame = kExampleFrame;
    frame[23] = 12;
    frame[24] = 5;
    frame[29] = kStatModeMin;
    const auto decoded = decode(withChecksum(frame));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->elapsedTime, (std::array<std::uint8_t, 2>{12, 5}));
    EXPECT_EQ(decoded->reading[2], 307.7f); // the same bytes read as a number
    EXPECT_EQ(decoded->statMode, kStatModeMin);
}

} // namespace
} // namespace calorant
