#include "documents/xls_rows.h"

#include <QRegularExpression>

#include <algorithm>

#include <stdexcept>

namespace lirma::documents {

XlsRows::XlsRows(std::vector<QString> columns, std::vector<Kind> kinds)
    : columns_(std::move(columns)), kinds_(std::move(kinds))
{
    if (columns_.size() != kinds_.size())
        throw std::invalid_argument("XlsRows: one kind per column");
}

XlsRows XlsRows::FromResult(const storage::ResultSet& result, const std::map<QString, Kind>& kinds)
{
    static const QRegularExpression isoDate(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    std::vector<QString> names;
    std::vector<Kind> found;
    for (size_t c = 0; c < result.columns.size(); ++c) {
        QString name = QString::fromStdString(result.columns[c]);
        names.push_back(name);
        auto named = std::find_if(kinds.begin(), kinds.end(), [&](const auto& k) {
            return k.first.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (named != kinds.end()) {
            found.push_back(named->second);
            continue;
        }
        bool anyText = false;
        bool allDates = true;
        bool anyValue = false;
        for (const auto& row : result.rows) {
            const storage::Value& v = row[c];
            if (v.isNull())
                continue;
            anyValue = true;
            if (v.isText()) {
                anyText = true;
                if (!isoDate.match(QString::fromStdString(v.toText())).hasMatch())
                    allDates = false;
            } else {
                allDates = false;
            }
        }
        if (!anyText)
            found.push_back(anyValue ? Kind::Number : Kind::Text);
        else
            found.push_back(allDates ? Kind::Date : Kind::Text);
    }
    XlsRows rows(std::move(names), std::move(found));
    rows.rows_ = result.rows;
    return rows;
}

void XlsRows::addRow(std::vector<storage::Value> values)
{
    if (values.size() != columns_.size())
        throw std::invalid_argument("XlsRows: one value per column");
    rows_.push_back(std::move(values));
}

int XlsRows::column(const QString& name) const
{
    for (size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

} // namespace lirma::documents
