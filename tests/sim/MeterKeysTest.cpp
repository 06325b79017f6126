// The emulated meter as the host sees it, in simulated time: command bytes go in,
// live frames come out. Covers when frames flow, the command reader, and how each
// key changes the display bytes of the following frames.
#include "SimTestSupport.h"
#include "sim/MeterSession.h"

#include <gtest/gtest.h>

namespace calorant::sim {
namespace {

using test::int16At;
using test::isValidFrameAt;

constexpr SetStart kWallClock{2024, 5, 6, 7, 8, 9};

class Meter {
public:
    explicit Meter(FrameScenario scenario = FrameScenario::Fixed) : session_(config(scenario)) {}

    static SessionConfig config(FrameScenario scenario) {
        SessionConfig c;
        c.scenario = scenario;
        c.frameIntervalMs = 1000;
        return c;
    }

    std::vector<CommandBytes> send(std::vector<std::uint8_t> bytes) {
        return session_.receive(bytes, now_, kWallClock);
    }
    void key(std::uint8_t code) { send({0xAA, 0x55, code}); }

    // Everything sent from now until `ms` later, in 1 ms steps.
    std::vector<std::uint8_t> runFor(std::int64_t ms) {
        std::vector<std::uint8_t> bytes;
        for (const std::int64_t end = now_ + ms; now_ < end; ++now_) {
            const auto sent = test::allBytes(session_.transmit(now_));
            bytes.insert(bytes.end(), sent.begin(), sent.end());
        }
        return bytes;
    }

    // The next frame, waiting at most two frame intervals.
    std::vector<std::uint8_t> frame() {
        for (const std::int64_t end = now_ + 2000; now_ < end; ++now_) {
            auto sent = test::allBytes(session_.transmit(now_));
            if (!sent.empty()) {
                ++now_;
                return sent;
            }
        }
        return {};
    }

    MeterSession session_;
    std::int64_t now_ = 0;
};

TEST(MeterStream, NothingIsSentBeforeTheLiveRequest) {
    Meter meter;
    EXPECT_TRUE(meter.runFor(3000).empty());
    meter.key(0x01);
    EXPECT_EQ(meter.runFor(3000).size(), 3u * 33u);
}

TEST(MeterStream, TheFixedScenarioSendsTheReferenceFrameInBothChecksumForms) {
    Meter meter;
    meter.key(0x01);
    const std::vector<std::uint8_t> reference{0xAA, 0xBB, 0x00, 0xFA, 0xFF, 0x38, 0x01, 0x2C, 0x00,
                                              0x00, 0x03, 0xE8, 0x00, 0x80, 0x08, 0x00, 0x08, 0x00,
                                              0x00, 0x00, 0xFA, 0xFF, 0x38, 0x00, 0x00, 0x00, 0x00,
                                              0x00, 0x00, 0x00, 0x00, 0x07, 0x6F};
    bool sawSecondForm = false;
    for (int i = 0; i < 8; ++i) {
        std::vector<std::uint8_t> frame = meter.frame();
        ASSERT_TRUE(isValidFrameAt(frame));
        sawSecondForm = sawSecondForm || (frame[31] == 0x06 && frame[32] == 0xEF);
        frame[31] = 0x07;
        frame[32] = 0x6F;
        EXPECT_EQ(frame, reference);
    }
    EXPECT_TRUE(sawSecondForm);
}

TEST(MeterStream, PowerOffAndLinkEndStopTheStreamUntilTheNextLiveRequest) {
    Meter meter;
    meter.key(0x01);
    meter.runFor(1500);
    meter.send({0x55, 0xAA, 0x03, 0x55, 0xAA, 0x03, 0x55, 0xAA, 0x03});
    EXPECT_TRUE(meter.runFor(3000).empty());
    meter.key(0x01);
    EXPECT_FALSE(meter.runFor(1000).empty());
    meter.key(0x0E);
    EXPECT_TRUE(meter.runFor(3000).empty());
}

TEST(MeterStream, CommandsAreFoundAcrossSplitReadsAndAfterStrayBytes) {
    Meter meter;
    EXPECT_TRUE(meter.send({0x00, 0xAA}).empty());
    const auto first = meter.send({0x55, 0x05, 0x13, 0x55, 0x55, 0xAA, 0x03, 0xAA});
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(commandText(first[0]), "AA 55 05");
    EXPECT_EQ(commandText(first[1]), "55 AA 03");
    const auto second = meter.send({0x55, 0x22});
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(classifyCommand(second[0]), MeterCommand::Periodic);
}

TEST(MeterKeys, TheUnitKeyCyclesCelsiusFahrenheitKelvinAndTheReadingsFollow) {
    Meter meter;
    meter.key(0x01);
    struct Step {
        int unit, reading1, reading2;
    };
    // 25.0 and -20.0 °C; Kelvin adds 273.16.
    for (const Step& step : {Step{1, 770, -40}, Step{2, 2982, 2532}, Step{0, 250, -200}}) {
        meter.key(0x03);
        const auto frame = meter.frame();
        EXPECT_EQ(frame[30], step.unit);
        EXPECT_EQ(int16At(frame, 19), step.reading1);
        EXPECT_EQ(int16At(frame, 21), step.reading2);
        EXPECT_EQ(int16At(frame, 2), 250); // channels stay Celsius
        EXPECT_EQ(int16At(frame, 4), -200);
    }
}

TEST(MeterKeys, HoldAndRecToggleTheirStatusBitsAndHoldFreezesTheReadings) {
    Meter meter(FrameScenario::Normal);
    meter.key(0x01);
    meter.key(0x05);
    const auto held = meter.frame();
    EXPECT_EQ(held[12], 0x10);
    meter.runFor(60000); // T2 is a probe warming up
    const auto later = meter.frame();
    EXPECT_NE(int16At(later, 4), int16At(held, 4));   // the live channel moved on
    EXPECT_EQ(int16At(later, 21), int16At(held, 21)); // the display did not
    meter.key(0x05);
    meter.key(0x0F);
    const auto released = meter.frame();
    EXPECT_EQ(released[12], 0x20);
    EXPECT_EQ(int16At(released, 21), int16At(released, 4));
    meter.key(0x0F);
    EXPECT_EQ(meter.frame()[12], 0x00);
}

TEST(MeterKeys, MaxMinCyclesMaxMinAvgOffWithAnElapsedTime) {
    Meter meter;
    meter.key(0x01);
    meter.frame();
    meter.key(0x06);
    const auto max = meter.frame();
    EXPECT_EQ(max[29], 1);
    EXPECT_EQ(int16At(max, 19), 250);
    EXPECT_EQ(max[16] & 0x40, 0x40); // minutes and seconds
    meter.runFor(64000);
    meter.key(0x06);
    const auto min = meter.frame();
    EXPECT_EQ(min[29], 2);
    EXPECT_EQ(min[23], 1);
    EXPECT_EQ(min[24], 5);
    meter.key(0x06);
    EXPECT_EQ(meter.frame()[29], 3);
    meter.runFor(2 * 3600 * 1000);
    const auto hours = meter.frame();
    EXPECT_EQ(hours[16] & 0xC0, 0x80); // hours and minutes past 99:59
    EXPECT_EQ(hours[23], 2);
    EXPECT_EQ(hours[24], 1);
    meter.key(0x06);
    const auto off = meter.frame();
    EXPECT_EQ(off[29], 0);
    EXPECT_EQ(off[16], 0x08); // reading 3 dashed again, no elapsed-time unit
    meter.key(0x06);
    meter.key(0x16); // a double-click leaves the statistics at once
    EXPECT_EQ(meter.frame()[29], 0);
}

TEST(MeterKeys, MinAndMaxFollowTheExtremesSinceTheSessionStarted) {
    Meter meter(FrameScenario::Normal);
    meter.key(0x01);
    const int first = int16At(meter.frame(), 21); // T2 warms up from 20 °C
    meter.key(0x06);
    meter.runFor(120000);
    const auto max = meter.frame();
    meter.key(0x06);
    const auto min = meter.frame();
    EXPECT_GT(int16At(max, 21), first + 100);
    EXPECT_LE(int16At(min, 21), first + 5);
}

TEST(MeterKeys, DifCyclesTheDifferenceDisplaysAndReturns) {
    Meter meter;
    meter.key(0x01);
    struct Step {
        std::uint8_t modeA, modeBMain, pair;
        int reading1, reading4, reading5;
    };
    // T1 25.0, T2 -20.0, IR 30.0, T3 0.0, T4 100.0
    const Step steps[] = {
        {0x04, 0x00, 0x04, 450, 250, -200},  // T1-T2
        {0x02, 0x00, 0x04, -50, 250, -200},  // T1-IR
        {0x01, 0x00, 0x04, -500, 250, -200}, // T2-IR
        {0x00, 0x80, 0x02, -1000, 0, 1000},  // T3-T4
        {0x00, 0x40, 0x02, 300, 0, 1000},    // IR-T3
        {0x00, 0x20, 0x02, -700, 0, 1000},   // IR-T4
        {0x80, 0x00, 0x00, 250, 0, 0},       // back to T1
    };
    for (const Step& step : steps) {
        meter.key(0x04);
        const auto frame = meter.frame();
        EXPECT_EQ(frame[13], step.modeA);
        EXPECT_EQ(frame[14] & 0xE0, step.modeBMain);
        EXPECT_EQ(frame[15], step.pair);
        EXPECT_EQ(int16At(frame, 19), step.reading1);
        EXPECT_EQ(int16At(frame, 25), step.reading4);
        EXPECT_EQ(int16At(frame, 27), step.reading5);
    }
    meter.key(0x04);
    meter.key(0x03);
    EXPECT_EQ(int16At(meter.frame(), 19), 810); // a 45.0 degree difference is 81.0 F, no offset
}

TEST(MeterKeys, DifDoubleClickStepsTheMainChannelAndIsLockedDuringStatistics) {
    Meter meter;
    meter.key(0x01);
    meter.key(0x12);
    const auto t2 = meter.frame();
    EXPECT_EQ(t2[13], 0x40);
    EXPECT_EQ(t2[14], 0x10); // second reading shows T1
    EXPECT_EQ(int16At(t2, 19), -200);
    meter.key(0x06);
    meter.key(0x04);
    meter.key(0x12);
    EXPECT_EQ(meter.frame()[13], 0x40);
}

TEST(MeterScenarios, AnOpenThermocoupleSendsTheNoValueCodeAndDashesItsReadings) {
    Meter meter(FrameScenario::OpenThermocouple);
    meter.key(0x01);
    for (int i = 0; i < 4; ++i)
        meter.key(0x04); // T3-T4
    const auto frame = meter.frame();
    EXPECT_EQ(int16At(frame, 8), 29500);
    EXPECT_EQ(frame[16] & 0x20, 0x20); // reading 1
    EXPECT_EQ(frame[16] & 0x04, 0x04); // reading 4 shows T3
    EXPECT_EQ(frame[16] & 0x02, 0x00); // reading 5 shows T4
}

TEST(MeterScenarios, LowBatterySetsTheBatteryBit) {
    Meter meter(FrameScenario::LowBattery);
    meter.key(0x01);
    EXPECT_EQ(meter.frame()[12] & 0x04, 0x04);
}

TEST(MeterScenarios, DoubleSendsTwoValidFramesInOneWrite) {
    Meter meter(FrameScenario::Double);
    meter.key(0x01);
    const auto sent = meter.session_.transmit(0);
    ASSERT_EQ(sent.size(), 1u);
    ASSERT_EQ(sent[0].bytes.size(), 66u);
    EXPECT_TRUE(isValidFrameAt(sent[0].bytes, 0));
    EXPECT_TRUE(isValidFrameAt(sent[0].bytes, 33));
}

TEST(MeterScenarios, SplitSendsEachFrameInTwoWritesThatJoinUp) {
    Meter meter(FrameScenario::Split);
    meter.key(0x01);
    for (int i = 0; i < 5; ++i) {
        const auto head = meter.session_.transmit(meter.now_);
        ASSERT_EQ(head.size(), 1u);
        EXPECT_LT(head[0].bytes.size(), 33u);
        EXPECT_GT(meter.session_.nextDueMs(), meter.now_);
        meter.now_ = meter.session_.nextDueMs();
        const auto tail = meter.session_.transmit(meter.now_);
        ASSERT_EQ(tail.size(), 1u);
        EXPECT_TRUE(isValidFrameAt(test::allBytes({head[0], tail[0]})));
        meter.now_ = meter.session_.nextDueMs();
    }
}

TEST(MeterScenarios, GarbageArrivesBetweenIntactFrames) {
    Meter meter(FrameScenario::Garbage);
    meter.key(0x01);
    for (int i = 0; i < 5; ++i) {
        const auto frame = meter.session_.transmit(meter.now_);
        ASSERT_EQ(frame.size(), 1u);
        EXPECT_TRUE(isValidFrameAt(frame[0].bytes));
        meter.now_ = meter.session_.nextDueMs();
        const auto garbage = meter.session_.transmit(meter.now_);
        ASSERT_EQ(garbage.size(), 1u);
        EXPECT_GE(garbage[0].bytes.size(), 1u);
        meter.now_ = meter.session_.nextDueMs();
    }
}

TEST(MeterScenarios, SilenceNeverSendsAnything) {
    Meter meter(FrameScenario::Silence);
    meter.key(0x01);
    meter.key(0x02);
    meter.key(0x10);
    EXPECT_TRUE(meter.runFor(5000).empty());
}

} // namespace
} // namespace calorant::sim
