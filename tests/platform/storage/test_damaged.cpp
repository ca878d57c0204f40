// Damaged files give an error naming the file: never a crash, never a silent empty table.
#include "storage_fixture.h"

namespace {

struct Damage {
    const char* what;
    void (*apply)(std::string& raw);
};

void put16(std::string& raw, size_t at, int v) {
    raw[at] = char(v & 0xFF);
    raw[at + 1] = char((v >> 8) & 0xFF);
}

TEST(StorageDamage, DamagedFilesAreReportedByName) {
    const std::vector<Damage> cases = {
        {"truncated inside a record", [](std::string& r) { r.resize(r.size() - 20); }},
        {"truncated inside the header", [](std::string& r) { r.resize(40); }},
        {"shorter than a header", [](std::string& r) { r.resize(10); }},
        {"header length beyond the file", [](std::string& r) { put16(r, 8, 60000); }},
        {"header length too small", [](std::string& r) { put16(r, 8, 20); }},
        {"record length not matching the fields", [](std::string& r) { put16(r, 10, 7); }},
        {"record count larger than the file", [](std::string& r) { r[4] = 50; }},
        {"record count smaller than the file", [](std::string& r) { r[4] = 1; }},
        {"unknown field type", [](std::string& r) { r[32 + 11] = 'M'; }},
        {"missing descriptor terminator", [](std::string& r) { r[32 + 2 * 32] = 'X'; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        {
            Database db(dir.path());
            db.createTable("Gospodar", parseColumnList("IDGOS DECIMAL(10,0), NUMEP CHAR(40)"));
            Transaction tx(db);
            for (int i = 1; i <= 3; ++i) db.exec("INSERT INTO Gospodar VALUES (?, 'x')", {i});
            tx.commit();
        }
        std::string raw = readFile(dir / "Gospodar.dbf");
        c.apply(raw);
        writeFile(dir / "Gospodar.dbf", raw);
        Database db(dir.path()); // opening the folder still works: other tables stay usable
        try {
            auto rs = db.query("SELECT COUNT(*) FROM Gospodar");
            FAIL() << "read as " << rs.rows[0][0].toText() << " rows";
        } catch (const StorageError& e) {
            EXPECT_NE(std::string(e.what()).find("Gospodar.dbf"), std::string::npos) << e.what();
        }
        EXPECT_THROW(db.exec("INSERT INTO Gospodar VALUES (9, 'y')"), StorageError);
        EXPECT_EQ(readFile(dir / "Gospodar.dbf"), raw); // nothing written into a damaged file
    }
}

TEST(StorageDamage, BadFieldValuesReadAsBlank) {
    TempDir dir;
    {
        Database db(dir.path());
        db.createTable("T", parseColumnList("N DECIMAL(6,0), D DATE"));
        db.exec("INSERT INTO T VALUES (1, '2024-01-01')");
    }
    std::string raw = readFile(dir / "T.dbf");
    size_t rec = 32 + 2 * 32 + 1;
    raw.replace(rec + 1, 6, "**1*2*");
    raw.replace(rec + 7, 8, "20241399");
    writeFile(dir / "T.dbf", raw);
    Database db(dir.path());
    auto rs = db.query("SELECT N, D FROM T");
    ASSERT_EQ(rs.size(), 1u);
    EXPECT_TRUE(rs.rows[0][0].isNull());
    EXPECT_TRUE(rs.rows[0][1].isNull());
}

} // namespace

namespace {

TEST(StorageDamage, FileDamagedByAnotherProgramWhileOpenIsNeverOverwritten) {
    TempDir dir;
    Database db(dir.path());
    db.createTable("Log", parseColumnList("ACTIUNE CHAR(20)"));
    db.exec("INSERT INTO Log VALUES ('a')");
    std::string raw = readFile(dir / "Log.dbf");
    raw.resize(raw.size() - 5); // truncated behind our back
    writeFile(dir / "Log.dbf", raw);
    EXPECT_THROW(db.exec("INSERT INTO Log VALUES ('b')"), StorageError);
    EXPECT_EQ(readFile(dir / "Log.dbf"), raw);
    // The connection stays usable for other tables.
    db.createTable("Alt", parseColumnList("A CHAR(1)"));
    db.exec("INSERT INTO Alt VALUES ('x')");
    EXPECT_EQ(db.scalar("SELECT A FROM Alt"), Value("x"));
}

TEST(StorageDamage, TableDeletedWhileOpenFailsOneStatementOnly) {
    TempDir dir;
    Database db(dir.path());
    db.createTable("Log", parseColumnList("ACTIUNE CHAR(20)"));
    db.createTable("Alt", parseColumnList("A CHAR(1)"));
    db.exec("INSERT INTO Log VALUES ('a')");
    fs::remove(dir / "Log.dbf");
    EXPECT_THROW(db.exec("INSERT INTO Log VALUES ('b')"), StorageError);
    EXPECT_FALSE(db.tableExists("Log"));
    EXPECT_FALSE(db.inTransaction());
    db.exec("INSERT INTO Alt VALUES ('x')"); // the write lock was released
    Database other(dir.path());
    other.exec("INSERT INTO Alt VALUES ('y')");
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Alt").toInt(), 2);
    db.createTable("Log", parseColumnList("ACTIUNE CHAR(20)"));
    db.exec("INSERT INTO Log VALUES ('c')");
    EXPECT_EQ(other.scalar("SELECT ACTIUNE FROM Log"), Value("c"));
}

} // namespace
