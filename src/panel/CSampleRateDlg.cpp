#include "panel/CSampleRateDlg.h"

#include "core/NumberFormat.h"
#include "panel/DialogLayout.h"
#include "panel/EnterEscapeFilter.h"
#include "panel/IntegerEntry.h"
#include "panel/SetupDialogFonts.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace calorant {

CSampleRateDlg::CSampleRateDlg(QWidget* parent) : QDialog(parent) {
    const DialogUnits units = DialogUnits::systemTemplate();
    const QFont labelFont = setupLabelFont(15);
    setWindowTitle(QStringLiteral("Sample Rate Setup"));
    setFont(setupTemplateFont());
    setLayoutSize(this, units, 145, 55);

    placeControl(new QGroupBox(QStringLiteral("Sample Rate Setup"), this), units, 7, 7, 131, 34);

    auto* rateLabel = new QLabel(QStringLiteral("Sample Rate"), this);
    rateLabel->setFont(labelFont);
    placeControl(rateLabel, units, 16, 22, 44, 11);

    rateEdit_ = new QLineEdit(this);
    rateEdit_->setObjectName(QStringLiteral("sampleRateEdit"));
    placeControl(rateEdit_, units, 60, 20, 50, 13);

    auto* secLabel = new QLabel(QStringLiteral("Sec"), this);
    secLabel->setFont(labelFont);
    placeControl(secLabel, units, 111, 23, 13, 9);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setFont(labelFont);
    ok->setDefault(true);
    placeControl(ok, units, 54, 41, 39, 14);
    connect(ok, &QPushButton::clicked, this, &CSampleRateDlg::accept);

    setSampleRateSec(sampleRateSec_);
    rateEdit_->setFocus();
    EnterEscapeFilter::install(this);
}

void CSampleRateDlg::setSampleRateSec(std::int32_t seconds) {
    sampleRateSec_ = seconds;
    rateEdit_->setText(QString::fromStdString(formatInt(seconds)));
    rateEdit_->selectAll();
}

void CSampleRateDlg::accept() {
    const auto rate = parseIntegerEntry(rateEdit_->text().toStdString());
    if (!rate) {
        showMessage(this, QStringLiteral("Please enter an integer."));
        rateEdit_->setFocus();
        rateEdit_->selectAll();
        return;
    }
    sampleRateSec_ = *rate;
    QDialog::accept();
}

} // namespace calorant
