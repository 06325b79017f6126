#include "sim/ChannelModel.h"

#include <cmath>
#include <numbers>

namespace calorant::sim {
namespace {

// A well-mixed 64-bit hash (splitmix64), so that the noise of a given second is
// the same whenever it is asked for.
std::uint64_t mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// -1, 0 or +1 tenth, changing once a second.
int noiseTenths(std::uint32_t seed, std::int64_t second, int channel) {
    const std::uint64_t key = (std::uint64_t{seed} << 40) ^
                              (static_cast<std::uint64_t>(second) << 3) ^
                              static_cast<std::uint64_t>(channel);
    return static_cast<int>(mix(key) % 3) - 1;
}

int tenths(double celsius) {
    return static_cast<int>(std::lround(celsius * 10.0));
}

ChannelTenths drifting(double t, std::uint32_t seed, std::int64_t second) {
    constexpr double kTwoPi = 2.0 * std::numbers::pi;
    const double values[kChannelCount] = {
        22.5 + 0.8 * std::sin(kTwoPi * t / 600.0),       // T1: room
        20.0 + 60.0 * (1.0 - std::exp(-t / 300.0)),      // T2: probe warming up
        30.0 + 0.6 * std::sin(kTwoPi * t / 240.0),       // IR: a warm surface
        21.5 + 0.3 * std::sin(kTwoPi * t / 900.0 + 1.0), // T3: room, other corner
        22.0 + 73.0 * std::exp(-t / 900.0),              // T4: hot water cooling down
    };
    ChannelTenths result{};
    for (int c = 0; c < kChannelCount; ++c)
        result[c] = tenths(values[c]) + noiseTenths(seed, second, c);
    return result;
}

} // namespace

ChannelModel::ChannelModel(ChannelProfile profile, std::uint32_t seed)
    : profile_(profile), seed_(seed) {}

ChannelTenths ChannelModel::at(std::int64_t elapsedMs) const {
    if (profile_ == ChannelProfile::Fixed)
        return {250, -200, 300, 0, 1000};
    const double t = static_cast<double>(elapsedMs) / 1000.0;
    ChannelTenths values = drifting(t, seed_, elapsedMs / 1000);
    if (profile_ == ChannelProfile::OpenThermocouple)
        values[kT3] = kOpenInputTenths;
    return values;
}

} // namespace calorant::sim
