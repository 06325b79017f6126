// The emulator's own frame encoder against bytes worked out by hand from the live
// frame layout: the reference frame in both checksum forms and the sign encoding of
// negative fields.
#include "sim/FrameEncoder.h"

#include <gtest/gtest.h>

namespace calorant::sim {
namespace {

FrameContent referenceContent() {
    FrameContent c;
    c.channelTenths = {250, -200, 300, 0, 1000};
    c.modeA = 0x80;     // main reading T1
    c.modeB = 0x08;     // second reading T2
    c.dashFlags = 0x08; // reading 3 dashed
    c.readingTenths = {250, -200, 0, 0, 0};
    return c;
}

TEST(FrameEncoder, TheReferenceFrameComesOutByteForByteInBothChecksumForms) {
    const FrameBytes expected{0xAA, 0xBB, 0x00, 0xFA, 0xFF, 0x38, 0x01, 0x2C, 0x00, 0x00, 0x03,
                              0xE8, 0x00, 0x80, 0x08, 0x00, 0x08, 0x00, 0x00, 0x00, 0xFA, 0xFF,
                              0x38, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x07, 0x6F};
    EXPECT_EQ(encodeLiveFrame(referenceContent(), ChecksumForm::EqualsSum), expected);
    const FrameBytes second = encodeLiveFrame(referenceContent(), ChecksumForm::SumMinus128);
    EXPECT_EQ(second[31], 0x06); // sum = checksum + 128
    EXPECT_EQ(second[32], 0xEF);
}

TEST(FrameEncoder, NegativeFieldsAreTwosComplementAndOutOfRangeValuesClamp) {
    FrameContent c;
    c.channelTenths = {-1, -2000, -32768, 29500, 40000};
    const FrameBytes bytes = encodeLiveFrame(c, ChecksumForm::EqualsSum);
    EXPECT_EQ(bytes[2], 0xFF);
    EXPECT_EQ(bytes[3], 0xFF);
    EXPECT_EQ(bytes[4], 0xF8);
    EXPECT_EQ(bytes[5], 0x30);
    EXPECT_EQ(bytes[6], 0x80);
    EXPECT_EQ(bytes[7], 0x00);
    EXPECT_EQ(bytes[8], 0x73); // 2950.0: the no-value code of an open input
    EXPECT_EQ(bytes[9], 0x3C);
    EXPECT_EQ(bytes[10], 0x7F);
    EXPECT_EQ(bytes[11], 0xFF);
}

} // namespace
} // namespace calorant::sim
