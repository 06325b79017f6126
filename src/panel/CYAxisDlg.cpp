#include "panel/CYAxisDlg.h"

#include "core/NumberFormat.h"
#include "panel/DialogLayout.h"
#include "panel/SetupDialogFonts.h"
#include "panel/YAxisScale.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <span>

namespace calorant {

namespace {

QComboBox* makeChoiceList(QWidget* parent, std::span<const int> choices) {
    auto* list = new QComboBox(parent);
    for (const int value : choices)
        list->addItem(QString::fromStdString(formatInt(value)));
    list->setCurrentIndex(-1);
    return list;
}

} // namespace

CYAxisDlg::CYAxisDlg(QWidget* parent) : QDialog(parent) {
    const DialogUnits units = DialogUnits::systemTemplate();
    const QFont labelFont = setupLabelFont(13);
    setWindowTitle(QStringLiteral("Y OFFSET And Y GAINS Setup"));
    setFont(setupTemplateFont());
    setLayoutSize(this, units, 140, 54);

    placeControl(new QGroupBox(QStringLiteral("Y OFFSET And Y GAINS "), this), units, 7, 2, 126,
                 38);

    auto* offsetLabel = new QLabel(QStringLiteral("Y OFFSET(DIV)"), this);
    offsetLabel->setFont(labelFont);
    placeControl(offsetLabel, units, 13, 15, 49, 8);

    // Closed lists are one text line high; they drop down over the rest.
    offsetList_ = makeChoiceList(this, kYOffsetChoices);
    offsetList_->setObjectName(QStringLiteral("yOffsetList"));
    placeControl(offsetList_, units, 13, 24, 50, 12);

    auto* gainLabel = new QLabel(QStringLiteral("Y GAINS/DIV"), this);
    gainLabel->setFont(labelFont);
    placeControl(gainLabel, units, 78, 15, 42, 8);

    gainList_ = makeChoiceList(this, kYGainChoices);
    gainList_->setObjectName(QStringLiteral("yGainList"));
    placeControl(gainList_, units, 78, 24, 48, 12);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setFont(labelFont);
    ok->setDefault(true);
    placeControl(ok, units, 55, 40, 27, 14);
    connect(ok, &QPushButton::clicked, this, &CYAxisDlg::accept);
}

int CYAxisDlg::gainIndex() const {
    return gainList_->currentIndex();
}

int CYAxisDlg::offsetIndex() const {
    return offsetList_->currentIndex();
}

} // namespace calorant
