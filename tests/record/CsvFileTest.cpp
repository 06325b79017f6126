// The CSV companion: exact bytes of the UTF-16 header and rows, the unit conversions
// (Kelvin with 273.16), the no-reading dashes above 2900.0, which rows and times the
// real-time writer picks from a recording with repeated samples, and numbers that stay
// "25.3" under a comma-decimal locale.
#include "record/CsvFile.h"

#include "FileTestSupport.h"
#include "record/GraphFile.h"
#include "support/LoggerSetStart.h"

#include <clocale>
#include <sstream>

namespace calorant {
namespace {

std::string csvText(const SampleStore& store, TemperatureUnit unit) {
    std::ostringstream out(std::ios::binary);
    writeCsvFile(out, store, unit);
    return test::asciiFromUtf16(out.str());
}

std::string csvText(const LoggerSet& set) {
    std::ostringstream out(std::ios::binary);
    writeCsvFile(out, set);
    return test::asciiFromUtf16(out.str());
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t begin = 0;
    for (std::size_t end; (end = text.find("\r\n", begin)) != std::string::npos; begin = end + 2)
        result.push_back(text.substr(begin, end - begin));
    EXPECT_EQ(begin, text.size()) << "text after the last line end";
    return result;
}

const std::string kHeader = "No\tT1\tT2\tIR\tT3\tT4\tUnit\tTime";

TEST(CsvFile, AnEmptySetIsTheByteOrderMarkAndTheHeaderLine) {
    std::ostringstream out(std::ios::binary);
    writeCsvFile(out, LoggerSet{});
    const std::string bytes = out.str();
    EXPECT_EQ(bytes.substr(0, 12),
              std::string("\xFF\xFE\x4E\x00\x6F\x00\x09\x00\x54\x00\x31\x00", 12));
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\x0D\x00\x0A\x00", 4));
    EXPECT_EQ(test::asciiFromUtf16(bytes), kHeader + "\r\n");
}

TEST(CsvFile, ARealTimeRowHoldsNumberValuesDashesUnitAndTimeWithLeadingSpace) {
    SampleStore store;
    test::record(store, 2, {{25.3f, 2950.0f, 2900.0f, -12.5f, 0.0f}});
    EXPECT_EQ(lines(csvText(store, TemperatureUnit::Celsius)),
              (std::vector<std::string>{
                  kHeader, "1\t25.3\t----\t2900.0\t-12.5\t0.0\tC\t 12/07/26 14:05:09"}));
}

TEST(CsvFile, FahrenheitAndKelvinConvertEveryValueButNotTheDashes) {
    SampleStore store;
    test::record(store, 2, {{25.3f, 2950.0f, 20.0f, -40.0f, 100.0f}});
    EXPECT_EQ(lines(csvText(store, TemperatureUnit::Fahrenheit))[1],
              "1\t77.5\t----\t68.0\t-40.0\t212.0\tF\t 12/07/26 14:05:09");
    EXPECT_EQ(lines(csvText(store, TemperatureUnit::Kelvin))[1],
              "1\t298.5\t----\t293.2\t233.2\t373.2\tK\t 12/07/26 14:05:09");
}

TEST(CsvFile, TheRealTimeWriterListsOnlyFreshReadingsAtTheirSampleTimes) {
    // Ten ticks at 5 s; frames are missing at ticks 2, 5 and 6, so 7 fresh readings.
    SampleStore store;
    std::vector<Channels> ticks;
    for (int i = 0; i < 10; ++i)
        ticks.push_back(i == 2 || i == 5 || i == 6 ? test::missingFrame()
                                                   : Channels{float(i), 0, 0, 0, 0});
    test::record(store, 5, ticks);
    ASSERT_EQ(store.sampleCount(), 10);

    const std::vector<std::string> rows = lines(csvText(store, TemperatureUnit::Celsius));
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[3], "3\t3.0\t0.0\t0.0\t0.0\t0.0\tC\t 12/07/26 14:05:24");
    EXPECT_EQ(rows[7], "7\t9.0\t0.0\t0.0\t0.0\t0.0\tC\t 12/07/26 14:05:54"); // sample 9: +45 s
}

TEST(CsvFile, TheLoggerWriterMatchesTheGoldenCompanion) {
    std::istringstream in(test::fileBytes(test::goldenFile("three-readings.graph")),
                          std::ios::binary);
    const GraphReadResult read = readGraphFile(in);
    ASSERT_TRUE(read.loaded());

    std::ostringstream out(std::ios::binary);
    writeCsvFile(out, read.contents->set);
    // Three readings 2 s apart in K: 20.0 is written 293.2, 2950.0 as "----".
    EXPECT_EQ(out.str(), test::fileBytes(test::goldenFile("three-readings.csv")));
}

TEST(CsvFile, LoggerRowTimesComeFromTheStartFieldsNotTheStoredStartTime) {
    LoggerSet set;
    set.readingCount = 2;
    test::fillStartFields(set, 2026, 12, 31, 23, 59, 30);
    set.sampleRate = 30;
    set.startTime = 0; // stale; the writer must not use it
    const std::vector<std::string> rows = lines(csvText(set));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].substr(rows[1].rfind('\t')), "\t 12/31/26 23:59:30");
    EXPECT_EQ(rows[2].substr(rows[2].rfind('\t')), "\t 01/01/27 00:00:00");
}

TEST(CsvFile, NumbersKeepTheirDecimalPointUnderACommaDecimalLocale) {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed";
    SampleStore store;
    test::record(store, 1, {{25.3f, -0.5f, 0, 0, 0}});
    const std::string row = lines(csvText(store, TemperatureUnit::Celsius))[1];
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(row.substr(0, 13), "1\t25.3\t-0.5\t0");
}

} // namespace
} // namespace calorant
