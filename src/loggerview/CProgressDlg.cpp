#include "loggerview/CProgressDlg.h"

#include "core/NumberFormat.h"
#include "link/MeterLink.h"
#include "panel/DialogTemplate.h"

#include <QLabel>
#include <QProgressBar>
#include <algorithm>

namespace calorant {

namespace {

constexpr DialogControl kControls[] = {
    {CProgressDlg::kBarId, ControlKind::ProgressBar, "", 6, 16, 117, 14, 0, "progressBar"},
    {CProgressDlg::kPercentId, ControlKind::Label, "1%", 46, 7, 32, 8, 0, "percentLabel"},
};

constexpr DialogTemplate kTemplate{"logging...", 131, 34, {"System", 10}, kControls};

// "%4.0f%%": the whole percent right-aligned in four characters, then the sign.
QString percentOf(int position, int minimum, int maximum) {
    const double percent = static_cast<double>(position) / (maximum - minimum) * 100.0;
    return QString::fromStdString(formatFixed(percent, 0)).rightJustified(4) + QLatin1Char('%');
}

} // namespace

CProgressDlg::CProgressDlg(MeterLink& link, QWidget* parent) : QDialog(parent), link_(link) {
    const DialogControls controls = buildDialog(*this, kTemplate);
    bar_ = controls.get<QProgressBar>(kBarId);
    percentLabel_ = controls.get<QLabel>(kPercentId);
    bar_->setValue(0);
    barTimer_.setInterval(kBarTickMs);
    connect(&barTimer_, &QTimer::timeout, this, &CProgressDlg::onBarTimer);
    connect(&link_, &MeterLink::downloadProgress, this, &CProgressDlg::checkDownload);
    connect(&link_, &MeterLink::downloadFinished, this, &CProgressDlg::finish);
}

CProgressDlg::~CProgressDlg() = default;

QString CProgressDlg::percentText() const {
    return percentLabel_->text();
}

// The download may have moved on before the window came up: it is looked at once the
// modal loop runs, so that a download already over closes the window at once.
void CProgressDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QMetaObject::invokeMethod(this, &CProgressDlg::checkDownload, Qt::QueuedConnection);
}

void CProgressDlg::checkDownload() {
    if (!isVisible())
        return;
    if (!link_.downloadMode()) {
        finish();
        return;
    }
    if (link_.downloadTotal() > 0 && !progressStarted_)
        startProgress();
}

void CProgressDlg::startProgress() {
    barTimer_.start();
    giveUpMs_ = link_.startDownloadGiveUp();
    bar_->setRange(0, link_.downloadTotal());
    bar_->setValue(0);
    updatePercentage();
    progressStarted_ = true;
}

void CProgressDlg::onBarTimer() {
    const int position = std::max(bar_->value() + kBarTickMs, bar_->minimum());
    bar_->setValue(std::min(position, bar_->maximum()));
    updatePercentage();
}

void CProgressDlg::updatePercentage() {
    percentLabel_->setText(percentOf(bar_->value(), bar_->minimum(), bar_->maximum()));
}

// Every end closes the window as if confirmed; what follows is the opener's business.
void CProgressDlg::finish() {
    barTimer_.stop();
    progressStarted_ = false;
    if (isVisible())
        accept();
}

} // namespace calorant
