// The asset pages without a window: loading (with the missing row created), saving into the
// right columns, refused values, the arrears check and the year lock.
#include "register/asset_pages.h"
#include "platform/base/decimal.h"

#include "register_support.h"

using namespace lirma;
using lirma::reg::AssetPage;
using lirma::reg::AssetPages;
using lirma::test::RegisterFolderTest;

namespace {

class AssetPagesTest : public RegisterFolderTest {
protected:
    void SetUp() override
    {
        RegisterFolderTest::SetUp();
        pages = std::make_unique<AssetPages>(*db, *settings);
        id = add("SAT", "1", "ION");
    }
    // The page's values with one field changed.
    QStringList with(AssetPage page, const QString& field, const QString& value)
    {
        QStringList v = pages->Load(page, id);
        const int i = reg::PageDefOf(page).fieldIndex(field);
        EXPECT_GE(i, 0) << field.toStdString();
        v[i] = value;
        return v;
    }
    std::unique_ptr<AssetPages> pages;
    int64_t id = 0;
};

TEST_F(AssetPagesTest, MissingRowIsCreatedOnceWithZeros)
{
    for (const QString& table : reg::PageTables())
        db->exec("DELETE FROM " + table.toStdString() + " WHERE IDGOS = ?", {id});
    for (const reg::PageDef& def : reg::AssetPageDefs()) {
        const QStringList values = pages->Load(def.page, id);
        EXPECT_EQ(values, QStringList(qsizetype(def.fields.size()), "0")) << def.name.toStdString();
        EXPECT_EQ(count(def.table.toStdString(), id), 1) << def.name.toStdString();
    }
}

// Every field of every page goes to its own column and comes back on the next load.
TEST_F(AssetPagesTest, EachPageSavesIntoItsColumnsAndLoadsThemBack)
{
    std::map<std::pair<QString, QString>, QString> written; // (table, column) -> value
    for (const reg::PageDef& def : reg::AssetPageDefs()) {
        QStringList values;
        for (size_t i = 0; i < def.fields.size(); ++i) {
            // Distinct values; the land pages keep four decimals.
            const int n = int(def.page) * 200 + int(i) + 1;
            QString v = QString::number(n % 997);
            if (def.page == AssetPage::Pag1 || def.page == AssetPage::Pag4)
                v = QString::number(n % 97) + ".0" + QString::number(1 + n % 9) + "5";
            if (def.fields[i].field.startsWith("P3000"))
                v = QString::number(3000 + n);
            // A credit ("Plus") may stand beside arrears and penalties that owe nothing.
            if (def.page == AssetPage::Pag11 && i < 12 && !def.fields[i].field.startsWith("Sold"))
                v = "-" + v;
            values << v;
            written[{def.table, def.fields[i].column}] = v;
        }
        ASSERT_EQ(pages->Save(def.page, id, values), AssetPages::SaveOutcome::Saved) << def.name.toStdString();
    }
    // The pages that share Pag5.dbf did not overwrite one another.
    for (const reg::PageDef& def : reg::AssetPageDefs()) {
        const QStringList loaded = pages->Load(def.page, id);
        for (size_t i = 0; i < def.fields.size(); ++i) {
            EXPECT_EQ(loaded[int(i)], written.at({def.table, def.fields[i].column}))
                << def.name.toStdString() << " " << def.fields[i].field.toStdString();
            const storage::Value stored = db->scalar(
                "SELECT " + def.fields[i].column.toStdString() + " FROM " + def.table.toStdString() + " WHERE IDGOS = ?",
                {id});
            EXPECT_EQ(base::Decimal::fromDouble(stored.toReal()),
                      base::Decimal::parse(written.at({def.table, def.fields[i].column})))
                << def.table.toStdString() << "." << def.fields[i].column.toStdString();
        }
    }
}

// The vehicles page's field names differ from the columns they are kept in: each field, by
// its own value, read back from the file by the independent reader.
TEST_F(AssetPagesTest, VehiclePageMappingFieldByField)
{
    const std::vector<std::pair<const char*, const char*>> mapping = {
        {"AUTO23", "AUTO16"},   {"AUTO22", "AUTO15"},   {"AUTO21", "AUTO14"},   {"AUTO20", "AUTO13"},
        {"AUTO19", "AUTO12"},   {"AUTO18", "AUTO11"},   {"AUTO1", "AUTO1"},     {"AUTO2", "AUTO2"},
        {"AUTO3", "AUTO3"},     {"AUTO4", "AUTO4"},     {"AUTO5", "AUTO5"},     {"AUTO6", "AUTO6"},
        {"AUTO7", "AUTO7"},     {"AUTO8", "AUTO8"},     {"AUTO9", "AUTO9"},     {"P30001", "P30001"},
        {"P30002", "P30002"},   {"P30003", "P30003"},   {"P30004", "P30004"},   {"ALTEA1", "ALTE1"},
        {"ALTEA2", "ALTE2"},    {"ALTEA3", "ALTE3"},    {"ALTEA4", "ALTE4"},    {"ALTEA5", "ALTE5"},
        {"ALTEA6", "ALTE6"},    {"ALTEA7", "ALTE7"},    {"ALTEA8", "ALTE8"},    {"ALTEA9", "ALTE9"},
        {"ALTEA10", "ALTE10"},  {"ALTEA11", "ALTE11"},  {"ALTEA12", "ALTE12"},  {"TRACCAP1", "TRAC1"},
        {"TRACCAP2", "TRAC2"},  {"TRACCAP3", "TRAC3"},  {"TRACCAP4", "TRAC4"},  {"TRACBUC1", "TBUC1"},
        {"TRACBUC2", "TBUC2"},  {"TRACBUC3", "TBUC3"},  {"TRACBUC4", "TBUC4"},  {"ATBCAP1", "ATB1"},
        {"ATBCAP2", "ATB2"},    {"ATBCAP3", "ATB3"},    {"ATBCAP4", "ATB4"},    {"ATBCANT1", "ATBNR1"},
        {"ATBCANT2", "ATBNR2"}, {"ATBCANT3", "ATBNR3"}, {"ATBCANT4", "ATBNR4"}, {"AUTO14", "REM1"},
        {"AUTO15", "REM2"},     {"AUTO16", "REM3"},     {"AUTO17", "REM4"},
    };
    const reg::PageDef& def = reg::PageDefOf(AssetPage::Pag5);
    ASSERT_EQ(def.fields.size(), mapping.size());
    QStringList values(qsizetype(def.fields.size()), "0");
    std::map<std::string, std::string> expected;
    int n = 10;
    for (const auto& [field, column] : mapping) {
        const int i = def.fieldIndex(field);
        ASSERT_GE(i, 0) << field;
        const int v = std::string(field).rfind("P3000", 0) == 0 ? 3000 + n : n;
        values[i] = QString::number(v);
        expected[column] = std::to_string(v);
        ++n;
    }
    ASSERT_EQ(pages->Save(AssetPage::Pag5, id, values), AssetPages::SaveOutcome::Saved);
    const auto rows = test::ReadWithDbfread(tablePath("Pag5.dbf"));
    ASSERT_EQ(rows.size(), 1u);
    for (const auto& [column, value] : expected)
        EXPECT_EQ(rows[0].at(column), value) << column;
    // The other pages' columns of the table were left at zero.
    for (const char* other : {"G1A", "GC24B", "APA13"})
        EXPECT_EQ(rows[0].at(other), "0") << other;
}

TEST_F(AssetPagesTest, RefusedValuesLeaveTheTableAsItWas)
{
    struct Case {
        AssetPage page;
        const char* field;
        const char* value;
        const char* balloon; // "" when accepted
    };
    const Case cases[] = {
        {AssetPage::Pag1, "EC1ZA", "abc", "Valoare incorecta! Introduceti un numar."},
        {AssetPage::Pag1, "EC1ZA", "1.2.3", "Valoare incorecta! Introduceti un numar."},
        {AssetPage::Pag1, "EC1ZA", "1.23456", "Cel mult 4 zecimale!"},
        {AssetPage::Pag1, "EC1ZA", "1.23450", ""},
        {AssetPage::Pag1, "EC3ZB", "-0.5", "Valoarea nu poate fi negativa!"},
        {AssetPage::Pag1, "EC11ZE", "1000", "Valoarea maxima este 999.9999!"},
        {AssetPage::Pag1, "EC11ZE", "999.9999", ""},
        {AssetPage::Pag4, "ICCA", "100000", "Valoarea maxima este 99999.9999!"},
        {AssetPage::Pag4, "ICCF", "99999.5", ""},
        {AssetPage::Pag4, "IA81", "1000", "Valoarea maxima este 999.9999!"},
        {AssetPage::Pag5, "AUTO23", "1.5", "Introduceti un numar intreg!"},
        {AssetPage::Pag5, "AUTO23", "2.0", ""},
        {AssetPage::Pag5, "AUTO1", "1000000", "Valoarea maxima este 999999!"},
        {AssetPage::Pag5, "ALTEA3", "-1", "Valoarea nu poate fi negativa!"},
        {AssetPage::Pag5, "P30001", "2999", "Capacitatea trebuie sa fie peste 3000 cmc!"},
        {AssetPage::Pag5, "P30004", "1", "Capacitatea trebuie sa fie peste 3000 cmc!"},
        {AssetPage::Pag5, "P30002", "3000", ""},
        {AssetPage::Pag5, "P30003", "0", ""},
        {AssetPage::Pag6, "VN11", "2.5", "Introduceti un numar intreg!"},
        {AssetPage::Pag7, "Alte1", "2.5", "Introduceti un numar intreg!"},
        {AssetPage::Pag8, "G15B", "-3", "Valoarea nu poate fi negativa!"},
        {AssetPage::Pag10, "APA10", "1234567", "Valoarea maxima este 999999!"},
        {AssetPage::Pag11, "NumericEdit23", "-100000", "Valoarea minima este -99999!"},
        {AssetPage::Pag11, "NumericEdit23", "-250", ""}, // amounts may be negative
        {AssetPage::Pag11, "Pen12", "12.5", "Introduceti un numar intreg!"},
    };
    for (const Case& c : cases) {
        const reg::PageDef& def = reg::PageDefOf(c.page);
        const QStringList before = pages->Load(c.page, id);
        const QStringList values = with(c.page, c.field, c.value);
        reg::PageProblem problem;
        const auto outcome = pages->Save(c.page, id, values, &problem);
        const std::string what = def.name.toStdString() + "." + c.field + " = " + c.value;
        if (*c.balloon == 0) {
            EXPECT_EQ(outcome, AssetPages::SaveOutcome::Saved) << what << ": " << problem.message.toStdString();
            continue;
        }
        EXPECT_EQ(outcome, AssetPages::SaveOutcome::Refused) << what;
        EXPECT_EQ(problem.message, QString::fromLatin1(c.balloon)) << what;
        EXPECT_EQ(problem.field, def.fieldIndex(c.field)) << what;
        EXPECT_EQ(pages->Load(c.page, id), before) << what;
    }
}

TEST_F(AssetPagesTest, CreditBesideArrearsOfTheSameRowIsRefused)
{
    struct Case {
        std::vector<std::pair<const char*, const char*>> set;
        const char* refusedField; // "" when saved
    };
    const Case cases[] = {
        {{{"NumericEdit13", "100"}, {"Sold2", "20"}}, "Sold2"},
        {{{"Pen15", "5"}, {"Sold4", "1"}}, "Sold4"},
        {{{"NumericEdit12", "100"}, {"Sold2", "20"}}, ""},           // another row
        {{{"NumericEdit14", "100"}, {"Pen14", "-100"}, {"Sold3", "20"}}, ""}, // nothing owed on the row
        {{{"NumericEdit17", "100"}, {"Sold1", "20"}}, ""},           // other taxes have no credit
    };
    for (const Case& c : cases) {
        const reg::PageDef& def = reg::PageDefOf(AssetPage::Pag11);
        QStringList values(qsizetype(def.fields.size()), "0");
        for (const auto& [field, value] : c.set)
            values[def.fieldIndex(field)] = value;
        reg::PageProblem problem;
        const auto outcome = pages->Save(AssetPage::Pag11, id, values, &problem);
        if (*c.refusedField == 0) {
            EXPECT_EQ(outcome, AssetPages::SaveOutcome::Saved) << c.set.front().first;
            continue;
        }
        EXPECT_EQ(outcome, AssetPages::SaveOutcome::Refused);
        EXPECT_EQ(problem.message, "Nu puteti avea si sold si restanta!");
        EXPECT_EQ(problem.field, def.fieldIndex(c.refusedField));
    }
}

TEST_F(AssetPagesTest, LockedYearSavesNothing)
{
    lockYear(true);
    EXPECT_TRUE(pages->YearLocked());
    EXPECT_EQ(pages->Save(AssetPage::Pag7, id, with(AssetPage::Pag7, "Alte2", "40")), AssetPages::SaveOutcome::Locked);
    EXPECT_EQ(db->scalar("SELECT LIN2 FROM Pag7 WHERE IDGOS = ?", {id}).toInt(), 0);
    lockYear(false);
    EXPECT_EQ(pages->Save(AssetPage::Pag7, id, with(AssetPage::Pag7, "Alte2", "40")), AssetPages::SaveOutcome::Saved);
    EXPECT_EQ(db->scalar("SELECT LIN2 FROM Pag7 WHERE IDGOS = ?", {id}).toInt(), 40);
}

TEST_F(AssetPagesTest, SaveCreatesAMissingRowOnlyOnce)
{
    const QStringList values = with(AssetPage::Pag6, "VN1", "1500");
    db->exec("DELETE FROM Pag6 WHERE IDGOS = ?", {id});
    ASSERT_EQ(pages->Save(AssetPage::Pag6, id, values), AssetPages::SaveOutcome::Saved);
    ASSERT_EQ(pages->Save(AssetPage::Pag6, id, values), AssetPages::SaveOutcome::Saved);
    EXPECT_EQ(count("Pag6", id), 1);
    EXPECT_EQ(db->scalar("SELECT VN1 FROM Pag6 WHERE IDGOS = ?", {id}).toInt(), 1500);
}

} // namespace
