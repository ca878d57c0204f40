// The rows of one activity log as a read-only table for the viewer's grid: "Data", "Ora",
// "Nume operator", "ROL", "Actiune", the first two under the band "Data si ora".
#pragma once

#include "core/activity_log.h"

#include <QAbstractTableModel>

#include <vector>

namespace lirma::core {

// Columns that share a title above their own: `count` columns from `first`.
struct HeaderBand {
    int first = 0;
    int count = 0;
    QString title;
};

class LogTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { ColDate = 0, ColTime, ColUser, ColRol, ColAction, ColumnCount };

    explicit LogTableModel(QObject* parent = nullptr);

    // The bands above the column titles.
    static std::vector<HeaderBand> Bands();

    void setEntries(std::vector<LogEntry> entries);
    void clear() { setEntries({}); }
    const std::vector<LogEntry>& entries() const { return entries_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Dates as "dd.MM.yyyy"; texts as stored.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::vector<LogEntry> entries_;
};

}  // namespace lirma::core
