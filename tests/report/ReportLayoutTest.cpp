// The one-page test report laid out in page units, from the real-time recording and
// from a logger set: what an empty, a one-sample and a two-sample page hold, the time
// labels of short and day-long sets, the colour the labels and the stamp inherit from
// the legend, the unit conversions against the gridline scale, the curves reduced per
// unit column, values no page can hold, and the white strips of a printer page.
#include "report/ReportLayout.h"

#include "core/CalendarTime.h"
#include "logger/LoggerSet.h"
#include "record/SampleStore.h"
#include "report/ReportSources.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <string>
#include <vector>

namespace calorant {
namespace {

const std::time_t kStart = makeLocalTime(2026, 3, 14, 9, 30, 0);
const std::time_t kPrinted = makeLocalTime(2026, 3, 15, 17, 4, 59);
constexpr std::array<bool, kChannelCount> kAllVisible{true, true, true, true, true};

// A recording made through the store's own events: one frame and one tick per sample.
void record(SampleStore& store, int rateSeconds, int samples,
            const std::function<Channels(int)>& values) {
    store.run(rateSeconds);
    for (int i = 0; i < samples; ++i) {
        store.onAcceptedFrame(values(i), kStart + std::time_t(i) * rateSeconds);
        store.onSampleTick();
    }
}

Channels steady(int) {
    return {20, 30, 40, 50, 60};
}

LoggerSet loggerSet(int readings, int rateSeconds, std::uint8_t unit,
                    const std::function<Channels(int)>& values) {
    LoggerSet set;
    set.readingCount = readings;
    set.sampleRate = rateSeconds;
    set.unit = unit;
    setStartFields(set, kStart);
    for (int r = 0; r < readings; ++r)
        for (int c = 0; c < kChannelCount; ++c)
            set.values[std::size_t(r) * kChannelCount + c] = values(r)[c];
    return set;
}

std::vector<std::string> textsOf(const ReportPage& page) {
    std::vector<std::string> texts;
    for (const PageText& text : page.texts)
        texts.push_back(text.text);
    return texts;
}

// The texts drawn below the frame, left to right: the five time labels.
std::vector<std::string> timeLabels(const ReportPage& page) {
    std::vector<std::string> labels;
    for (const PageText& text : page.texts)
        if (text.topLeft.y == 195)
            labels.push_back(text.text);
    return labels;
}

std::vector<PageText> valueLabels(const ReportPage& page) {
    std::vector<PageText> labels;
    for (const PageText& text : page.texts)
        if (text.topLeft.x == -800)
            labels.push_back(text);
    return labels;
}

std::vector<ReportColour> strokeColours(const ReportPage& page) {
    std::vector<ReportColour> colours;
    for (const CurveStroke& stroke : page.curves)
        colours.push_back(stroke.colour);
    return colours;
}

TEST(ReportPage, WithoutSamplesThePageHoldsOnlyTheFrame) {
    SampleStore store;
    ReportInputs inputs = realTimeReport(store, TemperatureUnit::Celsius, kAllVisible, 10, 0);
    inputs.printTime = kPrinted;
    const ReportPage page = layoutReport(inputs);
    EXPECT_EQ(page.frame,
              (Polyline{{-10, 200}, {-750, 200}, {-750, 1000}, {-10, 1000}, {-10, 200}}));
    EXPECT_FALSE(page.hasChart);
    EXPECT_TRUE(page.curves.empty());
    EXPECT_TRUE(page.texts.empty());
    EXPECT_TRUE(page.grid.empty());
}

TEST(ReportPage, OneSamplePrintsEverythingButACurveWithEveryTimeLabelAtTheStart) {
    SampleStore store;
    record(store, 1, 1, steady);
    ReportInputs inputs = realTimeReport(store, TemperatureUnit::Celsius, kAllVisible, 10, 0);
    inputs.printTime = kPrinted;
    const ReportPage page = layoutReport(inputs);

    EXPECT_TRUE(page.hasChart);
    EXPECT_TRUE(page.curves.empty());
    const std::vector<std::string> expected{
        " Test Report ", "Temperature", "T1",   "T2",    "IR",       "T3",       "T4",
        "0.0",           "10.0",        "20.0", "30.0",  "40.0",     "50.0",     "60.0",
        "70.0",          "80.0",        "90.0", "100.0", "09:30:00", "09:30:00", "09:30:00",
        "09:30:00",      "09:30:00"};
    EXPECT_EQ(textsOf(page), expected);
    EXPECT_EQ(page.texts[0].topLeft, (PagePoint{-620, 1120}));
    EXPECT_EQ(page.texts[0].font, ReportFont::Title);
    EXPECT_EQ(page.texts[1].topLeft, (PagePoint{-750, 1025}));
    EXPECT_EQ(page.texts[4].topLeft, (PagePoint{-400, 1025}));  // IR
    EXPECT_EQ(page.texts[7].topLeft, (PagePoint{-800, 210}));   // g0
    EXPECT_EQ(page.texts[17].topLeft, (PagePoint{-800, 1010})); // g10
    EXPECT_EQ(page.texts[22].topLeft, (PagePoint{-70, 195}));   // the fifth time label

    ASSERT_EQ(page.grid.size(), 13u);
    EXPECT_EQ(page.grid[0].from, (PagePoint{-10, 280}));
    EXPECT_EQ(page.grid[0].to, (PagePoint{-755, 280}));
    EXPECT_EQ(page.grid[9].from.y, 1000);
    EXPECT_EQ(page.grid[10].from, (PagePoint{-565, 200}));
    EXPECT_EQ(page.grid[12].to, (PagePoint{-195, 1000}));
    EXPECT_EQ(page.gridColour, (ReportColour{127, 127, 127}));

    EXPECT_EQ(page.stamp.text, "03/15/26  17:04");
    EXPECT_EQ(page.stamp.topLeft, (PagePoint{-200, 100}));
}

TEST(ReportPage, TwoSamplesDrawOneSegmentPerChannelAcrossTheFrame) {
    SampleStore store;
    record(store, 1, 2, [](int i) { return Channels{float(10 * i), 20, 30, 40, 50}; });
    const ReportPage page =
        layoutReport(realTimeReport(store, TemperatureUnit::Celsius, kAllVisible, 10, 0));
    ASSERT_EQ(page.curves.size(), 5u);
    EXPECT_EQ(page.curves[0].points, (Polyline{{-750, 200}, {-10, 280}}));
    EXPECT_EQ(page.curves[4].points, (Polyline{{-750, 600}, {-10, 600}}));
    EXPECT_EQ(strokeColours(page), (std::vector<ReportColour>(kReportChannelColours.begin(),
                                                              kReportChannelColours.end())));
    EXPECT_EQ(timeLabels(page), std::vector<std::string>(5, "09:30:00")); // 2 / 4 = 0
}

TEST(ReportPage, TimeLabelsStepByAQuarterOfTheSamplesTruncated) {
    SampleStore store;
    record(store, 1, 400, steady);
    EXPECT_EQ(
        timeLabels(
            layoutReport(realTimeReport(store, TemperatureUnit::Celsius, kAllVisible, 10, 0))),
        (std::vector<std::string>{"09:30:00", "09:31:40", "09:33:20", "09:35:00", "09:36:40"}));

    SampleStore seven;
    record(seven, 3, 7, steady); // 7 / 4 = 1 sample of 3 s per label
    EXPECT_EQ(
        timeLabels(
            layoutReport(realTimeReport(seven, TemperatureUnit::Celsius, kAllVisible, 10, 0))),
        (std::vector<std::string>{"09:30:00", "09:30:03", "09:30:06", "09:30:09", "09:30:12"}));
}

TEST(ReportPage, ADayOfLoggerReadingsIsLabelledInSixHourSteps) {
    const LoggerSet set = loggerSet(1441, 60, 0, steady);
    ReportInputs inputs = loggerReport(set, kAllVisible, 10, 0);
    inputs.printTime = kPrinted;
    const ReportPage page = layoutReport(inputs);
    EXPECT_EQ(timeLabels(page), (std::vector<std::string>{"09:30:00", "15:30:00", "21:30:00",
                                                          "03:30:00", "09:30:00"}));
    EXPECT_EQ(page.stamp.text, "2026-03-15  17:04");
    EXPECT_EQ(page.gridColour, (ReportColour{27, 27, 27}));
}

TEST(ReportPage, TimeLabelsOfTheSlowestRateDoNotOverflow) {
    const TimeLabelRule rule{kStart, std::int64_t{kMaxSampleRateSeconds} * 1000};
    EXPECT_EQ(rule.labelTime(10000, 4), kStart + std::time_t{10000} * kMaxSampleRateSeconds);
}

TEST(ReportPage, LabelsAndStampTakeTheColourOfTheLastLegendEntry) {
    const LoggerSet set = loggerSet(10, 1, 0, steady);
    const ReportColour t2{55, 55, 0};
    ReportPage page = layoutReport(loggerReport(set, {false, true, false, false, false}, 10, 0));
    EXPECT_EQ(strokeColours(page), std::vector<ReportColour>{t2});
    EXPECT_EQ(textsOf(page)[2], "T2");
    EXPECT_EQ(textsOf(page)[3], "0.0"); // no other legend entry
    for (const PageText& label : valueLabels(page))
        EXPECT_EQ(label.colour, t2) << label.text;
    EXPECT_EQ(page.texts.back().colour, t2); // the last time label
    EXPECT_EQ(page.stamp.colour, t2);
    EXPECT_EQ(page.texts[0].colour, kReportBlack);
    EXPECT_EQ(page.texts[1].colour, kReportBlack);

    page = layoutReport(loggerReport(set, {true, false, true, true, false}, 10, 0));
    EXPECT_EQ(page.stamp.colour, (ReportColour{50, 25, 50})); // T3, the last one shown

    page = layoutReport(loggerReport(set, {false, false, false, false, false}, 10, 0));
    EXPECT_TRUE(page.curves.empty());
    EXPECT_EQ(page.stamp.colour, kReportBlack);
    EXPECT_EQ(valueLabels(page).front().colour, kReportBlack);
}

// The height of the first point of the first stroke.
int firstHeight(const ReportPage& page) {
    return page.curves.at(0).points.at(0).y;
}

TEST(ReportPage, ValuesArePrintedInTheirUnitAgainstTheGridlineScale) {
    const auto fifty = [](int) { return Channels{50, 0, 0, 0, 0}; };
    const std::array<bool, kChannelCount> t1Only{true, false, false, false, false};
    SampleStore store;
    record(store, 1, 2, fifty);
    // 50.0 C is 122 F: (122 - 0) * 8 + 200 = 1176, above the frame, left for the strip.
    EXPECT_EQ(firstHeight(
                  layoutReport(realTimeReport(store, TemperatureUnit::Fahrenheit, t1Only, 10, 0))),
              1176);
    // The same reading in C on a scale from -100 to 100: (50 + 100) * 4 + 200.
    EXPECT_EQ(
        firstHeight(layoutReport(realTimeReport(store, TemperatureUnit::Celsius, t1Only, 20, -5))),
        800);

    // A set stored in F is converted the same way.
    const LoggerSet fahrenheit = loggerSet(2, 1, 1, fifty);
    EXPECT_EQ(firstHeight(layoutReport(loggerReport(fahrenheit, t1Only, 10, 0))), 1176);
}

TEST(ReportPage, KelvinAddsTheSameOffsetAsEveryOtherDisplay) {
    // 0.0 C on a scale from 250 to 750 K: (273.16 - 250) * 1.6 + 200 = 237.06.
    // With 273.12 it would be 236.99, one unit lower.
    const auto zero = [](int) { return Channels{0, 0, 0, 0, 0}; };
    const LoggerSet kelvin = loggerSet(2, 1, 2, zero);
    EXPECT_EQ(
        firstHeight(layoutReport(loggerReport(kelvin, {true, false, false, false, false}, 50, 5))),
        237);
    SampleStore store;
    record(store, 1, 2, zero);
    EXPECT_EQ(firstHeight(layoutReport(realTimeReport(store, TemperatureUnit::Kelvin,
                                                      {true, false, false, false, false}, 50, 5))),
              237);
}

TEST(ReportPage, ASetOfAnUnknownUnitIsPrintedUnconverted) {
    const LoggerSet set = loggerSet(2, 1, 7, [](int) { return Channels{50, 0, 0, 0, 0}; });
    EXPECT_EQ(
        firstHeight(layoutReport(loggerReport(set, {true, false, false, false, false}, 10, 0))),
        600);
}

TEST(ReportPage, AFullSetKeepsAtMostFourPointsInEachUnitColumn) {
    // 13110 readings over 740 columns, with noise in every column.
    const LoggerSet set = loggerSet(kLoggerSetCapacity, 1, 0, [](int r) {
        const float v = static_cast<float>(50 + 30 * std::sin(r * 0.003) + (r * 7919 % 13) * 0.4);
        return Channels{v, v, v, v, v};
    });
    const ReportPage page = layoutReport(loggerReport(set, kAllVisible, 10, 0));
    ASSERT_EQ(page.curves.size(), 5u);
    for (const CurveStroke& stroke : page.curves) {
        std::map<int, int> pointsPerColumn;
        for (const PagePoint& p : stroke.points)
            ++pointsPerColumn[p.x];
        EXPECT_EQ(pointsPerColumn.begin()->first, -750);
        EXPECT_EQ(pointsPerColumn.rbegin()->first, -10);
        for (const auto& [column, count] : pointsPerColumn)
            EXPECT_LE(count, 4) << "column " << column;
        EXPECT_LE(stroke.points.size(), 4u * 741);
    }
    // The highest value of the whole set is kept.
    int top = 0;
    for (const PagePoint& p : page.curves[0].points)
        top = std::max(top, p.y);
    float highest = 0;
    for (int r = 0; r < kLoggerSetCapacity; ++r)
        highest = std::max(highest, readingValue(set, r, 0));
    EXPECT_EQ(top, static_cast<int>(static_cast<float>(highest * 8.0 + 200)));
}

TEST(ReportPage, ValuesNoPageCanHoldBreakTheCurveWithoutBreakingThePage) {
    const float huge = 1e30f;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinite = std::numeric_limits<float>::max();
    const std::vector<float> t1{20, 30, huge, 40, nan, 50, 60, infinite, 70};
    const LoggerSet set = loggerSet(9, 1, 0, [&](int r) { return Channels{t1[r], 0, 0, 0, 0}; });
    const ReportPage page =
        layoutReport(loggerReport(set, {true, false, false, false, false}, 10, 0));
    // Cut far above the page at the huge value, broken at the NaN and at a height
    // beyond single precision.
    ASSERT_EQ(page.curves.size(), 3u);
    EXPECT_EQ(page.curves[0].points.front(), (PagePoint{-750, 360}));
    EXPECT_GT(page.curves[0].points.back().y, 1'000'000);
    EXPECT_EQ(page.curves[1].points.back(), (PagePoint{-472, 520}));
    EXPECT_EQ(page.curves[2].points, (Polyline{{-287, 600}, {-195, 680}}));

    // A scale without height (a file's Y gain of 0) draws no curve at all.
    EXPECT_TRUE(layoutReport(loggerReport(set, kAllVisible, 0, 3)).curves.empty());
}

TEST(ReportPage, ACountBeyondTheValuesIsHeldToThem) {
    std::vector<float> values(3, 25.0f);
    ReportInputs inputs;
    inputs.pointCount = 1000;
    for (ChannelSeries& series : inputs.channels)
        series = {values, 1};
    inputs.gridValues = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    const ReportPage page = layoutReport(inputs);
    ASSERT_EQ(page.curves.size(), 5u);
    EXPECT_EQ(page.curves[0].points, (Polyline{{-750, 400}, {-380, 400}, {-10, 400}}));
}

TEST(ReportPage, TheWhiteStripsSpanThePrinterPageAboveAndBelowTheFrame) {
    // A4 inside 10-point margins at 1200 dpi.
    const auto strips = whiteStrips(9583, 13699);
    EXPECT_EQ(strips[0], (PageRect{-9583, 1000, 9583, 12699}));
    EXPECT_EQ(strips[1], (PageRect{-9583, 0, 9583, 200}));
}

} // namespace
} // namespace calorant
