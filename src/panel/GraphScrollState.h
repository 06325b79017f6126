#pragma once

namespace calorant {

// How far a zoomed graph is scrolled back from its newest end. The graph painter sets
// scrollMax (the first visible sample); the scroll strip changes the rest.
struct GraphScrollState {
    int scrollOffset = 0;
    int scrollMax = 0;
    bool userScrolled = false;
};

} // namespace calorant
