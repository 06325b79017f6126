#pragma once

#include <ctime>
#include <string>

namespace calorant {

// Calendar times are local wall-clock times with one-second resolution. The core
// never reads the clock: callers pass the time in, so everything stays testable.

// Thread-safe localtime on every platform.
std::tm localCalendar(std::time_t time);

// mktime of local broken-down fields with daylight saving decided by the system
// (tm_isdst = -1). Returns -1 when the fields do not name a representable time.
std::time_t makeLocalTime(int year, int month, int day, int hour, int minute, int second);

// strftime into a std::string. Only numeric conversions are used by the programme,
// so the result does not depend on the user's locale.
std::string formatTime(std::time_t time, const char* pattern);

} // namespace calorant
