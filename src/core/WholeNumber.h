#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace calorant {

// A decimal whole number from a command-line argument: the whole text must be the
// number (an optional minus sign and digits, no spaces, no plus sign) and lie within
// lowest..highest inclusive. Independent of the locale.
std::optional<std::int64_t> parseWholeNumber(std::string_view text, std::int64_t lowest,
                                             std::int64_t highest);

} // namespace calorant
