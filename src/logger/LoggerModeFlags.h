#pragma once

#include <cstdint>

namespace calorant {

struct LoggerFileTable;
struct LoggerStore;

// How the logger graph window was opened and what it must do at its next paint. Held
// by the document because the main window's commands set these before the logger
// window exists.
struct LoggerModeFlags {
    std::int32_t loggerFileMode = 0;     // 1: the window lists opened files, not downloaded sets
    std::uint8_t loggerWindowShown = 0;  // the one logger window exists
    std::int32_t selectedSet = -1;       // downloaded set shown, -1 none
    std::int32_t shownFileRow = -1;      // file table row shown, -1 none
    std::uint8_t listDownloadedSets = 0; // fill the list from the download once
    std::uint8_t fileSetLoaded = 0;      // the shown set came from a file
    std::uint8_t appendLoadedFile = 0;   // list the just-loaded set as a new row
    // Y gain and offset of the last .graph file read; the logger's Save stores these.
    std::int32_t loadedYGain = 100;
    std::int32_t loadedYOffset = 0;
};

// The logger graph window has a set to plot: in download mode a selected downloaded
// set, in file mode a file whose row was double-clicked. (A file loaded into the
// document before a download is not one of the downloaded sets, whose list rows are the
// set indices; a file just opened is listed, and shown only once its row is picked.)
inline bool loggerSetShown(const LoggerModeFlags& flags) {
    return flags.loggerFileMode ? flags.shownFileRow >= 0 : flags.selectedSet >= 0;
}

// The Data Logger command: the window to come lists the download's sets, once.
void prepareLoggerDownload(LoggerModeFlags& flags);

// The window to come lists the files opened in it. Its list starts empty, or, with
// `listLoadedFile`, with the file the document has just read (which is not shown until
// its row is picked).
void prepareLoggerFiles(LoggerModeFlags& flags, bool listLoadedFile);

// The logger graph window closed: flags back to rest, the file rows abandoned (the
// next file goes to row 0) and the download released. The shown set and the last
// loaded Y scale stay.
void closeLoggerWindow(LoggerModeFlags& flags, LoggerFileTable& table, LoggerStore& store);

} // namespace calorant
