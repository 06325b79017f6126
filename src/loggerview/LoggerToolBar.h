#pragma once

#include <QToolBar>
#include <map>

namespace calorant {

// Commands of the logger graph window's toolbar, in button order.
enum LoggerCommandId : int {
    kLoggerSave = 32825,
    kLoggerDownload = 32791,
    kLoggerPrint = 32833,
    kLoggerZoomOut = 32792,
    kLoggerShowT1 = 32820,
    kLoggerShowT2 = 32821,
    kLoggerShowIR = 32836,
    kLoggerShowT3 = 32822,
    kLoggerShowT4 = 32834,
    kLoggerShowAll = 32823,
    kLoggerYAxis = 32824,
};

// The flat toolbar across the top of the logger graph window: eleven picture buttons
// of 76 x 18 pixels, each a QAction carrying its command id as data. Only Save,
// Download and ZoomOut have tool tips. Every button starts disabled; the window enables
// those whose feature it offers.
class LoggerToolBar : public QToolBar {
    Q_OBJECT
public:
    static constexpr int kHeight = 23; // the window's margins start below it
    static constexpr QSize kImageSize{76, 18};

    explicit LoggerToolBar(QWidget* parent);

    QAction* command(LoggerCommandId id) const;

private:
    std::map<LoggerCommandId, QAction*> actions_;
};

} // namespace calorant
