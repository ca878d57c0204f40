#include "collections/balance.h"

#include "collections/penalty.h"
#include "db/catalog.h"
#include "platform/base/dates.h"

namespace lirma::collections {

namespace {

QString groupText(std::string_view name) { return QString::fromLatin1(name.data(), qsizetype(name.size())); }

} // namespace

const QStringList& YearlyTaxGroups()
{
    static const QStringList groups{groupText(db::kGroupBuildings), groupText(db::kGroupLandInside),
                                    groupText(db::kGroupLandOutside), groupText(db::kGroupVehicles)};
    return groups;
}

bool IsYearlyTaxGroup(const QString& grupa) { return YearlyTaxGroups().contains(grupa); }

bool DebitCategoryCarriesPenalty(const QString& categ)
{
    return categ == QLatin1String("Cumparare") || categ == QLatin1String("Majorare") ||
           categ == QLatin1String("Taxa");
}

Instalments SplitInstalments(int64_t suma, int64_t rest)
{
    Instalments i;
    if (suma < 50) {
        i.unpaid1 = rest;
        return i;
    }
    const int64_t second = suma - suma / 2; // the second instalment gets the odd leu
    if (second >= rest) {
        i.unpaid2 = rest;
    } else {
        i.unpaid1 = rest - second;
        i.unpaid2 = second;
    }
    if (i.unpaid1 < 0)
        i.unpaid1 = 0;
    return i;
}

namespace {

// The credit left for the year once it has paid the arrears and the carried penalties (those of a
// no-penalty taxpayer stay as they are). Without carried penalties this is -RAM1 whenever RAM1 < 0.
int64_t creditForTheYear(const SoldCalcRow& row, bool noPenalties)
{
    int64_t credit = row.DEPOZ;
    const int64_t owed = row.DATOR + (noPenalties ? 0 : row.MAJOR);
    if (credit > 0 && owed > 0)
        credit = credit >= owed ? credit - owed : 0;
    return credit;
}

ImpoziteRow yearlyGroup(const SoldCalcRow& row, const QDate& d, const BalanceOptions& o,
                        const QStringList& discountedGroups)
{
    ImpoziteRow out;
    static_cast<SoldCalcRow&>(out) = row;
    if (!o.discounts)
        out.REDUC = 0;

    const int64_t s = out.SUMA;
    const int64_t r = out.REST;
    const Instalments parts = SplitInstalments(s, r);

    int64_t red = out.SCUTIRE == 0 ? out.REDUC : 0;
    if (!o.naturalPerson && !o.discountLegalPersons)
        red = 0;
    if (s < 50 && !o.discountUnder50)
        red = 0;
    if (discountedGroups.contains(out.GRUPA))
        red = 0;

    // Arrears net of the credit; the penalty runs on them from 31 December of last year.
    const QDate lastYearEnd(o.fiscalYear - 1, 12, 31);
    int64_t x = out.DEPOZ > 0 ? -out.DEPOZ : 0;
    int64_t p = 0;
    if (out.DATOR > 0) {
        x += out.DATOR;
        if (x > 0)
            p = ComputePenalty(o.noPenalties, lastYearEnd, d, x, o.fiscalYear);
    }
    const int64_t ram1 = x;

    int64_t cur1 = 0;
    if (out.SCUTIRE == 0) {
        cur1 = r;
        const QDate t1 = base::FirstTermDate(o.fiscalYear);
        const QDate t2 = base::SecondTermDate(o.fiscalYear);
        if (d <= t1) {
            if (r > 0)
                cur1 = r - red;
            else
                red = 0; // nothing of the year is left to pay: no discount is taken off
        } else {
            red = 0;
            // A credit pays the first instalment before penalties are counted on it, with what is
            // left of it once the arrears and the carried penalties are paid (as a payment uses it).
            const int64_t credit = creditForTheYear(out, o.noPenalties);
            const int64_t base1 = credit > 0 ? parts.unpaid1 - credit : parts.unpaid1;
            if (base1 > 0)
                p += ComputePenalty(o.noPenalties, t1, d, base1, o.fiscalYear);
            if (d > t2) {
                const int64_t base2 = base1 < 0 ? base1 + parts.unpaid2 : parts.unpaid2;
                if (base2 > 0)
                    p += ComputePenalty(o.noPenalties, t2, d, base2, o.fiscalYear);
            }
        }
    } else {
        red = 0;
    }

    int64_t m = out.MAJOR;
    if (o.noPenalties) {
        p = 0;
        m = 0;
    }
    out.CUR1 = cur1;
    out.RAM1 = ram1;
    out.RED1 = red;
    out.SCUT1 = out.SCUTIRE;
    out.MAJOR1 = p + m;
    out.DEPLATA = ram1 + cur1 + p + m;
    out.ACHITAT = 0;
    return out;
}

} // namespace

Balance ComputeBalance(const BalanceInput& input, const QDate& d, const BalanceOptions& o)
{
    Balance b;

    for (const DatoriiRow& row : input.datorii) {
        if (row.SUMA + row.REST - row.REDUC == 0 || IsYearlyTaxGroup(row.GRUPA))
            continue;
        TaxeRow t;
        static_cast<DatoriiRow&>(t) = row;
        // Levies carry no penalties here.
        t.CUR1 = row.SUMA;
        t.REST1 = row.REST;
        t.DEPLATA = row.REST + row.SUMA - row.REDUC;
        b.taxe.push_back(t);
    }

    for (const SoldCalcRow& row : input.soldCalc)
        b.impozite.push_back(yearlyGroup(row, d, o, input.discountedGroups));

    for (const DebitRow& row : input.debit) {
        if (row.SUMAC == 0)
            continue;
        DebiteRow t;
        static_cast<DebitRow&>(t) = row;
        // A debit without a penalty date has no term to run from: it carries no penalty.
        const bool penalised = !o.noPenalties && row.PENDATA.isValid() && d >= row.PENDATA &&
                               row.SUMAC >= 0 && DebitCategoryCarriesPenalty(row.CATEG);
        t.MAJOR = penalised ? ComputePenalty(false, row.PENDATA, d, row.SUMAC, o.fiscalYear) : 0;
        t.DEPLATA = t.MAJOR + row.SUMAC;
        b.debite.push_back(t);
    }

    for (const DebiteRow& r : b.debite)
        b.total += r.DEPLATA;
    for (const TaxeRow& r : b.taxe)
        b.total += r.DEPLATA;
    for (const ImpoziteRow& r : b.impozite)
        b.total += r.DEPLATA;
    return b;
}

int64_t ReceiptValue(const Balance& b)
{
    int64_t sum = 0;
    for (const auto& r : b.impozite)
        sum += r.ACHITAT;
    for (const auto& r : b.taxe)
        sum += r.ACHITAT;
    for (const auto& r : b.debite)
        sum += r.ACHITAT;
    return sum;
}

int64_t SearchListDebt(const Balance& b)
{
    int64_t sum = 0;
    for (const auto& r : b.impozite)
        if (r.RAM1 > 0)
            sum += r.RAM1;
    for (const auto& r : b.taxe)
        if (r.REST1 > 0)
            sum += r.REST1;
    return sum;
}

QDate LatestCalculationDate(int fiscalYear) { return QDate(fiscalYear, 12, 31); }

QDate DefaultCalculationDate(const QDate& today, int fiscalYear)
{
    const QDate latest = LatestCalculationDate(fiscalYear);
    return today > latest ? latest : today;
}

int64_t ToggledAmount(int64_t achitat, int64_t deplata) { return achitat != deplata ? deplata : 0; }

int64_t StoredTaxOrDebitAmount(int64_t typed, int64_t deplata)
{
    return typed < 0 && typed < deplata ? deplata : typed;
}

} // namespace lirma::collections
