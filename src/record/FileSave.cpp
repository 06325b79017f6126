#include "record/FileSave.h"

#include "record/CsvFile.h"
#include "record/GraphFile.h"
#include "record/SaveNaming.h"

#include <sstream>

namespace calorant {

namespace {

// Both files are built in memory (at most a few megabytes) so that the disk sees one
// write per file and the temporary file never holds a half-formatted table.
template <typename WriteCsv, typename WriteGraph>
SaveResult saveBoth(const std::filesystem::path& graphPath, WriteCsv writeCsv,
                    WriteGraph writeGraph) {
    std::ostringstream csv(std::ios::binary);
    writeCsv(csv);
    if (SaveResult result = writeFileAtomically(companionCsvPath(graphPath), csv.view());
        !result.saved)
        return result;
    std::ostringstream graph(std::ios::binary);
    writeGraph(graph);
    return writeFileAtomically(graphPath, graph.view());
}

} // namespace

SaveResult saveRecording(const std::filesystem::path& graphPath, const SampleStore& store,
                         std::uint8_t unitCode, std::int32_t graphYGain,
                         std::int32_t graphYOffset) {
    return saveBoth(
        graphPath, [&](std::ostream& out) { writeCsvFile(out, store, unitCode); },
        [&](std::ostream& out) { writeGraphFile(out, store, unitCode, graphYGain, graphYOffset); });
}

SaveResult saveLoggerSet(const std::filesystem::path& graphPath, const LoggerSet& set,
                         std::int32_t loadedYGain, std::int32_t loadedYOffset) {
    return saveBoth(
        graphPath, [&](std::ostream& out) { writeCsvFile(out, set); },
        [&](std::ostream& out) { writeGraphFile(out, set, loadedYGain, loadedYOffset); });
}

} // namespace calorant
