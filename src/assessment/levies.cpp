#include "assessment/levies.h"

#include "assessment/classification_codes.h"
#include "db/counters.h"
#include "db/setting_keys.h"
#include "platform/base/dates.h"
#include "platform/base/text.h"

namespace lirma::assessment {

using storage::Params;
using storage::Transaction;
using storage::Value;

namespace {

QString textOf(const Value& v) { return QString::fromStdString(v.toText()); }
std::string bind(const QString& s) { return s.toStdString(); }
Value dateValue(const QDate& d) { return d.isValid() ? Value(bind(base::FormatIsoDate(d))) : Value(); }

constexpr const char* kLevyColumns =
    "IDDAT, IDGOS, DINDATA, GRUPA, DENUM, DOCJUS, NR, SUMA, REST, REDUC, SUMA2, RESTINI";

LevyRow rowOf(const std::vector<Value>& r)
{
    LevyRow l;
    l.iddat = r[0].toInt();
    l.idgos = r[1].toInt();
    l.date = base::ParseIsoDate(textOf(r[2]));
    l.group = textOf(r[3]);
    l.item = textOf(r[4]);
    l.explanation = textOf(r[5]);
    l.number = r[6].toInt();
    l.current = r[7].toInt();
    l.arrears = r[8].toInt();
    l.reduction = r[9].toInt();
    l.current0 = r[10].toInt();
    l.arrears0 = r[11].toInt();
    return l;
}

} // namespace

LevyInput LevyRow::input() const
{
    LevyInput in;
    in.date = date;
    in.name = group;
    in.explanation = explanation;
    in.number = number;
    in.current = current;
    in.arrears = arrears;
    in.reduction = reduction;
    return in;
}

LevyProblem CheckLevy(LevyInput& input)
{
    if (input.name.trimmed().isEmpty())
        return LevyProblem::NoName;
    if (input.current > 0 && input.arrears > 0)
        return LevyProblem::BothAmounts;
    input.explanation = base::CleanSpaces(input.explanation).left(kExplanationWidth);
    // A negative current amount alone is not a levy; negative arrears or a reduction alone are.
    if (input.arrears != 0 || input.reduction != 0 || input.current > 0)
        return LevyProblem::None;
    return LevyProblem::NoAmount;
}

int64_t ReductionPercent(int64_t current, int64_t arrears, int64_t reduction)
{
    const int64_t base = current + arrears;
    if (base == 0)
        return 0; // a levy of a reduction only: no percentage to speak of
    return reduction * 100 / base; // truncated toward zero
}

Levies::Levies(storage::Database& db, db::Counters& counters) : db_(db), counters_(counters) {}

std::vector<LevyRow> Levies::List(int64_t idgos)
{
    const storage::ResultSet rs =
        db_.query(std::string("SELECT ") + kLevyColumns
                      + " FROM Datorii WHERE IDGOS = ? AND TIP = ? ORDER BY IDGOS, GRUPA, DINDATA, IDDAT",
                  {idgos, "M"});
    std::vector<LevyRow> rows;
    rows.reserve(rs.size());
    for (const auto& r : rs.rows)
        rows.push_back(rowOf(r));
    return rows;
}

std::optional<LevyRow> Levies::Find(int64_t iddat)
{
    const storage::ResultSet rs =
        db_.query(std::string("SELECT ") + kLevyColumns + " FROM Datorii WHERE IDDAT = ? AND TIP = ?", {iddat, "M"});
    if (rs.empty())
        return std::nullopt;
    return rowOf(rs.rows[0]);
}

QStringList Levies::Names() { return LevyNames(db_); }

int64_t Levies::Add(const LevyOwner& owner, const LevyInput& input, Percent percent)
{
    const int64_t reducp =
        percent == Percent::FromAmounts ? ReductionPercent(input.current, input.arrears, input.reduction) : 0;
    Transaction tx(db_);
    // Drawn inside the transaction that stores it (the counter re-seeding relies on it).
    const int64_t iddat = counters_.NextId(db::keys::IDDAT).toLongLong();
    db_.exec("INSERT INTO Datorii (IDDAT, DINDATA, SATUL, ROL, IDGOS, GRUPA, DENUM, DOCJUS, NR, SUMA, REST, REDUC, "
             "UM, CANT, REDUCP, SCUTIT, TIP, SUMA2, RESTINI) "
             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
             {iddat, dateValue(input.date), bind(owner.satul), bind(owner.rol), owner.idgos, bind(input.name),
              bind(input.name), bind(input.explanation), input.number, input.current, input.arrears,
              input.reduction, "buc", 1, reducp, 0, "M", input.current, input.arrears});
    tx.commit();
    return iddat;
}

Levies::Outcome Levies::Modify(const LevyRow& shown, const LevyInput& typed)
{
    Transaction tx(db_);
    // The row as it stands now: a receipt may have been issued on it since it was shown.
    const std::optional<LevyRow> now = Find(shown.iddat);
    if (!now)
        return Outcome::Missing;
    if (now->paid() && typed.name != now->group)
        return Outcome::Paid;
    const int64_t currentDelta = typed.current - shown.current;
    const int64_t arrearsDelta = typed.arrears - shown.arrears;
    db_.exec("UPDATE Datorii SET DINDATA = ?, GRUPA = ?, DENUM = ?, DOCJUS = ?, NR = ?, "
             "SUMA = COALESCE(SUMA, 0) + ?, REST = COALESCE(REST, 0) + ?, REDUC = ?, "
             "SUMA2 = COALESCE(SUMA2, 0) + ?, RESTINI = COALESCE(RESTINI, 0) + ? WHERE IDDAT = ?",
             {dateValue(typed.date), bind(typed.name), bind(typed.name), bind(typed.explanation), typed.number,
              currentDelta, arrearsDelta, typed.reduction, currentDelta, arrearsDelta, shown.iddat});
    tx.commit();
    return Outcome::Done;
}

Levies::Outcome Levies::Delete(int64_t idgos, int64_t iddat)
{
    Transaction tx(db_);
    const std::optional<LevyRow> now = Find(iddat);
    if (!now || now->idgos != idgos)
        return Outcome::Missing;
    if (now->paid())
        return Outcome::Paid;
    db_.exec("DELETE FROM Datorii WHERE IDGOS = ? AND IDDAT = ?", {idgos, iddat});
    tx.commit();
    return Outcome::Done;
}

} // namespace lirma::assessment
