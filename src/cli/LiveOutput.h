#pragma once

#include "link/LiveFrame.h"
#include "link/MeterState.h"

#include <string>

namespace calorant::cli {

// One accepted live frame as calorant-cli live prints it, after the frame has
// been applied to the meter state. Numbers never depend on the user's locale.

// A JSON object on one line: arrivalTime (local "%Y-%m-%dT%H:%M:%S"), channel
// (the five values in degrees Celsius) and every display and statistics text of
// the meter state under its own name.
std::string liveFrameJson(const LiveFrame& frame, const MeterState& state);

// A readable line: time, the five channels in the meter's unit ("----" for no
// value), and what the meter's display shows.
std::string liveFrameLine(const LiveFrame& frame, const MeterState& state);

} // namespace calorant::cli
