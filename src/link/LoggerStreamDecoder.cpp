#include "link/LoggerStreamDecoder.h"

#include "link/CalendarTime.h"
#include "link/LoggerDownload.h"
#include "link/Temperature.h"
#include "logger/LoggerStore.h"

#include <vector>

namespace calorant {

namespace {

constexpr int kStartYearBase = 2007;

unsigned word(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return unsigned{bytes[offset]} * 256u + bytes[offset + 1];
}

// Signed 16-bit tenths, scaled by the float 0.1 as the live frames are.
float tenths(std::span<const std::uint8_t> bytes, std::size_t offset) {
    const unsigned raw = word(bytes, offset);
    const int count = raw >= 0x8000u ? -static_cast<int>(0x10000u - raw) : static_cast<int>(raw);
    return static_cast<float>(count) * 0.1f;
}

std::vector<std::size_t> findSetHeaders(std::span<const std::uint8_t> stream) {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i + kSetHeaderSize <= stream.size(); ++i) {
        if (stream[i] == kSetHeader1 && stream[i + 1] == kSetHeader2)
            positions.push_back(i);
    }
    return positions;
}

std::time_t setStart(std::span<const std::uint8_t> header) {
    return makeLocalTime(header[10] + kStartYearBase, header[8], header[7], header[6], header[5],
                         header[4]);
}

void appendRecord(std::span<const std::uint8_t> stream, std::size_t start,
                  std::vector<float>& readings) {
    for (int c = 0; c < kChannelCount; ++c)
        readings.push_back(tenths(stream, start + 2 * static_cast<std::size_t>(c)));
}

} // namespace

int decodeLoggerStream(std::span<const std::uint8_t> stream, std::uint8_t loggerUnit,
                       LoggerStore& store) {
    const std::vector<std::size_t> positions = findSetHeaders(stream);
    if (positions.empty())
        return 0;
    const std::size_t setCount = positions.size();

    std::vector<float> readings;
    readings.reserve(stream.size() / kLoggerRecordSize * kChannelCount);
    std::vector<std::int32_t> firstReading(setCount + 1, 0);
    std::vector<std::time_t> startTime(setCount);
    std::vector<std::int32_t> sampleRate(setCount);

    std::int32_t readingIndex = 0;
    for (std::size_t k = 0; k < setCount; ++k) {
        const std::size_t position = positions[k];
        const auto header = stream.subspan(position, kSetHeaderSize);
        sampleRate[k] = static_cast<std::int32_t>(word(header, 2));
        startTime[k] = setStart(header);
        firstReading[k] = readingIndex;
        // A record of the last set must start before the closing bytes; any other must
        // end at or before the next header.
        const bool last = k + 1 == setCount;
        const std::size_t end = last ? stream.size() - kStreamAllowance : positions[k + 1];
        for (std::size_t start = position + kSetHeaderSize;
             last ? start < end : start + kLoggerRecordSize <= end; start += kLoggerRecordSize) {
            appendRecord(stream, start, readings);
            ++readingIndex;
        }
    }
    firstReading[setCount] = readingIndex;

    store.setCount = static_cast<std::int32_t>(setCount);
    store.readings = std::move(readings);
    store.setFirstReading = std::move(firstReading);
    store.setStartTime = std::move(startTime);
    store.setSampleRate = std::move(sampleRate);
    store.loggerUnit = loggerUnit;
    store.downloadStoreReady = 1;
    return static_cast<int>(setCount);
}

} // namespace calorant
