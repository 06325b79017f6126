#include "record/CsvFile.h"

#include "core/CalendarTime.h"
#include "core/NumberFormat.h"
#include "core/TemperatureText.h"
#include "record/SampleStore.h"

#include <ostream>
#include <span>
#include <string_view>

namespace calorant {

namespace {

constexpr std::string_view kHeader = "No\tT1\tT2\tIR\tT3\tT4\tUnit\tTime";

// Every character the writers produce is ASCII, so widening is one zero byte after
// each character.
class Utf16Writer {
public:
    explicit Utf16Writer(std::ostream& out) : out_(out) {
        const char byteOrderMark[] = {'\xFF', '\xFE'};
        out_.write(byteOrderMark, sizeof byteOrderMark);
    }

    void line(std::string_view text) {
        wide_.clear();
        for (char c : text) {
            wide_.push_back(c);
            wide_.push_back('\0');
        }
        wide_.append("\r\0\n\0", 4);
        out_.write(wide_.data(), static_cast<std::streamsize>(wide_.size()));
    }

private:
    std::ostream& out_;
    std::string wide_;
};

} // namespace

std::string csvRowText(int number, const Channels& celsius, TemperatureUnit unit,
                       std::time_t time) {
    std::string row = formatInt(number);
    for (float value : celsius) {
        row += '\t';
        row += temperatureText(value, unit, kCsvValueStyle);
    }
    row += '\t';
    row += unitLetter(unit);
    row += '\t';
    row += formatTime(time, " %m/%d/%y %H:%M:%S");
    return row;
}

void writeCsvFile(std::ostream& out, const SampleStore& store, TemperatureUnit unit) {
    Utf16Writer writer(out);
    writer.line(kHeader);
    const ChannelSampleArrays& samples = store.channelSamples();
    const std::span<const std::int32_t> fresh = store.freshSampleIndexes();
    for (std::size_t k = 0; k < fresh.size(); ++k) {
        const std::int32_t sample = fresh[k];
        // The store only records indexes of its own slots; check anyway rather than
        // read outside the arrays.
        if (sample < 0 || sample >= kSampleCapacity)
            continue;
        Channels values{};
        for (std::size_t c = 0; c < values.size(); ++c)
            values[c] = samples[c][static_cast<std::size_t>(sample)];
        writer.line(csvRowText(static_cast<int>(k) + 1, values, unit, store.sampleTime(sample)));
    }
}

void writeCsvFile(std::ostream& out, const LoggerSet& set) {
    Utf16Writer writer(out);
    writer.line(kHeader);
    const std::time_t start = makeLocalTime(set.startYear, set.startMonth, set.startDay,
                                            set.startHour, set.startMinute, set.startSecond);
    const int count = storedReadingCount(set);
    for (int reading = 0; reading < count; ++reading) {
        Channels values{};
        for (int c = 0; c < kChannelCount; ++c)
            values[static_cast<std::size_t>(c)] = readingValue(set, reading, c);
        const std::time_t time = start + static_cast<std::time_t>(reading) * set.sampleRate;
        // A unit code outside 0..2 leaves the values in Celsius, and they are labelled so.
        writer.line(csvRowText(reading + 1, values, unitOrCelsius(set.unit), time));
    }
}

} // namespace calorant
