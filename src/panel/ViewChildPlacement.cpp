#include "panel/ViewChildPlacement.h"

#include "panel/CGraphBarDlg.h"
#include "panel/CGraphScrollDlg.h"
#include "panel/CMeterPanelDlg.h"
#include "panel/CStatsBarDlg.h"

#include <algorithm>

namespace calorant {

namespace {

constexpr int kPanelWidth = 228;
constexpr int kPanelTop = 31;
constexpr int kPanelHeightLess = 52;
constexpr int kBarTop = 30;
constexpr int kBarWidthLess = 230;
constexpr int kScrollStripHeight = 25;

void placeAndShow(QWidget& window, const QRect& rect) {
    window.setGeometry(rect);
    window.show();
}

} // namespace

ViewChildGeometry viewChildGeometry(const QRect& frameClient, int graphBarHeight,
                                    int statsBarHeight) {
    const int left = frameClient.left();
    const int top = frameClient.top();
    const int bottom = top + frameClient.height(); // one past the last row
    const int barLeft = left + kPanelWidth;
    const int barWidth = std::max(0, frameClient.width() - kBarWidthLess);

    ViewChildGeometry geometry;
    geometry.meterPanel = QRect(left, top + kPanelTop, kPanelWidth,
                                std::max(0, frameClient.height() - kPanelHeightLess));
    geometry.graphBar = QRect(barLeft, top + kBarTop, barWidth, graphBarHeight);
    if (top + 142 < bottom - 120)
        geometry.statsBar = QRect(barLeft, bottom - statsBarHeight - 22, barWidth, statsBarHeight);
    if (top + 142 < bottom - 142)
        geometry.scrollStrip =
            QRect(barLeft, bottom - statsBarHeight - 47, barWidth, kScrollStripHeight);
    return geometry;
}

void placeViewChildren(const QRect& frameClient, CMeterPanelDlg& meterPanel, CGraphBarDlg& graphBar,
                       CStatsBarDlg& statsBar, CGraphScrollDlg& scrollStrip) {
    const ViewChildGeometry geometry =
        viewChildGeometry(frameClient, graphBar.layoutHeight(), statsBar.layoutHeight());
    placeAndShow(meterPanel, geometry.meterPanel);
    placeAndShow(graphBar, geometry.graphBar);
    if (geometry.statsBar)
        placeAndShow(statsBar, *geometry.statsBar);
    if (geometry.scrollStrip)
        placeAndShow(scrollStrip, *geometry.scrollStrip);
}

} // namespace calorant
