#pragma once

#include "link/MeterState.h"
#include "logger/LoggerModeFlags.h"
#include "panel/GraphDisplaySettings.h"
#include "panel/MeterCommandSink.h"

#include <QFont>
#include <QTimer>
#include <QWidget>
#include <filesystem>

namespace calorant {

class CGraphBarDlg;
class CGraphScrollDlg;
class CKVDoc;
class CMeterPanelDlg;
class CStatsBarDlg;
class GraphPresenter;

// The real-time view: the central area of the main window. It holds the meter's
// display state, the graph's display settings and the link's offline flag, and it
// creates, places and refreshes the meter panel and the bars around the graph.
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

    // Reads the graph's Y gain and offset from the settings file in settingsFolder and
    // creates the panel and the bars, hidden until the first resize places them. frameFont is the
    // main window's font, which the graph's labels and legend use; sendMeterCommand is where the
    // panel's keys deliver.
    CKVView(CKVDoc& doc, const std::filesystem::path& settingsFolder, const QFont& frameFont,
            MeterCommandSink sendMeterCommand, QWidget* parent = nullptr);
    ~CKVView() override;

    CKVDoc& document() { return doc_; }
    MeterState& meterState() { return meterState_; }
    const QFont& frameFont() const { return frameFont_; }
    CMeterPanelDlg* meterPanel() const { return meterPanel_; }
    CGraphBarDlg* graphBar() const { return graphBar_; }
    CStatsBarDlg* statsBar() const { return statsBar_; }
    CGraphScrollDlg* scrollStrip() const { return scrollStrip_; }

    // Visible channels and Y scale of the graph, set by the control bar.
    GraphDisplaySettings& graphDisplay() { return graphDisplay_; }
    const GraphDisplaySettings& graphDisplay() const { return graphDisplay_; }
    // How far a zoomed graph is scrolled, set by the scroll strip.
    GraphScrollState& scrollState() { return scrollState_; }
    // The real-time graph: its painting, sampling timer, zoom and cursor.
    GraphPresenter& graph() { return *graph_; }

    // How the logger graph window was opened and what it must show next.
    LoggerModeFlags& loggerModeFlags() { return loggerModeFlags_; }

    // --- link ------------------------------------------------------------------------
    // The meter does not answer. The panel shows "OFFLINE" while it is set.
    bool linkOffline() const { return linkOffline_; }
    void setLinkOffline(bool offline);

    // The link accepted a live frame (already applied to the recording and the meter
    // state): the panel's LCD and the bars' fields show it; a recording that it started
    // repaints every view.
    void onFrameAccepted(bool recordingStarted);

    // The main frame's client area in view coordinates: frame-client point (x, y) lies
    // at frameClientRect().topLeft() + (x, y) in the view.
    QRect frameClientRect() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void refreshBars();
    void paintFrameBackground(QPainter& painter);

    CKVDoc& doc_;
    QFont frameFont_;
    MeterState meterState_;
    GraphDisplaySettings graphDisplay_;
    GraphScrollState scrollState_;
    LoggerModeFlags loggerModeFlags_;
    bool linkOffline_ = false;
    CMeterPanelDlg* meterPanel_;
    CGraphBarDlg* graphBar_;
    CStatsBarDlg* statsBar_;
    CGraphScrollDlg* scrollStrip_;
    GraphPresenter* graph_;
};

} // namespace calorant
