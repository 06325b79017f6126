#pragma once

#include "core/Temperature.h"
#include "link/LiveFrame.h"

#include <array>
#include <cstdint>
#include <string>

namespace calorant {

// What the programme knows about the meter's display and the live statistics,
// rebuilt from each accepted live frame. Every display field is a ready-made text:
// the panel and the bars only draw them. A text that a frame does not address keeps
// what the previous frame left; at start every text is empty.
//
// The statistics cover every frame since the programme started and are never reset.
// The average is kept as a running extended-precision sum, which equals summing the
// whole history in arrival order but costs the same for every frame, however long
// the programme runs.
class MeterState {
public:
    using ChannelTexts = std::array<std::string, kChannelCount>;

    // Applies the display rules and then the statistics rules for one frame.
    void applyFrame(const LiveFrame& frame);

    // Display texts.
    const std::array<std::string, kReadingCount>& readingText() const { return readingText_; }
    const std::string& unitText() const { return unitText_; }
    const std::string& recText() const { return recText_; }
    const std::string& holdText() const { return holdText_; }
    const std::string& batteryText() const { return batteryText_; }
    const std::string& mainLabel() const { return mainLabel_; }
    const std::string& secondLabel() const { return secondLabel_; }
    const std::string& thirdLabel() const { return thirdLabel_; }
    const std::string& irTempText() const { return irTempText_; }
    const std::string& statModeText() const { return statModeText_; }
    const std::string& elapsedUnitText() const { return elapsedUnitText_; }
    const std::array<std::string, 2>& difLabel() const { return difLabel_; }
    const std::string& probeTypeText() const { return probeTypeText_; }

    // Statistics texts per channel (T1, T2, IR, T3, T4), in the current unit.
    const ChannelTexts& maxText() const { return maxText_; }
    const ChannelTexts& minText() const { return minText_; }
    const ChannelTexts& avgText() const { return avgText_; }

    // Statistics values in degrees Celsius. statMax is kNoMax and statMin kNoMin
    // until the channel has had a value; statAvg is kNoAverage once the channel has
    // had a no-value reading.
    static constexpr float kNoMax = -300.0f;
    static constexpr float kNoMin = 4000.0f;
    static constexpr float kNoAverage = 3000.0f;
    const Channels& statMax() const { return statMax_; }
    const Channels& statMin() const { return statMin_; }
    const Channels& statAvg() const { return statAvg_; }
    const ChannelTexts& statMaxTime() const { return statMaxTime_; } // "%H:%M:%S"
    const ChannelTexts& statMinTime() const { return statMinTime_; }
    // Number of frames the statistics have taken in.
    std::int64_t statHistoryCount() const { return statHistoryCount_; }

    // The meter's display unit as last received; Celsius until a frame names one.
    TemperatureUnit unitCode() const { return unitCode_; }

private:
    void applyDisplay(const LiveFrame& frame);
    void applyReadings(const LiveFrame& frame);
    void applyLabels(const LiveFrame& frame);
    void applyStatistics(const LiveFrame& frame);
    void updateStatisticsTexts(int channel);

    std::array<std::string, kReadingCount> readingText_;
    std::string unitText_;
    std::string recText_;
    std::string holdText_;
    std::string batteryText_;
    std::string mainLabel_;
    std::string secondLabel_;
    std::string thirdLabel_;
    std::string irTempText_;
    std::string statModeText_;
    std::string elapsedUnitText_;
    std::array<std::string, 2> difLabel_;
    std::string probeTypeText_;
    ChannelTexts maxText_;
    ChannelTexts minText_;
    ChannelTexts avgText_;

    Channels statMax_{kNoMax, kNoMax, kNoMax, kNoMax, kNoMax};
    Channels statMin_{kNoMin, kNoMin, kNoMin, kNoMin, kNoMin};
    Channels statAvg_{};
    ChannelTexts statMaxTime_;
    ChannelTexts statMinTime_;
    std::array<long double, kChannelCount> statSum_{};
    std::array<bool, kChannelCount> sawNoValue_{};
    std::int64_t statHistoryCount_ = 0;

    TemperatureUnit unitCode_ = TemperatureUnit::Celsius;
};

} // namespace calorant
