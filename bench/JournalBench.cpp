// The price of a recording that survives a crash: one sample appended to the journal and
// put on the disk (what every sampling tick pays, at most once a second), beside the
// same append left in the system's cache; and reading back a full journal at start-up.
// The journal is written in the working folder, which should be on the disk the state
// folder is on (run from the build folder, not from a tmpfs).
#include "record/RecordingJournal.h"
#include "record/SampleStore.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <string>

namespace calorant {
namespace {

const std::filesystem::path kJournal = "bench-recording.journal";

JournalSample sampleOf(int i) {
    const float value = 20.0f + static_cast<float>(i % 100) * 0.1f;
    return {{value, value + 1, value + 2, value + 3, value + 4}, i % 7 != 0};
}

void appendSampleToDisk(benchmark::State& state) {
    RecordingJournal journal;
    journal.setPath(kJournal);
    journal.begin({1700000000, 1000});
    int written = 0;
    for (auto _ : state) {
        if (written == kSampleLimit) { // a journal never grows beyond one recording
            state.PauseTiming();
            journal.begin({1700000000, 1000});
            written = 0;
            state.ResumeTiming();
        }
        if (!journal.append(sampleOf(written++)))
            state.SkipWithError(journal.error().c_str());
    }
    journal.retire();
}
BENCHMARK(appendSampleToDisk)->Unit(benchmark::kMicrosecond);

// The same bytes without waiting for the disk: what the synchronisation costs.
void appendSampleToCache(benchmark::State& state) {
    std::FILE* file = std::fopen(kJournal.c_str(), "wb");
    int written = 0;
    for (auto _ : state) {
        const std::string record = encodeJournalSample(written, sampleOf(written));
        std::fwrite(record.data(), 1, record.size(), file);
        std::fflush(file);
        if (++written == kSampleLimit) {
            std::rewind(file);
            written = 0;
        }
    }
    std::fclose(file);
    std::filesystem::remove(kJournal);
}
BENCHMARK(appendSampleToCache)->Unit(benchmark::kMicrosecond);

void readFullJournal(benchmark::State& state) {
    std::string bytes = encodeJournalHeader({1700000000, 1000});
    for (int i = 0; i < kSampleCapacity - 1; ++i)
        bytes += encodeJournalSample(i, sampleOf(i));
    std::FILE* file = std::fopen(kJournal.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    for (auto _ : state)
        benchmark::DoNotOptimize(readJournal(kJournal));
    std::filesystem::remove(kJournal);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(readFullJournal)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace calorant
