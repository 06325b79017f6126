#include "loggerview/CDataListDlg.h"

#include "logger/LoggerSet.h"
#include "loggerview/DataListModel.h"

#include <QHeaderView>
#include <QResizeEvent>
#include <QTableView>
#include <array>

namespace calorant {

namespace {

constexpr DialogControl kControls[] = {
    {CDataListDlg::kListId, ControlKind::ListView, "", 7, 7, 336, 282, kGrowWidth | kGrowHeight,
     "dataList"},
};

// The template's vertical variant of "Arial Unicode MS" stands for the default sans face.
constexpr DialogTemplate kTemplate{"Data List", 350,  296, {"Arial Unicode MS", 10},
                                   kControls,   false};

constexpr std::array<int, 8> kColumnWidths{50, 80, 80, 80, 80, 80, 80, 80};

} // namespace

CDataListDlg::CDataListDlg(const LoggerSet& set, QWidget* parent)
    : QDialog(parent), controls_(buildDialog(*this, kTemplate)),
      model_(new DataListModel(set, this)), list_(controls_.get<QTableView>(kListId)) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    list_->setModel(model_);
    for (std::size_t column = 0; column < kColumnWidths.size(); ++column)
        list_->horizontalHeader()->resizeSection(static_cast<int>(column), kColumnWidths[column]);
    setItemCount(storedReadingCount(set));
}

CDataListDlg::~CDataListDlg() = default;

void CDataListDlg::setItemCount(int count) {
    model_->setItemCount(count);
}

void CDataListDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    controls_.followClientSize(event->size());
}

} // namespace calorant
