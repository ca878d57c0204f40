// The register grid's rows: the visible taxpayers of a TaxpayerRegister as a read-only table,
// the exemption columns under the band "Scutiri".
#pragma once

#include "core/log_table_model.h"
#include "register/taxpayer_register.h"

#include <QAbstractTableModel>

#include <vector>

namespace lirma::reg {

class TaxpayerModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TaxpayerModel(TaxpayerRegister& reg, QObject* parent = nullptr);

    static std::vector<core::HeaderBand> Bands();

    // The register's visible rows changed (filter, order, reload).
    void refresh();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    TaxpayerRegister& reg_;
};

} // namespace lirma::reg
