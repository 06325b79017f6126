#pragma once

#include "logger/LoggerSet.h"

#include <array>
#include <string>

namespace calorant {

// Columns of the Data List: No., Date, Time, then T1, T2, IR, T3, T4.
inline constexpr int kDataListColumns = 8;
using DataListRow = std::array<std::string, kDataListColumns>;

// The eight cell texts of reading `row` of the shown set, computed on demand (the list
// stores nothing). Values are shown in the set's unit, "- - - -" for no reading, and
// empty for a unit code the programme does not know. A row outside the set gives eight
// empty texts.
DataListRow dataListRow(const LoggerSet& set, int row);

} // namespace calorant
