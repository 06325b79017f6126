#include "panel/CComPortDlg.h"

#include "core/NumberFormat.h"
#include "panel/DialogLayout.h"
#include "panel/IntegerEntry.h"
#include "panel/SetupDialogFonts.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace calorant {

CComPortDlg::CComPortDlg(QWidget* parent) : QDialog(parent) {
    const DialogUnits units = DialogUnits::systemTemplate();
    const QFont labelFont = setupLabelFont(15);
    setWindowTitle(QStringLiteral("COM Port Setup"));
    setFont(setupTemplateFont());
    setLayoutSize(this, units, 140, 55);

    placeControl(new QGroupBox(QStringLiteral("Input integer number 5 to 16"), this), units, 5, 3,
                 132, 36);

    auto* numberLabel = new QLabel(QStringLiteral("COM  No."), this);
    numberLabel->setFont(labelFont);
    placeControl(numberLabel, units, 30, 23, 32, 8);

    numberEdit_ = new QLineEdit(this);
    numberEdit_->setObjectName(QStringLiteral("comPortEdit"));
    placeControl(numberEdit_, units, 66, 20, 40, 14);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setFont(labelFont);
    ok->setDefault(true);
    placeControl(ok, units, 54, 40, 33, 14);
    connect(ok, &QPushButton::clicked, this, &CComPortDlg::accept);

    setComPortNumber(comPortNumber_);
    numberEdit_->setFocus();
}

void CComPortDlg::setComPortNumber(std::uint32_t number) {
    comPortNumber_ = number;
    numberEdit_->setText(QString::fromStdString(formatInt(number)));
    numberEdit_->selectAll();
}

void CComPortDlg::accept() {
    const auto number = parseUnsignedEntry(numberEdit_->text().toStdString());
    if (!number) {
        showMessage(this, QStringLiteral("Please enter a positive integer."));
        numberEdit_->setFocus();
        numberEdit_->selectAll();
        return;
    }
    comPortNumber_ = *number;
    QDialog::accept();
}

} // namespace calorant
