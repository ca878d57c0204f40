#include "core/admin_paths.h"
#include "core/admin_texts.h"
#include "db/data_folder.h"

#include "core/admin_test_support.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace lirma;
using namespace lirma::core;
using Outcome = AdminPaths::Outcome;

namespace {

class AdminPathsTest : public test::AdminFolderTest {
protected:
    void SetUp() override
    {
        AdminFolderTest::SetUp();
        folders = base::Folders::ForProgram(dir.path());
        folders.data = folders.localData;
        paths = std::make_unique<AdminPaths>(*settings, folders);
    }
    // A folder holding the given table files (empty files are enough for the check).
    QString folderWith(const QString& name, const QStringList& files)
    {
        const QString folder = dir.filePath(name);
        EXPECT_TRUE(QDir().mkpath(folder));
        for (const QString& f : files) {
            QFile file(QDir(folder).filePath(f));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        }
        return folder;
    }
    QString registryValue(const char* name) const { return registry::Registry().read(name); }

    base::Folders folders;
    std::unique_ptr<AdminPaths> paths;
};

} // namespace

TEST_F(AdminPathsTest, ServerNeedsTheSameTenTablesAsTheStartUp)
{
    QStringList withoutSoldCalc = db::ServerFolderFiles();
    withoutSoldCalc.removeAll("SoldCalc.dbf");
    QStringList withoutDatorii = db::ServerFolderFiles();
    withoutDatorii.removeAll("Datorii.dbf");
    QStringList upper;
    for (const QString& f : db::ServerFolderFiles())
        upper.push_back(f.toUpper());

    int n = 0;
    for (const QStringList& files : {withoutSoldCalc, withoutDatorii}) {
        const QString folder = folderWith(QString("incomplet%1").arg(++n), files);
        scripted.answerFolder(folder + "/");
        EXPECT_EQ(paths->ChooseServer(), Outcome::Nothing);
        ASSERT_FALSE(scripted.messages().empty());
        EXPECT_EQ(scripted.messages().back().title, "Conectare server");
        EXPECT_EQ(scripted.messages().back().text,
                  "Baza de date " + folder + "\rNU este accesibila!\rVerificati conexiunea si reporniti programul!");
        EXPECT_EQ(registryValue("SERVER"), "");
    }

    const QString good = folderWith("server", upper);
    scripted.answerFolder(good + "//", "Indicati baza de date din retea");
    EXPECT_EQ(paths->ChooseServer(), Outcome::EndProgram);
    EXPECT_EQ(registryValue("SERVER"), good); // without the trailing separator
    EXPECT_EQ(scripted.messages().back().title, "Conectat la server");
    EXPECT_EQ(scripted.messages().back().text, "Conectarea la server a reusit!\rPorniti programul din nou !");
    EXPECT_EQ(paths->serverLabel(), good);

    scripted.answerFolder(QString());
    EXPECT_EQ(paths->ChooseServer(), Outcome::Nothing);
    EXPECT_EQ(registryValue("SERVER"), good);
}

TEST_F(AdminPathsTest, ServerOffClearsAnyStoredValueEvenAShortOne)
{
    EXPECT_EQ(paths->serverLabel(), "-");
    EXPECT_EQ(paths->ServerOff(nullptr), Outcome::Nothing);
    ASSERT_EQ(scripted.problems().size(), 1u);
    EXPECT_EQ(scripted.problems()[0].text, "Nu aveti ce sterge.");

    ASSERT_TRUE(registry::Registry().write("SERVER", "/srv")); // fewer than 7 characters
    scripted.answerMessage(ui::ReplyNu, "Doriti sa va deconectati de la server?");
    EXPECT_EQ(paths->ServerOff(nullptr), Outcome::Nothing);
    EXPECT_EQ(registryValue("SERVER"), "/srv");
    scripted.answerMessage(ui::ReplyDa, "Stergere cale server");
    EXPECT_EQ(paths->ServerOff(nullptr), Outcome::EndProgram);
    EXPECT_EQ(registryValue("SERVER"), "");
    EXPECT_EQ(scripted.messages().back().title, "Deconectat de la server");
    EXPECT_EQ(scripted.messages().back().text, "Sunteti deconectat de la server!\rPorniti programul din nou !");
}

TEST_F(AdminPathsTest, BackupsOnlyFromTheLocalDataFolderAndOnlyWhereWeCanWrite)
{
    const QString target = folderWith("salvari", {});
    base::Folders remote = folders;
    remote.data = dir.filePath("server");
    AdminPaths onServer(*settings, remote);
    EXPECT_EQ(onServer.ChooseBackups(), Outcome::Nothing);
    EXPECT_EQ(scripted.messages().back().title, "Salvare Automata");
    EXPECT_EQ(scripted.messages().back().text, "Numai Serverul poate salva automat!");

    if (geteuid() != 0) { // root writes anywhere
        const QString locked = folderWith("blocat", {});
        ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
        scripted.answerFolder(locked);
        EXPECT_EQ(paths->ChooseBackups(), Outcome::Nothing);
        EXPECT_EQ(scripted.messages().back().title, "Stabilire cale salvari");
        EXPECT_EQ(scripted.messages().back().text,
                  "Nu pot scrie in " + locked + " !\rAlegeti alta cale, unde sa pot scrie!");
        EXPECT_EQ(registryValue("CALESALVARI"), "");
    }
    scripted.answerFolder(dir.filePath("nu-exista"));
    EXPECT_EQ(paths->ChooseBackups(), Outcome::Nothing);
    EXPECT_EQ(scripted.messages().back().title, "Stabilire cale salvari");

    scripted.answerFolder(target, "Indicati calea salvarilor automate");
    EXPECT_EQ(paths->ChooseBackups(), Outcome::Changed);
    EXPECT_EQ(registryValue("CALESALVARI"), target);
    EXPECT_FALSE(QFileInfo::exists(QDir(target).filePath("test.txt")));
    EXPECT_EQ(scripted.messages().back().text, "Calea pentru Salvari Automate este acum\r" + target + ".");
    EXPECT_EQ(paths->backupsLabel(), target);

    scripted.answerMessage(ui::ReplyDa, "Doriti sa dezactivati salvarea automata?");
    EXPECT_EQ(paths->BackupsOff(nullptr), Outcome::Changed);
    EXPECT_EQ(registryValue("CALESALVARI"), "");
    EXPECT_EQ(scripted.messages().back().text, "Salvarea automata a fost dezactivata!");
    EXPECT_EQ(paths->BackupsOff(nullptr), Outcome::Nothing);
    EXPECT_EQ(scripted.problems().back().text, "Nu aveti ce sterge.");
    EXPECT_EQ(paths->backupsLabel(), "-");
}

TEST_F(AdminPathsTest, AgriculturalRegisterFolderMustHoldRa2020Set)
{
    const QString wrong = folderWith("ra_gresit", {"Ra2019.set"});
    scripted.answerFolder(wrong, "Indicati baza de date RA 2020-2024");
    EXPECT_EQ(paths->ChooseAgriculturalRegister(), Outcome::Nothing);
    EXPECT_EQ(scripted.messages().back().title, "Cale Baza de date RA 2020");
    EXPECT_EQ(scripted.messages().back().text, "\rCalea indicata nu este corecta!");
    EXPECT_EQ(setting("SERVER", "CALERA2020"), "");

    const QString right = folderWith("ra", {"RA2020.SET"});
    scripted.answerFolder(right);
    EXPECT_EQ(paths->ChooseAgriculturalRegister(), Outcome::Changed);
    EXPECT_EQ(setting("SERVER", "CALERA2020"), right);
    EXPECT_EQ(paths->agriculturalRegisterLabel(), right);

    scripted.answerMessage(ui::ReplyDa, "Stergere cale Reg.Agr.");
    EXPECT_EQ(paths->AgriculturalRegisterOff(nullptr), Outcome::Changed);
    EXPECT_EQ(setting("SERVER", "CALERA2020"), "");
    EXPECT_EQ(scripted.messages().back().title, "Cale Reg.Agr.");
    EXPECT_EQ(scripted.messages().back().text, "\rLegatura cu Reg.Agricol a fost dezactivata!");
    EXPECT_EQ(paths->AgriculturalRegisterOff(nullptr), Outcome::Nothing);
    EXPECT_EQ(scripted.problems().back().text, "Nu aveti ce sterge.");
}
