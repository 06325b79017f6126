// A full repaint of the logger graph window: a 13110-reading set on all five channels,
// laid out and composed into a 1600 x 900 off-screen image in the overview and at zoom
// depth 99, as the window does when what it shows has changed. Beside it, in the same
// programme as the real-time graph's repaint, the same overview with a new pen and one
// line for every pair of readings, and the readout line and cursor a mouse move
// repaints, in the overview and at depth 99.
#include "FullLoggerSet.h"
#include "OffscreenApplication.h"
#include "core/PixelMath.h"
#include "graph/GraphPainter.h"
#include "logger/LoggerLevel.h"
#include "loggerview/LoggerGraphPainter.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace calorant {
namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 900;
// The file list's client width as the window's template lays it out.
constexpr int kListClientWidth = 410;

// The set shown at `zoomDepth`, its picture composed once.
struct FullLoggerSet {
    explicit FullLoggerSet(benchmark::State& state, int zoomDepth = 0) {
        // The real-time graph's references in the same programme need widgets.
        bench::ensureOffscreenApplication<QApplication>();
        view.yGain = 10;
        if (!bench::zoomLoggerView(view, inputs, zoomDepth))
            state.SkipWithError("the zoom did not reach its depth");
        paintLoggerPicture(image, {0, 0}, paintLoggerGraph(view, inputs), fonts);
    }

    LoggerSet set = bench::fullLoggerSet();
    LoggerViewState view;
    LoggerGraphInputs inputs{kListClientWidth, kWidth, kHeight, &set};
    QImage image{kWidth, kHeight, QImage::Format_RGB32};
    LoggerFonts fonts = loggerFonts();
};

void repaint(benchmark::State& state, int zoomDepth) {
    FullLoggerSet full(state, zoomDepth);
    for (auto _ : state) {
        const LoggerPicture picture = paintLoggerGraph(full.view, full.inputs);
        paintLoggerPicture(full.image, {0, 0}, picture, full.fonts);
        QPainter painter(&full.image);
        paintLoggerReadout(painter, picture.readout, full.fonts.readout);
    }
}

void loggerWindowRepaint(benchmark::State& state) {
    repaint(state, 0);
}
BENCHMARK(loggerWindowRepaint)->Unit(benchmark::kMillisecond);

void loggerWindowRepaintZoomDepth99(benchmark::State& state) {
    repaint(state, kLoggerDeepestZoom);
}
BENCHMARK(loggerWindowRepaintZoomDepth99)->Unit(benchmark::kMillisecond);

// Reference: every segment drawn on its own with a freshly made pen, each point placed
// as it is drawn, the channels in turn for every pair of readings.
void loggerWindowRepaintPenPerSegment(benchmark::State& state) {
    FullLoggerSet full(state);
    const LoggerSet& set = full.set;
    for (auto _ : state) {
        LoggerPicture picture = paintLoggerGraph(full.view, full.inputs);
        const LoggerLevel level(picture.plot, set.readingCount, full.view.yGain, full.view.yOffset,
                                {});
        QPainter painter(&full.image);
        paintLoggerFrame(painter, picture);
        for (int r = 0; r + 1 < set.readingCount; ++r) {
            for (int c = 0; c < kChannelCount; ++c) {
                painter.setPen(QPen(QColor(channelColour(c)), 1));
                painter.drawLine(toPixel(level.readingX(r)),
                                 toPixel(level.valueY(readingValue(set, r, c))),
                                 toPixel(level.readingX(r + 1)),
                                 toPixel(level.valueY(readingValue(set, r + 1, c))));
            }
        }
        paintLoggerLabels(painter, picture, full.fonts);
        paintLoggerReadout(painter, picture.readout, full.fonts.readout);
    }
}
BENCHMARK(loggerWindowRepaintPenPerSegment)->Unit(benchmark::kMillisecond);

// A mouse move over the plot: the readout found and its line and the cursor's column
// painted over the composed picture.
void cursorMove(benchmark::State& state, int zoomDepth) {
    FullLoggerSet full(state, zoomDepth);
    const QImage composed = full.image;
    int x = 600;
    for (auto _ : state) {
        x = x == 600 ? 900 : 600;
        const std::optional<LoggerMouseMove> move = zoomMouseMove(full.view, {x, 400}, full.inputs);
        QPainter painter(&full.image);
        painter.drawImage(QRect(x, 90, 1, 750), composed, QRect(x, 90, 1, 750));
        painter.drawImage(QRect(490, 70, 1110, 20), composed, QRect(490, 70, 1110, 20));
        paintLoggerReadout(painter, move->readout, full.fonts.readout);
        paintLoggerCursor(painter, *move->cursorLine);
    }
}

void loggerWindowCursorMove(benchmark::State& state) {
    cursorMove(state, 0);
}
BENCHMARK(loggerWindowCursorMove)->Unit(benchmark::kMicrosecond);

void loggerWindowCursorMoveZoomDepth99(benchmark::State& state) {
    cursorMove(state, kLoggerDeepestZoom);
}
BENCHMARK(loggerWindowCursorMoveZoomDepth99)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace calorant
