#include "assessment/yearly_debts.h"

#include "assessment/asset_labels.h"
#include "assessment/assessment_texts.h"
#include "db/setting_keys.h"
#include "platform/base/dates.h"

#include <QDate>
#include <QHash>

#include <algorithm>
#include <map>
#include <unordered_set>

namespace lirma::assessment {

using base::Decimal;
using storage::Params;
using storage::Value;

namespace {

std::string utf8(const QString& s) { return s.toStdString(); }
QString qtext(const Value& v) { return QString::fromStdString(v.toText()); }
int64_t whole(const Value& v) { return DecimalOf(v).roundHalfAway(); }
// Texts as the table gives them back: without trailing spaces.
QString stored(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    return n == s.size() ? s : s.left(n);
}

// A Datorii.dbf row, as read and as it will be written.
struct DebtRow {
    int64_t iddat = 0;
    QString grupa, denum, tip, satul, um, dindata; // dindata: ISO text
    int64_t suma = 0, rest = 0, reduc = 0, reducp = 0, scutit = 0, suma2 = 0, restini = 0;
    Decimal cant;

    bool allZero() const { return suma2 == 0 && restini == 0 && reduc == 0 && suma == 0 && rest == 0; }
    bool sameWritten(const DebtRow& o) const
    {
        return dindata == o.dindata && stored(satul) == stored(o.satul) && suma == o.suma && rest == o.rest &&
               reduc == o.reduc && stored(um) == stored(o.um) && cant == o.cant && reducp == o.reducp &&
               scutit == o.scutit && suma2 == o.suma2 && restini == o.restini;
    }
};

// A SoldCalc.dbf row.
struct BalanceRow {
    int64_t idres = 0;
    QString grupa;
    int64_t suma = 0, rest = 0, reduc = 0, scutire = 0, dator = 0, depoz = 0, major = 0, datori = 0, depozi = 0,
            majori = 0;

    bool operator==(const BalanceRow&) const = default;
};

// A ScVeterani.dbf row: SCCLAD, SCCC, SCTI, SCAUTO, SCTE.
struct ExemptionRow {
    int64_t idscut = 0;
    int64_t lei[5] = {};
};
const char* const kExemptionColumns[5] = {"SCCLAD", "SCCC", "SCTI", "SCAUTO", "SCTE"};

int exemptionIndex(ExemptionGroup g)
{
    switch (g) {
    case ExemptionGroup::Buildings: return 0;
    case ExemptionGroup::Yards: return 1;
    case ExemptionGroup::LandInside: return 2;
    case ExemptionGroup::Vehicles: return 3;
    case ExemptionGroup::LandOutside: return 4;
    case ExemptionGroup::None: break;
    }
    return -1;
}

// Widths of the numeric columns of the three tables written, as the files declare them.
struct Limits {
    QHash<QString, std::pair<int, int>> columns; // "TABLE.COLUMN" -> width, decimals

    void read(storage::Database& db, const char* table)
    {
        for (const storage::FieldDef& f : db.tableInfo(table).fields)
            if (f.type == 'N' || f.type == 'F')
                columns.insert(QString::fromLatin1(table) + QLatin1Char('.') + QString::fromStdString(f.name).toUpper(),
                               {f.width, f.decimals});
    }
    // The text the value takes in the column; "" when it fits.
    QString overflow(const char* table, const char* column, const Decimal& v) const
    {
        const auto it = columns.constFind(QString::fromLatin1(table) + QLatin1Char('.') + QString::fromLatin1(column));
        if (it == columns.constEnd())
            return {};
        const std::string text = v.toString(it->second);
        return int(text.size()) > it->first ? QString::fromStdString(text) : QString();
    }
    // The largest value the column holds, as text.
    QString largest(const char* table, const char* column) const
    {
        const auto it = columns.constFind(QString::fromLatin1(table) + QLatin1Char('.') + QString::fromLatin1(column));
        if (it == columns.constEnd())
            return {};
        const auto [width, decimals] = *it;
        const int digits = width - (decimals > 0 ? decimals + 1 : 0);
        QString text(digits, QLatin1Char('9'));
        if (decimals > 0)
            text += QLatin1Char('.') + QString(decimals, QLatin1Char('9'));
        return text;
    }
};

// What one taxpayer's run will write: computed and checked before anything is written.
struct Plan {
    int64_t idgos = 0;
    QString satul, rol;
    std::vector<DebtRow> debtInserts; // IDDAT drawn when written
    std::vector<DebtRow> debtUpdates;
    std::vector<int64_t> debtDeletes;
    std::vector<BalanceRow> balanceInserts; // IDRES drawn when written
    std::vector<BalanceRow> balanceUpdates;
    std::optional<ExemptionRow> exemptionInsert; // IDSCUT drawn when written
    std::optional<ExemptionRow> exemptionUpdate;
    std::vector<int64_t> exemptionDeletes;
};

} // namespace

class YearlyDebts::Impl {
public:
    Impl(storage::Database& db, db::Counters& counters, AssessmentSettings settings, int fiscalYear)
        : db_(db), counters_(counters), settings_(std::move(settings)), fiscalYear_(fiscalYear),
          yearStart_(base::FormatIsoDate(QDate(fiscalYear, 1, 1))),
          arrearsDate_(base::FormatIsoDate(QDate(fiscalYear - 1, 12, 31)))
    {
    }

    std::optional<Refusal> plan(int64_t idgos, Plan& out);
    // Draws the identifiers the plans need, then writes the plans in order. `written` counts the
    // plans written completely; a failure is rethrown (the caller undoes the transaction).
    void applyAll(const std::vector<Plan>& plans, int& written);
    // Plans and writes again, in a transaction of their own, the first `count` taxpayers of a group
    // whose transaction was undone.
    void redo(const std::vector<Plan>& plans, int count, YearlyDebts::RunResult& result);

    storage::Database& db_;
    db::Counters& counters_;
    AssessmentSettings settings_;
    int fiscalYear_;
    int batchSize_ = 100;
    QString yearStart_;
    QString arrearsDate_;

private:
    const Limits& limits();
    std::optional<QString> checkFit(const Plan& p, const QString& numep, const QString& rol);
    void apply(const Plan& p, int64_t& nextDebt, int64_t& nextBalance, int64_t& nextExemption);

    std::unique_ptr<Limits> limits_;
};

const Limits& YearlyDebts::Impl::limits()
{
    if (!limits_) {
        auto l = std::make_unique<Limits>();
        l->read(db_, "Datorii");
        l->read(db_, "SoldCalc");
        l->read(db_, "ScVeterani");
        limits_ = std::move(l);
    }
    return *limits_;
}

std::optional<Refusal> YearlyDebts::Impl::plan(int64_t idgos, Plan& p)
{
    const std::optional<TaxpayerAssets> assets = ReadTaxpayerAssets(db_, idgos);
    if (!assets)
        return Refusal{idgos, {}, {}, text::TaxpayerMissing(idgos)};
    const TaxpayerRecord& t = assets->taxpayer;
    if (t.rol.trimmed().isEmpty())
        return Refusal{idgos, t.rol.trimmed(), t.numep, text::NoRole(t.numep)};
    p.idgos = idgos;
    p.satul = t.satul;
    p.rol = t.rol;

    std::vector<TaxItem> items;
    try {
        items = TaxpayerItems(*assets, settings_, fiscalYear_);
    } catch (const base::DecimalError&) {
        return Refusal{idgos, t.rol.trimmed(), t.numep, text::ValueTooLarge(t.numep, t.rol.trimmed())};
    }

    // --- Datorii.dbf ---
    const storage::ResultSet rs =
        db_.query("SELECT IDDAT, GRUPA, DENUM, TIP, DINDATA, SATUL, SUMA, REST, REDUC, UM, CANT, REDUCP, SCUTIT, "
                  "SUMA2, RESTINI FROM Datorii WHERE IDGOS = ? ORDER BY IDDAT",
                  {idgos});
    std::vector<DebtRow> rows; // what the taxpayer's rows will be after the run
    rows.reserve(rs.size() + items.size());
    for (const auto& r : rs.rows) {
        DebtRow d;
        d.iddat = r[0].toInt();
        d.grupa = qtext(r[1]);
        d.denum = qtext(r[2]);
        d.tip = qtext(r[3]);
        d.dindata = qtext(r[4]);
        d.satul = qtext(r[5]);
        d.suma = whole(r[6]);
        d.rest = whole(r[7]);
        d.reduc = whole(r[8]);
        d.um = qtext(r[9]);
        d.cant = DecimalOf(r[10]);
        d.reducp = whole(r[11]);
        d.scutit = whole(r[12]);
        d.suma2 = whole(r[13]);
        d.restini = whole(r[14]);
        rows.push_back(std::move(d));
    }
    std::vector<bool> removed(rows.size(), false);
    std::vector<bool> used(rows.size(), false);
    const QString automatic = QStringLiteral("A");
    // A fee's arrears row is dated before the fiscal year; its row of the year on 01.01 (a row
    // without a date counts as a row of the year).
    auto isArrearsRow = [this](const DebtRow& d) { return !d.dindata.isEmpty() && d.dindata < yearStart_; };
    auto find = [&](const TaxItem& item) -> int {
        const bool arrears = item.kind == TaxItem::Kind::Arrears;
        const QString grupa = stored(item.grupa);
        const QString denum = stored(item.denum);
        for (size_t i = 0; i < rows.size(); ++i)
            if (!used[i] && !removed[i] && rows[i].iddat != 0 && rows[i].tip == automatic && rows[i].grupa == grupa &&
                rows[i].denum == denum && isArrearsRow(rows[i]) == arrears)
                return int(i);
        return -1;
    };

    ExemptionRow exempted;
    for (const TaxItem& item : items) {
        if (const int e = exemptionIndex(item.exemption); e >= 0)
            exempted.lei[e] += item.exempted;
        const int at = find(item);
        DebtRow d;
        if (at >= 0) {
            used[size_t(at)] = true;
            d = rows[size_t(at)];
        } else {
            d.grupa = item.grupa;
            d.denum = item.denum;
            d.tip = automatic;
        }
        if (item.kind == TaxItem::Kind::Year) {
            const int64_t amount = item.amountLei();
            d.dindata = yearStart_;
            d.suma = d.suma - d.suma2 + amount;
            d.suma2 = amount;
            d.restini = 0;
            d.reduc = item.discountLei();
            d.reducp = item.discountPercentLei();
            d.um = item.um;
            d.cant = item.quantity;
        } else {
            if (at < 0)
                d.dindata = arrearsDate_;
            d.suma2 = 0;
            d.rest = d.rest + item.arrears - d.restini;
            d.restini = item.arrears;
            d.reduc = 0;
            d.reducp = 0;
            d.um = QStringLiteral(" - ");
            d.cant = Decimal(item.arrears > 0 ? 1 : 0);
        }
        d.scutit = 0;
        d.satul = t.satul;

        if (at >= 0) {
            if (d.allZero()) {
                // Nothing assessed, nothing owed, nothing paid in advance: the row goes.
                p.debtDeletes.push_back(d.iddat);
                removed[size_t(at)] = true;
            } else {
                if (!d.sameWritten(rows[size_t(at)]))
                    p.debtUpdates.push_back(d);
                rows[size_t(at)] = d;
            }
        } else if (!d.allZero()) {
            p.debtInserts.push_back(d);
            rows.push_back(d);
            removed.push_back(false);
            used.push_back(true);
        }
    }

    // --- SoldCalc.dbf: arrears carried in, then the balances of the year ---
    const storage::ResultSet bs =
        db_.query("SELECT IDRES, GRUPA, SUMA, REST, REDUC, SCUTIRE, DATOR, DEPOZ, MAJOR, DATORI, DEPOZI, MAJORI "
                  "FROM SoldCalc WHERE IDGOS = ? ORDER BY IDRES",
                  {idgos});
    std::map<QString, BalanceRow> before; // by group: the row with the lowest IDRES
    for (const auto& r : bs.rows) {
        BalanceRow b;
        b.idres = r[0].toInt();
        b.grupa = qtext(r[1]);
        b.suma = whole(r[2]);
        b.rest = whole(r[3]);
        b.reduc = whole(r[4]);
        b.scutire = whole(r[5]);
        b.dator = whole(r[6]);
        b.depoz = whole(r[7]);
        b.major = whole(r[8]);
        b.datori = whole(r[9]);
        b.depozi = whole(r[10]);
        b.majori = whole(r[11]);
        before.try_emplace(b.grupa, b);
    }
    const bool noPenalties = settings_.faraMajorari && t.notax == QLatin1String("DA");
    std::map<QString, BalanceRow> after;
    for (const YearlyArrears& y : YearlyArrearsOf(assets->pag8, noPenalties)) {
        const auto found = before.find(stored(y.grupa));
        BalanceRow b;
        if (found != before.end()) {
            b = found->second;
            const int64_t paidArrears = b.datori - b.dator;
            const int64_t usedCredit = b.depozi - b.depoz;
            const int64_t paidPenalties = b.majori - b.major;
            int64_t arrears = y.arrears - paidArrears;
            int64_t credit = y.credit - usedCredit;
            if (arrears < 0) {
                credit += -arrears;
                arrears = 0;
            }
            int64_t penalties = y.penalties - paidPenalties;
            if (penalties < 0) {
                credit += -penalties;
                penalties = 0;
            }
            if (credit < 0) {
                // More credit used than is now carried: what was used becomes arrears on top.
                arrears += -credit;
                credit = 0;
            }
            if (noPenalties)
                penalties = 0;
            b.depozi = y.credit;
            b.datori = y.arrears;
            b.majori = y.penalties;
            b.dator = arrears;
            b.major = penalties;
            b.depoz = credit;
        } else {
            b.grupa = y.grupa;
            b.dator = b.datori = y.arrears;
            b.depoz = b.depozi = y.credit;
            b.major = b.majori = y.penalties;
        }
        after[stored(y.grupa)] = b;
    }
    const std::pair<QString, Decimal> yearly[4] = {{GroupBuildings(), settings_.redc},
                                                   {GroupLandInside(), settings_.iired},
                                                   {GroupLandOutside(), settings_.ered},
                                                   {GroupVehicles(), settings_.vehicleDiscount}};
    for (const auto& [grupa, percent] : yearly) {
        int64_t tsuma = 0, tscutit = 0, count = 0;
        for (size_t i = 0; i < rows.size(); ++i)
            if (!removed[i] && rows[i].grupa == grupa) {
                tsuma += rows[i].suma;
                tscutit += rows[i].scutit;
                ++count;
            }
        BalanceRow& b = after[grupa];
        const int64_t paid = b.suma - b.rest;
        if (count > 0) {
            b.suma = tsuma;
            b.rest = tsuma - paid;
            b.reduc = BalanceDiscount(tsuma, percent);
            b.scutire = tscutit;
        } else {
            b.suma = 0;
            b.rest = -paid;
            b.reduc = 0;
            b.scutire = 0;
        }
    }
    for (const YearlyArrears& y : YearlyArrearsOf(assets->pag8, noPenalties)) {
        const BalanceRow& b = after[stored(y.grupa)];
        if (b.idres == 0)
            p.balanceInserts.push_back(b);
        else if (!(b == before[b.grupa]))
            p.balanceUpdates.push_back(b);
    }

    // --- ScVeterani.dbf ---
    const storage::ResultSet es = db_.query(
        "SELECT IDSCUT, SCCLAD, SCCC, SCTI, SCAUTO, SCTE FROM ScVeterani WHERE IDGOS = ? ORDER BY IDSCUT", {idgos});
    int64_t exemptedTotal = 0;
    for (int64_t lei : exempted.lei)
        exemptedTotal += lei;
    size_t keep = 0; // rows of es kept: the first one when there is something to record
    if (exemptedTotal > 0) {
        if (es.empty()) {
            p.exemptionInsert = exempted;
        } else {
            exempted.idscut = es.rows[0][0].toInt();
            bool same = true;
            for (int c = 0; c < 5; ++c)
                same = same && whole(es.rows[0][size_t(c) + 1]) == exempted.lei[c];
            if (!same)
                p.exemptionUpdate = exempted;
            keep = 1;
        }
    }
    for (size_t r = keep; r < es.size(); ++r)
        p.exemptionDeletes.push_back(es.rows[r][0].toInt());

    if (const auto problem = checkFit(p, t.numep, t.rol.trimmed()))
        return Refusal{idgos, t.rol.trimmed(), t.numep, *problem};
    return std::nullopt;
}

std::optional<QString> YearlyDebts::Impl::checkFit(const Plan& p, const QString& numep, const QString& rol)
{
    const Limits& l = limits();
    auto check = [&](const char* table, const char* column, const Decimal& v, const QString& what) -> std::optional<QString> {
        const QString text = l.overflow(table, column, v);
        if (text.isEmpty())
            return std::nullopt;
        return text::ColumnOverflow(numep, rol, what, text, QString::fromLatin1(table), QString::fromLatin1(column),
                                    l.largest(table, column));
    };
    auto debt = [&](const DebtRow& d) -> std::optional<QString> {
        const QString what = stored(d.grupa) + QStringLiteral(" - ") + stored(d.denum);
        const std::pair<const char*, int64_t> wholes[] = {{"SUMA2", d.suma2},   {"SUMA", d.suma},     {"REST", d.rest},
                                                          {"RESTINI", d.restini}, {"REDUC", d.reduc}, {"REDUCP", d.reducp},
                                                          {"SCUTIT", d.scutit}};
        for (const auto& [column, v] : wholes)
            if (auto problem = check("Datorii", column, Decimal(v), what))
                return problem;
        return check("Datorii", "CANT", d.cant, what);
    };
    for (const DebtRow& d : p.debtInserts)
        if (auto problem = debt(d))
            return problem;
    for (const DebtRow& d : p.debtUpdates)
        if (auto problem = debt(d))
            return problem;
    auto balance = [&](const BalanceRow& b) -> std::optional<QString> {
        const std::pair<const char*, int64_t> values[] = {
            {"SUMA", b.suma},   {"REST", b.rest},   {"REDUC", b.reduc},   {"SCUTIRE", b.scutire}, {"DATOR", b.dator},
            {"DEPOZ", b.depoz}, {"MAJOR", b.major}, {"DATORI", b.datori}, {"DEPOZI", b.depozi},   {"MAJORI", b.majori}};
        for (const auto& [column, v] : values)
            if (auto problem = check("SoldCalc", column, Decimal(v), stored(b.grupa)))
                return problem;
        return std::nullopt;
    };
    for (const BalanceRow& b : p.balanceInserts)
        if (auto problem = balance(b))
            return problem;
    for (const BalanceRow& b : p.balanceUpdates)
        if (auto problem = balance(b))
            return problem;
    for (const auto* e : {&p.exemptionInsert, &p.exemptionUpdate})
        if (*e)
            for (int c = 0; c < 5; ++c)
                if (auto problem = check("ScVeterani", kExemptionColumns[c], Decimal((*e)->lei[c]),
                                         QString::fromLatin1(kExemptionColumns[c])))
                    return problem;
    return std::nullopt;
}

void YearlyDebts::Impl::apply(const Plan& p, int64_t& nextDebt, int64_t& nextBalance, int64_t& nextExemption)
{
    const std::string satul = utf8(p.satul);
    const std::string rol = utf8(p.rol);
    for (const DebtRow& d : p.debtInserts)
        db_.exec("INSERT INTO Datorii (IDDAT, IDGOS, DINDATA, SATUL, ROL, GRUPA, DENUM, DOCJUS, SUMA, REST, REDUC, UM, "
                 "CANT, REDUCP, SCUTIT, TIP, SUMA2, RESTINI) VALUES (?, ?, ?, ?, ?, ?, ?, '', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                 {nextDebt++, p.idgos, utf8(d.dindata), satul, rol, utf8(d.grupa), utf8(d.denum), d.suma, d.rest,
                  d.reduc, utf8(d.um), d.cant.toString(4), d.reducp, d.scutit, utf8(d.tip), d.suma2, d.restini});
    for (const DebtRow& d : p.debtUpdates)
        db_.exec("UPDATE Datorii SET DINDATA = ?, SATUL = ?, SUMA = ?, REST = ?, REDUC = ?, UM = ?, CANT = ?, REDUCP = ?, "
                 "SCUTIT = ?, SUMA2 = ?, RESTINI = ? WHERE IDDAT = ? AND IDGOS = ?",
                 {utf8(d.dindata), satul, d.suma, d.rest, d.reduc, utf8(d.um), d.cant.toString(4), d.reducp, d.scutit,
                  d.suma2, d.restini, d.iddat, p.idgos});
    for (int64_t iddat : p.debtDeletes)
        db_.exec("DELETE FROM Datorii WHERE IDDAT = ? AND IDGOS = ?", {iddat, p.idgos});

    for (const BalanceRow& b : p.balanceInserts)
        db_.exec("INSERT INTO SoldCalc (IDRES, IDGOS, SATUL, ROL, GRUPA, SUMA, REST, REDUC, SCUTIRE, DATOR, DEPOZ, MAJOR, "
                 "DATORI, DEPOZI, MAJORI, TIP) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'M')",
                 {nextBalance++, p.idgos, satul, rol, utf8(b.grupa), b.suma, b.rest, b.reduc, b.scutire, b.dator,
                  b.depoz, b.major, b.datori, b.depozi, b.majori});
    for (const BalanceRow& b : p.balanceUpdates)
        db_.exec("UPDATE SoldCalc SET SUMA = ?, REST = ?, REDUC = ?, SCUTIRE = ?, DATOR = ?, DEPOZ = ?, MAJOR = ?, "
                 "DATORI = ?, DEPOZI = ?, MAJORI = ? WHERE IDRES = ? AND IDGOS = ?",
                 {b.suma, b.rest, b.reduc, b.scutire, b.dator, b.depoz, b.major, b.datori, b.depozi, b.majori, b.idres,
                  p.idgos});

    for (int64_t idscut : p.exemptionDeletes)
        db_.exec("DELETE FROM ScVeterani WHERE IDSCUT = ? AND IDGOS = ?", {idscut, p.idgos});
    if (p.exemptionInsert) {
        const ExemptionRow& e = *p.exemptionInsert;
        db_.exec("INSERT INTO ScVeterani (IDSCUT, IDGOS, SCCLAD, SCCC, SCTI, SCAUTO, SCTE) VALUES (?, ?, ?, ?, ?, ?, ?)",
                 {nextExemption++, p.idgos, e.lei[0], e.lei[1], e.lei[2], e.lei[3], e.lei[4]});
    }
    if (p.exemptionUpdate) {
        const ExemptionRow& e = *p.exemptionUpdate;
        db_.exec("UPDATE ScVeterani SET SCCLAD = ?, SCCC = ?, SCTI = ?, SCAUTO = ?, SCTE = ? WHERE IDSCUT = ? AND "
                 "IDGOS = ?",
                 {e.lei[0], e.lei[1], e.lei[2], e.lei[3], e.lei[4], e.idscut, p.idgos});
    }
}

void YearlyDebts::Impl::applyAll(const std::vector<Plan>& plans, int& written)
{
    int64_t debts = 0, balances = 0, exemptions = 0;
    for (const Plan& p : plans) {
        debts += int64_t(p.debtInserts.size());
        balances += int64_t(p.balanceInserts.size());
        exemptions += p.exemptionInsert ? 1 : 0;
    }
    // One draw per counter for the whole group: a draw rewrites the shared settings file.
    auto draw = [this](const db::SettingKey& key, int64_t count) -> int64_t {
        return count > 0 ? counters_.NextIds(key, count).toLongLong() : 0;
    };
    int64_t nextDebt = draw(db::keys::IDDAT, debts);
    int64_t nextBalance = draw(db::keys::IDRES, balances);
    int64_t nextExemption = draw(db::keys::IDSCUT, exemptions);

    for (const Plan& p : plans) {
        apply(p, nextDebt, nextBalance, nextExemption);
        ++written;
    }
}

void YearlyDebts::Impl::redo(const std::vector<Plan>& plans, int count, YearlyDebts::RunResult& result)
{
    try {
        storage::Transaction tx(db_);
        std::vector<Plan> again;
        for (int i = 0; i < count; ++i) {
            Plan p;
            if (auto refusal = plan(plans[size_t(i)].idgos, p)) {
                result.refusals.push_back(std::move(*refusal));
                ++result.rejected;
            } else {
                again.push_back(std::move(p));
            }
        }
        int written = 0;
        applyAll(again, written);
        tx.commit();
        result.accepted += written;
    } catch (const std::exception&) {
        // The first failure is the one reported; these taxpayers stay as they were.
    }
}

YearlyDebts::YearlyDebts(storage::Database& db, db::Counters& counters, AssessmentSettings settings, int fiscalYear)
    : impl_(std::make_unique<Impl>(db, counters, std::move(settings), fiscalYear))
{
}

YearlyDebts::~YearlyDebts() = default;

void YearlyDebts::setBatchSize(int size) { impl_->batchSize_ = std::max(1, size); }

const AssessmentSettings& YearlyDebts::settings() const { return impl_->settings_; }

std::optional<Refusal> YearlyDebts::AssessTaxpayer(int64_t idgos)
{
    storage::Transaction tx(impl_->db_);
    std::vector<Plan> plans(1);
    if (auto refusal = impl_->plan(idgos, plans[0]))
        return refusal;
    int written = 0;
    impl_->applyAll(plans, written);
    tx.commit();
    return std::nullopt;
}

YearlyDebts::RunResult YearlyDebts::AssessAll(const std::vector<int64_t>& ids, const std::function<bool(int)>& afterEach)
{
    RunResult result;
    // Each taxpayer once: a group is planned before it is written, so a second plan of the same
    // taxpayer in one group would not see the rows the first one creates.
    std::vector<int64_t> unique;
    unique.reserve(ids.size());
    {
        std::unordered_set<int64_t> seen;
        for (int64_t id : ids)
            if (seen.insert(id).second)
                unique.push_back(id);
    }
    const std::vector<int64_t>& order = unique;
    size_t next = 0;
    while (next < order.size() && !result.stopped && result.error.isEmpty()) {
        storage::Transaction tx(impl_->db_);
        std::vector<Plan> plans;
        try {
            while (next < order.size() && int(plans.size()) < impl_->batchSize_) {
                Plan p;
                if (auto refusal = impl_->plan(order[next], p)) {
                    result.refusals.push_back(std::move(*refusal));
                    ++result.rejected;
                } else {
                    plans.push_back(std::move(p));
                }
                ++next;
                if (afterEach && !afterEach(int(next))) {
                    result.stopped = true;
                    break;
                }
            }
        } catch (const std::exception& e) {
            result.error = QString::fromUtf8(e.what());
        }
        int written = 0;
        bool applied = false;
        try {
            impl_->applyAll(plans, written);
            applied = true;
            tx.commit();
            result.accepted += written;
        } catch (const std::exception& e) {
            if (result.error.isEmpty())
                result.error = QString::fromUtf8(e.what());
            tx.rollback();
            // A taxpayer failed half-way: the whole group was undone, so the ones written before
            // him are written again on their own; he stays as he was.
            if (!applied && written > 0)
                impl_->redo(plans, written, result);
        }
    }
    return result;
}

} // namespace lirma::assessment
