#pragma once

#include "sim/MeterSession.h"

#include <cstdint>
#include <string>
#include <vector>

namespace calorant::sim {

// The command line of calorant-meter-sim.
struct SimOptions {
    SessionConfig session;
    std::string linkPath;            // empty: no symlink
    std::int64_t unplugAfterMs = -1; // -1: only on SIGUSR1 or by the logger scenario
    std::int64_t replugAfterMs = 2000;
    std::int64_t parentPid = 0; // 0: lives on whatever becomes of whoever started it
    bool help = false;
};

struct SimOptionsResult {
    SimOptions options;
    std::string error; // empty on success
};

// Parses the arguments after the programme name.
SimOptionsResult parseSimOptions(const std::vector<std::string>& args);

// The text --help prints.
std::string simUsage();

} // namespace calorant::sim
