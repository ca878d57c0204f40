// A read-only grid model of rows already turned into text: the grids of the codes window and of
// the page of the year's operations. Each row keeps the identifier of its table row, so a grid
// can select a row again after it is reopened.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace lirma::assessment {

class TextRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Row {
        int64_t id = 0;
        QStringList cells;
    };

    // `rightAligned`: the columns of numbers.
    TextRowsModel(QStringList titles, std::vector<int> rightAligned, QObject* parent = nullptr);

    void setRows(std::vector<Row> rows);
    const std::vector<Row>& rows() const { return rows_; }
    // The row of an identifier, -1 when absent.
    int rowOf(int64_t id) const;
    int64_t idAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QStringList titles_;
    std::vector<int> rightAligned_;
    std::vector<Row> rows_;
};

} // namespace lirma::assessment
