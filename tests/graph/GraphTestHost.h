#pragma once
// A window that shows the real-time graph the way the view does: it paints a frame
// background and lets the presenter draw the graph over it. With bars of 94 and 148
// pixels in a 1342 x 800 client the plot is 990 x 484 at (302, 116), and the mouse area
// runs from x 294 to 1292 and from y 118 to 600.
#include "document/CKVDoc.h"
#include "graph/GraphPresenter.h"
#include "panel/GraphScrollState.h"
#include "record/SampleStore.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>
#include <vector>

namespace calorant::test {

inline constexpr int kClientWidth = 1342;
inline constexpr int kClientHeight = 800;
inline constexpr int kPlotLeft = 302;
inline constexpr int kPlotTop = 116;
inline constexpr int kPlotWidth = 990;
inline constexpr int kPlotHeight = 484;
inline constexpr std::time_t kStart = 1700000000; // 2023-11-14 22:13:20 UTC

// A recording at 1 s of the given samples, each one a fresh reading, then stopped
// unless it is to go on.
inline void recordInto(SampleStore& store, const std::vector<Channels>& samples, bool stop = true) {
    store.run(1);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        store.onAcceptedFrame(samples[i], kStart + static_cast<std::time_t>(i));
        store.onSampleTick();
    }
    if (stop)
        store.stop();
}

// Rising values, a different one for each channel.
inline std::vector<Channels> ramp(int count) {
    std::vector<Channels> samples;
    for (int i = 0; i < count; ++i) {
        const float v = 20.0f + static_cast<float>(i % 40);
        samples.push_back({v, v + 5, v + 10, v + 15, v + 20});
    }
    return samples;
}

struct GraphState {
    CKVDoc doc;
    SampleStore& store = doc.sampleStore();
    GraphDisplaySettings& display = doc.graphDisplay();
    GraphScrollState scroll;
    TemperatureUnit unit = TemperatureUnit::Celsius;

    GraphSources sources() { return sourcesFor(doc); }

    // The graph of a document held elsewhere, with this scroll state and unit.
    GraphSources sourcesFor(CKVDoc& document) {
        return {document, scroll, [this] { return unit; }, [] { return 94; }, [] { return 148; }};
    }

    void record(const std::vector<Channels>& samples) { recordInto(store, samples); }
};

class GraphTestHost : public QWidget {
public:
    explicit GraphTestHost(GraphSources sources)
        : presenter(*this, std::move(sources), labelFont()) {
        resize(kClientWidth, kClientHeight);
    }

    static QFont labelFont() {
        QFont font;
        font.setPixelSize(13);
        return font;
    }

    QImage picture() { return grab().toImage().convertToFormat(QImage::Format_RGB32); }

    GraphPresenter presenter;

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(240, 240, 240));
        presenter.paint(painter, event->region());
    }
};

} // namespace calorant::test
