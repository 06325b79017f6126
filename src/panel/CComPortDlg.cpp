#include "panel/CComPortDlg.h"

#include "panel/DialogLayout.h"
#include "panel/DialogTemplate.h"
#include "panel/IntegerEntry.h"
#include "panel/SetupDialogFonts.h"

#include <QLineEdit>

namespace calorant {

namespace {

constexpr int kNumberEditId = 1100;

constexpr DialogControl kControls[] = {
    {kNoControlId, ControlKind::GroupBox, "Input integer number 5 to 16", 5, 3, 132, 36},
    {1099, ControlKind::Label, "COM  No.", 30, 23, 32, 8, kLabelFont},
    {kNumberEditId, ControlKind::Edit, "", 66, 20, 40, 14, 0, "comPortEdit"},
    {kOkButtonId, ControlKind::DefaultButton, "OK", 54, 40, 33, 14, kLabelFont},
};

constexpr DialogTemplate kTemplate{"COM Port Setup", 140, 55, {"System", 10}, kControls};

} // namespace

CComPortDlg::CComPortDlg(QWidget* parent) : QDialog(parent) {
    const DialogControls controls = buildDialog(*this, kTemplate, setupLabelFont(15));
    numberEdit_ = controls.get<QLineEdit>(kNumberEditId);
    setComPortNumber(comPortNumber_);
    numberEdit_->setFocus();
}

void CComPortDlg::setComPortNumber(std::uint32_t number) {
    comPortNumber_ = number;
    showEntry(*numberEdit_, number);
}

void CComPortDlg::accept() {
    const auto number = parseUnsignedEntry(numberEdit_->text().toStdString());
    if (!number) {
        refuseEntry(this, *numberEdit_, QStringLiteral("Please enter a positive integer."));
        return;
    }
    comPortNumber_ = *number;
    QDialog::accept();
}

} // namespace calorant
