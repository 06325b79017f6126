#pragma once

#include "FuzzCheck.h"
#include "document/LoggerIntake.h"
#include "link/LoggerStreamDecoder.h"
#include "logger/LoggerSet.h"
#include "logger/LoggerStore.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace calorant::fuzz {

// What a logger memory must decode to, worked out here from the byte layout alone so
// that the decoder is held to the layout rather than to itself: a set header is 0xAA
// 0x56 with its 11 bytes inside the stream; a set's 10-byte records follow its header
// and end at or before the next header; the last set's records start before the 10
// closing bytes; a record is five signed 16-bit big-endian tenths.
class LoggerLayout {
public:
    explicit LoggerLayout(std::span<const std::uint8_t> stream) : stream_(stream) {
        for (std::size_t i = 0; i + 11 <= stream.size(); ++i) {
            if (stream[i] == 0xAA && stream[i + 1] == 0x56)
                headers_.push_back(i);
        }
    }

    std::size_t setCount() const { return headers_.size(); }

    std::size_t recordCount(std::size_t set) const {
        const std::size_t begin = headers_[set] + 11;
        if (set + 1 < headers_.size())
            return headers_[set + 1] >= begin ? (headers_[set + 1] - begin) / 10 : 0;
        const std::size_t limit = stream_.size() - 10;
        return limit > begin ? (limit - begin + 9) / 10 : 0;
    }

    unsigned sampleRate(std::size_t set) const {
        return unsigned{stream_[headers_[set] + 2]} << 8 | stream_[headers_[set] + 3];
    }

    float value(std::size_t set, std::size_t record, int channel) const {
        const std::size_t at = headers_[set] + 11 + 10 * record + 2 * std::size_t(channel);
        const auto tenths = static_cast<std::int16_t>(stream_[at] << 8 | stream_[at + 1]);
        return static_cast<float>(tenths) * 0.1f;
    }

private:
    std::span<const std::uint8_t> stream_;
    std::vector<std::size_t> headers_;
};

// The memory decoded from `stream` holds exactly the sets, records and values of the
// layout, with tables that agree with each other and no reading the stream cannot hold.
inline void checkDecodedMemory(const DecodedLoggerMemory& memory,
                               std::span<const std::uint8_t> stream) {
    const LoggerLayout layout(stream);
    const std::size_t sets = layout.setCount();
    FUZZ_CHECK(static_cast<std::size_t>(memory.setCount()) == sets);
    if (sets == 0) {
        FUZZ_CHECK(memory.readings.empty() && memory.setFirstReading.empty() &&
                   memory.setSampleRate.empty());
        return;
    }
    FUZZ_CHECK(memory.setFirstReading.size() == sets + 1 && memory.setSampleRate.size() == sets);
    FUZZ_CHECK(memory.setFirstReading[0] == 0);
    FUZZ_CHECK(memory.readings.size() == std::size_t(memory.setFirstReading[sets]) * 5);
    FUZZ_CHECK(memory.readings.size() / 5 * 10 <= stream.size());
    for (std::size_t set = 0; set < sets; ++set) {
        const std::int32_t first = memory.setFirstReading[set];
        FUZZ_CHECK(std::size_t(memory.setFirstReading[set + 1] - first) == layout.recordCount(set));
        FUZZ_CHECK(unsigned(memory.setSampleRate[set]) == layout.sampleRate(set));
        for (std::size_t record = 0; record < layout.recordCount(set); ++record) {
            for (int channel = 0; channel < 5; ++channel) {
                const std::size_t index = (std::size_t(first) + record) * 5 + std::size_t(channel);
                FUZZ_CHECK(memory.readings[index] == layout.value(set, record, channel));
            }
        }
    }
}

// Kept in the store as a finished download is kept, every set can be shown, within the
// shown set's capacity, and no index beyond them can.
inline void checkStoredSets(DecodedLoggerMemory memory, LoggerSet& shown) {
    const int sets = memory.setCount();
    const std::vector<std::int32_t> firsts = memory.setFirstReading;
    LoggerStore store;
    FUZZ_CHECK(keepDownloadedMemory(store, std::move(memory)) == sets);
    for (int set = 0; set < sets; ++set) {
        FUZZ_CHECK(showDownloadedSet(store, set, shown));
        const std::size_t at = static_cast<std::size_t>(set);
        FUZZ_CHECK(shown.readingCount == std::min(firsts[at + 1] - firsts[at], kLoggerSetCapacity));
        FUZZ_CHECK(shown.unit == store.loggerUnit && shown.sampleRate == store.setSampleRate[at]);
    }
    FUZZ_CHECK(!showDownloadedSet(store, sets, shown) && !showDownloadedSet(store, -1, shown));
}

} // namespace calorant::fuzz
