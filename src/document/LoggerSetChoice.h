#pragma once

#include "logger/LoggerFileTable.h"
#include "logger/LoggerModeFlags.h"
#include "logger/LoggerSet.h"
#include "logger/LoggerStore.h"
#include "logger/LoggerViewState.h"

namespace calorant {

// Which set the logger graph window shows: the row picked in its file list, copied in
// from the download or the file table.

// The shown set copied into `set`, as every paint of the logger graph window does: in
// download mode the selected set of `store`, in file mode the shown row of `table`
// (without its Y scale, which the user may have changed since). A file read but not
// listed yet stays in `set` until its row has been added; with nothing shown nothing
// changes.
void refreshShownSet(const LoggerStore& store, const LoggerFileTable& table,
                     const LoggerModeFlags& flags, LoggerSet& set);

// A double-click on row `row` of the window's file list (-1: none selected): in file
// mode a filled row becomes `set` with its file's Y scale, in download mode the row's
// set is selected. Either way the view returns to the overview. True when `set` now
// holds another set.
bool pickListRow(int row, const LoggerFileTable& table, LoggerModeFlags& flags, LoggerSet& set,
                 LoggerViewState& view);

} // namespace calorant
