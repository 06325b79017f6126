#pragma once

#include "link/MeterCommands.h"

#include <functional>

namespace calorant {

// Where the panel's keys deliver their commands. The main window connects it to the
// one operation that writes a command to the meter; the keys never touch a port.
using MeterCommandSink = std::function<void(const MeterCommand& command)>;

} // namespace calorant
