#include "record/FileSave.h"

#include "record/CsvFile.h"
#include "record/GraphFile.h"
#include "record/SaveNaming.h"

#include <array>
#include <sstream>
#include <string>

namespace calorant {

namespace {

// A file is built in memory (at most a few megabytes) so that the disk sees one write
// and the temporary file never holds a half-formatted table.
template <typename Write> std::string formatted(Write write) {
    std::ostringstream bytes(std::ios::binary);
    write(bytes);
    return std::move(bytes).str();
}

template <typename Write> SaveResult saveOne(const std::filesystem::path& path, Write write) {
    return writeFileAtomically(path, formatted(write));
}

// Both files, or neither: the CSV is renamed into place only once the .graph file is
// complete too, and is put back should the .graph file still fail to take its place.
template <typename WriteCsv, typename WriteGraph>
SaveResult saveBoth(const std::filesystem::path& graphPath, WriteCsv writeCsv,
                    WriteGraph writeGraph) {
    const std::string csv = formatted(writeCsv);
    const std::string graph = formatted(writeGraph);
    const std::array<FileContent, 2> files{FileContent{companionCsvPath(graphPath), csv},
                                           FileContent{graphPath, graph}};
    return writeFilesAtomically(files);
}

} // namespace

SaveResult saveRecording(const std::filesystem::path& graphPath, const SampleStore& store,
                         TemperatureUnit unit, std::int32_t graphYGain, std::int32_t graphYOffset) {
    return saveBoth(
        graphPath, [&](std::ostream& out) { writeCsvFile(out, store, unit); },
        [&](std::ostream& out) { writeGraphFile(out, store, unit, graphYGain, graphYOffset); });
}

SaveResult saveRecordingGraph(const std::filesystem::path& graphPath, const SampleStore& store,
                              TemperatureUnit unit, std::int32_t graphYGain,
                              std::int32_t graphYOffset) {
    return saveOne(graphPath, [&](std::ostream& out) {
        writeGraphFile(out, store, unit, graphYGain, graphYOffset);
    });
}

SaveResult saveLoggerSet(const std::filesystem::path& graphPath, const LoggerSet& set,
                         std::int32_t loadedYGain, std::int32_t loadedYOffset) {
    LoggerSetBatch batch(loadedYGain, loadedYOffset);
    batch.add(graphPath, set);
    return batch.save();
}

LoggerSetBatch::LoggerSetBatch(std::int32_t loadedYGain, std::int32_t loadedYOffset)
    : yGain_(loadedYGain), yOffset_(loadedYOffset) {}

void LoggerSetBatch::add(const std::filesystem::path& graphPath, const LoggerSet& set) {
    targets_.push_back(companionCsvPath(graphPath));
    contents_.push_back(formatted([&](std::ostream& out) { writeCsvFile(out, set); }));
    targets_.push_back(graphPath);
    contents_.push_back(
        formatted([&](std::ostream& out) { writeGraphFile(out, set, yGain_, yOffset_); }));
}

SaveResult LoggerSetBatch::save() const {
    std::vector<FileContent> files;
    for (std::size_t i = 0; i < targets_.size(); ++i)
        files.push_back({targets_[i], contents_[i]});
    return writeFilesAtomically(files);
}

} // namespace calorant
