#include "report/ReportSources.h"

#include "logger/LoggerSet.h"
#include "record/SampleStore.h"

namespace calorant {

namespace {

constexpr ReportColour kRealTimeGridColour{127, 127, 127};
constexpr ReportColour kLoggerGridColour{27, 27, 27};
constexpr const char* kRealTimeStampFormat = "%m/%d/%y  %H:%M";
constexpr const char* kLoggerStampFormat = "%Y-%m-%d  %H:%M";

// Gridline i at (yOffset + i) * yGain, without overflowing whatever a file says.
std::array<double, kGridValueCount> gridValues(int yGain, int yOffset) {
    std::array<double, kGridValueCount> values{};
    for (int i = 0; i < kGridValueCount; ++i)
        values[i] = static_cast<double>(std::int64_t{yOffset} + i) * yGain;
    return values;
}

} // namespace

ReportInputs realTimeReport(const SampleStore& store, TemperatureUnit unit,
                            const std::array<bool, kChannelCount>& channelVisible, int yGain,
                            int yOffset) {
    ReportInputs inputs;
    inputs.pointCount = store.sampleCount();
    for (int c = 0; c < kChannelCount; ++c)
        inputs.channels[c] = {store.recordedSamples(c), 1};
    inputs.unit = unit;
    inputs.channelVisible = channelVisible;
    inputs.gridValues = gridValues(yGain, yOffset);
    inputs.timeLabels = {store.runStartTime(), store.sampleRateMs()};
    inputs.gridColour = kRealTimeGridColour;
    inputs.stampFormat = kRealTimeStampFormat;
    return inputs;
}

ReportInputs loggerReport(const LoggerSet& set,
                          const std::array<bool, kChannelCount>& channelVisible, int yGain,
                          int yOffset) {
    ReportInputs inputs;
    inputs.pointCount = storedReadingCount(set);
    const std::span<const float> values(set.values);
    for (int c = 0; c < kChannelCount && static_cast<std::size_t>(c) < values.size(); ++c)
        inputs.channels[c] = {values.subspan(c), kChannelCount};
    inputs.unit = unitOrCelsius(set.unit);
    inputs.channelVisible = channelVisible;
    inputs.gridValues = gridValues(yGain, yOffset);
    inputs.timeLabels = {set.startTime, std::int64_t{set.sampleRate} * 1000};
    inputs.gridColour = kLoggerGridColour;
    inputs.stampFormat = kLoggerStampFormat;
    return inputs;
}

} // namespace calorant
