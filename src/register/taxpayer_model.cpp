#include "register/taxpayer_model.h"

#include "register/register_texts.h"

namespace lirma::reg {

TaxpayerModel::TaxpayerModel(TaxpayerRegister& reg, QObject* parent) : QAbstractTableModel(parent), reg_(reg) {}

std::vector<core::HeaderBand> TaxpayerModel::Bands()
{
    return {{int(GridColumn::ScClad), 5, text::ScutiriBand()}};
}

void TaxpayerModel::refresh()
{
    beginResetModel();
    endResetModel();
}

int TaxpayerModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : reg_.visibleCount(); }

int TaxpayerModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kGridColumnCount; }

QVariant TaxpayerModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= reg_.visibleCount())
        return {};
    const GridColumn c = GridColumn(index.column());
    const bool number = c == GridColumn::NrPers || c >= GridColumn::ScClad;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    if (role != Qt::DisplayRole)
        return {};
    const Taxpayer& t = reg_.visible(index.row());
    switch (c) {
    case GridColumn::Satul: return t.satul;
    case GridColumn::Rol: return t.rol;
    case GridColumn::Numep: return t.numep;
    case GridColumn::Tip: return t.tip;
    case GridColumn::NrPers: return QString::number(t.nrpers);
    case GridColumn::Cnp: return t.cnp;
    case GridColumn::Strada: return t.strada;
    case GridColumn::Adresa: return t.adresa;
    case GridColumn::ScClad: return QString::number(t.scclad);
    case GridColumn::ScCC: return QString::number(t.sccc);
    case GridColumn::ScTE: return QString::number(t.scte);
    case GridColumn::ScTI: return QString::number(t.scti);
    case GridColumn::ScAuto: return QString::number(t.scauto);
    case GridColumn::Count: break;
    }
    return {};
}

QVariant TaxpayerModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kGridColumnCount)
        return {};
    return text::GridTitles().at(section);
}

Qt::ItemFlags TaxpayerModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace lirma::reg
