// A full repaint of the real-time graph: 10000 samples on all five channels, composed
// into a 1600 x 800 off-screen image, unzoomed and at the deepest zoom level. Beside
// it, in the same run, two references drawing the same data at the same size: one
// drawLine with a new pen for every segment of every channel, and, when it was found
// at configuration, QCustomPlot 2.1 replotting five graphs.
#include "OffscreenApplication.h"
#include "graph/GraphPainter.h"
#include "graph/RealTimeGraph.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

#ifdef CALORANT_HAVE_QCUSTOMPLOT
#include <qcustomplot.h>
#endif

namespace calorant {
namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 800;
constexpr int kSamples = 10000;
// Bar heights that put the plot's top and bottom on the mouse area's edges, so that a
// selection can span the plot's full height.
constexpr int kControlBarHeight = 96;
constexpr int kStatsBarHeight = 148;

// QCustomPlot and the logger window's references in the same programme need widgets.
void ensureApplication() {
    bench::ensureOffscreenApplication<QApplication>();
}

// Five channels of smooth curves with a little deterministic noise, inside 0..100 C.
const std::vector<std::vector<float>>& recording() {
    static const std::vector<std::vector<float>> data = [] {
        std::vector<std::vector<float>> channels(kChannelCount, std::vector<float>(kSamples));
        for (int c = 0; c < kChannelCount; ++c)
            for (int i = 0; i < kSamples; ++i)
                channels[c][i] = static_cast<float>(50 + 30 * std::sin(i * 0.003 + c) +
                                                    ((i * 7919 + c * 31) % 13) * 0.4);
        return channels;
    }();
    return data;
}

GraphInputs fullInputs() {
    GraphInputs inputs;
    inputs.clientWidth = kWidth;
    inputs.clientHeight = kHeight;
    inputs.controlBarHeight = kControlBarHeight;
    inputs.statsBarHeight = kStatsBarHeight;
    inputs.sampleCount = kSamples;
    for (int c = 0; c < kChannelCount; ++c)
        inputs.samples[c] = recording()[c];
    inputs.runStartTime = 1700000000;
    inputs.sampleRateMs = 1000;
    return inputs;
}

QImage blankImage() {
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QFont labelFont() {
    QFont font;
    font.setPixelSize(13);
    return font;
}

// Zooms through the mouse, as a user would: each selection keeps the plot's full
// height and drops a thin margin at both sides, so every level deepens.
void zoomTo(RealTimeGraph& graph, const GraphInputs& inputs, int depth) {
    graph.paint(inputs);
    const PlotGeometry g = plotGeometry(kWidth, kHeight, kControlBarHeight, kStatsBarHeight);
    const int margin = g.width() * 3 / 100;
    for (int level = 0; level < depth; ++level) {
        graph.buttonDown({g.left + margin, g.top}, inputs);
        graph.mouseMove({g.right - margin, g.bottom}, inputs);
        graph.buttonUp({g.right - margin, g.bottom}, inputs);
        graph.paint(inputs);
    }
}

void repaint(benchmark::State& state, int zoomDepth) {
    ensureApplication();
    const GraphInputs inputs = fullInputs();
    RealTimeGraph graph;
    zoomTo(graph, inputs, zoomDepth);
    if (graph.zoomLevel() != zoomDepth) {
        state.SkipWithError("the selections did not reach the zoom depth");
        return;
    }
    QImage image = blankImage();
    const QFont font = labelFont();
    for (auto _ : state) {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paintGraphPicture(painter, graph.paint(inputs), font);
    }
}

void graphRepaint(benchmark::State& state) {
    repaint(state, 0);
}
BENCHMARK(graphRepaint)->Unit(benchmark::kMillisecond);

void graphRepaintZoomDepth99(benchmark::State& state) {
    repaint(state, RealTimeGraph::kMaxZoomLevel);
}
BENCHMARK(graphRepaintZoomDepth99)->Unit(benchmark::kMillisecond);

// Reference: the same picture with every segment drawn on its own with a freshly
// made pen, from sample positions computed per segment.
void segmentPerPenReference(benchmark::State& state) {
    ensureApplication();
    const GraphInputs inputs = fullInputs();
    RealTimeGraph graph;
    const GraphPicture layout = graph.paint(inputs);
    const PlotGeometry& g = layout.geometry;
    const ValueLabels labels = baseValueLabels(inputs.yGain, inputs.yOffset);
    const double xStep = graph.xStep();
    QImage image = blankImage();
    const QFont font = labelFont();
    for (auto _ : state) {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        GraphPicture picture = graph.paint(inputs);
        picture.curves = {};
        paintGraphPicture(painter, picture, font);
        painter.translate(g.left, g.top);
        painter.setClipRect(0, 0, g.width(), g.height());
        for (int i = 1; i < inputs.sampleCount; ++i) {
            for (int c = 0; c < kChannelCount; ++c) {
                const double y0 = plotY(inputs.samples[c][i - 1], labels, g.height());
                const double y1 = plotY(inputs.samples[c][i], labels, g.height());
                painter.setPen(QPen(QColor(channelColour(c)), 1));
                painter.drawLine(static_cast<int>((i - 1) * xStep), static_cast<int>(y0),
                                 static_cast<int>(i * xStep), static_cast<int>(y1));
            }
        }
    }
}
BENCHMARK(segmentPerPenReference)->Unit(benchmark::kMillisecond);

#ifdef CALORANT_HAVE_QCUSTOMPLOT
// Reference: QCustomPlot with five graphs of the same data, not antialiased like ours,
// replotted and rendered into an image of the same size.
void qcustomplotReference(benchmark::State& state) {
    ensureApplication();
    QCustomPlot plot;
    plot.resize(kWidth, kHeight);
    plot.setNotAntialiasedElements(QCP::aeAll);
    QVector<double> keys(kSamples);
    for (int i = 0; i < kSamples; ++i)
        keys[i] = i;
    for (int c = 0; c < kChannelCount; ++c) {
        QVector<double> values(kSamples);
        for (int i = 0; i < kSamples; ++i)
            values[i] = recording()[c][i];
        QCPGraph* curve = plot.addGraph();
        curve->setPen(QPen(QColor(channelColour(c))));
        curve->setData(keys, values, true);
    }
    plot.xAxis->setRange(0, kSamples * 12.0 / 11.0);
    plot.yAxis->setRange(0, 100);
    QImage image = blankImage();
    for (auto _ : state) {
        plot.replot(QCustomPlot::rpQueuedRefresh);
        plot.render(&image);
    }
}
BENCHMARK(qcustomplotReference)->Unit(benchmark::kMillisecond);
#endif

} // namespace
} // namespace calorant
