// The meter display texts and live statistics built from accepted live frames: the
// reading, label, unit and indicator texts with their "last set bit wins" rules and
// their keep-the-previous-text cases, the elapsed-time display, and MAX/MIN/AVG with
// their times, unit conversions and no-value handling over long runs of frames.
#include "link/MeterState.h"

#include "core/CalendarTime.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace calorant {
namespace {

const std::vector<std::uint8_t> kExampleFrame = {
    0xAA, 0xBB, 0x00, 0xFA, 0xFF, 0x38, 0x01, 0x2C, 0x00, 0x00, 0x03,
    0xE8, 0x00, 0x80, 0x08, 0x00, 0x08, 0x00, 0x00, 0x00, 0xFA, 0xFF,
    0x38, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x07, 0x6F};

const std::time_t kTime = makeLocalTime(2024, 3, 5, 14, 2, 11);

// A plain live frame: every channel and reading 20.0 C, main T1, IR-temperature mode off.
LiveFrame frameWith(float t1, std::time_t arrival = kTime) {
    LiveFrame frame;
    frame.arrivalTime = arrival;
    frame.channel = {t1, 20.0f, 20.0f, 20.0f, 20.0f};
    frame.reading = {20.0f, 20.0f, 20.0f, 20.0f, 20.0f};
    frame.modeA = 0x80;
    return frame;
}

using Pair = std::array<std::string, 2>;

TEST(MeterStateDisplay, TheExampleFrameGivesTheMetersDisplayTexts) {
    MeterState state;
    state.applyFrame(*decodeLiveFrame(kExampleFrame, kTime));
    EXPECT_EQ(state.unitText(), "C");
    EXPECT_EQ(state.mainLabel(), "T1");
    EXPECT_EQ(state.secondLabel(), "T2");
    EXPECT_EQ(state.thirdLabel(), "  ");
    EXPECT_EQ(state.readingText(),
              (std::array<std::string, 5>{"25.0", "-20.0", "      ", "0.0", "0.0"}));
    EXPECT_EQ(state.irTempText(), "      ");
    EXPECT_EQ(state.recText(), "   ");
    EXPECT_EQ(state.holdText(), "    ");
    EXPECT_EQ(state.batteryText(), "Normal");
    EXPECT_EQ(state.statModeText(), "   ");
    EXPECT_EQ(state.elapsedUnitText(), "        ");
    EXPECT_EQ(state.probeTypeText(), "K");

    LiveFrame frame = frameWith(20.0f);
    frame.status = kStatusRecording | kStatusHold | kStatusBatteryLow;
    state.applyFrame(frame);
    EXPECT_EQ(state.recText(), "REC");
    EXPECT_EQ(state.holdText(), "HOLD");
    EXPECT_EQ(state.batteryText(), "Low");
}

TEST(MeterStateDisplay, NoValueReadingsKeepTheirTextAndFlagsOverrideInOrder) {
    MeterState state;
    LiveFrame frame = frameWith(20.0f);
    frame.reading = {21.5f, -3.0f, 0.0f, 4.0f, 5.0f};
    state.applyFrame(frame);
    frame.reading = {3000.0f, 2900.0f, 0.0f, 2899.9f, 5.0f};
    state.applyFrame(frame);
    EXPECT_EQ(state.readingText()[0], "21.5");
    EXPECT_EQ(state.readingText()[1], "-3.0");
    EXPECT_EQ(state.readingText()[3], "2899.9");

    frame.dashFlags = 0x20 | 0x10 | 0x02;
    frame.olFlags = 0x40 | 0x10;
    frame.negOlFlags = 0x10;
    state.applyFrame(frame);
    EXPECT_EQ(state.readingText()[0], "----");
    EXPECT_EQ(state.readingText()[1], "OL");
    EXPECT_EQ(state.readingText()[3], "-OL");
    EXPECT_EQ(state.readingText()[4], "----");
}

TEST(MeterStateDisplay, TheIrTemperatureByteSetsReadingThreeItsLabelAndTheDifferencePair) {
    MeterState state;
    LiveFrame frame = frameWith(20.0f);
    frame.reading[2] = 31.2f;
    frame.irTempFlags = 0x85;
    state.applyFrame(frame);
    EXPECT_EQ(state.readingText()[2], "31.2");
    EXPECT_EQ(state.thirdLabel(), "T4");
    EXPECT_EQ(state.irTempText(), "IRTEMP");
    EXPECT_EQ(state.difLabel(), (Pair{"T1", "T2"}));

    frame.irTempFlags = 0x84;
    state.applyFrame(frame);
    EXPECT_EQ(state.readingText()[2], "      ");
    EXPECT_EQ(state.thirdLabel(), "  ");
    EXPECT_EQ(state.irTempText(), "      ");
    EXPECT_EQ(state.difLabel(), (Pair{"T1", "T2"}));

    frame.irTempFlags = 0x01 | 0x80 | 0x10 | 0x04 | 0x02; // later bits win
    state.applyFrame(frame);
    EXPECT_EQ(state.thirdLabel(), "T3");
    EXPECT_EQ(state.difLabel(), (Pair{"T3", "T4"}));
}

TEST(MeterStateDisplay, StatisticsModeShowsTheElapsedTimeAndBlanksTheSmallLabels) {
    MeterState state;
    LiveFrame frame = frameWith(20.0f);
    frame.statMode = kStatModeMin;
    frame.elapsedTime = {12, 5};
    state.applyFrame(frame);
    EXPECT_EQ(state.readingText()[2], "12:05");
    EXPECT_EQ(state.statModeText(), "MIN");
    EXPECT_EQ(state.secondLabel(), "  ");
    EXPECT_EQ(state.thirdLabel(), "  ");

    frame.statMode = kStatModeMax;
    frame.elapsedTime = {5, 7};
    frame.dashFlags = 0x80 | 0x40;
    state.applyFrame(frame);
    EXPECT_EQ(state.readingText()[2], "05:07");
    EXPECT_EQ(state.elapsedUnitText(), "min : sec");

    frame.statMode = 7; // unknown mode: the mode and unit texts stay
    frame.dashFlags = 0x01;
    state.applyFrame(frame);
    EXPECT_EQ(state.readingText()[2], "--:--");
    EXPECT_EQ(state.statModeText(), "MAX");
    EXPECT_EQ(state.elapsedUnitText(), "min : sec");
}

TEST(MeterStateDisplay, MainAndSecondLabelsTakeTheLastSetBit) {
    MeterState state;
    LiveFrame frame = frameWith(20.0f);
    frame.modeA = 0x40;
    state.applyFrame(frame);
    frame.modeA = 0;
    frame.modeB = 0x10; // no main-reading bit: the main label stays
    state.applyFrame(frame);
    EXPECT_EQ(state.mainLabel(), "T2");
    EXPECT_EQ(state.secondLabel(), "T1");

    frame.modeB = 0;
    state.applyFrame(frame);
    EXPECT_EQ(state.mainLabel(), "T1");
    EXPECT_EQ(state.secondLabel(), "T2");

    frame.modeA = 0x80 | 0x01;
    frame.modeB = 0x20 | 0x04;
    state.applyFrame(frame);
    EXPECT_EQ(state.mainLabel(), "IR-T4");
    EXPECT_EQ(state.secondLabel(), "IR");
}

TEST(MeterStatistics, MaxAndMinKeepTheTimeOfTheFrameThatSetThem) {
    MeterState state;
    state.applyFrame(*decodeLiveFrame(kExampleFrame, kTime));
    EXPECT_EQ(state.maxText()[kT1], "25.0 C @ 14:02:11");
    EXPECT_EQ(state.minText()[kT1], "25.0 C @ 14:02:11");
    EXPECT_EQ(state.avgText()[kT1], "25.0 C");
    EXPECT_EQ(state.avgText()[kT2], "-20.0 C");

    state.applyFrame(frameWith(27.0f, kTime + 60));
    state.applyFrame(frameWith(27.0f, kTime + 120)); // equal: not a new maximum
    state.applyFrame(frameWith(8.5f, kTime + 180));
    EXPECT_EQ(state.maxText()[kT1], "27.0 C @ 14:03:11");
    EXPECT_EQ(state.minText()[kT1], "8.5 C @ 14:05:11");
    EXPECT_EQ(state.avgText()[kT1], "21.9 C"); // 87.5 / 4 = 21.875
    EXPECT_EQ(state.statHistoryCount(), 4);
}

TEST(MeterStatistics, NoValueReadingsStayOutOfMaxMinAndAboveTheCodeEndTheAverage) {
    MeterState state;
    state.applyFrame(frameWith(2900.0f));
    EXPECT_EQ(state.maxText()[kT1], "- - - -");
    EXPECT_EQ(state.minText()[kT1], "- - - -");
    EXPECT_EQ(state.avgText()[kT1], "2900.0 C"); // the code itself still averages

    state.applyFrame(frameWith(20.0f));
    state.applyFrame(frameWith(2950.0f));
    EXPECT_EQ(state.maxText()[kT1], "20.0 C @ 14:02:11");
    EXPECT_EQ(state.minText()[kT1], "20.0 C @ 14:02:11");
    EXPECT_EQ(state.avgText()[kT1], "- - - -");
    EXPECT_EQ(state.avgText()[kT2], "20.0 C");
    for (int i = 0; i < 100; ++i)
        state.applyFrame(frameWith(20.0f));
    EXPECT_EQ(state.avgText()[kT1], "- - - -");
}

TEST(MeterStatistics, TextsFollowTheDisplayUnitAndAnUnknownCodeKeepsIt) {
    MeterState state;
    LiveFrame frame = frameWith(100.0f);
    frame.unitCode = 1;
    state.applyFrame(frame);
    EXPECT_EQ(state.maxText()[kT1], "212.0 F @ 14:02:11");
    EXPECT_EQ(state.avgText()[kT1], "212.0 F");
    frame.unitCode = 3;
    state.applyFrame(frame);
    EXPECT_EQ(state.unitText(), "F");
    EXPECT_EQ(state.unitCode(), TemperatureUnit::Fahrenheit);
    EXPECT_EQ(state.minText()[kT1], "212.0 F @ 14:02:11");

    MeterState kelvin;
    frame = frameWith(0.0f);
    frame.unitCode = 2;
    kelvin.applyFrame(frame);
    EXPECT_EQ(kelvin.maxText()[kT1], "273.2 K @ 14:02:11");
    EXPECT_EQ(kelvin.statMax()[kT1], 0.0f); // values stay in Celsius
}

TEST(MeterStatistics, TheAverageEqualsAnInOrderSumOfEveryFramePastEighteenThousand) {
    MeterState state;
    std::mt19937 random(42);
    std::uniform_int_distribution<int> tenths(-2000, 13000);
    long double naiveSum = 0;
    for (int n = 0; n < 25000; ++n) {
        const float v = static_cast<float>(tenths(random)) * 0.1f;
        naiveSum += v;
        state.applyFrame(frameWith(v));
        if (n % 997 == 0) {
            ASSERT_EQ(state.statAvg()[kT1], static_cast<float>(naiveSum / (n + 1))) << n;
        }
    }

    MeterState steps;
    for (int n = 0; n < 18000; ++n)
        steps.applyFrame(frameWith(10.0f));
    for (int n = 0; n < 18000; ++n)
        steps.applyFrame(frameWith(30.0f));
    EXPECT_EQ(steps.avgText()[kT1], "20.0 C");
}

} // namespace
} // namespace calorant
