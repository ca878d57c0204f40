#include "core/villages.h"

#include "core/admin_texts.h"
#include "db/catalog.h"
#include "platform/base/text.h"

namespace lirma::core {

namespace {
QString text(const storage::Value& v)
{
    return QString::fromStdString(v.toText());
}
} // namespace

Villages::Villages(storage::Database& db, db::Counters& counters) : db_(db), counters_(counters) {}

std::string Villages::table() const
{
    return db::Table("DefZone.DBF").sqlName();
}

std::vector<Village> Villages::List()
{
    std::vector<Village> list;
    if (!db_.tableExists(table()))
        return list;
    const storage::ResultSet rs = db_.query("SELECT ID, LOCALIT, ZONA, RANG FROM " + table() + " ORDER BY LOCALIT, ID");
    for (const auto& row : rs.rows)
        list.push_back({row[0].toInt(), text(row[1]), text(row[2]), text(row[3])});
    return list;
}

QString Villages::Check(const QString& locality, std::optional<int64_t> exceptId, QString* cleaned)
{
    const QString clean = base::CleanSpaces(locality).left(kLocalityMax);
    if (cleaned)
        *cleaned = clean;
    if (clean.isEmpty())
        return admintext::MissingLocality();
    const std::string sql = "SELECT COUNT(*) FROM " + table() + " WHERE LOCALIT = ?" + (exceptId ? " AND ID <> ?" : "");
    storage::Params params{clean.toStdString()};
    if (exceptId)
        params.push_back(*exceptId);
    if (db_.scalar(sql, params).toInt() > 0)
        return admintext::LocalityExists();
    return {};
}

int64_t Villages::Add(const QString& locality, const QString& zone, const QString& rank)
{
    storage::Transaction t(db_);
    // Drawn inside the transaction that stores it, so the re-seeding never misses it.
    const int64_t id = counters_.NextId(db::keys::DEFZONE).toLongLong();
    db_.exec("INSERT INTO " + table() + " (ID, LOCALIT, ZONA, RANG) VALUES (?, ?, ?, ?)",
             {id, locality.toStdString(), zone.toStdString(), rank.toStdString()});
    t.commit();
    return id;
}

void Villages::Modify(int64_t id, const QString& locality, const QString& zone, const QString& rank)
{
    db_.exec("UPDATE " + table() + " SET LOCALIT = ?, ZONA = ?, RANG = ? WHERE ID = ?",
             {locality.toStdString(), zone.toStdString(), rank.toStdString(), id});
}

void Villages::Remove(int64_t id)
{
    db_.exec("DELETE FROM " + table() + " WHERE ID = ?", {id});
}

} // namespace lirma::core
