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
    return saveBoth(
        graphPath, [&](std::ostream& out) { writeCsvFile(out, set); },
        [&](std::ostream& out) { writeGraphFile(out, set, loadedYGain, loadedYOffset); });
}

} // namespace calorant
