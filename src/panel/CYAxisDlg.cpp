#include "panel/CYAxisDlg.h"

#include "core/NumberFormat.h"
#include "panel/DialogTemplate.h"
#include "panel/SetupDialogFonts.h"
#include "panel/YAxisScale.h"

#include <QComboBox>
#include <span>

namespace calorant {

namespace {

constexpr int kOffsetListId = 1106;
constexpr int kGainListId = 1107;

constexpr DialogControl kControls[] = {
    {1033, ControlKind::GroupBox, "Y OFFSET And Y GAINS ", 7, 2, 126, 38},
    {1031, ControlKind::Label, "Y OFFSET(DIV)", 13, 15, 49, 8, kLabelFont},
    {kOffsetListId, ControlKind::DropDownList, "", 13, 24, 50, 96, 0, "yOffsetList"},
    {1032, ControlKind::Label, "Y GAINS/DIV", 78, 15, 42, 8, kLabelFont},
    {kGainListId, ControlKind::DropDownList, "", 78, 24, 48, 113, 0, "yGainList"},
    {kOkButtonId, ControlKind::DefaultButton, "OK", 55, 40, 27, 14, kLabelFont},
};

constexpr DialogTemplate kTemplate{
    "Y OFFSET And Y GAINS Setup", 140, 54, {"System", 10}, kControls};

// The choices in their fixed order, none selected.
QComboBox* fillChoiceList(QComboBox* list, std::span<const int> choices) {
    for (const int value : choices)
        list->addItem(QString::fromStdString(formatInt(value)));
    list->setCurrentIndex(-1);
    return list;
}

} // namespace

CYAxisDlg::CYAxisDlg(QWidget* parent) : QDialog(parent) {
    const DialogControls controls = buildDialog(*this, kTemplate, setupLabelFont(13));
    offsetList_ = fillChoiceList(controls.get<QComboBox>(kOffsetListId), kYOffsetChoices);
    gainList_ = fillChoiceList(controls.get<QComboBox>(kGainListId), kYGainChoices);
}

int CYAxisDlg::gainIndex() const {
    return gainList_->currentIndex();
}

int CYAxisDlg::offsetIndex() const {
    return offsetList_->currentIndex();
}

} // namespace calorant
