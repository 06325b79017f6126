#pragma once

#include "link/LiveFrame.h"
#include "panel/GraphScrollState.h"
#include "panel/MeterCommandSink.h"

#include <QFont>
#include <QWidget>

namespace calorant {

class CGraphBarDlg;
class CGraphScrollDlg;
class CKVDoc;
class CMeterPanelDlg;
class CStatsBarDlg;
class GraphPresenter;

// The real-time view: the central area of the main window. It shows the document's
// meter state, recording and display settings: it creates, places and refreshes the
// meter panel and the bars around the graph, and holds how far the graph is scrolled.
//
// Coordinates. The window layouts are given in frame-client coordinates, which count
// the toolbar band above the view and the status bar band below it. The view's top-left
// corner lies at frame-client (0, kFrameClientTop) and the frame client reaches
// kFrameClientBelow pixels below the view; frameClientRect() is the one conversion.
class CKVView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFrameClientTop = 30;
    static constexpr int kFrameClientBelow = 22;

    // Creates the panel and the bars, hidden until the first resize places them. frameFont is
    // the main window's font, which the graph's labels and legend use; sendMeterCommand is
    // where the panel's keys deliver.
    CKVView(CKVDoc& doc, const QFont& frameFont, MeterCommandSink sendMeterCommand,
            QWidget* parent = nullptr);
    ~CKVView() override;

    CKVDoc& document() { return doc_; }
    const QFont& frameFont() const { return frameFont_; }
    CMeterPanelDlg* meterPanel() const { return meterPanel_; }
    CGraphBarDlg* graphBar() const { return graphBar_; }
    CStatsBarDlg* statsBar() const { return statsBar_; }
    CGraphScrollDlg* scrollStrip() const { return scrollStrip_; }

    // How far a zoomed graph is scrolled, set by the scroll strip.
    GraphScrollState& scrollState() { return scrollState_; }
    // The real-time graph: its painting, sampling timer, zoom and cursor.
    GraphPresenter& graph() { return *graph_; }

    // The main frame's client area in view coordinates: frame-client point (x, y) lies
    // at frameClientRect().topLeft() + (x, y) in the view.
    QRect frameClientRect() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The document applied a live frame: the panel's LCD and the bars' fields show it.
    void onFrameApplied(const LiveFrame& frame);
    void refreshBars();
    void paintFrameBackground(QPainter& painter);

    CKVDoc& doc_;
    QFont frameFont_;
    GraphScrollState scrollState_;
    CMeterPanelDlg* meterPanel_;
    CGraphBarDlg* graphBar_;
    CStatsBarDlg* statsBar_;
    CGraphScrollDlg* scrollStrip_;
    GraphPresenter* graph_;
};

} // namespace calorant
