// The budget classification codes without a window: the checks of the code dialog, adding,
// modifying with the rewrite of the code on past receipt lines, deleting, BudgetCode and the
// names a levy may take.
#include "assessment/classification_codes.h"

#include "year_support.h"

using namespace lirma;
using namespace lirma::assessment;
using lirma::test::YearFolderTest;

namespace {

// A valid Romanian bank account, and the same with a wrong check.
const QString kIban = QStringLiteral("RO49AAAA1B31007593840000");
const QString kBadIban = QStringLiteral("RO49AAAA1B31007593840001");

class CodesTest : public YearFolderTest {
protected:
    ClassificationCodes codes() { return ClassificationCodes(*db, *counters); }

    // One receipt line of a group and person type.
    void putReceiptLine(int64_t idchit, const std::string& group, const std::string& tipf, const std::string& code)
    {
        db->exec("INSERT INTO Chitante (IDCHIT, IDGOS, IDANUL, SERIA, NR, DATAI, GRUPA, DENUM, CODCLAS, TIPF, TOTAL, TIP) "
                 "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                 {idchit, 17, 3, "AB", idchit, "2024-03-04", group, group, code, tipf, 50, "C"});
    }
    std::string receiptCode(int64_t idchit) { return cell("Chitante", "IDCHIT", idchit, "CODCLAS"); }
};

TEST_F(CodesTest, ChecksInOrderWithTheFieldAndTheCleanedInput)
{
    struct Case {
        CodeInput in;
        std::optional<int64_t> editing;
        std::optional<CodeField> field; // nullopt: accepted
        QString message;
        QString cleanedName;
    };
    const std::vector<Case> cases = {
        {{"", kIban, kIban}, {}, CodeField::Name, "Lipseste denumirea creantei!", ""},
        {{"   ", kIban, kIban}, {}, CodeField::Name, "Lipseste denumirea creantei!", ""},
        {{"Taxa piata", "", "X"}, {}, CodeField::NaturalAccount, "Lipseste contul!", "Taxa piata"},
        {{"Taxa piata", "21.02.02", " "}, {}, CodeField::LegalAccount, "Lipseste contul!", "Taxa piata"},
        {{"Taxa piata", kBadIban, kIban}, {}, CodeField::NaturalAccount, "Cont incorect!", "Taxa piata"},
        // The natural-person account is checked first.
        {{"Taxa piata", kBadIban, kBadIban}, {}, CodeField::NaturalAccount, "Cont incorect!", "Taxa piata"},
        {{"Taxa piata", kIban, kBadIban}, {}, CodeField::LegalAccount, "Cont incorect!", "Taxa piata"},
        // Too short to be an account at all.
        {{"Taxa piata", "RO12", kIban}, {}, CodeField::NaturalAccount, "Cont incorect!", "Taxa piata"},
        // A budget classification code is taken as typed.
        {{"Taxa piata", "21.02.02.01", "21A070200"}, {}, {}, "", "Taxa piata"},
        {{"  Taxa   piata ", kIban, kIban}, {}, {}, "", "Taxa piata"},
        // Names are unique without regard to case, also against the seeded rows.
        {{"salubritate", kIban, kIban}, {}, CodeField::Name, "Exista deja creanta in lista!!", "salubritate"},
        {{" IMPOZIT  PE CLADIRI", kIban, kIban}, {}, CodeField::Name, "Exista deja creanta in lista!!",
         "IMPOZIT PE CLADIRI"},
        // The row being modified does not count against itself.
        {{"Salubritate", kIban, kIban}, 5, {}, "", "Salubritate"},
        {{"Salubritate", kIban, kIban}, 6, CodeField::Name, "Exista deja creanta in lista!!", "Salubritate"},
    };
    ClassificationCodes c = codes();
    for (const Case& k : cases) {
        CodeInput in = k.in;
        const std::optional<CodeProblem> p = c.Check(in, k.editing);
        SCOPED_TRACE(k.in.name.toStdString() + " / " + k.in.naturalAccount.toStdString());
        ASSERT_EQ(p.has_value(), k.field.has_value());
        if (p) {
            EXPECT_EQ(p->field, *k.field);
            EXPECT_EQ(p->message, k.message);
        }
        EXPECT_EQ(in.name, k.cleanedName);
    }
}

TEST_F(CodesTest, AddStoresAFeeGroupWithTheNextIdentifier)
{
    ClassificationCodes c = codes();
    CodeInput in{"Taxa \"piata\" O'Neil", "21.02.02.01", kIban};
    ASSERT_FALSE(c.Check(in).has_value());
    const int64_t id = c.Add(in);
    EXPECT_EQ(id, 13); // the twelve seeded rows took 1..12
    const std::optional<CodeRow> row = c.Find(id);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->grupa, "Taxa \"piata\" O'Neil");
    EXPECT_EQ(row->codclf, "21.02.02.01");
    EXPECT_EQ(row->codclj, kIban);
    EXPECT_EQ(row->tip, "T");
    EXPECT_EQ(counters->PeekId(db::keys::IDCOD), "14");
    // The default order is TIP, then GRUPA: the four taxes first.
    const std::vector<CodeRow> list = c.List();
    ASSERT_EQ(list.size(), 13u);
    EXPECT_EQ(list[0].grupa, "Impozit pe cladiri");
    EXPECT_EQ(list[3].grupa, "Impozit pe teren intravilan");
    EXPECT_EQ(list[4].grupa, "Concesionari");
    EXPECT_EQ(list[12].grupa, "Vehicule neinmatriculate");
    EXPECT_EQ(c.List(CodeOrder::Name).front().grupa, "Concesionari");
}

TEST_F(CodesTest, ModifyRewritesTheReceiptLinesOfThatGroupAndPersonTypeOnly)
{
    struct Case {
        QString natural;
        QString legal;
        // Expected codes of the lines: Salubritate F, Salubritate J, Iluminat F, Iluminat J.
        std::array<std::string, 4> lines;
        int64_t naturalLines;
        int64_t legalLines;
    };
    const std::vector<Case> cases = {
        {"OLDF", "NEWJ", {"OLDF", "NEWJ", "ILF", "ILJ"}, 0, 1},
        {"NEWF", "OLDJ", {"NEWF", "OLDJ", "ILF", "ILJ"}, 2, 0},
        {"NEWF", "NEWJ", {"NEWF", "NEWJ", "ILF", "ILJ"}, 2, 1},
        {"OLDF", "OLDJ", {"OLDF", "OLDJ", "ILF", "ILJ"}, 0, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.natural.toStdString() + " " + k.legal.toStdString());
        db->exec("DELETE FROM Chitante");
        db->exec("UPDATE CODCL SET CODCLF = ?, CODCLJ = ? WHERE GRUPA = ?", {"OLDF", "OLDJ", "Salubritate"});
        putReceiptLine(1, "Salubritate", "F", "OLDF");
        putReceiptLine(2, "Salubritate", "J", "OLDJ");
        putReceiptLine(3, "Iluminat", "F", "ILF");
        putReceiptLine(4, "Iluminat", "J", "ILJ");
        putReceiptLine(5, "Salubritate", "F", "OLDF");
        ClassificationCodes c = codes();
        const std::optional<CodeRow> before = c.Find(5);
        ASSERT_TRUE(before);
        ASSERT_EQ(before->grupa, "Salubritate");
        const ClassificationCodes::Modified m = c.Modify(*before, CodeInput{"Salubritate", k.natural, k.legal});
        EXPECT_TRUE(m.found);
        EXPECT_EQ(m.naturalLines, k.naturalLines);
        EXPECT_EQ(m.legalLines, k.legalLines);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(receiptCode(i + 1), k.lines[size_t(i)]) << "line " << i + 1;
        EXPECT_EQ(receiptCode(5), k.lines[0]);
        EXPECT_EQ(c.Find(5)->codclf, k.natural);
        EXPECT_EQ(c.Find(5)->codclj, k.legal);
    }
}

TEST_F(CodesTest, DeleteKeepsTheTwelveInitialRowsAndLeavesDebtsAlone)
{
    ClassificationCodes c = codes();
    CodeInput in{"Taxa piata", "21.02.02", "21.02.02"};
    const int64_t id = c.Add(in);
    putLevy(900, 17, "Taxa piata", 40, 40, 0, 0);
    for (int64_t fixed = 1; fixed <= 12; ++fixed) {
        EXPECT_FALSE(ClassificationCodes::CanDelete(fixed));
        EXPECT_FALSE(c.Delete(fixed));
    }
    EXPECT_EQ(count("CODCL"), 13);
    EXPECT_TRUE(ClassificationCodes::CanDelete(id));
    EXPECT_TRUE(c.Delete(id));
    EXPECT_FALSE(c.Find(id).has_value());
    EXPECT_EQ(count("CODCL"), 12);
    EXPECT_EQ(cell("Datorii", "IDDAT", 900, "GRUPA"), "Taxa piata");
}

TEST_F(CodesTest, BudgetCodeByPersonTypeAndTheLevyNames)
{
    db->exec("UPDATE CODCL SET CODCLF = ?, CODCLJ = ? WHERE GRUPA = ?", {"21.02.01", kIban.toStdString(), "Iluminat"});
    EXPECT_EQ(BudgetCode(*db, "Iluminat", true), "21.02.01");
    EXPECT_EQ(BudgetCode(*db, "Iluminat", false), kIban);
    EXPECT_EQ(BudgetCode(*db, "Salubritate", true), "");
    EXPECT_EQ(BudgetCode(*db, "Nu exista", true), "");

    CodeInput in{"Amenzi", "21.02", "21.02"};
    codes().Add(in);
    // Every group but the four yearly taxes, sorted, each once.
    EXPECT_EQ(LevyNames(*db), (QStringList{"Amenzi", "Concesionari", "Iluminat", "PSI", "Paza", "Salubritate",
                                           "Taxa pe pasune", "Vehicule lente", "Vehicule neinmatriculate"}));
}

} // namespace
