#pragma once

#include "logger/LoggerModeFlags.h"
#include "logger/LoggerSet.h"

#include <string>
#include <string_view>

namespace calorant::cli {

// Reads a .graph file for a command, as the logger window's Open does. On failure it
// prints the reason on stderr ("Invalid Format!" for a refused file) and returns false.
bool loadGraphFile(std::string_view command, const std::string& path, LoggerSet& set,
                   LoggerModeFlags& flags);

} // namespace calorant::cli
