#include "loggerview/DataListModel.h"

#include "logger/DataListRow.h"

#include <algorithm>
#include <array>

namespace calorant {

namespace {

constexpr std::array<const char*, kDataListColumns> kHeaders{"No.", "Date", "Time", "T1",
                                                             "T2",  "IR",   "T3",   "T4"};

} // namespace

DataListModel::DataListModel(const LoggerSet& set, QObject* parent)
    : QAbstractTableModel(parent), set_(set) {}

void DataListModel::setItemCount(int count) {
    beginResetModel();
    itemCount_ = std::max(count, 0);
    endResetModel();
}

int DataListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : itemCount_;
}

int DataListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kDataListColumns;
}

QVariant DataListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole))
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    const DataListRow row = dataListRow(set_, index.row());
    return QString::fromStdString(row[static_cast<std::size_t>(index.column())]);
}

QVariant DataListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= kDataListColumns)
        return {};
    return QString::fromLatin1(kHeaders[static_cast<std::size_t>(section)]);
}

} // namespace calorant
