#include "core/admin_settings.h"
#include "core/admin_texts.h"

#include "core/admin_test_support.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

using namespace lirma;
using namespace lirma::core;
using lirma::test::IniRow;
using lirma::ui::ScriptedInteraction;

namespace {

class AdminLoadTest : public test::AdminFolderTest {};
class AdminSaveTest : public test::AdminFolderTest {
protected:
    // Everything a save may write, to compare before and after.
    QByteArray snapshot() const
    {
        QByteArray all;
        for (const QString& f : {iniPath(), QDir(data).filePath("Lirma.set")}) {
            QFile file(f);
            if (file.open(QIODevice::ReadOnly))
                all += file.readAll();
            all += '|';
        }
        return all;
    }
    AdminSettings::SaveOutcome save(std::vector<AdminPage>* pages = nullptr)
    {
        AdminSettings::SaveHooks hooks;
        hooks.showPage = [pages](AdminPage p) {
            if (pages)
                pages->push_back(p);
        };
        hooks.log = [this](const QString& rol, const QString& action) { logged.push_back(action); };
        return admin->Save(QStringLiteral("ION"), hooks);
    }
    QStringList logged;
};

QString rateQuestion(const char* name, const char* low, const char* high)
{
    return "\rCota " + QString(name) + " nu se incadreaza in intervalul legal " + low + "% - " + high +
           "% !\rContinuam asa?";
}

} // namespace

TEST_F(AdminLoadTest, MissingIniDbfIsCreatedWithOneForm4RowPerInputHoldingTheDesignValue)
{
    admin->Load(QString());
    EXPECT_TRUE(admin->problems().isEmpty()) << admin->problems().join('\n').toStdString();
    db.reset();
    const std::vector<IniRow> rows = test::ReadIniWithDbfread(iniPath());
    std::vector<IniRow> expected;
    AdminValues design;
    for (const QString& name : design.names())
        if (design.input(name)->kind != InputKind::Check)
            expected.push_back({"FORM4", name.toStdString(), design.text(name).toStdString()});
    EXPECT_EQ(rows.size(), expected.size());
    EXPECT_TRUE(rows == expected);
    // A few by hand, so a wrong design table cannot pass unnoticed.
    EXPECT_TRUE(std::find(rows.begin(), rows.end(), IniRow{"FORM4", "EC3ZB", "42"}) != rows.end());
    EXPECT_TRUE(std::find(rows.begin(), rows.end(), IniRow{"FORM4", "TIR6", "IV"}) != rows.end());
    EXPECT_TRUE(std::find(rows.begin(), rows.end(), IniRow{"FORM4", "PreviewC", "DA"}) == rows.end());
}

TEST_F(AdminLoadTest, Fr12OverridesForm4AndFrcombOverridesBothUnknownNamesSkipped)
{
    writeIni({
        {"FRCOMB", "EC1ZC", "31"},
        {"FORM4", "EC1ZA", "50"},
        {"FR12", "EC1ZA", "60"},
        {"FORM4", "EC1ZB", "51"},
        {"FR12", "EC1ZC", "30"},
        {"FORM4", "ec2za", "  25 "},    // names without regard to case, numbers trimmed
        {"FORM4", "NOSUCHFIELD", "9"},
        {"ALTA", "EC2ZB", "99"},         // other owners are not read
        {"FORM4", "PrimariaLab", "COMUNA  X"},
        {"FORM4", "TEZ2", "E"},          // kept although not an entry
        {"FORM4", "JudetulLab", "CLUJ"},
    });
    admin->Load(QString());
    struct Case {
        const char* name;
        const char* value;
    };
    for (const Case& c : std::vector<Case>{{"EC1ZA", "60"},
                                          {"EC1ZB", "51"},
                                          {"EC1ZC", "31"},
                                          {"EC2ZA", "25"},
                                          {"EC2ZB", "20"},
                                          {"EC1ZD", "30"},
                                          {"PrimariaLab", "COMUNA  X"},
                                          {"TEZ2", "E"},
                                          {"JudetulLab", "CLUJ"}})
        EXPECT_EQ(values.text(c.name), c.value) << c.name;
    EXPECT_TRUE(values.entries("TEZ2").contains("E"));
}

TEST_F(AdminLoadTest, NumbersOfTheSettingsFileWithTheirDefaults)
{
    struct Case {
        const char* key;
        const char* stored; // nullptr: absent
        const char* field;
        const char* shown;
    };
    const std::vector<Case> cases = {
        {"COTACNPF", "abc", "CotaCNPF", "0.4"}, {"COTACNPF", nullptr, "CotaCNPF", "0.4"},
        {"COTACNPF", "0.50", "CotaCNPF", "0.5"}, {"COTACRPF", "", "CotaCRPF", "0.1"},
        {"COTACRPF", " 0.15 ", "CotaCRPF", "0.15"}, {"COTACRPJ", "1,2", "CotaCRPJ", "0.1"},
        {"COTACNPJ", "0.9", "CotaCNPJ", "0.9"}, {"REDC", "x", "RedC", "10"},
        {"REDC", "5.0", "RedC", "5"}, {"RATAINF", nullptr, "RataInfE", "0"},
        {"RATAINF", "13.80", "RataInfE", "13.8"}, {"MAJHCL", "abc", "MajHCL", "0"},
        {"MAJHCL", "20", "MajHCL", "20"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + (c.stored ? c.stored : "<absent>"));
        QFile::remove(QDir(data).filePath("Lirma.set"));
        // Ini.dbf says something else: the settings file wins.
        writeIni({{"FORM4", c.field, "77"}});
        if (c.stored)
            ASSERT_TRUE(settings->WriteSetting("SERVER", c.key, c.stored));
        admin->Load(QString());
        EXPECT_EQ(values.text(c.field), c.shown);
    }
}

TEST_F(AdminLoadTest, EvalPJAniIsAWholeNumberOrTheFieldsValue)
{
    struct Case {
        const char* stored;
        const char* ini; // nullptr: no row
        const char* shown;
    };
    for (const Case& c : std::vector<Case>{{"7", "3", "7"}, {nullptr, "3", "3"}, {"x", "4", "4"},
                                          {"2.5", nullptr, "5"}, {nullptr, nullptr, "5"}}) {
        QFile::remove(QDir(data).filePath("Lirma.set"));
        if (c.ini)
            writeIni({{"FORM4", "EvalPJAni", c.ini}});
        else
            writeIni({{"FORM4", "EC1ZA", "40"}});
        if (c.stored)
            ASSERT_TRUE(settings->WriteSetting("SERVER", "EvalPJAni", c.stored));
        admin->Load(QString());
        EXPECT_EQ(values.text("EvalPJAni"), c.shown) << (c.stored ? c.stored : "-") << " " << (c.ini ? c.ini : "-");
    }
}

TEST_F(AdminLoadTest, YesNoOptionsAndTheDefaultsWrittenWhenEmpty)
{
    ASSERT_TRUE(settings->WriteSetting("SERVER", "PREVIEWL", "da"));
    ASSERT_TRUE(settings->WriteSetting("Server", "BONIF50", "DA"));
    ASSERT_TRUE(settings->WriteSetting("ION", "FORMATPDF", "DA"));
    ASSERT_TRUE(settings->WriteSetting("MARIA", "INEXCEL", "DA"));
    admin->Load("ION");
    EXPECT_FALSE(values.isChecked("PreviewC")); // only "DA" counts, whatever the design
    EXPECT_TRUE(values.isChecked("Bonificatie50"));
    EXPECT_FALSE(values.isChecked("BonifPJ"));
    EXPECT_TRUE(values.isChecked("FormatPDF"));
    EXPECT_FALSE(values.isChecked("InExcel"));
    EXPECT_EQ(setting("SERVER", "FARAMAJORARI"), "NU");
    EXPECT_EQ(setting("SERVER", "ADMINBLOCAT2024"), "NU");
    EXPECT_FALSE(admin->yearLocked());
    EXPECT_FALSE(admin->faraMajorari());

    admin->Load(QString()); // before login the per-user options read off
    EXPECT_FALSE(values.isChecked("FormatPDF"));

    ASSERT_TRUE(settings->WriteSetting("SERVER", "FARAMAJORARI", " da "));
    ASSERT_TRUE(settings->WriteSetting("SERVER", "ADMINBLOCAT2024", "da"));
    admin->Load("ION");
    EXPECT_TRUE(admin->faraMajorari());
    EXPECT_TRUE(admin->yearLocked());
    EXPECT_EQ(setting("SERVER", "ADMINBLOCAT2024"), "da");
}

TEST_F(AdminLoadTest, InflationRateSwitchesResidentialIndexingOnOnce)
{
    struct Case {
        const char* rate;
        const char* stored; // RATAINFPF before the load; nullptr: absent
        const char* after;
        bool checked;
    };
    for (const Case& c : std::vector<Case>{{"5", nullptr, "DA", true},
                                          {"5", "NU", "NU", false},
                                          {"0", nullptr, "", false},
                                          {"abc", nullptr, "", false}}) {
        SCOPED_TRACE(std::string(c.rate) + " " + (c.stored ? c.stored : "-"));
        QFile::remove(QDir(data).filePath("Lirma.set"));
        ASSERT_TRUE(settings->WriteSetting("SERVER", "RATAINF", c.rate));
        if (c.stored)
            ASSERT_TRUE(settings->WriteSetting("CONST", "RATAINFPF", c.stored));
        admin->Load(QString());
        EXPECT_EQ(setting("CONST", "RATAINFPF"), c.after);
        EXPECT_EQ(values.isChecked("RataInfPFR"), c.checked);
    }
    ASSERT_TRUE(settings->WriteSetting("CONST", "RATAINFPFN", "DA"));
    ASSERT_TRUE(settings->WriteSetting("CONST", "RATAINFPJ", "DA"));
    admin->Load(QString());
    EXPECT_TRUE(values.isChecked("RataInfPFN"));
    EXPECT_TRUE(values.isChecked("RataInfPJ"));
}

TEST_F(AdminLoadTest, LoadDiscardsEditsAndLocksThePagesAgain)
{
    admin->Load(QString());
    values.setPageUnlocked(AdminPage::Vehicles, true);
    values.setText("AUTO1", "999");
    values.setText("PrimariaLab", "NESALVAT");
    admin->Load(QString());
    EXPECT_EQ(values.text("AUTO1"), "0");
    EXPECT_EQ(values.text("PrimariaLab"), "");
    EXPECT_TRUE(values.isReadOnly("AUTO1"));
}

TEST_F(AdminSaveTest, ChecksInTheirOrderWithTheirTexts)
{
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, const char*>> set;
        std::vector<int> answers; // replies to the questions, in order
        std::vector<QString> questions;
        QString balloon;
        const char* balloonField;
        AdminSettings::SaveOutcome outcome;
    };
    using O = AdminSettings::SaveOutcome;
    const std::vector<Case> cases = {
        {"CotaCRPF 0.3, DA", {{"CotaCRPF", "0.3"}}, {ui::ReplyDa}, {rateQuestion("CotaCRPF", "0.08", "0.2")}, {}, "",
         O::Saved},
        {"CotaCRPF 0.3, NU", {{"CotaCRPF", "0.3"}}, {ui::ReplyNu}, {rateQuestion("CotaCRPF", "0.08", "0.2")}, {}, "",
         O::Stopped},
        {"two rates outside, asked in order",
         {{"CotaCNPJ", "0.1"}, {"CotaCNPF", "1.5"}},
         {ui::ReplyDa, ui::ReplyDa},
         {rateQuestion("CotaCNPF", "0.2", "1.3"), rateQuestion("CotaCNPJ", "0.2", "1.3")},
         {},
         "",
         O::Saved},
        {"second rate refused", {{"CotaCRPJ", "0.07"}, {"CotaCNPJ", "2"}}, {ui::ReplyDa, ui::ReplyNu},
         {rateQuestion("CotaCRPJ", "0.08", "0.2"), rateQuestion("CotaCNPJ", "0.2", "1.3")}, {}, "", O::Stopped},
        {"bounds are inside", {{"CotaCRPF", "0.08"}, {"CotaCNPF", "1.3"}, {"CotaCRPJ", "0.2"}, {"CotaCNPJ", "0.2"}},
         {}, {}, {}, "", O::Saved},
        {"empty rate is outside", {{"CotaCRPF", ""}}, {ui::ReplyNu}, {rateQuestion("CotaCRPF", "0.08", "0.2")}, {}, "",
         O::Stopped},
        {"years 0.7", {{"EvalPJAni", "0.7"}}, {}, {}, "Numar ani incorect!", "EvalPJAni", O::Stopped},
        {"years empty", {{"EvalPJAni", ""}}, {}, {}, "Numar ani incorect!", "EvalPJAni", O::Stopped},
        {"increase 51", {{"MajHCL", "51"}}, {}, {}, "Valoarea maxima este 50% !", "MajHCL", O::Stopped},
        {"increase 50", {{"MajHCL", "50.0"}}, {}, {}, {}, "", O::Saved},
        {"rate first, then years, then increase",
         {{"CotaCRPF", "0.3"}, {"EvalPJAni", "0"}, {"MajHCL", "51"}},
         {ui::ReplyDa},
         {rateQuestion("CotaCRPF", "0.08", "0.2")},
         "Numar ani incorect!",
         "EvalPJAni",
         O::Stopped},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(QDir(data).filePath("Lirma.set"));
        admin->Load("ION");
        scripted.clearRecords();
        for (const auto& [name, value] : c.set)
            values.setText(name, value);
        for (int a : c.answers)
            scripted.answerMessage(a, "Cote H.C.L.");
        const QByteArray before = snapshot();
        const int begins = scripted.scriptedProgress().begins();
        std::vector<AdminPage> pages;
        EXPECT_EQ(save(&pages), c.outcome);
        EXPECT_EQ(scripted.pendingAnswers(), 0);
        std::vector<QString> asked;
        for (const auto& m : scripted.messages())
            if (m.title == "Cote H.C.L.") {
                asked.push_back(m.text);
                EXPECT_EQ(m.kind, ui::KindAtentie);
            }
        EXPECT_EQ(asked, c.questions);
        const auto problems = scripted.problems();
        if (c.balloon.isEmpty()) {
            EXPECT_TRUE(problems.empty());
        } else {
            ASSERT_EQ(problems.size(), 1u);
            EXPECT_EQ(problems[0].text, c.balloon);
        }
        if (!c.questions.empty() || !c.balloon.isEmpty()) {
            ASSERT_FALSE(pages.empty());
            EXPECT_EQ(pages.back(), AdminPage::Buildings);
        }
        if (c.outcome == AdminSettings::SaveOutcome::Stopped) {
            EXPECT_EQ(snapshot(), before); // nothing written
            EXPECT_EQ(scripted.scriptedProgress().begins(), begins);
        }
    }
}

TEST_F(AdminSaveTest, YearsAreCutToTheWholePartAndRateTextsRewritten)
{
    admin->Load("ION");
    values.setText("EvalPJAni", "0.7");
    EXPECT_EQ(save(), AdminSettings::SaveOutcome::Stopped);
    EXPECT_EQ(values.text("EvalPJAni"), "0");
    values.setText("EvalPJAni", "6.9");
    values.setText("RataInfE", "013.80");
    values.setText("MajHCL", "");
    EXPECT_EQ(save(), AdminSettings::SaveOutcome::Saved);
    EXPECT_EQ(values.text("EvalPJAni"), "6");
    EXPECT_EQ(setting("SERVER", "EvalPJAni"), "6");
    EXPECT_EQ(setting("SERVER", "RATAINF"), "13.8");
    EXPECT_EQ(setting("SERVER", "MAJHCL"), "0");
}

TEST_F(AdminSaveTest, WritesTheSettingsFileAndEveryIniRowAndLoadsBackTheSame)
{
    writeIni({
        {"FORM4", "EC1ZA", "40"},
        {"FR12", "EC1ZA", "40"},
        {"FRCOMB", "AUTO1", "72"},
        {"FORM4", "AUTO1", "72"},
        {"FORM4", "primarialab", "VECHI"}, // spelled otherwise by an older edition
    });
    admin->Load("ION");
    EXPECT_EQ(values.text("PrimariaLab"), "VECHI");
    values.setText("PrimariaLab", "COMUNA DE TEST");
    values.setText("JudetulLab", "ALBA");
    values.setText("RataInfE", "3");
    values.setText("CotaCRPF", "0.2");
    values.setText("RedC", "5");
    values.setText("VN1", "3");
    values.setText("TEZ3", "A");
    values.setChecked("BonifPJ", true);
    values.setChecked("PreviewC", true);
    values.setChecked("FormatPDF", true);
    values.setChecked("RataInfPJ", true);
    values.setPageUnlocked(AdminPage::Extravilan, true);
    values.setPageUnlocked(AdminPage::Vehicles, true);
    values.setText("EC1ZA", "45");
    values.setText("AUTO1", "80");
    ASSERT_EQ(save(), AdminSettings::SaveOutcome::Saved);

    // The progress window showed the saving and was hidden again.
    EXPECT_EQ(scripted.scriptedProgress().texts().last(), "Salvare Constante");
    EXPECT_EQ(scripted.scriptedProgress().maximum(), 10);
    EXPECT_EQ(scripted.scriptedProgress().position(), 10);
    EXPECT_FALSE(scripted.scriptedProgress().isShown());

    struct Key {
        const char* section;
        const char* key;
        const char* value;
    };
    for (const Key& k : std::vector<Key>{{"SERVER", "PREVIEWL", "DA"},  {"SERVER", "BONIF50", "NU"},
                                         {"SERVER", "REDUCERE_JURIDICE", "DA"}, {"ION", "FORMATPDF", "DA"},
                                         {"ION", "INEXCEL", "NU"},      {"SERVER", "COTACRPF", "0.2"},
                                         {"SERVER", "COTACNPF", "0.4"}, {"SERVER", "COTACRPJ", "0.1"},
                                         {"SERVER", "COTACNPJ", "0.4"}, {"SERVER", "REDC", "5"},
                                         {"SERVER", "RATAINF", "3"},    {"SERVER", "MAJHCL", "0"},
                                         {"SERVER", "EvalPJAni", "5"},  {"CONST", "RATAINFPF", "NU"},
                                         {"CONST", "RATAINFPFN", "NU"}, {"CONST", "RATAINFPJ", "DA"}})
        EXPECT_EQ(setting(k.section, k.key), k.value) << k.key;

    db.reset();
    auto ini = iniByOwner();
    EXPECT_EQ(ini["FORM4"]["EC1ZA"], "45");
    EXPECT_EQ(ini["FR12"]["EC1ZA"], "45");
    EXPECT_EQ(ini["FRCOMB"]["AUTO1"], "80"); // else the next load would bring 72 back
    EXPECT_EQ(ini["FORM4"]["AUTO1"], "80");
    EXPECT_EQ(ini["FORM4"]["primarialab"], "COMUNA DE TEST");
    EXPECT_EQ(ini["FORM4"].count("PrimariaLab"), 0u);
    // Rows the old file lacked were added, so no value is lost.
    EXPECT_EQ(ini["FORM4"]["VN1"], "3");
    EXPECT_EQ(ini["FORM4"]["JudetulLab"], "ALBA");
    EXPECT_EQ(ini["FORM4"]["TEZ3"], "A");
    EXPECT_EQ(ini["FORM4"]["EC2ZA"], "22");
    EXPECT_EQ(ini["FR12"].size(), 1u); // only rows that were there change
    EXPECT_EQ(ini["FRCOMB"].size(), 1u);

    // A fresh store loads exactly what was saved.
    db = std::make_unique<storage::Database>(data.toStdString());
    AdminValues reloaded;
    AdminSettings again(reloaded, *db, *settings);
    again.Load("ION");
    for (const QString& name : values.names())
        EXPECT_EQ(reloaded.text(name), values.text(name)) << name.toStdString();

    // The two changed levels are in the activity log with their old and new values.
    EXPECT_EQ(logged, (QStringList{"Modificare valoare EC1ZA: 40 -> 45", "Modificare valoare AUTO1: 72 -> 80",
                                   "Modificare valoare VN1: 0 -> 3"}));
}

TEST_F(AdminSaveTest, ASecondSaveWritesTheSameAndLogsNothingNew)
{
    admin->Load("ION");
    values.setPageUnlocked(AdminPage::WaterVehicles, true);
    values.setText("APA3", "25");
    ASSERT_EQ(save(), AdminSettings::SaveOutcome::Saved);
    ASSERT_EQ(logged.size(), 1);
    ASSERT_EQ(save(), AdminSettings::SaveOutcome::Saved);
    EXPECT_EQ(logged.size(), 1);
    db.reset();
    std::map<std::string, int> seen;
    for (const IniRow& r : test::ReadIniWithDbfread(iniPath()))
        ++seen[r.forma + "/" + r.nume];
    for (const auto& [key, n] : seen)
        EXPECT_EQ(n, 1) << key; // no row inserted twice
}

TEST_F(AdminSaveTest, MissingIniDbfIsCreatedAtSaveWithTheCurrentValues)
{
    admin->Load("ION");
    values.setText("PrimariaLab", "COMUNA NOUA");
    db->dropTable("Ini");
    ASSERT_FALSE(QFile::exists(iniPath()));
    ASSERT_EQ(save(), AdminSettings::SaveOutcome::Saved);
    db.reset();
    auto ini = iniByOwner();
    EXPECT_EQ(ini["FORM4"]["PrimariaLab"], "COMUNA NOUA");
    EXPECT_EQ(ini["FORM4"]["EC1ZA"], "40");
}

TEST_F(AdminSaveTest, AFailedWriteIsReportedAndTheWindowStaysOpen)
{
    admin->Load("ION");
    // A folder where the settings file should be: it cannot be written.
    ASSERT_TRUE(QFile::remove(QDir(data).filePath("Lirma.set")));
    ASSERT_TRUE(QDir(data).mkpath("Lirma.set"));
    values.setText("PrimariaLab", "X");
    EXPECT_EQ(save(), AdminSettings::SaveOutcome::Failed);
    const auto messages = scripted.messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().title, "Salvare Constante");
    EXPECT_TRUE(messages.back().text.startsWith("\rValorile nu au putut fi memorate!"));
    EXPECT_EQ(messages.back().kind, ui::KindEroare);
    EXPECT_FALSE(scripted.scriptedProgress().isShown());
    EXPECT_TRUE(logged.isEmpty());
}

TEST_F(AdminSaveTest, InflationBoxesNeedARateFirst)
{
    admin->Load("ION");
    for (const char* box : {"RataInfPFR", "RataInfPFN", "RataInfPJ"}) {
        values.setText("RataInfE", "0");
        values.setChecked(box, true);
        EXPECT_FALSE(admin->AllowInflationCheck(box));
        EXPECT_FALSE(values.isChecked(box));
        ASSERT_FALSE(scripted.problems().empty());
        EXPECT_EQ(scripted.problems().back().text, "Completati mai intai Rata inflatiei la panoul General!");
        values.setText("RataInfE", "2.5");
        values.setChecked(box, true);
        EXPECT_TRUE(admin->AllowInflationCheck(box));
        EXPECT_TRUE(values.isChecked(box));
    }
    EXPECT_EQ(scripted.problems().size(), 3u);
}

TEST_F(AdminSaveTest, LevelsAreImportedFromAnotherDataFolderWhichStaysUntouched)
{
    const QString other = dir.filePath("An2023");
    ASSERT_TRUE(QDir().mkpath(other));
    const QString otherIni = QDir(other).filePath("INI.DBF");
    ASSERT_TRUE(test::WriteIniWithPythonDbf(otherIni, {
                                                          {"FORM4", "EC1ZA", "45"},
                                                          {"FORM4", "AUTO1", "90"},
                                                          {"FR12", "AUTO1", "100"},
                                                          {"FRCOMB", "g1a", "500"},
                                                          {"FORM4", "AUTO2", "abc"},
                                                          {"FORM4", "VN3", "75"},
                                                          {"FORM4", "TEZ1", "B"},
                                                          {"FORM4", "PrimariaLab", "ALTA COMUNA"},
                                                          {"FORM4", "CotaCRPF", "0.2"},
                                                          {"FORM4", "ERED", "7"},
                                                      }));
    const QByteArray hashBefore = [&] {
        QFile f(otherIni);
        f.open(QIODevice::ReadOnly);
        return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
    }();
    admin->Load("ION");
    values.setText("AUTO2", "33"); // not a number there: kept

    scripted.answerFolder(other);
    EXPECT_EQ(admin->ImportLevelsChosen(QString(), dir.filePath("work")), 5);
    ASSERT_FALSE(scripted.messages().empty());
    EXPECT_EQ(scripted.messages().back().title, "Preluare valori");
    EXPECT_EQ(scripted.messages().back().text, admintext::ImportDoneText(5, other));

    for (const auto& [name, value] : std::vector<std::pair<const char*, const char*>>{{"EC1ZA", "45"},
                                                                                    {"AUTO1", "100"},
                                                                                    {"G1A", "500"},
                                                                                    {"VN3", "75"},
                                                                                    {"ERED", "7"},
                                                                                    {"AUTO2", "33"},
                                                                                    {"TEZ1", "A"},
                                                                                    {"PrimariaLab", ""},
                                                                                    {"CotaCRPF", "0.1"}})
        EXPECT_EQ(values.text(name), value) << name;
    // Still read-only: the import needs no unlocking.
    EXPECT_TRUE(values.isReadOnly("EC1ZA"));

    QFile f(otherIni);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256), hashBefore);
    EXPECT_EQ(QDir(other).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{"INI.DBF"});

    ASSERT_EQ(save(), AdminSettings::SaveOutcome::Saved);
    EXPECT_TRUE(logged.contains("Modificare valoare EC1ZA: 40 -> 45"));
    EXPECT_TRUE(logged.contains("Modificare valoare G1A: 0 -> 500"));
    EXPECT_TRUE(logged.contains("Modificare valoare AUTO2: 0 -> 33"));
    EXPECT_EQ(logged.size(), 6);
}

TEST_F(AdminSaveTest, ImportFromAFolderWithoutIniDbfOrCancelledChangesNothing)
{
    admin->Load("ION");
    const QString empty = dir.filePath("gol");
    ASSERT_TRUE(QDir().mkpath(empty));
    scripted.answerFolder(empty);
    EXPECT_EQ(admin->ImportLevelsChosen(QString(), dir.filePath("work")), -1);
    ASSERT_EQ(scripted.messages().size(), 1u);
    EXPECT_EQ(scripted.messages()[0].text, "\rIn " + empty + " nu exista Ini.dbf!");
    EXPECT_EQ(scripted.messages()[0].kind, ui::KindEroare);
    scripted.answerFolder(QString());
    EXPECT_EQ(admin->ImportLevelsChosen(QString(), dir.filePath("work")), -1);
    EXPECT_EQ(scripted.messages().size(), 1u);
    EXPECT_EQ(values.text("EC1ZA"), "40");
}

TEST_F(AdminSaveTest, UnlockingAPageAsksFirst)
{
    admin->Load("ION");
    scripted.answerMessage(ui::ReplyNu, "Deblocare valori");
    EXPECT_FALSE(admin->UnlockPage(AdminPage::HeavyVehicles));
    EXPECT_TRUE(values.isReadOnly("G1A"));
    scripted.answerMessage(ui::ReplyDa, "Deblocare valori");
    EXPECT_TRUE(admin->UnlockPage(AdminPage::HeavyVehicles));
    EXPECT_FALSE(values.isReadOnly("G1A"));
    EXPECT_FALSE(values.isReadOnly("G15B"));
    EXPECT_TRUE(values.isReadOnly("GC1A"));
    EXPECT_TRUE(admin->UnlockPage(AdminPage::HeavyVehicles)); // already open: no second question
    EXPECT_EQ(scripted.messages().size(), 2u);
    EXPECT_EQ(scripted.messages()[0].kind, ui::KindAtentie);
    values.setText("G1A", "1000");
    ASSERT_EQ(save(), AdminSettings::SaveOutcome::Saved);
    EXPECT_EQ(logged, QStringList{"Modificare valoare G1A: 0 -> 1000"});
    admin->Load("ION");
    EXPECT_TRUE(values.isReadOnly("G1A"));
    EXPECT_EQ(values.text("G1A"), "1000");
}
