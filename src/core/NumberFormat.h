#pragma once

#include <string>

namespace calorant {

// printf("%.Nf") without the user's locale: a Qt application calls
// setlocale(LC_ALL, ""), after which printf would write 25,3 on a German desktop.
// Rounding is the same as printf's (correct rounding of the binary value).
std::string formatFixed(double value, int decimals);

// printf("%d") without locale influence.
std::string formatInt(long long value);

} // namespace calorant
