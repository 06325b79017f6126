#pragma once

#include "sim/FrameEncoder.h"
#include "sim/MeterCommand.h"

#include <array>
#include <cstdint>

namespace calorant::sim {

// What the main reading (reading 1) shows.
enum class MainReading {
    T1,
    T2,
    IR,
    T3,
    T4,
    T1MinusT2,
    T1MinusIR,
    T2MinusIR,
    T3MinusT4,
    IRMinusT3,
    IRMinusT4,
};

enum class StatMode : std::uint8_t { Off = 0, Max = 1, Min = 2, Avg = 3 };

// The meter's own display and keys. Readings 1 and 2 show the main and second
// selection; reading 3 is the IR-temperature reading (off on this meter, so dashed)
// or the elapsed time of a MAX/MIN/AVG session; readings 4 and 5 show the two
// channels of a difference display. HOLD freezes the inputs of the display (the
// channel values in the frame stay live); a MAX/MIN/AVG session locks the
// selection, so DIF is ignored while it runs.
class EmulatedMeter {
public:
    // Applies a key command at nowMs; `live` is what the inputs measure now (HOLD
    // keeps it). Commands that are not display keys change nothing here.
    void press(MeterCommand key, std::int64_t nowMs, const ChannelTenths& live);

    // The frame content for the current display state. Also feeds the running
    // MAX/MIN/AVG session, so call it once per frame sent.
    FrameContent nextFrame(const ChannelTenths& live, std::int64_t nowMs);

    void setBatteryLow(bool low) { batteryLow_ = low; }

    TemperatureUnit unit() const { return unit_; }
    bool recording() const { return rec_; }

private:
    // Running statistics of one reading, in degrees Celsius.
    struct Accumulator {
        int count = 0;
        double max = 0.0;
        double min = 0.0;
        double sum = 0.0;
        void add(double celsius);
    };

    void cycleDifference();
    void cycleChannel();
    void cycleStatMode(std::int64_t nowMs);

    TemperatureUnit unit_ = TemperatureUnit::Celsius;
    MainReading main_ = MainReading::T1;
    MainReading lastChannel_ = MainReading::T1; // where a difference display returns to
    StatMode statMode_ = StatMode::Off;
    std::int64_t statStartMs_ = 0;
    std::array<Accumulator, 5> stats_{};
    bool hold_ = false;
    ChannelTenths held_{};
    bool rec_ = false;
    bool batteryLow_ = false;
};

} // namespace calorant::sim
