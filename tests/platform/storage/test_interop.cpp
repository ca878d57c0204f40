// Files exchanged with independent dBASE tools (python3-dbf writes, dbfread reads).
#include "storage_fixture.h"

namespace {

TEST(StorageInterop, TableWrittenByAnotherToolIsReadRight) {
    TempDir dir;
    std::string rows = R"([["Şerban Ţuţea ă", 123, 45.67, "2024-03-31"], ["", null, null, null], ["x", -5, 0.5, "1900-01-01"]])";
    int st = 0;
    std::string out = runCommand("/usr/bin/python3 " + std::string(LIRMA_TEST_TOOLS_DIR) + "/dbf_write.py " +
                                     shellQuote((dir / "EXTERN.DBF").string()) +
                                     " 'NUME C(20); SUMA N(6,0); VAL N(10,2); DATA D' " + shellQuote(rows) + " 2>&1",
                                 &st);
    ASSERT_EQ(st, 0) << out;
    Database db(dir.path());
    // Found without regard to the case of the file name.
    auto rs = db.query("SELECT NUME, SUMA, VAL, DATA FROM Extern ORDER BY rowid");
    ASSERT_EQ(rs.size(), 3u);
    EXPECT_EQ(rs.rows[0][0], Value("Şerban Ţuţea ă"));
    EXPECT_EQ(rs.rows[0][1], Value(123));
    EXPECT_DOUBLE_EQ(rs.rows[0][2].toReal(), 45.67);
    EXPECT_EQ(rs.rows[0][3], Value("2024-03-31"));
    EXPECT_EQ(rs.rows[1][0], Value(""));
    EXPECT_TRUE(rs.rows[1][1].isNull());
    EXPECT_TRUE(rs.rows[1][3].isNull());
    EXPECT_EQ(rs.rows[2][1], Value(-5));
    // And we can write into it.
    db.exec("UPDATE extern SET SUMA = SUMA + 1 WHERE NUME = 'x'");
    EXPECT_EQ(db.scalar("SELECT SUMA FROM EXTERN WHERE NUME = 'x'"), Value(-4));
}

TEST(StorageInterop, EveryTableWeWriteReadsTheSameInDbfread) {
    TempDir dir;
    Database db(dir.path());
    db.createTable("Gospodar", parseColumnList("IDGOS DECIMAL(10,0), SATUL CHAR(32), ROL CHAR(9), "
                                               "NUMEP CHAR(40), SUPRAF DECIMAL(8,4), DATAIN DATE"));
    Transaction tx(db);
    db.exec("INSERT INTO Gospodar VALUES (1, 'Vânători', '12', 'Ștefănescu Ion', 0.35, '2024-01-15')");
    db.exec("INSERT INTO Gospodar VALUES (2, 'Deal', '7A', 'SC ȚARA SRL', NULL, NULL)");
    db.exec("INSERT INTO Gospodar VALUES (3, 'Deal', '8', 'de sters', 1, '2024-01-01')");
    db.exec("DELETE FROM Gospodar WHERE IDGOS = 3");
    tx.commit();
    std::string json = dumpWithDbfread(dir / "Gospodar.dbf");
    EXPECT_EQ(json,
              "{\"fields\": [[\"IDGOS\", \"N\", 10, 0], [\"SATUL\", \"C\", 32, 0], [\"ROL\", \"C\", 9, 0], "
              "[\"NUMEP\", \"C\", 40, 0], [\"SUPRAF\", \"N\", 8, 4], [\"DATAIN\", \"D\", 8, 0]], "
              "\"records\": [[1, \"Vânători\", \"12\", \"Ştefănescu Ion\", 0.35, \"2024-01-15\"], "
              "[2, \"Deal\", \"7A\", \"SC ŢARA SRL\", null, null]], \"deleted\": 1}");
    // Header rules: version 0x03, Windows-1250 language driver, end marker, exact size.
    std::string raw = readFile(dir / "Gospodar.dbf");
    ASSERT_GE(raw.size(), 32u);
    EXPECT_EQ(static_cast<unsigned char>(raw[0]), 0x03);
    EXPECT_EQ(static_cast<unsigned char>(raw[29]), 0xC8);
    EXPECT_EQ(static_cast<unsigned char>(raw[4]), 3); // three records, one marked deleted
    EXPECT_EQ(raw.back(), '\x1a');
    size_t hl = static_cast<unsigned char>(raw[8]) | (static_cast<unsigned char>(raw[9]) << 8);
    size_t rl = static_cast<unsigned char>(raw[10]) | (static_cast<unsigned char>(raw[11]) << 8);
    EXPECT_EQ(raw.size(), hl + 3 * rl + 1);
}

TEST(StorageInterop, ProductionIndexFlagAndMdxAreDroppedOnFirstWrite) {
    TempDir dir;
    {
        Database db(dir.path());
        db.createTable("Datorii", parseColumnList("IDGOS DECIMAL(10,0)"));
        db.exec("INSERT INTO Datorii VALUES (1)");
    }
    std::string raw = readFile(dir / "Datorii.dbf");
    raw[28] = 1;
    writeFile(dir / "Datorii.dbf", raw);
    writeFile(dir / "DATORII.MDX", "index");
    Database db(dir.path());
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Datorii").toInt(), 1); // reading changes nothing
    EXPECT_TRUE(fs::exists(dir / "DATORII.MDX"));
    db.exec("INSERT INTO Datorii VALUES (2)");
    EXPECT_FALSE(fs::exists(dir / "DATORII.MDX"));
    EXPECT_EQ(readFile(dir / "Datorii.dbf")[28], 0);
}

} // namespace
