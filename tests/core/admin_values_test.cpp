#include "core/admin_fields.h"
#include "core/admin_values.h"
#include "core/inflation.h"

#include "support/qt_application.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSet>

#include <gtest/gtest.h>

using namespace lirma::core;
using lirma::base::Decimal;

namespace {

Decimal dec(const char* text)
{
    return *Decimal::parse(text);
}

} // namespace

TEST(AdminFields, NamesAreUniqueWithoutRegardToCaseAndFitIniDbf)
{
    QSet<QString> seen;
    int pages = 0;
    for (const AdminPageDef& page : AdminPages()) {
        EXPECT_EQ(static_cast<int>(page.page), pages++);
        for (const AdminInput& in : page.inputs) {
            SCOPED_TRACE(in.name.toStdString());
            EXPECT_FALSE(seen.contains(in.name.toUpper()));
            seen.insert(in.name.toUpper());
            EXPECT_EQ(in.page, page.page);
            EXPECT_LE(in.maxLength, kIniValueWidth);
            if (in.kind == InputKind::List) {
                EXPECT_TRUE(in.design.isEmpty() || in.entries.contains(in.design));
            }
            if (in.kind == InputKind::Check) {
                EXPECT_NE(in.setting, nullptr);
            }
        }
    }
    EXPECT_EQ(pages, kAdminPageCount);
}

TEST(AdminFields, PagesHoldTheDocumentedInputFamilies)
{
    struct Family {
        AdminPage page;
        QString pattern; // %1 = n, %2 = letter
        int from, to;
        QString letters;
    };
    const std::vector<Family> families = {
        {AdminPage::Extravilan, "EC%1Z%2", 1, 11, "ABCDE"}, {AdminPage::Extravilan, "TEZ%1", 1, 5, ""},
        {AdminPage::Extravilan, "TER%1", 1, 5, ""},         {AdminPage::Intravilan, "TIZ%1", 1, 6, ""},
        {AdminPage::Intravilan, "TIR%1", 1, 6, ""},         {AdminPage::Intravilan, "IA%1%2", 1, 8, "123456"},
        {AdminPage::Intravilan, "ICC%2", 1, 1, "ABCDEF"},   {AdminPage::Vehicles, "AUTO%1", 1, 23, ""},
        {AdminPage::Unregistered, "VN%1", 1, 3, ""},        {AdminPage::OtherTaxes, "Alte%1", 1, 6, ""},
        {AdminPage::HeavyVehicles, "G%1%2", 1, 15, "AB"},   {AdminPage::RoadTrains, "GC%1%2", 1, 24, "AB"},
        {AdminPage::WaterVehicles, "APA%1", 1, 13, ""},
    };
    AdminValues values;
    for (const Family& f : families)
        for (int n = f.from; n <= f.to; ++n)
            for (int l = 0; l < std::max<qsizetype>(1, f.letters.size()); ++l) {
                QString name = f.pattern;
                name.replace("%1", QString::number(n));
                if (!f.letters.isEmpty())
                    name.replace("%2", QString(f.letters[l]));
                SCOPED_TRACE(name.toStdString());
                const AdminInput* in = values.input(name);
                ASSERT_NE(in, nullptr);
                EXPECT_EQ(in->page, f.page);
            }
    // Read-only levels: everything numeric from the extravilan page on, except the buildings
    // page and VN1-VN3.
    for (const QString& name : values.names()) {
        const AdminInput* in = values.input(name);
        const bool expected = in->kind == InputKind::Number && in->page >= AdminPage::Extravilan &&
                              in->page != AdminPage::Buildings && in->page != AdminPage::Unregistered;
        EXPECT_EQ(in->level, expected) << name.toStdString();
        EXPECT_EQ(values.isReadOnly(name), expected) << name.toStdString();
    }
}

TEST(AdminFields, DesignValues)
{
    struct Case {
        const char* name;
        const char* design;
    };
    const std::vector<Case> cases = {
        {"EC1ZA", "40"}, {"EC1ZE", "30"}, {"EC2ZC", "18"}, {"EC3ZB", "42"},  {"EC4ZA", "0"},   {"EC5ZD", "34"},
        {"EC7ZA", "13"}, {"EC7ZE", "6"},  {"EC8ZB", "22"}, {"EC11ZE", "0"},  {"ERED", "10"},   {"IIRED", "10"},
        {"NumericEdit3", "10"}, {"RedC", "10"}, {"EvalPJAni", "5"}, {"CotaCRPF", "0.1"}, {"CotaCNPF", "0.4"},
        {"CotaCRPJ", "0.1"}, {"CotaCNPJ", "0.4"}, {"MajHCL", "0"}, {"RataInfE", "0"}, {"TEZ1", "A"},
        {"TEZ4", "D"}, {"TEZ5", "D"}, {"TER1", "I"}, {"TER2", "II"}, {"TER5", "IV"}, {"TIZ3", "C"}, {"TIZ6", "D"},
        {"TIR1", "I"}, {"TIR3", "III"}, {"TIR4", "III"}, {"TIR6", "IV"}, {"ZonaImplicita", "A"},
        {"RangImplicit", "IV"}, {"AUTO1", "0"}, {"G15B", "0"}, {"GC24A", "0"}, {"APA13", "0"}, {"IA86", "0"},
        {"ICCF", "0"}, {"VN3", "0"}, {"Alte6", "0"}, {"PrimariaLab", ""}, {"JudetulLab", ""},
    };
    AdminValues values;
    for (const Case& c : cases) {
        EXPECT_EQ(values.text(QString::fromLatin1(c.name)), QString::fromLatin1(c.design)) << c.name;
        EXPECT_EQ(values.input(QString::fromLatin1(c.name))->design, QString::fromLatin1(c.design)) << c.name;
    }
    EXPECT_TRUE(values.isChecked("PreviewC"));
    EXPECT_FALSE(values.isChecked("BonifPJ"));
    EXPECT_EQ(Counties().size(), 42);
    EXPECT_EQ(Counties().front(), "ALBA");
    EXPECT_EQ(Counties()[40], "VRANCEA");
    EXPECT_EQ(Counties().back(), "MUNICIPIUL BUCURESTI");
}

TEST(AdminFields, NavigationSkipsTheHeading)
{
    const QStringList& entries = AdminNavigationEntries();
    ASSERT_EQ(entries.size(), kAdminPageCount + 1);
    EXPECT_EQ(entries[0], "   - general");
    EXPECT_EQ(entries[1], "   - definirea zonelor");
    EXPECT_EQ(entries[2], " IMPOZITE si TAXE - Valori fixate");
    EXPECT_EQ(entries[11], "   - mijloace de transport pe apa");
    EXPECT_EQ(AdminPageOfEntry(0), 0);
    EXPECT_EQ(AdminPageOfEntry(1), 1);
    EXPECT_EQ(AdminPageOfEntry(2), -1);
    for (int page = 0; page < kAdminPageCount; ++page) {
        const int entry = AdminEntryOfPage(static_cast<AdminPage>(page));
        EXPECT_EQ(AdminPageOfEntry(entry), page);
        EXPECT_EQ(entries[entry], AdminPageOf(static_cast<AdminPage>(page)).navEntry);
    }
}

TEST(AdminValues, NamesAreFoundWithoutRegardToCaseAndValuesAreTyped)
{
    AdminValues values;
    EXPECT_EQ(values.text("ec1za"), "40");
    EXPECT_EQ(values.input("auto1")->name, "AUTO1");
    EXPECT_TRUE(values.setText("g1a", " 1250.5 "));
    EXPECT_EQ(values.text("G1A"), "1250.5"); // numbers are trimmed
    EXPECT_EQ(values.number("G1A"), dec("1250.5"));
    EXPECT_TRUE(values.setText("AUTO2", "12,5"));
    EXPECT_FALSE(values.number("AUTO2").has_value());
    EXPECT_EQ(values.numberOrZero("AUTO2"), Decimal());
    EXPECT_FALSE(values.setText("NOSUCH", "1"));
    EXPECT_EQ(values.text("NOSUCH"), "");
    EXPECT_FALSE(values.setText("PreviewC", "DA")); // check boxes are checked, not typed
    EXPECT_TRUE(values.setChecked("bonificatie50", true));
    EXPECT_EQ(values.text("Bonificatie50"), "DA");
    EXPECT_FALSE(values.setChecked("EC1ZA", true));
}

TEST(AdminValues, TextInputsKeepWhatIniDbfCanHold)
{
    AdminValues values;
    const QString forty(40, QChar('P'));
    for (const char* name : {"PrimariaLab", "LocalitateaLab", "PrimarLab", "ContabilLab"}) {
        EXPECT_EQ(values.input(name)->maxLength, 40) << name;
        values.setText(name, forty + "XYZ");
        EXPECT_EQ(values.text(name), forty) << name;
    }
    values.setText("CUILab", "1234567890123");
    EXPECT_EQ(values.text("CUILab"), "123456789012");
}

TEST(AdminValues, ListKeepsAValueThatIsNotAmongItsEntries)
{
    AdminValues values;
    values.setText("TEZ1", "C");
    EXPECT_EQ(values.text("TEZ1"), "C");
    EXPECT_EQ(values.entries("TEZ1"), ZoneLetters());
    values.setText("TEZ1", "E");
    EXPECT_EQ(values.text("TEZ1"), "E");
    EXPECT_EQ(values.entries("TEZ1"), ZoneLetters() + QStringList{"E"});
    values.setText("JudetulLab", "BUCURESTI");
    EXPECT_EQ(values.text("JudetulLab"), "BUCURESTI");
    values.resetToDesign();
    EXPECT_EQ(values.entries("TEZ1"), ZoneLetters());
    EXPECT_EQ(values.text("TEZ1"), "A");
}

TEST(AdminValues, PagesUnlockOneByOne)
{
    AdminValues values;
    EXPECT_TRUE(values.isReadOnly("AUTO1"));
    EXPECT_TRUE(values.isReadOnly("EC1ZA"));
    EXPECT_FALSE(values.isReadOnly("VN1"));
    EXPECT_FALSE(values.isReadOnly("TEZ1"));
    EXPECT_FALSE(values.isReadOnly("CotaCRPF"));
    values.setPageUnlocked(AdminPage::Vehicles, true);
    EXPECT_FALSE(values.isReadOnly("AUTO1"));
    EXPECT_FALSE(values.isReadOnly("NumericEdit3"));
    EXPECT_TRUE(values.isReadOnly("EC1ZA"));
    values.lockAll();
    EXPECT_TRUE(values.isReadOnly("AUTO1"));
}

TEST(AdminValues, BoundWidgetsShowAndFeedTheStore)
{
    AdminValues values;
    QLineEdit edit;
    edit.setObjectName("ec1zb");
    QComboBox combo;
    combo.setObjectName("TER2");
    QCheckBox box;
    box.setObjectName("BonifPJ");
    QLineEdit wrong;
    wrong.setObjectName("PreviewC");
    ASSERT_TRUE(values.bind(&edit));
    ASSERT_TRUE(values.bind(&combo));
    ASSERT_TRUE(values.bind(&box));
    EXPECT_FALSE(values.bind(&wrong)); // a check box's value needs a check box
    EXPECT_EQ(values.widget("EC1ZB"), &edit);

    EXPECT_EQ(edit.text(), "37");
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_EQ(edit.maxLength(), 8);
    EXPECT_EQ(combo.count(), RankNumerals().size());
    EXPECT_EQ(combo.currentText(), "II");

    values.setPageUnlocked(AdminPage::Extravilan, true);
    EXPECT_FALSE(edit.isReadOnly());
    edit.setText("38");
    EXPECT_EQ(values.text("EC1ZB"), "38");
    combo.setCurrentIndex(combo.findText("V"));
    EXPECT_EQ(values.text("TER2"), "V");
    box.setChecked(true);
    EXPECT_TRUE(values.isChecked("BonifPJ"));

    values.setText("TER2", "VI");
    EXPECT_EQ(combo.currentText(), "VI");
    values.setText("EC1ZB", "41");
    EXPECT_EQ(edit.text(), "41");
    values.resetToDesign();
    EXPECT_EQ(edit.text(), "37");
    EXPECT_EQ(combo.count(), RankNumerals().size());
    EXPECT_FALSE(box.isChecked());
}

TEST(AdminValues, TheRunHasOneStore)
{
    EXPECT_EQ(&AdminStore(), &AdminStore());
    EXPECT_TRUE(AdminStore().contains("GC1A"));
}

TEST(CumulatedInflation, CompoundsTheRatesOfTheLastFiveYearsAtMost)
{
    // Worked from the history 2019 1.3, 2020 4.6, 2021 3.8, 2022 2.6, 2023 5.1, 2024 13.8.
    struct Case {
        int from;
        const char* percent;
        QString text;
    };
    const std::vector<Case> cases = {
        {2022, "19.6038", "5.1% + 13.8% = 19.6038%"},
        {2023, "13.8", "13.8% = 13.8%"},
        {2021, "22.7135", "2.6% + 5.1% + 13.8% = 22.7135%"},
        {2020, "27.3766", "3.8% + 2.6% + 5.1% + 13.8% = 27.3766%"},
        {2019, "33.2359", "4.6% + 3.8% + 2.6% + 5.1% + 13.8% = 33.2359%"},
        {2015, "33.2359", "4.6% + 3.8% + 2.6% + 5.1% + 13.8% = 33.2359%"},
        {2024, "0", ""},
        {2030, "0", ""},
    };
    for (const Case& c : cases) {
        const CumulatedInflationResult r = CumulatedInflation(c.from);
        EXPECT_EQ(r.percent, dec(c.percent)) << c.from;
        EXPECT_EQ(r.text, c.text) << c.from;
    }
}
