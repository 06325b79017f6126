#pragma once

#include "link/LoggerStreamDecoder.h"
#include "logger/LoggerModeFlags.h"
#include "logger/LoggerSet.h"
#include "logger/LoggerStore.h"
#include "record/GraphFile.h"

namespace calorant {

// What the document does with the logger data that reaches it: a memory the link
// downloaded, a .graph file the reader read.

// Keeps every set of the memory in `store` and returns how many there are. A memory
// without any set leaves `store` as it was and returns 0.
int keepDownloadedMemory(LoggerStore& store, DecodedLoggerMemory memory);

// The file's set becomes the shown set, its Y scale flags.loadedYGain / loadedYOffset,
// and flags.fileSetLoaded and appendLoadedFile are raised so that the logger graph
// window lists it.
void keepGraphFile(const GraphFileContents& contents, LoggerSet& set, LoggerModeFlags& flags);

} // namespace calorant
