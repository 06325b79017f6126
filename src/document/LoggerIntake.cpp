#include "document/LoggerIntake.h"

#include <utility>

namespace calorant {

int keepDownloadedMemory(LoggerStore& store, DecodedLoggerMemory memory) {
    const int setCount = memory.setCount();
    if (setCount == 0)
        return 0;
    store.setCount = static_cast<std::int32_t>(setCount);
    store.readings = std::move(memory.readings);
    store.setFirstReading = std::move(memory.setFirstReading);
    store.setStartTime = std::move(memory.setStartTime);
    store.setSampleRate = std::move(memory.setSampleRate);
    store.loggerUnit = memory.loggerUnit;
    store.downloadStoreReady = 1;
    return setCount;
}

void keepGraphFile(const GraphFileContents& contents, LoggerSet& set, LoggerModeFlags& flags) {
    set = contents.set;
    flags.loadedYGain = contents.yGain;
    flags.loadedYOffset = contents.yOffset;
    flags.fileSetLoaded = 1;
    flags.appendLoadedFile = 1;
}

} // namespace calorant
