#include "document/LoggerSetChoice.h"

#include <optional>

namespace calorant {

void refreshShownSet(const LoggerStore& store, const LoggerFileTable& table,
                     const LoggerModeFlags& flags, LoggerSet& set) {
    // A selected row the download does not hold leaves the set as it was.
    if (!flags.loggerFileMode && flags.selectedSet >= 0)
        (void)showDownloadedSet(store, flags.selectedSet, set);
    if (flags.loggerFileMode && flags.shownFileRow >= 0 && !flags.appendLoadedFile)
        (void)showFileRow(table, flags.shownFileRow, set);
}

bool pickListRow(int row, const LoggerFileTable& table, LoggerModeFlags& flags, LoggerSet& set,
                 LoggerViewState& view) {
    bool setChanged = false;
    if (flags.loggerFileMode) {
        if (const std::optional<FileRowScale> scale = showFileRow(table, row, set)) {
            flags.shownFileRow = row;
            view.yGain = scale->yGain;
            view.yOffset = scale->yOffset;
            setChanged = true;
        }
    } else {
        flags.selectedSet = row;
    }
    returnToOverview(view);
    return setChanged;
}

} // namespace calorant
