#pragma once

#include <QRect>
#include <optional>

namespace calorant {

class CGraphBarDlg;
class CGraphScrollDlg;
class CMeterPanelDlg;
class CStatsBarDlg;

// Where the real-time view puts the panel and the bars around the graph. `frameClient`
// is the main window's client area (toolbar band included) in the coordinates of the
// windows' parent. A window without a rectangle keeps its place: the statistics bar
// needs a client area taller than 262 pixels, the scroll strip one taller than 284.
struct ViewChildGeometry {
    QRect meterPanel;
    QRect graphBar;
    std::optional<QRect> statsBar;
    std::optional<QRect> scrollStrip;
};

ViewChildGeometry viewChildGeometry(const QRect& frameClient, int graphBarHeight,
                                    int statsBarHeight);

// Moves, sizes and shows the windows that have a rectangle; called on every resize.
void placeViewChildren(const QRect& frameClient, CMeterPanelDlg& meterPanel, CGraphBarDlg& graphBar,
                       CStatsBarDlg& statsBar, CGraphScrollDlg& scrollStrip);

} // namespace calorant
