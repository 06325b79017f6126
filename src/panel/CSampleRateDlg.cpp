#include "panel/CSampleRateDlg.h"

#include "panel/DialogLayout.h"
#include "panel/DialogTemplate.h"
#include "panel/EnterEscapeFilter.h"
#include "panel/IntegerEntry.h"
#include "panel/SetupDialogFonts.h"

#include <QLineEdit>

namespace calorant {

namespace {

constexpr int kRateEditId = 1076;

constexpr DialogControl kControls[] = {
    {kNoControlId, ControlKind::GroupBox, "Sample Rate Setup", 7, 7, 131, 34},
    {1031, ControlKind::Label, "Sample Rate", 16, 22, 44, 11, kLabelFont},
    {kRateEditId, ControlKind::Edit, "", 60, 20, 50, 13, 0, "sampleRateEdit"},
    {1032, ControlKind::Label, "Sec", 111, 23, 13, 9, kLabelFont},
    {kOkButtonId, ControlKind::DefaultButton, "OK", 54, 41, 39, 14, kLabelFont},
};

constexpr DialogTemplate kTemplate{"Sample Rate Setup", 145, 55, {"System", 10}, kControls};

} // namespace

CSampleRateDlg::CSampleRateDlg(QWidget* parent) : QDialog(parent) {
    const DialogControls controls = buildDialog(*this, kTemplate, setupLabelFont(15));
    rateEdit_ = controls.get<QLineEdit>(kRateEditId);
    setSampleRateSec(sampleRateSec_);
    rateEdit_->setFocus();
    EnterEscapeFilter::install(this);
}

void CSampleRateDlg::setSampleRateSec(std::int32_t seconds) {
    sampleRateSec_ = seconds;
    showEntry(*rateEdit_, seconds);
}

void CSampleRateDlg::accept() {
    const auto rate = parseIntegerEntry(rateEdit_->text().toStdString());
    if (!rate) {
        refuseEntry(this, *rateEdit_, QStringLiteral("Please enter an integer."));
        return;
    }
    sampleRateSec_ = *rate;
    QDialog::accept();
}

} // namespace calorant
