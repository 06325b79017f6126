#pragma once

#include "panel/DialogTemplate.h"

#include <QDialog>

class QTableView;

namespace calorant {

class DataListModel;
struct LoggerSet;

// The Data List: every reading of the logger set being shown, one row each with its
// number, date, time and the five values in the set's unit. The logger graph window
// creates it, retitles it and tells it the set's reading count when the shown set
// changes; the rows are formatted from the set only as the list shows them. Its close
// box only hides it.
class CDataListDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kListId = 1116;

    CDataListDlg(const LoggerSet& set, QWidget* parent = nullptr);
    ~CDataListDlg() override;

    // The list's number of rows (the shown set's readingCount).
    void setItemCount(int count);
    QTableView* list() const { return list_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    DialogControls controls_;
    DataListModel* model_;
    QTableView* list_;
};

} // namespace calorant
