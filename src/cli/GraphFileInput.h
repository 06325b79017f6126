#pragma once

#include "record/GraphFile.h"

#include <optional>
#include <string>
#include <string_view>

namespace calorant::cli {

// Reads a .graph file for a command, as the logger window's Open does: its readings and
// the scale stored beside them. On failure it prints the reason on stderr ("Invalid
// Format!" for a refused file) and returns nothing.
std::optional<GraphFileContents> loadGraphFile(std::string_view command, const std::string& path);

} // namespace calorant::cli
