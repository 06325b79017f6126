#include "core/CalendarTime.h"

#include <array>
#include <climits>

namespace calorant {

std::tm localCalendar(std::time_t time) {
    std::tm fields{};
#ifdef _WIN32
    localtime_s(&fields, &time);
#else
    localtime_r(&time, &fields);
#endif
    return fields;
}

std::time_t makeLocalTime(int year, int month, int day, int hour, int minute, int second) {
    // The fields may come from a file and hold any value; a year or month beyond what the
    // broken-down form can count from names no time.
    if (year < INT_MIN + 1900 || month < INT_MIN + 1)
        return -1;
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    return std::mktime(&fields);
}

std::string formatTime(std::time_t time, const char* pattern) {
    const std::tm fields = localCalendar(time);
    std::array<char, 128> buffer{};
    const std::size_t length = std::strftime(buffer.data(), buffer.size(), pattern, &fields);
    return std::string(buffer.data(), length);
}

} // namespace calorant
