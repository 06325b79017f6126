#include "sim/EmulatedMeter.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace calorant::sim {
namespace {

// Type K thermocouple range of the display; beyond it a reading shows "OL" or "-OL".
constexpr int kOverRangeTenths = 13720;
constexpr int kUnderRangeTenths = -2000;

constexpr std::array<std::uint8_t, kChannelCount> kSecondReadingBit{0x10, 0x08, 0x04, 0x02, 0x01};

// A value a reading shows, in degrees Celsius. A difference converts to another unit
// without the offset of the scale.
struct Quantity {
    double celsius = 0.0;
    bool difference = false;
    bool absent = false; // open input: the reading shows dashes
    bool over = false;
    bool under = false;
};

struct Operands {
    int first;
    int second; // -1 for a single channel
};

Operands operandsOf(MainReading main) {
    switch (main) {
    case MainReading::T1:
        return {kT1, -1};
    case MainReading::T2:
        return {kT2, -1};
    case MainReading::IR:
        return {kIR, -1};
    case MainReading::T3:
        return {kT3, -1};
    case MainReading::T4:
        return {kT4, -1};
    case MainReading::T1MinusT2:
        return {kT1, kT2};
    case MainReading::T1MinusIR:
        return {kT1, kIR};
    case MainReading::T2MinusIR:
        return {kT2, kIR};
    case MainReading::T3MinusT4:
        return {kT3, kT4};
    case MainReading::IRMinusT3:
        return {kIR, kT3};
    case MainReading::IRMinusT4:
        return {kIR, kT4};
    }
    return {kT1, -1};
}

bool isDifference(MainReading main) {
    return operandsOf(main).second >= 0;
}

std::uint8_t modeABits(MainReading main) {
    switch (main) {
    case MainReading::T1:
        return 0x80;
    case MainReading::T2:
        return 0x40;
    case MainReading::IR:
        return 0x20;
    case MainReading::T3:
        return 0x10;
    case MainReading::T4:
        return 0x08;
    case MainReading::T1MinusT2:
        return 0x04;
    case MainReading::T1MinusIR:
        return 0x02;
    case MainReading::T2MinusIR:
        return 0x01;
    default:
        return 0;
    }
}

std::uint8_t modeBMainBits(MainReading main) {
    switch (main) {
    case MainReading::T3MinusT4:
        return 0x80;
    case MainReading::IRMinusT3:
        return 0x40;
    case MainReading::IRMinusT4:
        return 0x20;
    default:
        return 0;
    }
}

// The pair of channels shown in readings 4 and 5 of a difference display.
bool usesPairT1T2(MainReading main) {
    return main == MainReading::T1MinusT2 || main == MainReading::T1MinusIR ||
           main == MainReading::T2MinusIR;
}

int secondChannel(MainReading main) {
    return main == MainReading::T2 ? kT1 : kT2;
}

Quantity channelQuantity(const ChannelTenths& values, int channel) {
    const int v = values[channel];
    Quantity q;
    q.celsius = v / 10.0;
    q.absent = v > kNoValueTenths;
    q.over = !q.absent && v > kOverRangeTenths;
    q.under = v < kUnderRangeTenths;
    return q;
}

bool usable(const Quantity& q) {
    return !q.absent && !q.over && !q.under;
}

Quantity quantityOf(MainReading main, const ChannelTenths& values) {
    const Operands ops = operandsOf(main);
    const Quantity a = channelQuantity(values, ops.first);
    if (ops.second < 0)
        return a;
    const Quantity b = channelQuantity(values, ops.second);
    Quantity q;
    q.difference = true;
    q.absent = !usable(a) || !usable(b);
    q.celsius = q.absent ? 0.0 : a.celsius - b.celsius;
    return q;
}

int displayTenths(const Quantity& q, TemperatureUnit unit) {
    double value = q.celsius;
    if (q.difference)
        value *= unit == TemperatureUnit::Fahrenheit ? 1.8 : 1.0;
    else
        value = fromCelsius(value, unit);
    return static_cast<int>(std::lround(value * 10.0));
}

void putReading(FrameContent& frame, int slot, const Quantity& q, TemperatureUnit unit) {
    if (q.absent)
        frame.dashFlags |= kDashBit[slot];
    else if (q.over)
        frame.overRangeFlags |= kOverRangeBit[slot];
    else if (q.under)
        frame.underRangeFlags |= kOverRangeBit[slot];
    else
        frame.readingTenths[slot] = displayTenths(q, unit);
}

} // namespace

void EmulatedMeter::Accumulator::add(double celsius) {
    if (count == 0) {
        max = min = celsius;
    } else {
        max = std::max(max, celsius);
        min = std::min(min, celsius);
    }
    sum += celsius;
    ++count;
}

void EmulatedMeter::press(MeterCommand key, std::int64_t nowMs, const ChannelTenths& live) {
    switch (key) {
    case MeterCommand::UnitKey:
        unit_ = unit_ == TemperatureUnit::Celsius      ? TemperatureUnit::Fahrenheit
                : unit_ == TemperatureUnit::Fahrenheit ? TemperatureUnit::Kelvin
                                                       : TemperatureUnit::Celsius;
        break;
    case MeterCommand::HoldKey:
        hold_ = !hold_;
        held_ = live;
        break;
    case MeterCommand::RecKey:
        rec_ = !rec_;
        break;
    case MeterCommand::MaxMinKey:
        cycleStatMode(nowMs);
        break;
    case MeterCommand::MaxMinDoubleClick:
        statMode_ = StatMode::Off;
        break;
    case MeterCommand::DifKey:
        if (statMode_ == StatMode::Off)
            cycleDifference();
        break;
    case MeterCommand::DifDoubleClick:
        if (statMode_ == StatMode::Off)
            cycleChannel();
        break;
    default:
        break;
    }
}

// T1-T2, T1-IR, T2-IR, T3-T4, IR-T3, IR-T4, then back to the channel shown before.
void EmulatedMeter::cycleDifference() {
    if (!isDifference(main_)) {
        lastChannel_ = main_;
        main_ = MainReading::T1MinusT2;
    } else if (main_ == MainReading::IRMinusT4) {
        main_ = lastChannel_;
    } else {
        main_ = static_cast<MainReading>(static_cast<int>(main_) + 1);
    }
}

// T1, T2, IR, T3, T4; from a difference display back to the channel shown before it.
void EmulatedMeter::cycleChannel() {
    if (isDifference(main_))
        main_ = lastChannel_;
    else
        main_ = main_ == MainReading::T4 ? MainReading::T1
                                         : static_cast<MainReading>(static_cast<int>(main_) + 1);
}

// MAX, MIN, AVG, off. Entering MAX starts a new session with a new elapsed time.
void EmulatedMeter::cycleStatMode(std::int64_t nowMs) {
    switch (statMode_) {
    case StatMode::Off:
        statMode_ = StatMode::Max;
        statStartMs_ = nowMs;
        stats_ = {};
        break;
    case StatMode::Max:
        statMode_ = StatMode::Min;
        break;
    case StatMode::Min:
        statMode_ = StatMode::Avg;
        break;
    case StatMode::Avg:
        statMode_ = StatMode::Off;
        break;
    }
}

FrameContent EmulatedMeter::nextFrame(const ChannelTenths& live, std::int64_t nowMs) {
    const ChannelTenths& shown = hold_ ? held_ : live;

    // What readings 1, 2, 4 and 5 show (reading 3 is handled below).
    std::array<std::optional<Quantity>, 5> sources{};
    sources[0] = quantityOf(main_, shown);
    sources[1] = channelQuantity(shown, secondChannel(main_));
    if (isDifference(main_)) {
        const bool pairT1T2 = usesPairT1T2(main_);
        sources[3] = channelQuantity(shown, pairT1T2 ? kT1 : kT3);
        sources[4] = channelQuantity(shown, pairT1T2 ? kT2 : kT4);
    }

    FrameContent frame;
    frame.channelTenths = live;
    frame.status = static_cast<std::uint8_t>((rec_ ? kStatusRec : 0) | (hold_ ? kStatusHold : 0) |
                                             (batteryLow_ ? kStatusBatteryLow : 0));
    frame.modeA = modeABits(main_);
    frame.modeB =
        static_cast<std::uint8_t>(modeBMainBits(main_) | kSecondReadingBit[secondChannel(main_)]);
    if (isDifference(main_))
        frame.irTempFlags = usesPairT1T2(main_) ? kPairT1T2 : kPairT3T4;
    frame.statMode = static_cast<std::uint8_t>(statMode_);
    frame.unitCode = static_cast<std::uint8_t>(unit_);

    for (int slot = 0; slot < 5; ++slot) {
        if (!sources[slot])
            continue;
        Quantity q = *sources[slot];
        if (statMode_ != StatMode::Off) {
            Accumulator& acc = stats_[slot];
            if (!hold_ && usable(q))
                acc.add(q.celsius);
            q.absent = acc.count == 0;
            q.over = q.under = false;
            q.celsius = statMode_ == StatMode::Max   ? acc.max
                        : statMode_ == StatMode::Min ? acc.min
                                                     : (acc.count ? acc.sum / acc.count : 0.0);
        }
        putReading(frame, slot, q, unit_);
    }

    if (statMode_ == StatMode::Off) {
        // The IR-temperature reading is switched off: reading 3 shows dashes.
        frame.dashFlags |= kDashBit[2];
    } else {
        const std::int64_t seconds = std::max<std::int64_t>(0, (nowMs - statStartMs_) / 1000);
        if (seconds < 100 * 60) {
            frame.dashFlags |= kElapsedMinutesSeconds;
            frame.elapsedFirst = static_cast<std::uint8_t>(seconds / 60);
            frame.elapsedSecond = static_cast<std::uint8_t>(seconds % 60);
        } else {
            frame.dashFlags |= kElapsedHoursMinutes;
            frame.elapsedFirst =
                static_cast<std::uint8_t>(std::min<std::int64_t>(seconds / 3600, 99));
            frame.elapsedSecond = static_cast<std::uint8_t>(seconds / 60 % 60);
        }
    }
    return frame;
}

} // namespace calorant::sim
