#include "core/log_table_model.h"

#include "platform/base/dates.h"

namespace lirma::core {

LogTableModel::LogTableModel(QObject* parent) : QAbstractTableModel(parent) {}

std::vector<HeaderBand> LogTableModel::Bands() { return {{ColDate, 2, logtext::DateTimeBand()}}; }

void LogTableModel::setEntries(std::vector<LogEntry> entries)
{
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

int LogTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(entries_.size());
}

int LogTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant LogTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(entries_.size())) return {};
    if (role != Qt::DisplayRole) return {};
    const LogEntry& e = entries_[size_t(index.row())];
    switch (index.column()) {
    case ColDate: return base::FormatDate(e.date);
    case ColTime: return e.time;
    case ColUser: return e.user;
    case ColRol: return e.rol;
    case ColAction: return e.action;
    default: return {};
    }
}

QVariant LogTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    const QStringList titles = logtext::ColumnTitles();
    if (section < 0 || section >= titles.size()) return {};
    return titles[section];
}

Qt::ItemFlags LogTableModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace lirma::core
