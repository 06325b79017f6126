// Whole numbers read from command-line arguments: both ends of the range are accepted,
// anything just outside it, text around the digits, a plus sign and numbers beyond 64
// bits are refused.
#include "core/WholeNumber.h"

#include <gtest/gtest.h>

namespace calorant {
namespace {

TEST(WholeNumber, BothEndsOfTheRangeAreAcceptedAndTheNumbersBesideThemRefused) {
    EXPECT_EQ(parseWholeNumber("1", 1, 10000), 1);
    EXPECT_EQ(parseWholeNumber("10000", 1, 10000), 10000);
    EXPECT_EQ(parseWholeNumber("0", 1, 10000), std::nullopt);
    EXPECT_EQ(parseWholeNumber("10001", 1, 10000), std::nullopt);
    EXPECT_EQ(parseWholeNumber("-3", -5, 5), -3);
    EXPECT_EQ(parseWholeNumber("4294967295", 0, 0xFFFFFFFF), 4294967295);
}

TEST(WholeNumber, OnlyTheDigitsThemselvesAreANumber) {
    for (const char* text : {"", " 5", "5 ", "+5", "5s", "three", "1.5", "0x10", "-"})
        EXPECT_EQ(parseWholeNumber(text, -100, 100), std::nullopt) << '"' << text << '"';
}

TEST(WholeNumber, ANumberBeyondSixtyFourBitsIsRefusedNotWrapped) {
    EXPECT_EQ(parseWholeNumber("9223372036854775808", 0, INT64_MAX), std::nullopt);
    EXPECT_EQ(parseWholeNumber("18446744073709551617", 0, INT64_MAX), std::nullopt);
    EXPECT_EQ(parseWholeNumber("9223372036854775807", 0, INT64_MAX), INT64_MAX);
}

} // namespace
} // namespace calorant
