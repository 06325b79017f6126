#pragma once

#include <ctime>
#include <span>
#include <string>
#include <vector>

namespace calorant {

// File names (without extension) for saving every downloaded set at once: each set is
// named after its start, "%m-%d-%y %H.%M.%S", as a single save would propose. Sets that
// start in the same second get " (2)", " (3)", ... so that none overwrites another.
std::vector<std::string> downloadedSetFileStems(std::span<const std::time_t> setStarts);

} // namespace calorant
