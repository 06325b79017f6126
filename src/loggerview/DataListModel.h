#pragma once

#include <QAbstractTableModel>

namespace calorant {

struct LoggerSet;

// The Data List's rows as a virtual list: the model stores nothing but its row count,
// and formats a reading of the shown set only when the view asks for one of its cells.
// The row count changes only when the logger graph window says the shown set changed,
// so a cell may be asked for a row the set no longer holds: it is empty.
class DataListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataListModel(const LoggerSet& set, QObject* parent = nullptr);

    // The list's item count, as the shown set's readingCount.
    void setItemCount(int count);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const LoggerSet& set_;
    int itemCount_ = 0;
};

} // namespace calorant
