#pragma once

#include "logger/LoggerModeFlags.h"
#include "logger/LoggerSet.h"

#include <optional>
#include <string>
#include <string_view>

namespace calorant::cli {

// A .graph file as a command reads it: the readings and the scale stored beside them.
struct GraphInput {
    LoggerSet set;
    LoggerModeFlags flags;
};

// Reads a .graph file for a command, as the logger window's Open does. On failure it
// prints the reason on stderr ("Invalid Format!" for a refused file) and returns nothing.
std::optional<GraphInput> loadGraphFile(std::string_view command, const std::string& path);

} // namespace calorant::cli
