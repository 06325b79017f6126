#pragma once

// The full logger set the logger benchmarks lay out and draw.
#include "logger/LoggerSet.h"

#include <cmath>

namespace calorant::bench {

// 13110 readings 2 s apart on all five channels: smooth curves inside 0..100 C with a
// little deterministic noise.
inline LoggerSet fullLoggerSet() {
    LoggerSet set;
    set.readingCount = kLoggerSetCapacity;
    set.sampleRate = 2;
    setStartFields(set, 1700000000);
    for (int r = 0; r < kLoggerSetCapacity; ++r)
        for (int c = 0; c < kChannelCount; ++c)
            set.values[std::size_t(r) * kChannelCount + c] = static_cast<float>(
                50 + 30 * std::sin(r * 0.003 + c) + ((r * 7919 + c * 31) % 13) * 0.4);
    return set;
}

} // namespace calorant::bench
