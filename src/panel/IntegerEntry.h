#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace calorant {

// Whole numbers typed into a dialog field: blanks and tabs around the number are
// allowed, a sign in front (unsigned: '+' only), nothing else. A number too large
// for its type is refused rather than clipped, so the user never gets a value other
// than the one typed.
std::optional<std::int32_t> parseIntegerEntry(std::string_view text);
std::optional<std::uint32_t> parseUnsignedEntry(std::string_view text);

} // namespace calorant
