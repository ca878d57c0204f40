#include "register/buildings.h"

#include "assessment/building_texts.h"
#include "core/admin_fields.h"
#include "core/admin_values.h"
#include "db/setting_keys.h"
#include "platform/base/dates.h"
#include "platform/base/edition.h"
#include "platform/base/text.h"
#include "register/buildings_texts.h"

#include <algorithm>

namespace lirma::reg {

using base::Decimal;
using storage::Params;
using storage::Transaction;
using storage::Value;

namespace {

constexpr int kFiscalYear = base::edition::FiscalYear;
constexpr const char* kTable = "Pag2";

// The columns Add writes, in the order it names them.
constexpr const char* kRowColumns[] = {"IDGOS",    "IDCLAD",   "IDMANUAL", "MIXTA",     "TIPC",   "ACTAGR",
                                       "DATAEVAL", "VALOAREN", "DESTINATIE", "APT8",    "ZONA",   "RANG",
                                       "SUPRAFD",  "ANUL",     "CODMAT",   "CUUTIL",    "VALOAREJR", "DATADOB",
                                       "DATAIN",   "OBSIN",    "DATAVANZ", "DATAOUT",   "OBSOUT", "ADRESA"};

QString yesNo(bool yes) { return yes ? QStringLiteral("DA") : QStringLiteral("NU"); }

Value dateValue(const QDate& d)
{
    if (!d.isValid())
        return nullptr;
    return base::FormatIsoDate(d).toStdString();
}

QString textOf(const Value& v) { return QString::fromStdString(v.toText()).trimmed(); }

QDate dateOf(const Value& v) { return v.isNull() ? QDate() : base::ParseIsoDate(textOf(v)); }

// Digits after the decimal point, trailing zeros not counted ("2.50" has 1).
int typedDecimals(const QString& t)
{
    const int dot = int(t.indexOf(u'.'));
    if (dot < 0)
        return 0;
    int n = int(t.size()) - dot - 1;
    while (n > 0 && t[dot + n] == u'0')
        --n;
    return n;
}

Decimal powerOfTen(int n)
{
    Decimal d(1);
    for (int i = 0; i < n; ++i)
        d *= Decimal(10);
    return d;
}

QString remark(const QString& t) { return base::CleanSpaces(t).left(kBuildingRemarkWidth); }

} // namespace

QDate NeverValuedDate() { return QDate(2000, 1, 1); }
QDate NoDate() { return QDate(1900, 1, 1); }

bool BuildingInput::residential() const
{
    return kind == BuildingKind::Mixed ? mixedResidential : kind == BuildingKind::Residential;
}

BuildingForm FormOf(PersonType person, const BuildingInput& input)
{
    const bool r = input.residential();
    if (person == PersonType::Fizica)
        return r ? BuildingForm::PFR : BuildingForm::PFN;
    return r ? BuildingForm::PJR : BuildingForm::PJN;
}

QStringList BuildingGridTexts(const BuildingLine& line, PersonType person)
{
    const BuildingRow& r = line.row;
    return {QString::number(r.IDMANUAL),
            r.ADRESA,
            base::FormatDate(r.DATAIN),
            assessment::ExitDateText(r.DATAOUT),
            r.MIXTA,
            r.TIPC,
            assessment::DestinationText(r.DESTINATIE),
            r.SUPRAFD.toQString(2),
            assessment::YearText(r.ANUL, person),
            assessment::MaterialText(r.CODMAT, person),
            r.CUUTIL,
            r.APT8,
            r.ZONA,
            QString::number(r.RANG),
            r.VALOAREJR.toQString(2),
            assessment::ValuationDateText(r.DATAEVAL),
            r.VALOAREN.toQString(2),
            r.ACTAGR,
            line.tax.taxableValue.toQString(2),
            QString::number(line.tax.taxLei)};
}

QStringList PurchaseGridTexts(const PurchaseCandidate& c)
{
    return {c.tip,    c.satul,  c.rol,
            c.numep,  c.tipc,   c.strada,
            c.adresa, base::FormatDate(c.dataVanz), base::FormatDate(c.dataOut),
            c.obsOut};
}

Buildings::Buildings(storage::Database& db, db::Settings& settings, db::Counters& counters, core::AdminValues& admin)
    : db_(db), settings_(settings), counters_(counters), admin_(admin)
{
}

QDate Buildings::today() const { return today_.isValid() ? today_ : QDate::currentDate(); }

bool Buildings::YearLocked() const { return settings_.isOn(db::keys::ADMINBLOCAT, QString::number(kFiscalYear)); }

QString Buildings::DefaultZone() const
{
    const QString z = admin_.text(QString::fromLatin1(core::admin_names::ZonaImplicita)).trimmed();
    return core::ZoneLetters().contains(z) ? z : QStringLiteral("A");
}

int Buildings::DefaultRank() const
{
    const int i = int(core::RankNumerals().indexOf(admin_.text(QString::fromLatin1(core::admin_names::RangImplicit)).trimmed()));
    return std::max(i, 0);
}

assessment::BuildingTaxSettings Buildings::TaxSettings() const
{
    return assessment::BuildingTaxSettings::FromAdmin(admin_);
}

std::vector<BuildingLine> Buildings::List(int64_t idgos, PersonType person)
{
    const storage::ResultSet rs =
        db_.query("SELECT * FROM Pag2 WHERE IDGOS = ? ORDER BY IDMANUAL, IDCLAD", {idgos});
    const assessment::BuildingTaxSettings s = TaxSettings();
    std::vector<BuildingLine> lines;
    lines.reserve(rs.size());
    for (size_t i = 0; i < rs.size(); ++i) {
        BuildingLine line;
        line.row = assessment::BuildingRowFromResult(rs, i);
        line.tax = assessment::ComputeBuildingTax(line.row, person, s);
        lines.push_back(std::move(line));
    }
    return lines;
}

std::optional<BuildingRow> Buildings::Fetch(int64_t idgos, int64_t idclad)
{
    const storage::ResultSet rs = db_.query("SELECT * FROM Pag2 WHERE IDGOS = ? AND IDCLAD = ?", {idgos, idclad});
    if (rs.empty())
        return std::nullopt;
    return assessment::BuildingRowFromResult(rs, 0);
}

std::vector<int64_t> Buildings::MixedIds(int64_t idgos)
{
    const storage::ResultSet rs = db_.query(
        "SELECT DISTINCT IDMANUAL FROM Pag2 WHERE IDGOS = ? AND MIXTA = ? ORDER BY IDMANUAL", {idgos, "X"});
    std::vector<int64_t> ids;
    for (const auto& row : rs.rows)
        if (!row[0].isNull())
            ids.push_back(row[0].toInt());
    return ids;
}

BuildingInput Buildings::DefaultInput() const
{
    BuildingInput in;
    in.rank = DefaultRank();
    in.valuationDate = NeverValuedDate();
    in.acquired = QDate(kFiscalYear, 1, 1);
    in.entered = today();
    in.saleDate = today();
    in.exitDate = today();
    return in;
}

BuildingInput Buildings::InputFromRow(const BuildingRow& r) const
{
    BuildingInput in;
    const bool nonResidential = r.TIPC == QLatin1String("N");
    if (r.MIXTA == QLatin1String("X")) {
        in.kind = BuildingKind::Mixed;
        in.mixedResidential = !nonResidential;
        in.mixedId = r.IDMANUAL;
    } else {
        in.kind = nonResidential ? BuildingKind::NonResidential : BuildingKind::Residential;
    }
    in.address = r.ADRESA;
    in.area = r.SUPRAFD.toQString();
    in.year = QString::number(r.ANUL);
    in.material = std::clamp(r.CODMAT, 0, 1);
    in.destination = std::clamp(r.DESTINATIE - 1, 0, 3);
    in.utilities = r.CUUTIL == QLatin1String("DA");
    in.zone = core::ZoneLetters().contains(r.ZONA) ? r.ZONA : QStringLiteral("A");
    in.rank = std::clamp(r.RANG, 0, 5);
    in.inBlock = r.APT8 == QLatin1String("DA");
    in.notValued = !r.DATAEVAL.isValid() || r.DATAEVAL <= QDate(2000, 1, 2);
    in.valuationDate = r.DATAEVAL.isValid() ? r.DATAEVAL : NeverValuedDate();
    in.value = (nonResidential ? r.VALOAREN : r.VALOAREJR).toQString();
    in.agricultural = r.ACTAGR == QLatin1String("DA");
    in.acquired = r.DATADOB.isValid() ? r.DATADOB : QDate(kFiscalYear, 1, 1);
    in.entered = r.DATAIN.isValid() ? r.DATAIN : today();
    in.entryRemark = r.OBSIN;
    in.sold = assessment::IsOutOfRecords(r.DATAVANZ);
    in.saleDate = in.sold ? r.DATAVANZ : today();
    in.exitDate = in.sold && assessment::IsOutOfRecords(r.DATAOUT) ? r.DATAOUT : today();
    in.exitRemark = in.sold ? r.OBSOUT : QString();
    return in;
}

Buildings::Limit Buildings::limitOf(const char* column)
{
    const storage::TableInfo info = db_.tableInfo(kTable);
    for (const storage::FieldDef& f : info.fields)
        if (QString::fromStdString(f.name).compare(QLatin1String(column), Qt::CaseInsensitive) == 0)
            return {f.width, f.decimals};
    throw storage::StorageError(std::string("Table Pag2 has no column ") + column);
}

bool Buildings::fits(const QString& text, const char* column, Decimal* value)
{
    const QString t = text.trimmed();
    const std::optional<Decimal> v = Decimal::parse(t);
    if (!v)
        return false;
    // The file's own layout: an older database may hold a narrower column.
    const Limit l = limitOf(column);
    if (typedDecimals(t) > l.decimals)
        return false;
    const int intDigits = l.width - l.decimals - (l.decimals > 0 ? 1 : 0);
    const Decimal ulp = Decimal::fromUnits(powerOfTen(Decimal::Places - l.decimals).trunc());
    if (*v > powerOfTen(intDigits) - ulp)
        return false;
    *value = *v;
    return true;
}

std::optional<BuildingProblem> Buildings::Validate(BuildingInput& in, PersonType person)
{
    in.address = base::CleanSpaces(in.address).left(kBuildingAddressWidth);
    const BuildingForm form = FormOf(person, in);
    const QDate now = today();

    auto checkValue = [&](const char* column) -> bool {
        Decimal v;
        if (!fits(in.value, column, &v) || v < Decimal(1))
            return false;
        in.value = v.toQString();
        return true;
    };

    if (form == BuildingForm::PFR || form == BuildingForm::PFN) {
        Decimal area;
        if (!fits(in.area, "SUPRAFD", &area) || area < Decimal(1))
            return BuildingProblem{BuildingField::Area, text::BadArea()};
        in.area = area.toQString();
        bool ok = false;
        const int year = in.year.trimmed().toInt(&ok);
        if (!ok || year < 1200 || year > kFiscalYear)
            return BuildingProblem{BuildingField::Year, text::BadYear()};
        in.year = QString::number(year);
    }
    if (form == BuildingForm::PFN) {
        if (in.notValued) {
            in.valuationDate = NeverValuedDate();
            in.value = QStringLiteral("0");
        } else {
            if (!in.valuationDate.isValid() || in.valuationDate < NeverValuedDate() || in.valuationDate > now)
                return BuildingProblem{BuildingField::ValuationDate, text::BadValuationDate()};
            if (!checkValue("VALOAREN"))
                return BuildingProblem{BuildingField::Value, text::BadValue()};
        }
    } else if (form == BuildingForm::PJR || form == BuildingForm::PJN) {
        if (!in.valuationDate.isValid() || in.valuationDate > now)
            return BuildingProblem{BuildingField::ValuationDate, text::BadValuationDate()};
        if (!checkValue(form == BuildingForm::PJR ? "VALOAREJR" : "VALOAREN"))
            return BuildingProblem{BuildingField::Value, text::BadValue()};
    }

    if (!in.entered.isValid() || in.entered > now)
        return BuildingProblem{BuildingField::Entered, text::BadDate()};
    if (!in.acquired.isValid() || in.acquired > in.entered)
        return BuildingProblem{BuildingField::Acquired, text::BadDate()};
    if (in.sold) {
        if (!in.saleDate.isValid() || in.saleDate > now)
            return BuildingProblem{BuildingField::SaleDate, text::BadDate()};
        if (!in.exitDate.isValid() || in.exitDate < in.saleDate)
            return BuildingProblem{BuildingField::ExitDate, text::BadDate()};
        if (in.exitDate < QDate(kFiscalYear, 1, 1))
            return BuildingProblem{BuildingField::ExitDate, text::BadDate()};
    } else {
        in.saleDate = NoDate();
        in.exitDate = NoDate();
        in.exitRemark.clear();
    }
    in.entryRemark = remark(in.entryRemark);
    in.exitRemark = remark(in.exitRemark);
    return std::nullopt;
}

std::optional<QString> Buildings::CheckSale(const QDate& saleDate) const
{
    if (!saleDate.isValid() || saleDate > today())
        return text::BadSaleDate();
    return std::nullopt;
}

BuildingRow Buildings::RowFromInput(const BuildingInput& in, PersonType person, int64_t idgos, int64_t idclad) const
{
    BuildingRow r;
    r.IDGOS = idgos;
    r.IDCLAD = idclad;
    if (in.kind == BuildingKind::Mixed) {
        r.IDMANUAL = in.mixedId > 0 ? in.mixedId : idclad;
        r.MIXTA = QStringLiteral("X");
    } else {
        r.IDMANUAL = idclad;
        r.MIXTA.clear();
    }
    r.TIPC = in.residential() ? QStringLiteral("R") : QStringLiteral("N");

    const Decimal area = Decimal::parse(in.area.trimmed()).value_or(Decimal());
    const Decimal value = Decimal::parse(in.value.trimmed()).value_or(Decimal());
    const BuildingForm form = FormOf(person, in);
    r.DESTINATIE = in.destination + 1;
    r.VALOAREN = Decimal();
    r.VALOAREJR = Decimal();
    if (form == BuildingForm::PFR || form == BuildingForm::PFN) {
        r.APT8 = yesNo(in.inBlock);
        r.ZONA = in.zone;
        r.RANG = in.rank;
        r.SUPRAFD = area;
        r.ANUL = in.year.trimmed().toInt();
        r.CODMAT = in.material;
        r.CUUTIL = yesNo(in.utilities);
        if (form == BuildingForm::PFR) {
            r.ACTAGR = yesNo(false);
            r.DATAEVAL = NeverValuedDate();
        } else {
            r.ACTAGR = yesNo(in.agricultural);
            r.DATAEVAL = in.valuationDate;
            r.VALOAREN = value;
        }
    } else {
        r.APT8 = yesNo(false);
        r.ZONA = DefaultZone();
        r.RANG = DefaultRank();
        r.SUPRAFD = Decimal();
        r.ANUL = 1500;
        r.CODMAT = 0;
        r.CUUTIL = yesNo(false);
        r.DATAEVAL = in.valuationDate;
        if (form == BuildingForm::PJR) {
            r.ACTAGR = yesNo(false);
            r.VALOAREJR = value;
        } else {
            r.ACTAGR = yesNo(in.agricultural);
            r.VALOAREN = value;
        }
    }
    r.DATADOB = in.acquired;
    r.DATAIN = in.entered;
    r.OBSIN = in.entryRemark;
    r.DATAVANZ = in.sold ? in.saleDate : NoDate();
    r.DATAOUT = in.sold ? in.exitDate : NoDate();
    r.OBSOUT = in.sold ? in.exitRemark : QString();
    r.ADRESA = in.address;
    return r;
}

Params Buildings::rowParams(const BuildingRow& r) const
{
    auto dec = [](const Decimal& d) { return Value(d.toString(2)); }; // exact, no binary rounding
    auto str = [](const QString& s) { return Value(s.toStdString()); };
    return {r.IDGOS,           r.IDCLAD,          r.IDMANUAL,       str(r.MIXTA),     str(r.TIPC),
            str(r.ACTAGR),     dateValue(r.DATAEVAL), dec(r.VALOAREN), r.DESTINATIE,    str(r.APT8),
            str(r.ZONA),       r.RANG,            dec(r.SUPRAFD),   r.ANUL,           r.CODMAT,
            str(r.CUUTIL),     dec(r.VALOAREJR),  dateValue(r.DATADOB), dateValue(r.DATAIN), str(r.OBSIN),
            dateValue(r.DATAVANZ), dateValue(r.DATAOUT), str(r.OBSOUT), str(r.ADRESA)};
}

Buildings::Outcome Buildings::Add(int64_t idgos, PersonType person, const BuildingInput& input, int64_t* idclad)
{
    if (YearLocked())
        return Outcome::Locked;
    std::string columns, marks;
    for (const char* c : kRowColumns) {
        columns += (columns.empty() ? "" : ", ") + std::string(c);
        marks += marks.empty() ? "?" : ", ?";
    }
    Transaction tx(db_);
    const int64_t id = counters_.NextId(db::keys::IDCLAD).toLongLong();
    const BuildingRow row = RowFromInput(input, person, idgos, id);
    db_.exec("INSERT INTO Pag2 (" + columns + ") VALUES (" + marks + ")", rowParams(row));
    tx.commit();
    if (idclad)
        *idclad = id;
    return Outcome::Done;
}

Buildings::Outcome Buildings::Modify(int64_t idgos, int64_t idclad, PersonType person, const BuildingInput& input)
{
    if (YearLocked())
        return Outcome::Locked;
    const BuildingRow row = RowFromInput(input, person, idgos, idclad);
    Params all = rowParams(row);
    // Every column but the key (IDGOS, IDCLAD), then the key.
    std::string set;
    Params params;
    for (size_t i = 2; i < std::size(kRowColumns); ++i) {
        set += (set.empty() ? "" : ", ") + std::string(kRowColumns[i]) + " = ?";
        params.push_back(all[i]);
    }
    params.emplace_back(idgos);
    params.emplace_back(idclad);
    Transaction tx(db_);
    const int64_t changed = db_.exec("UPDATE Pag2 SET " + set + " WHERE IDGOS = ? AND IDCLAD = ?", params);
    if (changed == 0)
        return Outcome::Missing;
    tx.commit();
    return Outcome::Done;
}

Buildings::Outcome Buildings::Delete(int64_t idgos, int64_t idclad)
{
    if (YearLocked())
        return Outcome::Locked;
    Transaction tx(db_);
    if (db_.exec("DELETE FROM Pag2 WHERE IDGOS = ? AND IDCLAD = ?", {idgos, idclad}) == 0)
        return Outcome::Missing;
    tx.commit();
    return Outcome::Done;
}

Buildings::Outcome Buildings::Sell(int64_t idgos, int64_t idclad, const QDate& saleDate, const QString& remarkText)
{
    if (YearLocked())
        return Outcome::Locked;
    Transaction tx(db_);
    const int64_t changed =
        db_.exec("UPDATE Pag2 SET DATAVANZ = ?, DATAOUT = ?, OBSOUT = ? WHERE IDGOS = ? AND IDCLAD = ?",
                 {dateValue(saleDate), dateValue(today()), remark(remarkText).toStdString(), idgos, idclad});
    if (changed == 0)
        return Outcome::Missing;
    tx.commit();
    return Outcome::Done;
}

std::vector<PurchaseCandidate> Buildings::PurchaseCandidates()
{
    const storage::ResultSet rs = db_.query(
        "SELECT g.TIP, g.SATUL, g.ROL, g.NUMEP, g.STRADA, p.IDGOS, p.IDCLAD, p.TIPC, p.ADRESA, p.DATAVANZ, "
        "p.DATAOUT, p.OBSOUT FROM Pag2 p JOIN Gospodar g ON g.IDGOS = p.IDGOS WHERE p.DATAOUT >= ? "
        "ORDER BY g.NUMEP, p.IDGOS, p.IDCLAD",
        {dateValue(QDate(kFiscalYear, 1, 1))});
    std::vector<PurchaseCandidate> out;
    out.reserve(rs.size());
    for (const auto& v : rs.rows) {
        PurchaseCandidate c;
        c.tip = textOf(v[0]);
        c.satul = textOf(v[1]);
        c.rol = textOf(v[2]);
        c.numep = textOf(v[3]);
        c.strada = textOf(v[4]);
        c.idgos = v[5].toInt();
        c.idclad = v[6].toInt();
        c.tipc = textOf(v[7]);
        c.adresa = textOf(v[8]);
        c.dataVanz = dateOf(v[9]);
        c.dataOut = dateOf(v[10]);
        c.obsOut = textOf(v[11]);
        out.push_back(std::move(c));
    }
    return out;
}

Buildings::Outcome Buildings::Purchase(int64_t buyer, int64_t sellerIdgos, int64_t sellerIdclad, int64_t* idclad)
{
    if (YearLocked())
        return Outcome::Locked;
    const storage::TableInfo info = db_.tableInfo(kTable);
    Transaction tx(db_);
    const storage::ResultSet seller =
        db_.query("SELECT * FROM Pag2 WHERE IDGOS = ? AND IDCLAD = ?", {sellerIdgos, sellerIdclad});
    if (seller.empty())
        return Outcome::Missing;
    const int64_t id = counters_.NextId(db::keys::IDCLAD).toLongLong();
    const auto& from = seller.rows[0];
    auto sellerValue = [&](const char* column) -> Value {
        const int c = seller.column(column);
        return c < 0 ? Value() : from[size_t(c)];
    };
    // Every column of the table is copied, whatever the catalog knows of.
    std::string columns, marks;
    Params params;
    for (const storage::FieldDef& f : info.fields) {
        columns += (columns.empty() ? "" : ", ") + f.name;
        marks += marks.empty() ? "?" : ", ?";
        const QString name = QString::fromStdString(f.name).toUpper();
        if (name == QLatin1String("IDCLAD"))
            params.emplace_back(id);
        else if (name == QLatin1String("IDGOS"))
            params.emplace_back(buyer);
        else if (name == QLatin1String("DATADOB"))
            params.push_back(sellerValue("DATAVANZ"));
        else if (name == QLatin1String("DATAIN"))
            params.push_back(sellerValue("DATAOUT"));
        else if (name == QLatin1String("OBSIN"))
            params.push_back(sellerValue("OBSOUT"));
        else if (name == QLatin1String("DATAVANZ") || name == QLatin1String("DATAOUT"))
            params.push_back(dateValue(NoDate()));
        else if (name == QLatin1String("OBSOUT"))
            params.emplace_back("");
        else {
            const int c = seller.column(f.name);
            params.push_back(c < 0 ? Value() : from[size_t(c)]);
        }
    }
    db_.exec("INSERT INTO " + info.name + " (" + columns + ") VALUES (" + marks + ")", params);
    tx.commit();
    if (idclad)
        *idclad = id;
    return Outcome::Done;
}

} // namespace lirma::reg
