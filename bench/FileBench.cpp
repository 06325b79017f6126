// Writing and reading the largest .graph file (13110 readings), writing a 10000-row
// CSV table, and a whole logger save (both files, through temporary files) to disk.
#include "record/CsvFile.h"
#include "record/FileSave.h"
#include "record/GraphFile.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <sstream>

namespace calorant {
namespace {

LoggerSet setOf(int readings) {
    LoggerSet set;
    set.readingCount = readings;
    for (std::size_t i = 0; i < static_cast<std::size_t>(readings) * kChannelCount; ++i)
        set.values[i] = static_cast<float>(static_cast<int>(i % 4000) - 200) * 0.1f;
    set.unit = 2;
    set.startYear = 2026;
    set.startMonth = 12;
    set.startDay = 7;
    set.startHour = 14;
    set.sampleRate = 2;
    return set;
}

std::string graphBytes(const LoggerSet& set) {
    std::ostringstream out(std::ios::binary);
    writeGraphFile(out, set, 100, 0);
    return out.str();
}

void writeFullGraphFile(benchmark::State& state) {
    const LoggerSet set = setOf(kLoggerSetCapacity);
    for (auto _ : state)
        benchmark::DoNotOptimize(graphBytes(set));
    state.SetBytesProcessed(state.iterations() * (49 + 20 * kLoggerSetCapacity));
}
BENCHMARK(writeFullGraphFile)->Unit(benchmark::kMicrosecond);

void readFullGraphFile(benchmark::State& state) {
    const std::string bytes = graphBytes(setOf(kLoggerSetCapacity));
    for (auto _ : state) {
        std::istringstream in(bytes, std::ios::binary);
        benchmark::DoNotOptimize(readGraphFile(in).loaded());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(readFullGraphFile)->Unit(benchmark::kMicrosecond);

void writeCsvOf10000Rows(benchmark::State& state) {
    const LoggerSet set = setOf(10000);
    for (auto _ : state) {
        std::ostringstream out(std::ios::binary);
        writeCsvFile(out, set);
        benchmark::DoNotOptimize(out.view().size());
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(writeCsvOf10000Rows)->Unit(benchmark::kMillisecond);

void saveFullLoggerSetToDisk(benchmark::State& state) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "calorant-file-bench";
    std::filesystem::create_directories(folder);
    const LoggerSet set = setOf(kLoggerSetCapacity);
    for (auto _ : state) {
        if (!saveLoggerSet(folder / "bench.graph", set, 100, 0).saved)
            state.SkipWithError("the save failed");
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(saveFullLoggerSetToDisk)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace calorant
