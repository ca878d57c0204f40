#include "db/data_folder.h"

#include <QDir>
#include <QSet>

namespace lirma::db {

namespace {

QString rightTrimmed(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

} // namespace

const QStringList& ServerFolderFiles()
{
    static const QStringList files = {
        QStringLiteral("Gospodar.dbf"), QStringLiteral("Pag1.dbf"), QStringLiteral("Pag2.dbf"),
        QStringLiteral("Pag4.dbf"),     QStringLiteral("Pag5.dbf"), QStringLiteral("Pag6.dbf"),
        QStringLiteral("Pag7.dbf"),     QStringLiteral("Pag8.dbf"), QStringLiteral("Datorii.dbf"),
        QStringLiteral("SoldCalc.dbf")};
    return files;
}

QStringList CheckServerFolder(const QString& folder)
{
    QSet<QString> present;
    if (!folder.trimmed().isEmpty()) {
        const QDir dir(folder);
        // Table files are found without regard to case, whatever the file system does.
        for (const QString& name : dir.entryList(QDir::Files | QDir::Readable))
            present.insert(name.toLower());
    }
    QStringList missing;
    for (const QString& file : ServerFolderFiles())
        if (!present.contains(file.toLower()))
            missing.push_back(file);
    return missing;
}

QString AnyVillage()
{
    return QStringLiteral(" * indiferent *");
}

QStringList VillageList(storage::Database& db)
{
    QStringList list{AnyVillage()};
    auto addFrom = [&](const char* sql, const char* table) {
        if (!db.tableExists(table))
            return;
        const storage::ResultSet rs = db.query(sql);
        for (const auto& row : rs.rows) {
            const QString village = QString::fromStdString(row.at(0).toText());
            if (!village.trimmed().isEmpty() && !list.contains(village))
                list.push_back(village);
        }
    };
    addFrom("SELECT SATUL FROM Gospodar GROUP BY SATUL ORDER BY SATUL", "Gospodar");
    addFrom("SELECT LOCALIT FROM DefZone ORDER BY LOCALIT", "DefZone");
    return list;
}

int64_t OrphanRemoval::total() const
{
    int64_t sum = 0;
    for (const auto& [table, count] : deleted)
        sum += count;
    return sum;
}

OrphanRemoval RemoveOrphans(storage::Database& db, const QStringList& villageList)
{
    OrphanRemoval result;
    storage::Params villages;
    QSet<QString> seen;
    for (qsizetype i = 1; i < villageList.size(); ++i) {
        const QString v = rightTrimmed(villageList.at(i));
        if (!v.isEmpty() && !seen.contains(v)) {
            seen.insert(v);
            villages.push_back(v.toStdString());
        }
    }
    // Without any known village every row would look orphaned; without the taxpayers
    // no row can be told apart from an orphan.
    if (villages.empty() || !db.tableExists("Gospodar")) {
        result.skipped = true;
        return result;
    }

    std::string placeholders;
    for (size_t i = 0; i < villages.size(); ++i)
        placeholders += i ? ",?" : "?";

    storage::Transaction tx(db);
    for (const char* table : {"Chitante", "Datorii", "SoldCalc"}) {
        if (!db.tableExists(table))
            continue;
        const std::string t(table);
        const std::string sql = "DELETE FROM " + t +
                                " WHERE COALESCE(RTRIM(SATUL), '') <> ''"
                                " AND COALESCE(RTRIM(ROL), '') <> ''"
                                " AND RTRIM(SATUL) NOT IN (" + placeholders + ")"
                                " AND NOT EXISTS (SELECT 1 FROM Gospodar G WHERE G.IDGOS = " + t + ".IDGOS)";
        result.deleted.emplace_back(t, db.exec(sql, villages));
    }
    tx.commit();
    return result;
}

} // namespace lirma::db
