// Arbitrary bytes as a .graph file, opened as the document opens one after a good file
// is already shown. A refused file must leave the shown set and the logger flags as the
// good file left them; an accepted one must hold a count within the set's capacity,
// come from a file long enough for it, be written back by the logger writer as exactly
// the bytes it was read from, and give every text the programme makes of an opened set
// (the file list row, the data list, the CSV companion).
#include "FuzzCheck.h"
#include "FuzzUtcStartTimes.h"
#include "document/LoggerIntake.h"
#include "logger/DataListRow.h"
#include "logger/LoggerFileListRow.h"
#include "logger/LoggerFileTable.h"
#include "logger/LoggerModeFlags.h"
#include "logger/LoggerSet.h"
#include "record/CsvFile.h"
#include "record/GraphFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sstream>
#include <string>
#include <string_view>

using namespace calorant;

namespace {

GraphReadResult readBytes(std::string_view bytes) {
    std::istringstream in{std::string(bytes), std::ios::binary};
    return readGraphFile(in);
}

std::string writtenBytes(const GraphFileContents& contents) {
    std::ostringstream out(std::ios::binary);
    writeGraphFile(out, contents.set, contents.yGain, contents.yOffset);
    return out.str();
}

// The file shown before every input: three readings, unit F, a Y scale of its own.
const GraphFileContents& goodFile() {
    static const GraphFileContents contents = [] {
        GraphFileContents good;
        good.set.readingCount = 3;
        for (std::size_t i = 0; i < 15; ++i)
            good.set.values[i] = 20.0f + static_cast<float>(i);
        good.set.unit = 1;
        good.set.startYear = 2026;
        good.set.startMonth = 12;
        good.set.startDay = 7;
        good.set.startHour = 14;
        good.set.startMinute = 5;
        good.set.startSecond = 9;
        rebuildStartTime(good.set);
        good.set.sampleRate = 2;
        good.yGain = 5;
        good.yOffset = -2;
        GraphReadResult read = readBytes(writtenBytes(good));
        FUZZ_CHECK(read.loaded());
        return *read.contents;
    }();
    return contents;
}

bool sameSet(const LoggerSet& a, const LoggerSet& b) {
    return a.readingCount == b.readingCount && a.unit == b.unit && a.startTime == b.startTime &&
           a.sampleRate == b.sampleRate && a.startYear == b.startYear &&
           a.startMonth == b.startMonth && a.startDay == b.startDay && a.startHour == b.startHour &&
           a.startMinute == b.startMinute && a.startSecond == b.startSecond &&
           std::memcmp(a.values.data(), b.values.data(),
                       static_cast<std::size_t>(storedReadingCount(a)) * 5 * sizeof(float)) == 0;
}

void checkAccepted(std::string_view input, GraphFileContents& contents) {
    LoggerSet& set = contents.set;
    FUZZ_CHECK(set.readingCount >= 0 && set.readingCount <= kLoggerSetCapacity);
    FUZZ_CHECK(set.values.size() == std::size_t(kLoggerSetValueCapacity));
    const std::size_t length = 49 + 20 * static_cast<std::size_t>(set.readingCount);
    FUZZ_CHECK(input.size() >= length);
    FUZZ_CHECK(writtenBytes(contents) == input.substr(0, length));

    // What the logger window and the CSV companion make of an opened set.
    static LoggerFileTable table;
    const AddedFileRow added = addFileRow(table, set, contents.yGain, contents.yOffset);
    FUZZ_CHECK(added.row >= 0 && added.row < kLoggerFileRows);
    FUZZ_CHECK(fileTableRow(table, added.row)[4] == std::to_string(set.readingCount));
    for (int row : {0, set.readingCount - 1, set.readingCount})
        (void)dataListRow(set, row);
    std::ostringstream csv(std::ios::binary);
    writeCsvFile(csv, set);
    FUZZ_CHECK(!csv.str().empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The good file is shown again only after an input replaced it: a set is large.
    static LoggerSet shown;
    static LoggerModeFlags flags;
    static bool showsGoodFile = false;
    if (!showsGoodFile) {
        keepGraphFile(goodFile(), shown, flags);
        flags.fileSetLoaded = 0;
        flags.appendLoadedFile = 0;
        showsGoodFile = true;
    }

    GraphReadResult result = readBytes(input);
    if (!result.loaded()) {
        FUZZ_CHECK(result.message == kInvalidFormatMessage);
        FUZZ_CHECK(sameSet(shown, goodFile().set));
        FUZZ_CHECK(flags.loadedYGain == goodFile().yGain &&
                   flags.loadedYOffset == goodFile().yOffset && !flags.fileSetLoaded &&
                   !flags.appendLoadedFile);
        return 0;
    }
    checkAccepted(input, *result.contents);
    keepGraphFile(*result.contents, shown, flags);
    showsGoodFile = false;
    FUZZ_CHECK(sameSet(shown, result.contents->set) && flags.fileSetLoaded &&
               flags.appendLoadedFile);
    return 0;
}
