#include "link/MeterState.h"

#include "core/CalendarTime.h"
#include "core/NumberFormat.h"

#include <string_view>

namespace calorant {

namespace {

// A flag bit and the text it puts into a field. The tables are applied in order and
// every set bit overwrites the field, so the last matching entry wins.
struct BitText {
    std::uint8_t bit;
    std::string_view text;
};

constexpr BitText kMainModeA[] = {{0x80, "T1"}, {0x40, "T2"},    {0x20, "IR"},    {0x10, "T3"},
                                  {0x08, "T4"}, {0x04, "T1-T2"}, {0x02, "T1-IR"}, {0x01, "T2-IR"}};
constexpr BitText kMainModeB[] = {{0x80, "T3-T4"}, {0x40, "IR-T3"}, {0x20, "IR-T4"}};
constexpr BitText kSecondMode[] = {
    {0x10, "T1"}, {0x08, "T2"}, {0x04, "IR"}, {0x02, "T3"}, {0x01, "T4"}};
constexpr BitText kElapsedUnit[] = {{0x80, "hour : min"}, {0x40, "min : sec"}};

// Per reading 1..5: its bit in the dash flags and in the over/under-range flags.
constexpr std::uint8_t kDashBit[kReadingCount] = {0x20, 0x10, 0x08, 0x04, 0x02};
constexpr std::uint8_t kRangeBit[kReadingCount] = {0x80, 0x40, 0x20, 0x10, 0x08};

constexpr std::uint8_t kIrTempOn = 0x01;
constexpr std::uint8_t kDifPairT1T2 = 0x04;
constexpr std::uint8_t kDifPairT3T4 = 0x02;
constexpr std::uint8_t kElapsedDashes = 0x01;
constexpr int kElapsedReading = 2; // reading 3 doubles as the elapsed-time display

constexpr std::string_view kBlank2 = "  ";
constexpr std::string_view kBlank3 = "   ";
constexpr std::string_view kBlank4 = "    ";
constexpr std::string_view kBlank6 = "      ";
constexpr std::string_view kBlank8 = "        ";
constexpr std::string_view kNoStatistic = "- - - -";
constexpr const char* kTimeOfDay = "%H:%M:%S";

void applyBits(std::string& field, std::uint8_t flags, std::span<const BitText> table) {
    for (const BitText& entry : table) {
        if (flags & entry.bit)
            field = entry.text;
    }
}

// "%d%d" of the tens and the units, so 5 becomes 05 and 123 becomes 123.
std::string twoDigits(int value) {
    return formatInt(value / 10) + formatInt(value % 10);
}

} // namespace

void MeterState::applyFrame(const LiveFrame& frame) {
    applyDisplay(frame);
    applyStatistics(frame);
    ++statHistoryCount_;
}

void MeterState::applyDisplay(const LiveFrame& frame) {
    if (isUnitCode(frame.unitCode)) {
        unitCode_ = static_cast<TemperatureUnit>(frame.unitCode);
        unitText_ = unitLetter(unitCode_);
    }
    recText_ = (frame.status & kStatusRecording) ? "REC" : kBlank3;
    applyReadings(frame);
    applyLabels(frame);
    probeTypeText_ = "K";
    holdText_ = (frame.status & kStatusHold) ? "HOLD" : kBlank4;
    batteryText_ = (frame.status & kStatusBatteryLow) ? "Low" : "Normal";
}

void MeterState::applyReadings(const LiveFrame& frame) {
    const bool irTemp = frame.irTempFlags & kIrTempOn;
    for (int r = 0; r < kReadingCount; ++r) {
        std::string& text = readingText_[r];
        if (r == kElapsedReading && frame.statMode != kStatModeNone) {
            text = twoDigits(frame.elapsedTime[0]) + ":" + twoDigits(frame.elapsedTime[1]);
            if (frame.dashFlags & kElapsedDashes)
                text = "--:--";
            continue;
        }
        // No-value readings are not printed: the text keeps its previous content.
        if (frame.reading[r] < kNoValueThreshold)
            text = formatFixed(frame.reading[r], 1);
        if (frame.dashFlags & kDashBit[r])
            text = "----";
        if (frame.olFlags & kRangeBit[r])
            text = "OL";
        if (frame.negOlFlags & kRangeBit[r])
            text = "-OL";
        if (r == kElapsedReading && !irTemp)
            text = kBlank6;
    }
}

void MeterState::applyLabels(const LiveFrame& frame) {
    if (frame.modeA == 0 && frame.modeB == 0)
        mainLabel_ = "T1";
    applyBits(mainLabel_, frame.modeA, kMainModeA);
    applyBits(mainLabel_, frame.modeB, kMainModeB);

    const std::uint8_t ir = frame.irTempFlags;
    if (ir & kIrTempOn)
        irTempText_ = "IRTEMP";

    if (frame.statMode == kStatModeNone) {
        secondLabel_ = "T2";
        applyBits(secondLabel_, frame.modeB, kSecondMode);
        if (ir & kIrTempOn) {
            if (ir & 0x80)
                thirdLabel_ = (ir & 0x04) ? "T4" : "T1";
            if (ir & 0x40)
                thirdLabel_ = "T2";
            if (ir & 0x20)
                thirdLabel_ = "IR";
            if (ir & 0x10)
                thirdLabel_ = "T3";
            if (ir & 0x08)
                thirdLabel_ = "T4";
        } else {
            thirdLabel_ = kBlank2;
            irTempText_ = kBlank6;
        }
        elapsedUnitText_ = kBlank8;
        statModeText_ = kBlank3;
    } else {
        secondLabel_ = kBlank2;
        thirdLabel_ = kBlank2;
        applyBits(elapsedUnitText_, frame.dashFlags, kElapsedUnit);
        if (frame.statMode == kStatModeMax)
            statModeText_ = "MAX";
        else if (frame.statMode == kStatModeMin)
            statModeText_ = "MIN";
        else if (frame.statMode == kStatModeAvg)
            statModeText_ = "AVG";
    }

    if (ir & kDifPairT1T2)
        difLabel_ = {"T1", "T2"};
    if (ir & kDifPairT3T4)
        difLabel_ = {"T3", "T4"};
}

void MeterState::applyStatistics(const LiveFrame& frame) {
    const long double count = static_cast<long double>(statHistoryCount_) + 1;
    for (int c = 0; c < kChannelCount; ++c) {
        const float v = frame.channel[c];
        // One no-value reading in the history makes the average meaningless for good.
        if (isNoValue(v))
            sawNoValue_[c] = true;
        if (sawNoValue_[c]) {
            statAvg_[c] = kNoAverage;
        } else {
            statSum_[c] += v;
            statAvg_[c] = static_cast<float>(statSum_[c] / count);
        }
        if (statMax_[c] < v && v < kNoValueThreshold) {
            statMax_[c] = v;
            statMaxTime_[c] = formatTime(frame.arrivalTime, kTimeOfDay);
        }
        if (statMin_[c] > v && v < kNoValueThreshold) {
            statMin_[c] = v;
            statMinTime_[c] = formatTime(frame.arrivalTime, kTimeOfDay);
        }
        updateStatisticsTexts(c);
    }
}

void MeterState::updateStatisticsTexts(int c) {
    const std::string unit = " " + std::string(unitLetter(unitCode_));
    const auto valueText = [&](float celsius) {
        return formatFixed(fromCelsius(celsius, unitCode_), 1) + unit;
    };
    maxText_[c] = statMax_[c] == kNoMax ? std::string(kNoStatistic)
                                        : valueText(statMax_[c]) + " @ " + statMaxTime_[c];
    minText_[c] = statMin_[c] == kNoMin ? std::string(kNoStatistic)
                                        : valueText(statMin_[c]) + " @ " + statMinTime_[c];
    avgText_[c] = isNoValue(statAvg_[c]) ? std::string(kNoStatistic) : valueText(statAvg_[c]);
}

} // namespace calorant
