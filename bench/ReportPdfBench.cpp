// The test report of a full logger set (13110 readings on all five channels) rendered to
// an A4 PDF in memory: our page, each channel one polyline reduced per 0.01-inch
// column, beside the same page drawn with a line and a new pen for every pair of
// readings of every channel. The counter pdf_bytes is the size of the document made.
#include "FullLoggerSet.h"
#include "OffscreenApplication.h"
#include "report/ReportPdf.h"
#include "report/ReportSources.h"
#include "support/PerSegmentReport.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace calorant {
namespace {

// The inputs refer to the set's values: it lives as long as the programme.
const LoggerSet& fullSet() {
    static const LoggerSet set = bench::fullLoggerSet();
    return set;
}

void ensureApplication() {
    bench::ensureOffscreenApplication<QGuiApplication>();
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
