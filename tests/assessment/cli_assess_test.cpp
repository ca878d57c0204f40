// lirma-cli assess: one taxpayer or the whole register, the refused ones on stderr (IDGOS, tab,
// reason), one summary line on stdout, exit 0 / 2 / 1, and the activity log under --user.
#include "assessment_support.h"

#include <QProcess>

using namespace lirma;

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class CliAssessTest : public test::AssessmentFolderTest {
protected:
    CliRun run(const QStringList& args)
    {
        db.reset(); // the command opens the folder itself
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("LIRMA_HOME", dir.filePath("Program"));
        p.setProcessEnvironment(env);
        p.start(LIRMA_CLI_PATH, QStringList{"--data", data} + args);
        p.waitForFinished(120000);
        CliRun r{p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
        db = std::make_unique<storage::Database>(data.toStdString());
        return r;
    }
    void SetUp() override
    {
        AssessmentFolderTest::SetUp();
        QDir().mkpath(dir.filePath("Program"));
        addTaxpayer(1, "7", "POPESCU ION");
        setPage("Pag1", 1, "L1A", "1.2345"); // 1.2345 ha x 40 (design rate of EC1ZA) = 49.38 -> 49
        addTaxpayer(2, "", "FARA ROL");
        addTaxpayer(3, "9", "VECIN");
        setPage("Pag1", 3, "L1A", "1");
    }
};

} // namespace

TEST_F(CliAssessTest, WholeRegisterListsTheRefused)
{
    const CliRun r = run({"--user", "MARIA", "assess"});
    EXPECT_EQ(r.exitCode, 2) << r.err.toStdString();
    EXPECT_EQ(r.out, "Au fost adaugate la plata 2 ROL-uri si respinse 1 ROL-uri.\n");
    EXPECT_EQ(r.err, "2\tFARA ROL nu are trecut ROL-ul si a fost respins.\n");
    EXPECT_EQ(scalar("SELECT SUMA2 FROM Datorii WHERE IDGOS = 1"), 49);
    EXPECT_EQ(scalar("SELECT SUMA2 FROM Datorii WHERE IDGOS = 3"), 40);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS = 2"), 0);
    const auto log = db->query("SELECT UTILIZATOR, ACTIUNE FROM Log");
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log.rows[0][0].toText(), "MARIA");
    EXPECT_EQ(log.rows[0][1].toText(), "Adaugate la plata 2 ROL-uri");
}

TEST_F(CliAssessTest, OneTaxpayer)
{
    CliRun r = run({"assess", "--idgos", "1"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "Au fost adaugate la plata 1 ROL-uri si respinse 0 ROL-uri.\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(scalar("SELECT COUNT(DISTINCT IDGOS) FROM Datorii"), 1);
    const auto log = db->query("SELECT UTILIZATOR, ROL, ACTIUNE FROM Log");
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log.rows[0][0].toText(), "ADMIN");
    EXPECT_EQ(log.rows[0][1].toText(), "7");
    EXPECT_EQ(log.rows[0][2].toText(), "Adaugat la plata");

    r = run({"assess", "--idgos", "2"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "2\tFARA ROL nu are trecut ROL-ul si a fost respins.\n");
    EXPECT_EQ(r.out, "Au fost adaugate la plata 0 ROL-uri si respinse 1 ROL-uri.\n");
}

TEST_F(CliAssessTest, Errors)
{
    const struct {
        QStringList args;
        const char* error;
    } cases[] = {
        {{"assess", "--idgos", "99"}, "lirma-cli: assess: no taxpayer with IDGOS 99\n"},
        {{"assess", "--idgos", "x1"}, "lirma-cli: assess: --idgos expects a whole number, not 'x1'\n"},
        {{"assess", "--village"}, "lirma-cli: assess: unexpected argument '--village'\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.exitCode, 1) << c.error;
        EXPECT_EQ(r.err, c.error);
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Datorii"), 0);
}
