// The test report of a full logger set (13110 readings on all five channels) rendered to
// an A4 PDF in memory: our page, each channel one polyline reduced per 0.01-inch
// column, beside the same page drawn with a line and a new pen for every pair of
// readings of every channel. The counter pdf_bytes is the size of the document made.
#include "logger/LoggerSet.h"
#include "report/ReportPdf.h"
#include "report/ReportSources.h"
#include "support/PerSegmentReport.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cmath>

namespace calorant {
namespace {

// QPainter needs a GUI application for its fonts.
void ensureApplication() {
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "bench_report_pdf";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

// Smooth curves with a little deterministic noise, inside 0..100 C.
const LoggerSet& fullSet() {
    static const LoggerSet set = [] {
        LoggerSet full;
        full.readingCount = kLoggerSetCapacity;
        full.sampleRate = 2;
        setStartFields(full, 1700000000);
        for (int r = 0; r < kLoggerSetCapacity; ++r)
            for (int c = 0; c < kChannelCount; ++c)
                full.values[std::size_t(r) * kChannelCount + c] = static_cast<float>(
                    50 + 30 * std::sin(r * 0.003 + c) + ((r * 7919 + c * 31) % 13) * 0.4);
        return full;
    }();
    return set;
}

ReportInputs fullReport() {
    ReportInputs inputs = loggerReport(fullSet(), {true, true, true, true, true}, 10, 0);
    inputs.printTime = 1700100000;
    return inputs;
}

void reportPdfReducedPolylines(benchmark::State& state) {
    ensureApplication();
    const ReportInputs inputs = fullReport();
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray pdf = reportPdf(inputs, QPageSize(QPageSize::A4));
        bytes = pdf.size();
        benchmark::DoNotOptimize(pdf.constData());
    }
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(reportPdfReducedPolylines)->Unit(benchmark::kMillisecond);

void reportPdfPenPerSegmentReference(benchmark::State& state) {
    ensureApplication();
    const ReportInputs inputs = fullReport();
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray pdf =
            reportPagePdf(test::perSegmentPage(inputs), QPageSize(QPageSize::A4));
        bytes = pdf.size();
        benchmark::DoNotOptimize(pdf.constData());
    }
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(reportPdfPenPerSegmentReference)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace calorant
