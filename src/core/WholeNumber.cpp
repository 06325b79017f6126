#include "core/WholeNumber.h"

#include <charconv>
#include <system_error>

namespace calorant {

std::optional<std::int64_t> parseWholeNumber(std::string_view text, std::int64_t lowest,
                                             std::int64_t highest) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

} // namespace calorant
