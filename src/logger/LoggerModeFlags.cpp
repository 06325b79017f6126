#include "logger/LoggerModeFlags.h"

#include "logger/LoggerFileTable.h"
#include "logger/LoggerStore.h"

namespace calorant {

void prepareLoggerDownload(LoggerModeFlags& flags) {
    flags.loggerFileMode = 0;
    flags.listDownloadedSets = 1;
}

void prepareLoggerFiles(LoggerModeFlags& flags, bool listLoadedFile) {
    flags.loggerFileMode = 1;
    flags.listDownloadedSets = 0;
    flags.shownFileRow = -1;
    if (!listLoadedFile)
        flags.appendLoadedFile = 0;
}

void closeLoggerWindow(LoggerModeFlags& flags, LoggerFileTable& table, LoggerStore& store) {
    table.lastFileRow = -1;
    flags.selectedSet = -1;
    flags.shownFileRow = -1;
    flags.fileSetLoaded = 0;
    flags.appendLoadedFile = 0;
    flags.loggerFileMode = 0;
    flags.listDownloadedSets = 0;
    flags.loggerWindowShown = 0;
    releaseStore(store);
}

} // namespace calorant
