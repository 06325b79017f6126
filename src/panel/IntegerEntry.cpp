#include "panel/IntegerEntry.h"

#include <limits>

namespace calorant {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Magnitude of a run of decimal digits, or nothing when it is not one or exceeds limit.
std::optional<std::uint64_t> digitsValue(std::string_view digits, std::uint64_t limit) {
    if (digits.empty())
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : digits) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + std::uint64_t(c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::int32_t> parseIntegerEntry(std::string_view text) {
    text = trimmed(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    const std::uint64_t limit = negative
                                    ? std::uint64_t(std::numeric_limits<std::int32_t>::max()) + 1
                                    : std::uint64_t(std::numeric_limits<std::int32_t>::max());
    const auto magnitude = digitsValue(text, limit);
    if (!magnitude)
        return std::nullopt;
    return std::int32_t(negative ? -std::int64_t(*magnitude) : std::int64_t(*magnitude));
}

std::optional<std::uint32_t> parseUnsignedEntry(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto value = digitsValue(text, std::numeric_limits<std::uint32_t>::max());
    if (!value)
        return std::nullopt;
    return std::uint32_t(*value);
}

} // namespace calorant
