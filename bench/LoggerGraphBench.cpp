// Cost of the logger graph window's geometry for a full set (13110 readings of five
// channels) at a 1600 x 900 client: the five curves alone and the whole paint layout,
// in the overview and at zoom depth 99, and one cursor move with its readout.
#include "FullLoggerSet.h"
#include "logger/LoggerLevel.h"

#include <benchmark/benchmark.h>

namespace calorant {
namespace {

// The set zoomed to the benchmark's argument, the depth.
struct FullSet {
    explicit FullSet(benchmark::State& bench) {
        view.yGain = 10;
        if (!bench::zoomLoggerView(view, inputs, static_cast<int>(bench.range(0))))
            bench.SkipWithError("the zoom did not reach its depth");
    }

    LoggerSet set = bench::fullLoggerSet();
    LoggerViewState view;
    // The file list's client width as the window template lays it out: 305 pixels.
    LoggerGraphInputs inputs{305, 1600, 900, &set};
};

void BM_LoggerCurves(benchmark::State& bench) {
    FullSet full(bench);
    for (auto _ : bench) {
        const LoggerLevel level =
            currentLevel(full.view, plotRectOf(full.inputs), kLoggerSetCapacity);
        benchmark::DoNotOptimize(loggerCurves(full.set, level, full.view.channelVisible, 0));
    }
}
BENCHMARK(BM_LoggerCurves)->Arg(0)->Arg(99)->Unit(benchmark::kMicrosecond);

void BM_LoggerPaintLayout(benchmark::State& bench) {
    FullSet full(bench);
    for (auto _ : bench)
        benchmark::DoNotOptimize(paintLoggerGraph(full.view, full.inputs));
}
BENCHMARK(BM_LoggerPaintLayout)->Arg(0)->Arg(99)->Unit(benchmark::kMicrosecond);

void BM_LoggerCursorMove(benchmark::State& bench) {
    FullSet full(bench);
    for (auto _ : bench)
        benchmark::DoNotOptimize(zoomMouseMove(full.view, {900, 400}, full.inputs));
}
BENCHMARK(BM_LoggerCursorMove)->Arg(0)->Arg(99);

} // namespace
} // namespace calorant
