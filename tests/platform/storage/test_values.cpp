// Values through the engine: every type, blanks, Windows-1250 letters, limits.
#include "storage_fixture.h"

namespace {

struct RoundTrip {
    const char* column;     // column of table T
    Value in;               // value written
    Value expected;         // value read back
};

TEST(StorageValues, EachTypeRoundTrips) {
    TempDir dir;
    Database db(dir.path());
    db.createTable("T", parseColumnList("TXT CHAR(20), INTN DECIMAL(6,0), AMT DECIMAL(10,2), "
                                        "AREA DECIMAL(8,4), DAY DATE"));
    const std::vector<RoundTrip> cases = {
        {"TXT", "Ion Popescu", "Ion Popescu"},
        {"TXT", "  lead kept  ", "  lead kept"},                 // trailing spaces dropped only
        {"TXT", "ă â î ş ţ Ă Â Î Ş Ţ", "ă â î ş ţ Ă Â Î Ş Ţ"},
        {"TXT", "ș ț Ș Ț", "ş ţ Ş Ţ"},                          // comma-below stored as cedilla
        {"TXT", Value(), ""},                                    // blank text is empty, not NULL
        {"TXT", "abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrst"}, // cut to the width
        {"INTN", 999999, 999999},
        {"INTN", -99999, -99999},
        {"INTN", Value(), Value()},                              // blank number is NULL
        {"INTN", "42", 42},                                      // text that is a number
        {"INTN", 122.5, 123},                                    // halves away from zero
        {"INTN", -122.5, -123},
        {"AMT", 1234567.89, 1234567.89},
        {"AMT", 1.005, 1.01},                                    // decimal, not binary, rounding
        {"AMT", 0.0, 0.0},
        {"AREA", 0.3512, 0.3512},
        {"AREA", "12.34567", 12.3457},
        {"DAY", "2024-02-29", "2024-02-29"},
        {"DAY", "31.03.2024", "2024-03-31"},                     // the program's own date format
        {"DAY", Value(), Value()},
        {"DAY", "", Value()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.column) + " <- " + c.in.toText());
        db.exec("DELETE FROM T");
        db.exec(std::string("INSERT INTO T (") + c.column + ") VALUES (?)", {c.in});
        Value got = db.scalar(std::string("SELECT ") + c.column + " FROM T");
        if (c.expected.isReal()) {
            ASSERT_TRUE(got.isReal()) << got.toText();
            EXPECT_DOUBLE_EQ(got.toReal(), c.expected.toReal());
        } else {
            EXPECT_EQ(got, c.expected) << got.toText();
        }
    }
}

TEST(StorageValues, ValuesThatDoNotFitFailNamingTableAndColumn) {
    TempDir dir;
    Database db(dir.path());
    db.createTable("Datorii", parseColumnList("SUMA DECIMAL(6,0), CANT DECIMAL(9,4), DINDATA DATE"));
    const std::vector<std::pair<std::string, Value>> bad = {
        {"SUMA", 1000000}, {"SUMA", -1000000}, {"SUMA", 999999.5}, {"CANT", 100000.0},
        {"SUMA", "abc"},   {"DINDATA", "2024-02-30"}, {"DINDATA", 45292},
    };
    for (const auto& [column, v] : bad) {
        SCOPED_TRACE(column + " <- " + v.toText());
        try {
            db.exec("INSERT INTO Datorii (" + column + ") VALUES (?)", {v});
            FAIL() << "accepted";
        } catch (const StorageError& e) {
            EXPECT_NE(std::string(e.what()).find("Datorii." + column), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM Datorii").toInt(), 0);
}

TEST(StorageValues, FailingRowLeavesNothingOfItsStatement) {
    TempDir dir;
    Database db(dir.path());
    db.createTable("S", parseColumnList("ID DECIMAL(4,0), SUMA DECIMAL(6,0)"));
    {
        Transaction tx(db);
        for (int i = 1; i <= 5; ++i) db.exec("INSERT INTO S VALUES (?, ?)", {i, i * 100000});
        tx.commit();
    }
    Transaction tx(db);
    db.exec("UPDATE S SET SUMA = 7 WHERE ID = 1");
    // Rows 1..4 fit after doubling only up to 999999: row 5 (1000000) fails the statement.
    EXPECT_THROW(db.exec("UPDATE S SET SUMA = SUMA * 2"), StorageError);
    // The earlier statement of the transaction stays, the failed one left nothing.
    auto rs = db.query("SELECT ID, SUMA FROM S ORDER BY ID");
    ASSERT_EQ(rs.size(), 5u);
    EXPECT_EQ(rs.rows[0][1].toInt(), 7);
    EXPECT_EQ(rs.rows[1][1].toInt(), 200000);
    EXPECT_EQ(rs.rows[4][1].toInt(), 500000);
    tx.commit();
    Database other(dir.path());
    EXPECT_EQ(other.scalar("SELECT SUM(SUMA) FROM S").toInt(), 7 + 200000 + 300000 + 400000 + 500000);
}

TEST(StorageValues, TableWithMaximumWidthAndManyFields) {
    TempDir dir;
    Database db(dir.path());
    std::vector<FieldDef> fields{FieldDef::Decimal("IDGOS", 10, 0)};
    for (int i = 1; i <= 142; ++i) fields.push_back(FieldDef::Decimal("F" + std::to_string(i), 6, 0));
    db.createTable("Pag5", fields);
    std::string sql = "INSERT INTO Pag5 VALUES (?";
    Params p{77};
    for (int i = 1; i <= 142; ++i) {
        sql += ",?";
        p.push_back(i);
    }
    db.exec(sql + ")", p);
    EXPECT_EQ(db.scalar("SELECT F142 + F1 FROM Pag5 WHERE IDGOS = 77").toInt(), 143);
    EXPECT_EQ(db.tableInfo("Pag5").fields.size(), 143u);
    std::string json = dumpWithDbfread(dir / "Pag5.dbf");
    EXPECT_NE(json.find("[\"F142\", \"N\", 6, 0]"), std::string::npos);
    EXPECT_NE(json.find("[77, 1, 2, 3"), std::string::npos);
}

TEST(StorageValues, ColumnListParsing) {
    auto f = parseColumnList("NUME CHAR(30), SUMA DECIMAL(10,0), DATA DATE, S2 decimal(8, 4)");
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[0], FieldDef::Char("NUME", 30));
    EXPECT_EQ(f[1], FieldDef::Decimal("SUMA", 10, 0));
    EXPECT_EQ(f[2], FieldDef::Date("DATA"));
    EXPECT_EQ(f[3], FieldDef::Decimal("S2", 8, 4));
    EXPECT_EQ(formatColumnList(f), "NUME CHAR(30), SUMA DECIMAL(10,0), DATA DATE, S2 DECIMAL(8,4)");
    for (const char* bad : {"NUME", "NUME CHAR", "NUME CHAR(0)", "A DECIMAL(3,2)", "A BLOB", "A CHAR(3), a CHAR(4)",
                            "TOOLONGNAME1 CHAR(3)"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(parseColumnList(bad), StorageError);
    }
}

} // namespace
