// A data folder with every permanent table for the tests of the classification codes, levies and
// debits: the database, the counters of its settings file, a taxpayer, and the scripted
// interaction.
#pragma once

#include "assessment/levies.h"
#include "db/catalog.h"
#include "db/counters.h"
#include "db/settings.h"
#include "platform/storage/storage.h"
#include "platform/ui/scripted_interaction.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace lirma::test {

class YearFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        data = dir.filePath("Data");
        ASSERT_TRUE(QDir().mkpath(data));
        db = std::make_unique<storage::Database>(data.toStdString());
        counters = std::make_unique<db::Counters>(db::settingsPathIn(data));
        db::CreateMissingTables(*db, {}, [this] { return counters->NextId(db::keys::IDCOD).toLongLong(); });
        // Identifiers of levies and debits start where a real folder's would after a few rows.
        ASSERT_TRUE(counters->SetCounter(db::keys::IDDAT, "501"));
        ASSERT_TRUE(counters->SetCounter(db::keys::IDDEB, "71"));
    }
    void TearDown() override { db.reset(); }

    // One column of one row, as text.
    std::string cell(const std::string& table, const std::string& key, int64_t id, const std::string& column)
    {
        return db->scalar("SELECT " + column + " FROM " + table + " WHERE " + key + " = ?", {id}).toText();
    }
    int64_t number(const std::string& table, const std::string& key, int64_t id, const std::string& column)
    {
        return db->scalar("SELECT " + column + " FROM " + table + " WHERE " + key + " = ?", {id}).toInt();
    }
    int64_t count(const std::string& table)
    {
        return db->scalar("SELECT COUNT(*) FROM " + table).toInt();
    }

    // A levy row as another workstation or the yearly assessment would have left it.
    void putLevy(int64_t iddat, int64_t idgos, const std::string& group, int64_t suma, int64_t suma2, int64_t rest,
                 int64_t restini, const std::string& tip = "M")
    {
        db->exec("INSERT INTO Datorii (IDDAT, IDGOS, DINDATA, SATUL, ROL, GRUPA, DENUM, DOCJUS, NR, SUMA, REST, REDUC, "
                 "UM, CANT, REDUCP, SCUTIT, TIP, SUMA2, RESTINI) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                 "?, ?, ?)",
                 {iddat, idgos, "2024-02-10", "DEALU MARE", "101", group, group, "HCL 12", 7, suma, rest, 0, "buc", 1,
                  0, 0, tip, suma2, restini});
    }

    const assessment::LevyOwner owner{17, QStringLiteral("DEALU MARE"), QStringLiteral("101")};

    QTemporaryDir dir;
    QString data;
    std::unique_ptr<storage::Database> db;
    std::unique_ptr<db::Counters> counters;
    ui::ScriptedInteraction scripted;
    ui::ScopedInteraction scope{scripted};
};

} // namespace lirma::test

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE
