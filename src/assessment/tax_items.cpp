#include "assessment/tax_items.h"

#include "assessment/exact_decimal.h"
#include "core/admin_values.h"
#include "db/settings.h"

#include <map>
#include <mutex>

namespace lirma::assessment {

using base::Decimal;

namespace {

Decimal numberOr(const core::AdminValues& values, const QString& name, const Decimal& fallback)
{
    return values.number(name).value_or(fallback);
}

Decimal numberOrZero(const core::AdminValues& values, const QString& name) { return values.numberOrZero(name); }

QString heading(const core::AdminValues& values, const QString& zone, const QString& rank)
{
    return values.text(zone) + QLatin1Char(' ') + values.text(rank);
}

} // namespace

int64_t TotalLei(const std::vector<TaxItem>& items)
{
    int64_t total = 0;
    for (const TaxItem& item : items)
        if (item.kind == TaxItem::Kind::Year)
            total += item.amountLei();
    return total;
}

AssessmentSettings AssessmentSettings::Load(const core::AdminValues& values, const db::Settings& settings)
{
    AssessmentSettings s;
    static const char kOutsideLetters[] = "ABCDE";
    static const char kInsideLetters[] = "ABCDEF";
    for (int n = 1; n <= 11; ++n)
        for (int x = 0; x < 5; ++x)
            s.land.outside[n - 1][x] = numberOrZero(values, QStringLiteral("EC%1Z%2").arg(n).arg(QChar(kOutsideLetters[x])));
    for (int c = 0; c < 6; ++c)
        s.land.yards[c] = numberOrZero(values, QStringLiteral("ICC%1").arg(QChar(kInsideLetters[c])));
    for (int r = 1; r <= 8; ++r)
        for (int c = 1; c <= 6; ++c)
            s.land.inside[r - 1][c - 1] = numberOrZero(values, QStringLiteral("IA%1%2").arg(r).arg(c));
    for (int c = 1; c <= 5; ++c)
        s.land.outsideHeadings[c - 1] = heading(values, QStringLiteral("TEZ%1").arg(c), QStringLiteral("TER%1").arg(c));
    for (int c = 1; c <= 6; ++c)
        s.land.insideHeadings[c - 1] = heading(values, QStringLiteral("TIZ%1").arg(c), QStringLiteral("TIR%1").arg(c));

    for (int n = 1; n <= 23; ++n)
        s.vehicles.autoRate[n] = numberOrZero(values, QStringLiteral("AUTO%1").arg(n));
    for (int n = 1; n <= 15; ++n) {
        s.vehicles.heavy[n - 1][0] = numberOrZero(values, QStringLiteral("G%1A").arg(n));
        s.vehicles.heavy[n - 1][1] = numberOrZero(values, QStringLiteral("G%1B").arg(n));
    }
    for (int n = 1; n <= 24; ++n) {
        s.vehicles.train[n - 1][0] = numberOrZero(values, QStringLiteral("GC%1A").arg(n));
        s.vehicles.train[n - 1][1] = numberOrZero(values, QStringLiteral("GC%1B").arg(n));
    }
    for (int n = 1; n <= 13; ++n)
        s.vehicles.vessel[n - 1] = numberOrZero(values, QStringLiteral("APA%1").arg(n));
    for (int n = 1; n <= 3; ++n)
        s.vehicles.unregistered[n - 1] = numberOrZero(values, QStringLiteral("VN%1").arg(n));
    for (int n = 1; n <= 6; ++n)
        s.otherTaxes[n - 1] = numberOrZero(values, QStringLiteral("Alte%1").arg(n));

    namespace an = core::admin_names;
    s.ered = numberOr(values, QString::fromLatin1(an::ERED), s.ered);
    s.iired = numberOr(values, QString::fromLatin1(an::IIRED), s.iired);
    s.vehicleDiscount = numberOr(values, QString::fromLatin1(an::NumericEdit3), s.vehicleDiscount);
    s.redc = Decimal::parse(settings.number(db::keys::REDC)).value_or(s.redc);
    s.reducereJuridice = settings.isOn(db::keys::REDUCERE_JURIDICE);
    s.faraMajorari = settings.isOn(db::keys::FARAMAJORARI);
    s.building = BuildingTaxSettings::FromAdmin(values);
    s.uat = values.text(QString::fromLatin1(an::PrimariaLab));
    return s;
}

bool DiscountGranted(PersonType person, bool reducereJuridice)
{
    return person == PersonType::Fizica || reducereJuridice;
}

Exempted ApplyExemption(const Decimal& amount, const Decimal& percent)
{
    Exempted out;
    out.rest = amount;
    if (percent.sign() <= 0)
        return out;
    if (percent >= Decimal(100)) {
        // The whole amount: a fraction of a leu left over would otherwise round back to a debt.
        out.lei = amount.trunc();
        out.rest = Decimal();
        return out;
    }
    // amount and percent are both in ten-thousandths: lei = a x p / (10^4 x 10^4 x 100), truncated.
    const __int128 product = __int128(amount.units()) * percent.units();
    out.lei = int64_t(product / (__int128(Decimal::Scale) * Decimal::Scale * 100));
    out.rest = amount - Decimal(out.lei);
    return out;
}

int64_t WholeDiscount(int64_t amount, const Decimal& percent)
{
    if (amount == 0 || percent.isZero())
        return 0;
    int64_t discount = (ExactDecimal(amount) * ExactDecimal(percent)).percentOf().roundedLei();
    if (discount * 10 > amount)
        discount -= 1;
    return discount;
}

Decimal FourPlaceDiscount(const Decimal& amount, const Decimal& percent)
{
    if (amount.isZero() || percent.isZero())
        return Decimal();
    Decimal discount = (ExactDecimal(amount) * ExactDecimal(percent)).percentOf().rounded(4);
    if (discount * Decimal(10) > amount)
        discount -= Decimal(1);
    return discount;
}

int64_t BalanceDiscount(int64_t total, const Decimal& percent)
{
    if (total <= 0)
        return 0;
    int64_t discount = (ExactDecimal(total) * ExactDecimal(percent)).percentOf().roundedLei();
    if (discount * 10 > total)
        discount = total / 10;
    return discount;
}

Decimal DecimalOf(const storage::Value& value)
{
    if (value.isInt())
        return Decimal(value.toInt());
    if (value.isReal())
        return Decimal::fromDouble(value.toReal()).value_or(Decimal());
    if (value.isText())
        return Decimal::parse(value.toText()).value_or(Decimal());
    return Decimal();
}

PageRow PageRow::FromResult(const storage::ResultSet& result, size_t row)
{
    // One index per column list: the pages are read with SELECT *, so a few lists serve every row.
    static std::map<std::string, std::shared_ptr<const Index>> layouts;
    static std::mutex guard;
    PageRow out;
    if (row >= result.rows.size())
        return out;
    std::string key;
    for (const std::string& c : result.columns) {
        key += c;
        key += '\x1f';
    }
    {
        const std::lock_guard<std::mutex> lock(guard);
        auto& index = layouts[key];
        if (!index) {
            auto built = std::make_shared<Index>();
            for (size_t c = 0; c < result.columns.size(); ++c)
                built->insert(QString::fromStdString(result.columns[c]).toUpper(), int(c));
            index = std::move(built);
        }
        out.index_ = index;
    }
    const auto& values = result.rows[row];
    out.values_.reserve(values.size());
    for (const storage::Value& v : values)
        out.values_.push_back(DecimalOf(v));
    out.values_.resize(result.columns.size());
    return out;
}

int PageRow::find(const QString& column) const
{
    if (!index_)
        return -1;
    auto it = index_->constFind(column);
    if (it == index_->constEnd()) {
        it = index_->constFind(column.toUpper());
        if (it == index_->constEnd())
            return -1;
    }
    return *it;
}

Decimal PageRow::value(const QString& column) const
{
    const int i = find(column);
    return i < 0 || size_t(i) >= values_.size() ? Decimal() : values_[size_t(i)];
}

void PageRow::set(const QString& column, const Decimal& v)
{
    const int i = find(column);
    if (i >= 0) {
        values_[size_t(i)] = v;
        return;
    }
    // A new column: this row gets an index of its own.
    auto index = index_ ? std::make_shared<Index>(*index_) : std::make_shared<Index>();
    index->insert(column.toUpper(), int(values_.size()));
    values_.push_back(v);
    index_ = std::move(index);
}

} // namespace lirma::assessment
