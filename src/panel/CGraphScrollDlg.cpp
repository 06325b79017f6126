#include "panel/CGraphScrollDlg.h"

#include "panel/DialogLayout.h"
#include "panel/GraphScrollState.h"

#include <QResizeEvent>
#include <QScrollBar>

namespace calorant {

CGraphScrollDlg::CGraphScrollDlg(GraphScrollState& state, QWidget* parent)
    : QWidget(parent), state_(state), scrollBar_(new QScrollBar(Qt::Horizontal, this)) {
    resize(DialogUnits::systemTemplate().toPixels(0, 0, 402, 13).size());
    scrollBar_->setObjectName(QStringLiteral("1089"));
    scrollBar_->setEnabled(false);
    connect(scrollBar_, &QAbstractSlider::actionTriggered, this, &CGraphScrollDlg::onScrollAction);
    hide(); // until the view places it
}

void CGraphScrollDlg::onScrollAction(int action) {
    if (action == QAbstractSlider::SliderMove && scrollBar_->isSliderDown()) {
        state_.userScrolled = true;
        state_.scrollOffset = state_.scrollMax - scrollBar_->sliderPosition() + 1;
    }
    scrollBar_->setSliderPosition(state_.scrollMax - state_.scrollOffset + 1);
    emit scrolled();
}

void CGraphScrollDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scrollBar_->setGeometry(0, height() - kScrollBarHeight, width(), kScrollBarHeight);
}

} // namespace calorant
