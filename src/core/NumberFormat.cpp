#include "core/NumberFormat.h"

#include <array>
#include <charconv>
#include <cmath>

namespace calorant {

std::string formatFixed(double value, int decimals) {
    if (std::isnan(value))
        return value < 0 ? "-nan" : "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    std::array<char, 400> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

std::string formatInt(long long value) {
    std::array<char, 24> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

} // namespace calorant
