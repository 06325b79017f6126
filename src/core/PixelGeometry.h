#pragma once

namespace calorant {

// Integer pixel positions. Everything a graph painter receives is in whole pixels,
// already truncated the way the picture needs them.
struct GraphPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const GraphPoint&, const GraphPoint&) = default;
};

struct GraphRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    friend bool operator==(const GraphRect&, const GraphRect&) = default;
};

} // namespace calorant
