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

// Rewrites the checksum so that the byte sum of offsets 0..30 is the checksum + extra.
Bytes withChecksum(Bytes frame, int extra = 0) {
    int sum = 0;
    for (int i = 0; i < 31; ++i)
        sum += frame[i];
    frame[31] = static_cast<std::uint8_t>((sum - extra) >> 8);
    frame[32] = static_cast<std::uint8_t>((sum - extra) & 0xFF);
    return frame;
}

Bytes withByte(std::size_t offset, std::uint8_t value, Bytes frame = kExampleFrame) {
    frame[offset] = value;
    return withChecksum(frame);
}

float decodedT1(std::uint8_t high, std::uint8_t low) {
    return decodeLiveFrame(withByte(3, low, withByte(2, high)), 0)->channel[kT1];
}

TEST(LiveFrameDecoding, TheExampleFrameDecodesEveryField) {
    const auto frame = decodeLiveFrame(kExampleFrame, 1234);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->arrivalTime, 1234);
    EXPECT_EQ(frame->channel, (Channels{25.0f, -20.0f, 30.0f, 0.0f, 100.0f}));
    EXPECT_EQ(frame->reading, (std::array<float, 5>{25.0f, -20.0f, 0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(frame->modeA, 0x80);
    EXPECT_EQ(frame->modeB, 0x08);
    EXPECT_EQ(frame->dashFlags, 0x08);
    EXPECT_EQ(frame->unitCode, 0);

    const auto elapsed = decodeLiveFrame(withByte(29, 2, withByte(24, 5, withByte(23, 12))), 0);
    EXPECT_EQ(elapsed->elapsedTime, (std::array<std::uint8_t, 2>{12, 5}));
    EXPECT_EQ(elapsed->statMode, 2);
}

TEST(LiveFrameDecoding, TheChecksumMayBeTheByteSumOrTheSumLess128AndNothingElse) {
    Bytes alternate = kExampleFrame;
    alternate[31] = 0x06;
    alternate[32] = 0xEF;
    ASSERT_TRUE(decodeLiveFrame(alternate, 0).has_value());
    EXPECT_EQ(decodeLiveFrame(alternate, 0)->channel, decodeLiveFrame(kExampleFrame, 0)->channel);
    for (int extra : {1, -1, -128, 127, 129, 256})
        EXPECT_FALSE(decodeLiveFrame(withChecksum(kExampleFrame, extra), 0)) << extra;
}

TEST(LiveFrameDecoding, OnlyABlockStartingWithTheHeaderAndHoldingAWholeFrameIsAccepted) {
    EXPECT_FALSE(decodeLiveFrame(withByte(1, 0xBA), 0));
    EXPECT_FALSE(decodeLiveFrame(withByte(0, 0xAB), 0));
    EXPECT_FALSE(decodeLiveFrame(Bytes{}, 0));
    EXPECT_FALSE(decodeLiveFrame(Bytes(kExampleFrame.begin(), kExampleFrame.end() - 1), 0));

    Bytes misaligned{0x00};
    misaligned.insert(misaligned.end(), kExampleFrame.begin(), kExampleFrame.end());
    EXPECT_FALSE(decodeLiveFrame(misaligned, 0));

    Bytes twoFrames = kExampleFrame;
    const Bytes second = withByte(3, 0x00, withByte(2, 0x01)); // T1 25.6
    twoFrames.insert(twoFrames.end(), second.begin(), second.end());
    ASSERT_EQ(twoFrames.size(), 66u);
    EXPECT_EQ(decodeLiveFrame(twoFrames, 0)->channel[kT1], 25.0f);
}

TEST(LiveFrameDecoding, NegativeFieldsAreTwosComplementTenths) {
    EXPECT_EQ(decodedT1(0xFF, 0x38), -20.0f);
    EXPECT_EQ(decodedT1(0x80, 0x00), -3276.8f);
    EXPECT_EQ(decodedT1(0xFF, 0xFF), -0.1f);
    EXPECT_EQ(decodedT1(0xF8, 0x30), -200.0f);
    EXPECT_EQ(decodedT1(0xFF, 0x00), -25.6f);
    EXPECT_EQ(decodedT1(0x7F, 0xFF), 3276.7f);
}

} // namespace
} // namespace calorant
