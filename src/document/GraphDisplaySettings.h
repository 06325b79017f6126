#pragma once

#include "core/Temperature.h"

#include <array>

namespace calorant {

// What the real-time graph shows, set by the control bar and read by the graph when it
// paints. The document owns it; the gain and offset come from the settings file.
struct GraphDisplaySettings {
    std::array<bool, kChannelCount> graphChannelVisible{true, true, true, true, true};
    int graphYGain = 10;
    int graphYOffset = 0;
};

} // namespace calorant
