#pragma once

#include <cmath>

namespace calorant {

// Whole-pixel truncation that is defined for every double: values beyond any sensible
// pixel position (and NaN) are held at a far limit instead of overflowing an int.
inline int toPixel(double value) {
    constexpr double kLimit = 1 << 30;
    if (!(value > -kLimit))
        return -static_cast<int>(kLimit);
    if (!(value < kLimit))
        return static_cast<int>(kLimit);
    return static_cast<int>(value);
}

// Integer division rounding towards minus infinity.
inline int floorDiv(int numerator, int denominator) {
    const int quotient = numerator / denominator;
    return (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) ? quotient - 1
                                                                                  : quotient;
}

} // namespace calorant
