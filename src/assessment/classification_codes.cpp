#include "assessment/classification_codes.h"

#include "assessment/levy_texts.h"
#include "db/counters.h"
#include "db/setting_keys.h"
#include "platform/base/text.h"

namespace lirma::assessment {

using storage::Params;
using storage::Transaction;
using storage::Value;

namespace {

QString textOf(const Value& v) { return QString::fromStdString(v.toText()); }
std::string bind(const QString& s) { return s.toStdString(); }

CodeRow rowOf(const storage::ResultSet& rs, size_t i)
{
    CodeRow r;
    r.idcod = rs.rows[i][0].toInt();
    r.grupa = textOf(rs.rows[i][1]);
    r.codclf = textOf(rs.rows[i][2]);
    r.codclj = textOf(rs.rows[i][3]);
    r.tip = textOf(rs.rows[i][4]);
    return r;
}

const char* orderBy(CodeOrder order)
{
    switch (order) {
    case CodeOrder::Name: return "GRUPA";
    case CodeOrder::NaturalCode: return "CODCLF";
    case CodeOrder::LegalCode: return "CODCLJ";
    case CodeOrder::Default: break;
    }
    return "TIP, GRUPA";
}

bool beginsWithRo(const QString& account) { return account.startsWith(QLatin1String("RO"), Qt::CaseInsensitive); }

} // namespace

ClassificationCodes::ClassificationCodes(storage::Database& db, db::Counters& counters)
    : db_(db), counters_(counters)
{
}

std::vector<CodeRow> ClassificationCodes::List(CodeOrder order)
{
    // IDCOD last keeps rows that tie on the ordering column in one stable order.
    const storage::ResultSet rs = db_.query(std::string("SELECT IDCOD, GRUPA, CODCLF, CODCLJ, TIP FROM CODCL ORDER BY ")
                                            + orderBy(order) + ", IDCOD");
    std::vector<CodeRow> rows;
    rows.reserve(rs.size());
    for (size_t i = 0; i < rs.size(); ++i)
        rows.push_back(rowOf(rs, i));
    return rows;
}

std::optional<CodeRow> ClassificationCodes::Find(int64_t idcod)
{
    const storage::ResultSet rs =
        db_.query("SELECT IDCOD, GRUPA, CODCLF, CODCLJ, TIP FROM CODCL WHERE IDCOD = ?", {idcod});
    if (rs.empty())
        return std::nullopt;
    return rowOf(rs, 0);
}

std::optional<CodeProblem> ClassificationCodes::Check(CodeInput& input, std::optional<int64_t> editing)
{
    input.name = base::CleanSpaces(input.name);
    input.naturalAccount = base::CleanSpaces(input.naturalAccount);
    input.legalAccount = base::CleanSpaces(input.legalAccount);
    if (input.name.isEmpty())
        return CodeProblem{CodeField::Name, yeartext::NoClaimName()};
    if (input.naturalAccount.isEmpty())
        return CodeProblem{CodeField::NaturalAccount, yeartext::NoAccount()};
    if (input.legalAccount.isEmpty())
        return CodeProblem{CodeField::LegalAccount, yeartext::NoAccount()};
    if (beginsWithRo(input.naturalAccount) && !base::ValidIban(input.naturalAccount))
        return CodeProblem{CodeField::NaturalAccount, yeartext::WrongAccount()};
    if (beginsWithRo(input.legalAccount) && !base::ValidIban(input.legalAccount))
        return CodeProblem{CodeField::LegalAccount, yeartext::WrongAccount()};
    // Compared here rather than with SQL UPPER, which leaves letters outside ASCII alone.
    const storage::ResultSet rs = db_.query("SELECT IDCOD, GRUPA FROM CODCL");
    for (const auto& row : rs.rows) {
        if (editing && row[0].toInt() == *editing)
            continue;
        if (textOf(row[1]).compare(input.name, Qt::CaseInsensitive) == 0)
            return CodeProblem{CodeField::Name, yeartext::ClaimExists()};
    }
    return std::nullopt;
}

int64_t ClassificationCodes::Add(const CodeInput& input)
{
    Transaction tx(db_);
    // Drawn inside the transaction that stores it (the counter re-seeding relies on it).
    const int64_t idcod = counters_.NextId(db::keys::IDCOD).toLongLong();
    db_.exec("INSERT INTO CODCL (IDCOD, GRUPA, CODCLF, CODCLJ, TIP) VALUES (?, ?, ?, ?, ?)",
             {idcod, bind(input.name), bind(input.naturalAccount), bind(input.legalAccount), "T"});
    tx.commit();
    return idcod;
}

ClassificationCodes::Modified ClassificationCodes::Modify(const CodeRow& before, const CodeInput& input)
{
    Modified result;
    Transaction tx(db_);
    const int64_t changed = db_.exec("UPDATE CODCL SET CODCLF = ?, CODCLJ = ? WHERE IDCOD = ?",
                                     {bind(input.naturalAccount), bind(input.legalAccount), before.idcod});
    if (changed == 0)
        return result;
    result.found = true;
    // Receipts already issued show the new account when printed again.
    if (input.naturalAccount != before.codclf)
        result.naturalLines = db_.exec("UPDATE Chitante SET CODCLAS = ? WHERE GRUPA = ? AND TIPF = ?",
                                       {bind(input.naturalAccount), bind(before.grupa), "F"});
    if (input.legalAccount != before.codclj)
        result.legalLines = db_.exec("UPDATE Chitante SET CODCLAS = ? WHERE GRUPA = ? AND TIPF = ?",
                                     {bind(input.legalAccount), bind(before.grupa), "J"});
    tx.commit();
    return result;
}

bool ClassificationCodes::Delete(int64_t idcod)
{
    if (!CanDelete(idcod))
        return false;
    return db_.exec("DELETE FROM CODCL WHERE IDCOD = ?", {idcod}) > 0;
}

QString BudgetCode(storage::Database& db, const QString& group, bool naturalPerson)
{
    const storage::ResultSet rs = db.query(
        naturalPerson ? "SELECT CODCLF FROM CODCL WHERE GRUPA = ?" : "SELECT CODCLJ FROM CODCL WHERE GRUPA = ?",
        {bind(group)});
    return rs.empty() ? QString() : textOf(rs.rows[0][0]);
}

QStringList LevyNames(storage::Database& db)
{
    const storage::ResultSet rs =
        db.query("SELECT GRUPA FROM CODCL WHERE COALESCE(TIP, '') <> ? GROUP BY GRUPA ORDER BY GRUPA", {"I"});
    QStringList names;
    for (const auto& row : rs.rows) {
        const QString name = textOf(row[0]);
        if (!name.isEmpty() && !names.contains(name))
            names << name;
    }
    return names;
}

} // namespace lirma::assessment
