#pragma once

#include "logger/LoggerSet.h"
#include "record/AtomicFile.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace calorant {

class SampleStore;

// One save writes two files: the CSV companion (companionCsvPath) and the .graph file at
// graphPath. They replace their targets only once both are complete, and a save that
// fails changes neither: the result names the file that failed and why. The GUI and the
// command-line tool both save through these.

// The real-time recording, with the unit of the last live frame and the real-time
// graph's Y scale in force now.
SaveResult saveRecording(const std::filesystem::path& graphPath, const SampleStore& store,
                         TemperatureUnit unit, std::int32_t graphYGain, std::int32_t graphYOffset);

// The framework-style Save of the document: the real-time recording as a .graph file
// alone, with no CSV companion.
SaveResult saveRecordingGraph(const std::filesystem::path& graphPath, const SampleStore& store,
                              TemperatureUnit unit, std::int32_t graphYGain,
                              std::int32_t graphYOffset);

// A logger set, with the Y scale of the last .graph file read (loadedYGain and
// loadedYOffset, 100 and 0 until a file has been read).
SaveResult saveLoggerSet(const std::filesystem::path& graphPath, const LoggerSet& set,
                         std::int32_t loadedYGain, std::int32_t loadedYOffset);

// Several logger sets saved as one: each set's two files are made as saveLoggerSet
// makes them, and either every file replaces its target or, when one cannot, none does.
// A set is formatted when it is added, so one LoggerSet can carry each in turn.
class LoggerSetBatch {
public:
    LoggerSetBatch(std::int32_t loadedYGain, std::int32_t loadedYOffset);

    void add(const std::filesystem::path& graphPath, const LoggerSet& set);
    SaveResult save() const;

private:
    std::int32_t yGain_;
    std::int32_t yOffset_;
    std::vector<std::filesystem::path> targets_;
    std::vector<std::string> contents_;
};

} // namespace calorant
