#pragma once

#include "core/Temperature.h"
#include "panel/YAxisScale.h"

#include <array>

namespace calorant {

// What the real-time graph shows, set by the control bar and read by the graph when it
// paints. The view owns it; the gain and offset come from the settings file.
struct GraphDisplaySettings {
    std::array<bool, kChannelCount> graphChannelVisible{true, true, true, true, true};
    int graphYGain = 10;
    int graphYOffset = 0;
};

// How far a zoomed graph is scrolled back from its newest end. The graph painter sets
// scrollMax (the first visible sample); the scroll strip changes the rest.
struct GraphScrollState {
    int scrollOffset = 0;
    int scrollMax = 0;
    bool userScrolled = false;
};

} // namespace calorant
