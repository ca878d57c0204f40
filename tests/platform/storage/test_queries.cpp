// SQL over the tables: joins, grouping, lookups served from the in-memory indexes.
#include "storage_fixture.h"

namespace {

void makeCommune(Database& db) {
    db.createTable("Gospodar", parseColumnList("IDGOS DECIMAL(10,0), SATUL CHAR(32), NUMEP CHAR(40)"));
    db.createTable("Datorii", parseColumnList("IDDAT DECIMAL(10,0), IDGOS DECIMAL(10,0), GRUPA CHAR(60), "
                                              "SUMA DECIMAL(6,0)"));
    Transaction tx(db);
    const char* sate[] = {"Deal", "Vale", "Lunca"};
    int iddat = 1;
    for (int g = 1; g <= 30; ++g) {
        db.exec("INSERT INTO Gospodar VALUES (?, ?, ?)", {g, sate[g % 3], "Contribuabil " + std::to_string(g)});
        for (int k = 0; k < g % 4; ++k)
            db.exec("INSERT INTO Datorii VALUES (?, ?, ?, ?)",
                    {iddat++, g, k % 2 ? "Impozit pe cladiri" : "Salubritate", g * 10 + k});
    }
    tx.commit();
}

TEST(StorageQueries, JoinAndGroupByGiveTheRightRows) {
    TempDir dir;
    Database db(dir.path());
    makeCommune(db);
    // Expected values computed by hand from the generator: taxpayers g with g % 3 == 1 live in "Vale";
    // each has g % 4 rows with SUMA g*10 + k.
    int64_t expectedSum = 0, expectedRows = 0;
    for (int g = 1; g <= 30; ++g)
        if (g % 3 == 1)
            for (int k = 0; k < g % 4; ++k) {
                expectedSum += g * 10 + k;
                ++expectedRows;
            }
    auto rs = db.query("SELECT COUNT(*), SUM(d.SUMA) FROM Gospodar g JOIN Datorii d ON d.IDGOS = g.IDGOS "
                       "WHERE g.SATUL = ?",
                       {"Vale"});
    EXPECT_EQ(rs.rows[0][0].toInt(), expectedRows);
    EXPECT_EQ(rs.rows[0][1].toInt(), expectedSum);

    auto groups = db.query("SELECT GRUPA, COUNT(*), SUM(SUMA) FROM Datorii GROUP BY GRUPA ORDER BY GRUPA");
    ASSERT_EQ(groups.size(), 2u);
    int64_t cl = 0, sal = 0, clN = 0, salN = 0;
    for (int g = 1; g <= 30; ++g)
        for (int k = 0; k < g % 4; ++k) (k % 2 ? (cl += g * 10 + k, ++clN) : (sal += g * 10 + k, ++salN));
    EXPECT_EQ(groups.rows[0][0], Value("Impozit pe cladiri"));
    EXPECT_EQ(groups.rows[0][1].toInt(), clN);
    EXPECT_EQ(groups.rows[0][2].toInt(), cl);
    EXPECT_EQ(groups.rows[1][2].toInt(), sal);
    EXPECT_EQ(groups.rows[1][1].toInt(), salN);
}

TEST(StorageQueries, LookupsSeeChangesOfTheOpenTransaction) {
    TempDir dir;
    Database db(dir.path());
    makeCommune(db);
    // Build the index first, then change keys inside a transaction.
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS = 7").toInt(), 3);
    Transaction tx(db);
    db.exec("UPDATE Datorii SET IDGOS = 99 WHERE IDGOS = 7 AND SUMA = 70");
    db.exec("INSERT INTO Datorii VALUES (500, 99, 'Paza', 1)");
    db.exec("DELETE FROM Datorii WHERE IDGOS = 7 AND SUMA = 71");
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS = 7").toInt(), 1);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS = 99").toInt(), 2);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS = '99'").toInt(), 2); // affinity as SQLite
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS = 99.0").toInt(), 2);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Gospodar WHERE NUMEP = 'contribuabil 7' COLLATE NOCASE").toInt(), 1);
    tx.rollback();
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS = 7").toInt(), 3);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS = 99").toInt(), 0);
}

TEST(StorageQueries, JoinUsesTheIndexNotANestedScan) {
    TempDir dir;
    Database db(dir.path());
    makeCommune(db);
    auto plan = db.query("EXPLAIN QUERY PLAN SELECT * FROM Gospodar g JOIN Datorii d ON d.IDGOS = g.IDGOS "
                         "WHERE g.SATUL = 'Vale'");
    std::string text;
    for (auto& r : plan.rows) text += r.back().toText() + "\n";
    // Both sides answered through the module's index (idxNum >= 2), neither fully scanned twice.
    EXPECT_NE(text.find("VIRTUAL TABLE INDEX 3"), std::string::npos) << text; // Datorii.IDGOS
}

TEST(StorageQueries, DeletedRowsAreInvisibleAndPackRemovesThem) {
    TempDir dir;
    Database db(dir.path());
    makeCommune(db);
    int64_t before = db.scalar("SELECT COUNT(*) FROM Datorii").toInt();
    int64_t gone = db.exec("DELETE FROM Datorii WHERE GRUPA = 'Paza' OR SUMA < 100");
    ASSERT_GT(gone, 0);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Datorii").toInt(), before - gone);
    EXPECT_EQ(db.tableInfo("Datorii").recordCount, uint32_t(before)); // still in the file
    int64_t sum = db.scalar("SELECT SUM(SUMA) FROM Datorii").toInt();
    db.packTable("Datorii");
    EXPECT_EQ(db.tableInfo("Datorii").recordCount, uint32_t(before - gone));
    EXPECT_EQ(db.scalar("SELECT SUM(SUMA) FROM Datorii").toInt(), sum);
    EXPECT_NE(dumpWithDbfread(dir / "Datorii.dbf").find("\"deleted\": 0"), std::string::npos);
    // Another connection sees the packed file.
    Database other(dir.path());
    EXPECT_EQ(other.scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS = 30").toInt(), 2);
}

TEST(StorageQueries, WideningAndAlteringKeepValues) {
    TempDir dir;
    Database db(dir.path());
    db.createTable("RegCasa", parseColumnList("NR DECIMAL(4,0), PLATIT DECIMAL(6,0), INCASAT DECIMAL(6,0), "
                                              "OBS CHAR(10), D DATE"));
    db.exec("INSERT INTO RegCasa VALUES (1, 999999, -12345, 'abc', '2024-05-06')");
    db.exec("INSERT INTO RegCasa VALUES (2, NULL, 0, NULL, NULL)");
    db.widenColumn("RegCasa", "PLATIT", 8, 0);
    db.exec("UPDATE RegCasa SET PLATIT = PLATIT * 10 WHERE NR = 1");
    EXPECT_EQ(db.scalar("SELECT PLATIT FROM RegCasa WHERE NR = 1"), Value(9999990));
    EXPECT_TRUE(db.scalar("SELECT PLATIT FROM RegCasa WHERE NR = 2").isNull());
    db.widenColumn("RegCasa", "INCASAT", 12, 2);
    EXPECT_EQ(db.scalar("SELECT INCASAT FROM RegCasa WHERE NR = 1"), Value(-12345.0));
    EXPECT_NE(dumpWithDbfread(dir / "RegCasa.dbf").find("[\"INCASAT\", \"N\", 12, 2]"), std::string::npos);
    // Narrowing that does not fit fails and leaves the table as it was.
    EXPECT_THROW(db.widenColumn("RegCasa", "PLATIT", 6, 0), StorageError);
    EXPECT_EQ(db.tableInfo("RegCasa").fields[1].width, 8);
    // A work table altered: columns dropped and added.
    db.alterTable("RegCasa", parseColumnList("NR DECIMAL(4,0), OBS CHAR(10), D DATE, DEBIT DECIMAL(10,0)"));
    auto rs = db.query("SELECT NR, OBS, D, DEBIT FROM RegCasa ORDER BY NR");
    EXPECT_EQ(rs.rows[0][1], Value("abc"));
    EXPECT_EQ(rs.rows[0][2], Value("2024-05-06"));
    EXPECT_TRUE(rs.rows[0][3].isNull());
    EXPECT_THROW(db.query("SELECT PLATIT FROM RegCasa"), StorageError);
}

TEST(StorageQueries, UserSqlCannotBypassTheEngine) {
    TempDir dir;
    Database db(dir.path());
    db.createTable("T", parseColumnList("A DECIMAL(3,0)"));
    for (const char* sql : {"DROP TABLE T", "CREATE TABLE X (A INT)", "BEGIN", "COMMIT", "SAVEPOINT a",
                            "SELECT 1; SELECT 2", "SELECT \"text\""}) {
        SCOPED_TRACE(sql);
        EXPECT_THROW(db.query(sql), StorageError);
    }
    {
        Transaction tx(db);
        EXPECT_THROW(db.exec("SAVEPOINT a"), StorageError);
    }
    EXPECT_TRUE(fs::exists(dir / "T.dbf"));
    db.dropTable("T");
    EXPECT_FALSE(fs::exists(dir / "T.dbf"));
    EXPECT_FALSE(db.tableExists("T"));
}

TEST(StorageQueries, WorkTablesInARegisteredFolder) {
    TempDir data, temp;
    Database db(data.path());
    db.createTable("Gospodar", parseColumnList("IDGOS DECIMAL(10,0), NUMEP CHAR(40)"));
    db.exec("INSERT INTO Gospodar VALUES (1, 'Ana')");
    db.registerFolder(temp.path());
    db.createTable("Lucru0", parseColumnList("IDGOS DECIMAL(10,0), TOTAL DECIMAL(8,0)"), temp.path());
    EXPECT_TRUE(fs::exists(temp / "Lucru0.dbf"));
    db.exec("INSERT INTO Lucru0 SELECT IDGOS, 5 FROM Gospodar");
    EXPECT_EQ(db.scalar("SELECT g.NUMEP FROM Lucru0 l JOIN Gospodar g ON g.IDGOS = l.IDGOS"), Value("Ana"));
    EXPECT_THROW(db.createTable("gospodar", parseColumnList("A CHAR(1)"), temp.path()), StorageError);
    db.dropTable("Lucru0");
    EXPECT_FALSE(fs::exists(temp / "Lucru0.dbf"));
}

} // namespace

namespace {
TEST(StorageQueries, TableFileNameKeepsTheSpellingOfItsExtension) {
    TempDir dir;
    Database db(dir.path());
    db.createTable("DefZone.DBF", parseColumnList("LOCALIT CHAR(32)"));
    EXPECT_TRUE(fs::exists(dir / "DefZone.DBF"));
    db.exec("INSERT INTO DefZone VALUES ('Deal')");
    EXPECT_EQ(db.scalar("SELECT LOCALIT FROM defzone"), Value("Deal"));
    EXPECT_THROW(db.createTable("DEFZONE", parseColumnList("A CHAR(1)")), StorageError);
}
} // namespace
