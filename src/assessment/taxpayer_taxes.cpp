#include "assessment/taxpayer_taxes.h"

#include "assessment/asset_labels.h"
#include "assessment/land_tax.h"
#include "assessment/vehicle_tax.h"

namespace lirma::assessment {

using base::Decimal;

namespace {

QString textOf(const storage::ResultSet& rs, const char* column)
{
    return QString::fromStdString(rs.at(0, column).toText()).trimmed();
}

PageRow pageOf(storage::Database& db, const char* table, int64_t idgos)
{
    return PageRow::FromResult(db.query(std::string("SELECT * FROM ") + table + " WHERE IDGOS = ?", {idgos}));
}

} // namespace

std::optional<TaxpayerAssets> ReadTaxpayerAssets(storage::Database& db, int64_t idgos)
{
    const storage::ResultSet g = db.query("SELECT IDGOS, SATUL, ROL, NUMEP, TIP, NOTAX, SCCLAD, SCCC, SCTI, SCAUTO, "
                                          "SCTE FROM Gospodar WHERE IDGOS = ?",
                                          {idgos});
    if (g.empty())
        return std::nullopt;
    TaxpayerAssets a;
    TaxpayerRecord& t = a.taxpayer;
    t.idgos = idgos;
    // Leading spaces of a stored text are kept: they are part of what the other rows copy.
    t.satul = QString::fromStdString(g.at(0, "SATUL").toText());
    t.rol = QString::fromStdString(g.at(0, "ROL").toText());
    t.numep = textOf(g, "NUMEP");
    t.tip = textOf(g, "TIP");
    t.notax = textOf(g, "NOTAX");
    t.terms.person = PersonTypeOf(t.tip);
    t.terms.exemptions.buildings = DecimalOf(g.at(0, "SCCLAD"));
    t.terms.exemptions.yards = DecimalOf(g.at(0, "SCCC"));
    t.terms.exemptions.inside = DecimalOf(g.at(0, "SCTI"));
    t.terms.exemptions.vehicles = DecimalOf(g.at(0, "SCAUTO"));
    t.terms.exemptions.outside = DecimalOf(g.at(0, "SCTE"));

    a.pag1 = pageOf(db, "Pag1", idgos);
    a.pag4 = pageOf(db, "Pag4", idgos);
    a.pag5 = pageOf(db, "Pag5", idgos);
    a.pag6 = pageOf(db, "Pag6", idgos);
    a.pag7 = pageOf(db, "Pag7", idgos);
    a.pag8 = pageOf(db, "Pag8", idgos);
    const storage::ResultSet b = db.query("SELECT * FROM Pag2 WHERE IDGOS = ? ORDER BY IDMANUAL, IDCLAD", {idgos});
    for (size_t r = 0; r < b.size(); ++r)
        a.buildings.push_back(BuildingRowFromResult(b, r));
    return a;
}

TaxItem BuildingsItem(const std::vector<BuildingRow>& buildings, const TaxpayerTerms& terms,
                      const AssessmentSettings& settings, int fiscalYear)
{
    int64_t sum = 0;
    for (const BuildingRow& row : buildings)
        sum += ComputeBuildingTax(row, terms.person, settings.building, fiscalYear).taxLei;
    TaxItem item;
    item.grupa = GroupBuildings();
    item.denum = BuildingsLabel();
    item.um = QStringLiteral("buc");
    item.quantity = Decimal(int64_t(buildings.size()));
    const Exempted e = ApplyExemption(Decimal(sum), terms.exemptions.buildings);
    item.amount = e.rest;
    item.exempted = e.lei;
    item.exemption = ExemptionGroup::Buildings;
    if (DiscountGranted(terms.person, settings.reducereJuridice)) {
        item.discount = Decimal(WholeDiscount(e.rest.trunc(), settings.redc));
        item.discountPercent = settings.redc;
    }
    return item;
}

std::vector<TaxItem> OtherTaxItems(const PageRow& pag7, const AssessmentSettings& settings)
{
    std::vector<TaxItem> items;
    for (int n = 1; n <= 6; ++n) {
        TaxItem item;
        item.grupa = item.denum = OtherTaxLabels()[n - 1];
        item.um = QStringLiteral("buc");
        item.quantity = pag7.value(QStringLiteral("LIN%1").arg(n));
        item.amount = settings.otherTaxes[n - 1] * item.quantity;
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<TaxItem> OtherArrearsItems(const PageRow& pag8)
{
    std::vector<TaxItem> items;
    for (int n = 5; n <= 11; ++n) {
        TaxItem item;
        item.kind = TaxItem::Kind::Arrears;
        item.grupa = item.denum = ArrearsLabels()[n - 1];
        item.arrears = base::RoundHalfAway(pag8.value(QStringLiteral("LIN%1").arg(n)));
        items.push_back(std::move(item));
    }
    return items;
}

std::vector<TaxItem> TaxpayerItems(const TaxpayerAssets& a, const AssessmentSettings& settings, int fiscalYear)
{
    const TaxpayerTerms& terms = a.taxpayer.terms;
    std::vector<TaxItem> items = OutsideLandItems(OutsideLand::FromRow(a.pag1), terms, settings);
    items.push_back(BuildingsItem(a.buildings, terms, settings, fiscalYear));
    auto append = [&items](std::vector<TaxItem> more) {
        items.insert(items.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    };
    append(InsideLandItems(InsideLand::FromRow(a.pag4), terms, settings));
    append(VehicleItems(VehiclePages::FromRows(a.pag5, a.pag6), terms, settings));
    append(OtherTaxItems(a.pag7, settings));
    append(OtherArrearsItems(a.pag8));
    return items;
}

std::vector<YearlyArrears> YearlyArrearsOf(const PageRow& pag8, bool noPenalties)
{
    const QString groups[4] = {GroupLandOutside(), GroupBuildings(), GroupLandInside(), GroupVehicles()};
    std::vector<YearlyArrears> out;
    for (int k = 1; k <= 4; ++k) {
        YearlyArrears y;
        y.grupa = groups[k - 1];
        y.arrears = base::RoundHalfAway(pag8.value(QStringLiteral("LIN%1").arg(k)));
        y.credit = base::RoundHalfAway(pag8.value(QStringLiteral("SOLD%1").arg(k)));
        y.penalties = noPenalties ? 0 : base::RoundHalfAway(pag8.value(QStringLiteral("PEN%1").arg(k)));
        out.push_back(y);
    }
    return out;
}

} // namespace lirma::assessment
