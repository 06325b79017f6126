#include "logger/LoggerStore.h"

#include <algorithm>

namespace calorant {

namespace {

bool setIsWithinStore(const LoggerStore& store, int setIndex) {
    if (setIndex < 0 || setIndex >= store.setCount)
        return false;
    const auto index = static_cast<std::size_t>(setIndex);
    if (index + 1 >= store.setFirstReading.size() || index >= store.setStartTime.size() ||
        index >= store.setSampleRate.size())
        return false;
    const std::int32_t first = store.setFirstReading[index];
    const std::int32_t end = store.setFirstReading[index + 1];
    const auto storedReadings = static_cast<std::int64_t>(store.readings.size() / kChannelCount);
    return first >= 0 && first <= end && end <= storedReadings;
}

} // namespace

bool showDownloadedSet(const LoggerStore& store, int setIndex, LoggerSet& set) {
    if (!setIsWithinStore(store, setIndex))
        return false;
    const auto index = static_cast<std::size_t>(setIndex);
    const std::int32_t first = store.setFirstReading[index];
    const std::int32_t count =
        std::min(store.setFirstReading[index + 1] - first,
                 static_cast<std::int32_t>(set.values.size() / kChannelCount));
    const auto begin = store.readings.begin() + static_cast<std::ptrdiff_t>(first) * kChannelCount;
    std::copy(begin, begin + static_cast<std::ptrdiff_t>(count) * kChannelCount,
              set.values.begin());
    set.readingCount = count;
    set.unit = store.loggerUnit;
    setStartFields(set, store.setStartTime[index]);
    set.sampleRate = store.setSampleRate[index];
    return true;
}

void releaseStore(LoggerStore& store) {
    if (!store.downloadStoreReady)
        return;
    // Swapping with empty vectors gives the memory back, which clear() need not do.
    std::vector<float>().swap(store.readings);
    std::vector<std::int32_t>().swap(store.setFirstReading);
    std::vector<std::time_t>().swap(store.setStartTime);
    std::vector<std::int32_t>().swap(store.setSampleRate);
    store.setCount = 0;
    store.downloadStoreReady = 0;
}

} // namespace calorant
