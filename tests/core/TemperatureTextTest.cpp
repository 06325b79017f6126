// The texts of stored Celsius values in every style the programme writes them: the
// unit's conversion with one decimal, with or without its letter, the dashes of each
// style for no reading (2900.0 itself counts only for the live display), and the
// empty text of a unit the programme does not know.
#include "core/TemperatureText.h"

#include <gtest/gtest.h>

namespace calorant {
namespace {

TEST(TemperatureText, EachStyleWritesTheConvertedValueItsOwnWay) {
    EXPECT_EQ(temperatureText(25.04f, TemperatureUnit::Celsius, kCsvValueStyle), "25.0");
    EXPECT_EQ(temperatureText(100.0f, TemperatureUnit::Fahrenheit, kLiveValueStyle), "212.0");
    EXPECT_EQ(temperatureText(0.0f, TemperatureUnit::Kelvin, kGraphReadoutStyle), "273.2 K");
    EXPECT_EQ(temperatureText(-12.5f, TemperatureUnit::Celsius, kDataListStyle), "-12.5");
    EXPECT_EQ(temperatureText(25.0f, TemperatureUnit::Fahrenheit, kLoggerReadoutStyle), "77.0F");
}

TEST(TemperatureText, OnlyTheLiveDisplayCountsTheThresholdItselfAsNoValue) {
    EXPECT_EQ(temperatureText(2900.0f, TemperatureUnit::Celsius, kLiveValueStyle), "----");
    EXPECT_EQ(temperatureText(2900.0f, TemperatureUnit::Celsius, kCsvValueStyle), "2900.0");
    EXPECT_EQ(temperatureText(2899.9f, TemperatureUnit::Celsius, kLiveValueStyle), "2899.9");

    const float noValue = 2950.0f;
    EXPECT_EQ(temperatureText(noValue, TemperatureUnit::Celsius, kCsvValueStyle), "----");
    EXPECT_EQ(temperatureText(noValue, TemperatureUnit::Kelvin, kGraphReadoutStyle), "----");
    EXPECT_EQ(temperatureText(noValue, TemperatureUnit::Celsius, kDataListStyle), "- - - -");
    EXPECT_EQ(temperatureText(noValue, TemperatureUnit::Celsius, kLoggerReadoutStyle), "------");
}

TEST(TemperatureText, AnUnknownUnitLeavesTheTextEmptyButNoValueStillShowsItsDashes) {
    EXPECT_EQ(unitOfCode(3), std::nullopt);
    EXPECT_EQ(unitOrCelsius(3), TemperatureUnit::Celsius);
    EXPECT_EQ(unitOfCode(2), TemperatureUnit::Kelvin);
    EXPECT_EQ(temperatureText(25.0f, unitOfCode(3), kDataListStyle), "");
    EXPECT_EQ(temperatureText(2950.0f, unitOfCode(3), kDataListStyle), "- - - -");
}

} // namespace
} // namespace calorant
