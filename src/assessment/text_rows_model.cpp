#include "assessment/text_rows_model.h"

#include <algorithm>

namespace lirma::assessment {

TextRowsModel::TextRowsModel(QStringList titles, std::vector<int> rightAligned, QObject* parent)
    : QAbstractTableModel(parent), titles_(std::move(titles)), rightAligned_(std::move(rightAligned))
{
}

void TextRowsModel::setRows(std::vector<Row> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int TextRowsModel::rowOf(int64_t id) const
{
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].id == id)
            return int(i);
    return -1;
}

int64_t TextRowsModel::idAt(int row) const
{
    return row >= 0 && row < int(rows_.size()) ? rows_[size_t(row)].id : -1;
}

int TextRowsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }

int TextRowsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(titles_.size()); }

QVariant TextRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    if (role == Qt::DisplayRole) {
        const QStringList& cells = rows_[size_t(index.row())].cells;
        return index.column() < cells.size() ? cells[index.column()] : QString();
    }
    if (role == Qt::TextAlignmentRole) {
        const bool right = std::find(rightAligned_.begin(), rightAligned_.end(), index.column()) != rightAligned_.end();
        return int((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    return {};
}

QVariant TextRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < titles_.size())
        return titles_[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags TextRowsModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace lirma::assessment
