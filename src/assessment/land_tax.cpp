#include "assessment/land_tax.h"

#include "assessment/asset_labels.h"

namespace lirma::assessment {

using base::Decimal;

namespace {

const char kLetters[] = "ABCDEF";

// One land row from the sum of its cells: rounded to lei, exempted, discounted.
TaxItem landItem(const QString& grupa, const QString& denum, const QString& um, const Decimal& quantity,
                 const Decimal& cellSum, const Decimal& exemptPercent, ExemptionGroup group,
                 const Decimal& discountPercent, bool discountGranted)
{
    TaxItem item;
    item.grupa = grupa;
    item.denum = denum;
    item.um = um;
    item.quantity = quantity;
    const Exempted e = ApplyExemption(Decimal(base::RoundHalfAway(cellSum)), exemptPercent);
    item.amount = e.rest;
    item.exempted = e.lei;
    item.exemption = group;
    if (discountGranted) {
        item.discount = Decimal(WholeDiscount(e.rest.trunc(), discountPercent));
        item.discountPercent = discountPercent;
    }
    return item;
}

} // namespace

OutsideLand OutsideLand::FromRow(const PageRow& pag1)
{
    static const std::vector<QString> names = [] {
        std::vector<QString> v;
        for (int n = 1; n <= 11; ++n)
            for (int x = 0; x < 5; ++x)
                v.push_back(QStringLiteral("L%1%2").arg(n).arg(QChar(kLetters[x])));
        return v;
    }();
    OutsideLand land;
    for (int n = 0; n < 11; ++n)
        for (int x = 0; x < 5; ++x)
            land.area[n][x] = pag1.value(names[size_t(n * 5 + x)]);
    return land;
}

InsideLand InsideLand::FromRow(const PageRow& pag4)
{
    static const std::vector<QString> names = [] {
        std::vector<QString> v;
        for (int x = 0; x < 6; ++x)
            v.push_back(QStringLiteral("CC%1").arg(QChar(kLetters[x])));
        for (int r = 1; r <= 8; ++r)
            for (int x = 0; x < 6; ++x)
                v.push_back(QStringLiteral("AL%1%2").arg(r).arg(QChar(kLetters[x])));
        return v;
    }();
    InsideLand land;
    for (int x = 0; x < 6; ++x)
        land.yards[x] = pag4.value(names[size_t(x)]);
    for (int r = 0; r < 8; ++r)
        for (int x = 0; x < 6; ++x)
            land.area[r][x] = pag4.value(names[size_t(6 + r * 6 + x)]);
    return land;
}

Decimal CellTax(const Decimal& area, const Decimal& rate) { return area * rate; }

std::vector<TaxItem> OutsideLandItems(const OutsideLand& land, const TaxpayerTerms& terms,
                                      const AssessmentSettings& settings)
{
    const bool discount = DiscountGranted(terms.person, settings.reducereJuridice);
    std::vector<TaxItem> items;
    for (int n = 0; n < 11; ++n) {
        Decimal sum, area;
        for (int x = 0; x < 5; ++x) {
            sum += CellTax(land.area[n][x], settings.land.outside[n][x]);
            area += land.area[n][x];
        }
        items.push_back(landItem(GroupLandOutside(), OutsideLandLabels()[n], QStringLiteral("ha"), area, sum,
                                 terms.exemptions.outside, ExemptionGroup::LandOutside, settings.ered, discount));
    }
    return items;
}

std::vector<TaxItem> InsideLandItems(const InsideLand& land, const TaxpayerTerms& terms,
                                     const AssessmentSettings& settings)
{
    const bool discount = DiscountGranted(terms.person, settings.reducereJuridice);
    std::vector<TaxItem> items;
    Decimal sum, area;
    for (int x = 0; x < 6; ++x) {
        sum += CellTax(land.yards[x], settings.land.yards[x]);
        area += land.yards[x];
    }
    items.push_back(landItem(GroupLandInside(), YardsLabel(), QStringLiteral("mp"), area, sum, terms.exemptions.yards,
                             ExemptionGroup::Yards, settings.iired, discount));
    for (int r = 0; r < 8; ++r) {
        Decimal rowSum, rowArea;
        for (int x = 0; x < 6; ++x) {
            rowSum += CellTax(land.area[r][x], settings.land.inside[r][x]);
            rowArea += land.area[r][x];
        }
        items.push_back(landItem(GroupLandInside(), InsideLandLabels()[r], QStringLiteral("ha"), rowArea, rowSum,
                                 terms.exemptions.inside, ExemptionGroup::LandInside, settings.iired, discount));
    }
    return items;
}

} // namespace lirma::assessment
