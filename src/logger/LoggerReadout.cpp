#include "logger/LoggerReadout.h"

#include "core/CalendarTime.h"
#include "core/NumberFormat.h"
#include "core/PixelMath.h"
#include "core/TemperatureText.h"

#include <cstdint>

namespace calorant {

int cursorReadingAt(const LoggerLevel& level, int x, int shift) {
    const double origin = level.readingX(0);
    const double spacing = level.spacing();
    if (!(spacing > 0))
        return 0;
    int reading = toPixel((x - origin) / spacing - shift);
    const std::int64_t position = std::int64_t{reading} + shift;
    const double before = level.readingX(static_cast<double>(position));
    const double after = level.readingX(static_cast<double>(position + 1));
    if (after - x < x - before)
        ++reading;
    return reading;
}

std::string cursorValueText(float celsius, std::optional<TemperatureUnit> unit) {
    return temperatureText(celsius, unit, kLoggerReadoutStyle);
}

bool updateReadout(LoggerViewState& view, const LoggerSet& set) {
    const int reading = view.cursorReading;
    if (reading < 0 || reading >= storedReadingCount(set))
        return false;
    for (int c = 0; c < kChannelCount; ++c)
        view.cursorValueText[c] =
            cursorValueText(readingValue(set, reading, c), unitOfCode(set.unit));
    view.cursorTimeText = formatTime(readingTime(set, reading), "%H:%M:%S");
    return true;
}

} // namespace calorant
