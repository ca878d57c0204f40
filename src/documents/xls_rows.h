// The records a list writes into the data row of a workbook template: named columns, each holding texts,
// numbers or dates. Built from a query of the storage engine; the column kinds come from the values
// (dates arrive as "yyyy-MM-dd" texts) unless the caller names them.
#pragma once

#include "platform/storage/storage.h"

#include <QString>

#include <map>
#include <vector>

namespace lirma::documents {

class XlsRows {
public:
    enum class Kind { Text, Number, Date };

    XlsRows() = default;
    XlsRows(std::vector<QString> columns, std::vector<Kind> kinds);

    // Kinds: a column whose values are all numbers (or NULL) is a number column, one whose texts all read
    // "yyyy-MM-dd" is a date column, any other a text column. `kinds` overrides, by column name.
    static XlsRows FromResult(const storage::ResultSet& result, const std::map<QString, Kind>& kinds = {});

    void addRow(std::vector<storage::Value> values);

    int columnCount() const { return int(columns_.size()); }
    int rowCount() const { return int(rows_.size()); }
    const QString& columnName(int column) const { return columns_[size_t(column)]; }
    Kind kind(int column) const { return kinds_[size_t(column)]; }
    // Index of a column by name without regard to case; -1 when absent.
    int column(const QString& name) const;
    const storage::Value& value(int row, int column) const { return rows_[size_t(row)][size_t(column)]; }

private:
    std::vector<QString> columns_;
    std::vector<Kind> kinds_;
    std::vector<std::vector<storage::Value>> rows_;
};

} // namespace lirma::documents
