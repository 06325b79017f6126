#pragma once

#include <QWidget>

class QScrollBar;

namespace calorant {

struct GraphScrollState;

// The strip with the horizontal scroll bar just above the statistics bar. Only
// dragging the thumb scrolls a zoomed graph; arrow and page clicks put the thumb back
// where the scroll state says. The bar starts disabled; the graph painter sets its
// range and position and decides when it is enabled.
class CGraphScrollDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kScrollBarHeight = 20;

    CGraphScrollDlg(GraphScrollState& state, QWidget* parent = nullptr);

    QScrollBar* scrollBar() const { return scrollBar_; }

signals:
    // The scroll state changed or the thumb was put back: repaint the graph.
    void scrolled();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void onScrollAction(int action);

    GraphScrollState& state_;
    QScrollBar* scrollBar_;
};

} // namespace calorant
