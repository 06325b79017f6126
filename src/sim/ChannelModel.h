#pragma once

#include "sim/FrameEncoder.h"

#include <cstdint>

namespace calorant::sim {

// What the five inputs measure over time.
enum class ChannelProfile {
    Drifting,        // room-temperature T1 and T3, a warming probe on T2, IR near 30 °C,
                     // a cooling probe on T4, each with a little noise
    Fixed,           // T1 25.0, T2 -20.0, IR 30.0, T3 0.0, T4 100.0, never changing
    OpenThermocouple // drifting, but T3 is an open input
};

// The channel values at a moment, as a pure function of the time since the emulator
// started and of the seed, so that a run can be repeated exactly.
class ChannelModel {
public:
    ChannelModel(ChannelProfile profile, std::uint32_t seed);

    ChannelTenths at(std::int64_t elapsedMs) const;

private:
    ChannelProfile profile_;
    std::uint32_t seed_;
};

} // namespace calorant::sim
