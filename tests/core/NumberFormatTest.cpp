// Locale-free number and time formatting shared by every text the programme prints.
#include "core/NumberFormat.h"

#include "core/CalendarTime.h"

#include <clocale>
#include <gtest/gtest.h>

namespace calorant {
namespace {

TEST(NumberFormat, FixedRoundsLikePrintfAndIgnoresTheLocale) {
    // A comma-decimal locale, when the machine has one, must not change the output.
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(formatFixed(25.3, 1), "25.3");
    EXPECT_EQ(formatFixed(-20.0f, 1), "-20.0");
    EXPECT_EQ(formatFixed(0.05, 1), "0.1");   // binary 0.05000000000000000277 rounds up
    EXPECT_EQ(formatFixed(0.25, 1), "0.2");   // exact tie rounds to even, as printf does
    EXPECT_EQ(formatFixed(-0.04, 1), "-0.0"); // printf keeps the sign of a rounded negative
    EXPECT_EQ(formatFixed(15.0, 2), "15.00");
    EXPECT_EQ(formatInt(-5), "-5");
    std::setlocale(LC_ALL, "C");
}

TEST(CalendarTime, LocalFieldsRoundTripThroughFormatting) {
    const std::time_t t = makeLocalTime(2019, 12, 24, 9, 15, 30);
    EXPECT_EQ(formatTime(t, "%m/%d/%y %H:%M:%S"), "12/24/19 09:15:30");
    EXPECT_EQ(formatTime(t, "%m-%d-%y %H.%M.%S"), "12-24-19 09.15.30");
}

} // namespace
} // namespace calorant
