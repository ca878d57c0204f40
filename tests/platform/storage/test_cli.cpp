// lirma-cli sql and create: the commands support staff run on real data folders.
#include "storage_fixture.h"

namespace {

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

CliResult cli(const fs::path& data, const std::string& args) {
    TempDir errDir;
    fs::path errFile = errDir / "err";
    int st = 0;
    std::string out = runCommand(std::string(LIRMA_CLI_PATH) + " --data " + shellQuote(data.string()) + " " + args +
                                     " 2>" + shellQuote(errFile.string()),
                                 &st);
    return {WEXITSTATUS(st), out, readFile(errFile)};
}

TEST(Cli, CreateInsertAndSelectWithHeaderAndNulls) {
    TempDir dir;
    auto r = cli(dir.path(), "create Test " + shellQuote("NUME CHAR(30), SUMA DECIMAL(10,0), DATA DATE"));
    ASSERT_EQ(r.status, 0) << r.err;
    r = cli(dir.path(), "sql " + shellQuote("INSERT INTO Test VALUES ('Ana Ţicu', 12, '2024-01-02')") + " " +
                            shellQuote("INSERT INTO Test (NUME) VALUES ('Gol')"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    r = cli(dir.path(), "sql --header " + shellQuote("SELECT NUME, SUMA, DATA FROM Test ORDER BY NUME") + " " +
                            shellQuote("SELECT COUNT(*) AS N FROM Test"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "NUME\tSUMA\tDATA\nAna Ţicu\t12\t2024-01-02\nGol\t\t\nN\n2\n");
}

TEST(Cli, AFailingStatementWritesNothingOfTheTransaction) {
    TempDir dir;
    ASSERT_EQ(cli(dir.path(), "create T " + shellQuote("A DECIMAL(3,0)")).status, 0);
    auto r = cli(dir.path(), "sql " + shellQuote("INSERT INTO T VALUES (1)") + " " + shellQuote("SELECT A FROM T") +
                                 " " + shellQuote("INSERT INTO T VALUES (1000)"));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, ""); // no rows printed for a transaction that did not land
    EXPECT_NE(r.err.find("T.A"), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err; // one line
    EXPECT_EQ(cli(dir.path(), "sql " + shellQuote("SELECT COUNT(*) FROM T")).out, "0\n");
}

TEST(Cli, ErrorsAreOneLineAndNonZero) {
    TempDir dir;
    const std::vector<std::string> bad = {
        "sql " + shellQuote("SELECT * FROM Missing"),
        "sql",
        "create T " + shellQuote("A BLOB"),
        "frobnicate",
    };
    for (const auto& args : bad) {
        SCOPED_TRACE(args);
        auto r = cli(dir.path(), args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    auto r = cli(dir / "does-not-exist", "sql " + shellQuote("SELECT 1"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("does-not-exist"), std::string::npos);
}

} // namespace
