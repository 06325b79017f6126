#include "link/LoggerStreamDecoder.h"

#include "core/CalendarTime.h"
#include "core/Temperature.h"
#include "link/LoggerDownload.h"
#include "link/TenthsField.h"

#include <vector>

namespace calorant {

namespace {

constexpr int kStartYearBase = 2007;

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
        readings.push_back(signedTenths(stream, start + 2 * static_cast<std::size_t>(c)));
}

} // namespace

DecodedLoggerMemory decodeLoggerStream(std::span<const std::uint8_t> stream,
                                       std::uint8_t loggerUnit) {
    DecodedLoggerMemory memory;
    memory.loggerUnit = loggerUnit;
    const std::vector<std::size_t> positions = findSetHeaders(stream);
    if (positions.empty())
        return memory;
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
        sampleRate[k] = static_cast<std::int32_t>(bigEndianWord(header, 2));
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

    memory.readings = std::move(readings);
    memory.setFirstReading = std::move(firstReading);
    memory.setStartTime = std::move(startTime);
    memory.setSampleRate = std::move(sampleRate);
    return memory;
}

} // namespace calorant
