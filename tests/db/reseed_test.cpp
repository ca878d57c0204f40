#include "db/counters.h"

#include "platform/storage/storage.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace lirma::db;
using lirma::storage::Database;
using lirma::storage::FieldDef;

namespace {

class ReseedTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::filesystem::path folder() const { return dir.path().toStdString(); }
    QString settingsPath() const { return dir.filePath("Lirma.set"); }

    // A table with the given numeric columns and rows.
    static void table(Database& db, const std::string& name, const std::vector<std::string>& columns,
                      const std::vector<std::vector<int>>& rows)
    {
        std::vector<FieldDef> fields;
        for (const auto& c : columns)
            fields.push_back(FieldDef::Decimal(c, 10, 0));
        db.createTable(name, fields);
        std::string sql = "INSERT INTO " + name + " (";
        std::string marks;
        for (size_t i = 0; i < columns.size(); ++i) {
            sql += (i ? ", " : "") + columns[i];
            marks += i ? ", ?" : "?";
        }
        sql += ") VALUES (" + marks + ")";
        for (const auto& row : rows) {
            lirma::storage::Params params(row.begin(), row.end());
            db.exec(sql, params);
        }
    }

    QString counter(const char* key) const { return Counters(settingsPath()).PeekId("SERVER", key); }
};

const char* const kReseeded[] = {"IDGOS", "IDDAT", "IDRES", "IDDEB", "IDCHIT",
                                 "IDRC",  "IDANUL", "IDCOD", "IDCONF", "IDDETA"};

} // namespace

TEST_F(ReseedTest, EmptyDatabaseGivesOne)
{
    Database db(folder());
    table(db, "Gospodar", {"IDGOS"}, {});
    table(db, "Chitante", {"IDCHIT", "IDANUL"}, {});
    Counters counters(settingsPath());
    ASSERT_TRUE(counters.SetCounter("SERVER", "IDGOS", "77"));
    counters.ReseedCounters(db); // the other tables are missing: empty
    for (const char* key : kReseeded)
        EXPECT_EQ(counter(key), "1") << key;
    EXPECT_EQ(counters.NextId("SERVER", "IDGOS"), "1");
    EXPECT_EQ(counter("IDGOS"), "2");
}

TEST_F(ReseedTest, OneMoreThanTheLargestIdentifierStillStored)
{
    Database db(folder());
    table(db, "GOSPODAR", {"IDGOS"}, {{3}, {12}, {7}}); // table names ignore case
    table(db, "Datorii", {"IDDAT", "IDGOS"}, {{10, 3}});
    table(db, "UndelDat", {"IDANUL", "IDGOS", "IDDAT"}, {{4, 3, 15}}); // a snapshot above Datorii
    table(db, "SoldCalc", {"IDRES"}, {{20}});
    table(db, "UndelSold", {"IDANUL", "IDRES"}, {{9, 5}});
    table(db, "Debit", {"IDDEB"}, {});
    table(db, "UndelDebit", {"IDANUL", "IDDEB"}, {{2, 30}});
    table(db, "Chitante", {"IDCHIT", "IDANUL"}, {{41, 5}, {40, -1}});
    table(db, "ChitAnul", {"IDCHIT"}, {{38}});
    table(db, "RegCasa", {"IDRC"}, {{6}});
    table(db, "CODCL", {"IDCOD"}, {{12}});
    table(db, "Confirm", {"IDCONF"}, {{0}});
    table(db, "AutoDet", {"IDDETA"}, {{99}});

    Counters counters(settingsPath());
    ASSERT_TRUE(counters.SetCounter("SERVER", "IDCHIT", "100")); // drawn but never stored: reused
    ASSERT_TRUE(counters.SetCounter("SERVER", "IDPOP", "55"));   // not re-seeded
    counters.ReseedCounters(db);

    const std::vector<std::pair<const char*, QString>> expected = {
        {"IDGOS", "13"}, {"IDDAT", "16"}, {"IDRES", "21"}, {"IDDEB", "31"}, {"IDCHIT", "42"},
        {"IDRC", "7"},   {"IDANUL", "10"}, {"IDCOD", "13"}, {"IDCONF", "1"}, {"IDDETA", "100"},
        {"IDPOP", "55"},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(counter(key), value) << key;
}

TEST_F(ReseedTest, PaymentsWithoutDebitAloneGiveOne)
{
    Database db(folder());
    table(db, "Chitante", {"IDCHIT", "IDANUL"}, {{1, -1}, {2, -1}});
    Counters counters(settingsPath());
    counters.ReseedCounters(db);
    EXPECT_EQ(counter("IDANUL"), "1");
    EXPECT_EQ(counter("IDCHIT"), "3");
}

TEST_F(ReseedTest, UnwritableSettingsFileFailsAndChangesNothing)
{
    Database db(folder());
    table(db, "Gospodar", {"IDGOS"}, {{41}});
    Counters counters(settingsPath());
    ASSERT_TRUE(counters.SetCounter("SERVER", "IDGOS", "100"));
    QFile::setPermissions(settingsPath(), QFile::ReadOwner);
    EXPECT_THROW(counters.ReseedCounters(db), CounterError);
    EXPECT_EQ(counter("IDGOS"), "100");
}
