// Peak resident size of the programme with the logger viewer at its fullest: the main
// window offscreen, a download of 13107 readings in the logger store, the logger graph
// window showing the last of 100 files of 13110 readings each in its file table, with
// its Data List scrolled to the last row. Reported as the counter
// peakResidentMB of its one run.
#include "app/CMainFrame.h"
#include "document/CKVDoc.h"
#include "loggerview/CLoggerGraphDlg.h"

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>

#if defined(_WIN32)
#include <windows.h>
// windows.h first
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

namespace calorant {
namespace {

constexpr int kDownloadedReadings = 13107;
constexpr int kFiles = 100;

double peakResidentMB() {
#if defined(_WIN32)
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
#if defined(__APPLE__)
    return static_cast<double>(usage.ru_maxrss) / (1024.0 * 1024.0); // bytes
#else
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes
#endif
#endif
}

float wave(int reading, int channel) {
    return static_cast<float>(50 + 30 * std::sin(reading * 0.003 + channel));
}

void fillDownload(LoggerStore& store) {
    store.setCount = 1;
    store.readings.resize(std::size_t(kDownloadedReadings) * kChannelCount);
    for (int r = 0; r < kDownloadedReadings; ++r)
        for (int c = 0; c < kChannelCount; ++c)
            store.readings[std::size_t(r) * kChannelCount + c] = wave(r, c);
    store.setFirstReading = {0, kDownloadedReadings};
    store.setStartTime = {1700000000};
    store.setSampleRate = {2};
    store.downloadStoreReady = 1;
}

// A file of a full set just read: the window lists it at its next paint.
void loadFile(CKVDoc& doc, int file) {
    LoggerSet& set = doc.loggerSet();
    set.readingCount = kLoggerSetCapacity;
    for (int r = 0; r < kLoggerSetCapacity; ++r)
        for (int c = 0; c < kChannelCount; ++c)
            set.values[std::size_t(r) * kChannelCount + c] = wave(r + file, c);
    set.sampleRate = 2;
    set.startYear = 2024;
    set.startMonth = 3;
    set.startDay = 1 + file % 28;
    LoggerModeFlags& flags = doc.loggerModeFlags();
    flags.fileSetLoaded = 1;
    flags.appendLoadedFile = 1;
}

void loggerViewerPeakMemory(benchmark::State& state) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "bench_logger_memory";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    QTemporaryDir settings;
    for (auto _ : state) {
        CKVDoc doc;
        MainFrameOptions options;
        options.settingsFolder = settings.path().toStdString();
        options.deviceOverride = settings.filePath(QStringLiteral("no-meter"));
        CMainFrame frame(doc, std::move(options));
        frame.resize(1600, 900);
        frame.show();

        fillDownload(doc.loggerStore());
        doc.loggerModeFlags().loggerFileMode = 1;
        auto* window = new CLoggerGraphDlg(doc, &frame);
        window->resize(1600, 900);
        window->show();
        QCoreApplication::processEvents();
        for (int file = 0; file < kFiles; ++file) {
            loadFile(doc, file);
            window->repaint();
        }
        window->showListRow(kFiles - 1);
        window->repaint();
        QCoreApplication::processEvents();
        if (!window->dataList() || doc.loggerFileTable().lastFileRow != kFiles - 1) {
            state.SkipWithError("the window did not list every file and show the last");
            return;
        }
        window->dataList()->list()->scrollToBottom();
        QCoreApplication::processEvents();
        state.counters["peakResidentMB"] = peakResidentMB();
        frame.close();
    }
}
BENCHMARK(loggerViewerPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace calorant
