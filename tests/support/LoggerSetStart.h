#pragma once

#include "logger/LoggerSet.h"

namespace calorant::test {

// The six start fields of a set as a .graph file stores them; startTime is left alone.
inline void fillStartFields(LoggerSet& set, int year, int month, int day, int hour, int minute,
                            int second) {
    set.startYear = year;
    set.startMonth = month;
    set.startDay = day;
    set.startHour = hour;
    set.startMinute = minute;
    set.startSecond = second;
}

} // namespace calorant::test
