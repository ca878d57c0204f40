#include "documents/template_catalog.h"
#include "documents/template_menu.h"
#include "documents/template_store.h"

#include "platform/base/files.h"
#include "platform/office/lock_file.h"
#include "platform/ui/scripted_interaction.h"

#include "support/qt_application.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace lirma::documents;
using lirma::base::Folders;
using lirma::ui::ScriptedInteraction;

namespace {

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

class TemplateMenuTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folders = Folders::ForProgram(dir.path());
        ASSERT_TRUE(folders.createMissing());
        ASSERT_TRUE(EnsureTemplates(folders).ok());
    }
    const TemplateInfo& file(const char* name)
    {
        const TemplateInfo* t = FindTemplateFile(name);
        EXPECT_NE(t, nullptr) << name;
        return *t;
    }
    QTemporaryDir dir;
    Folders folders;
    ScriptedInteraction scripted;
    lirma::ui::ScopedInteraction installed{scripted};
};

const QString kTitle = "Refacere model initial";
const QString kInUse = "\rModelul este in utilizare!\rInchideti-l si reincercati!";

} // namespace

TEST_F(TemplateMenuTest, EditOpensTheDataFolderCopy)
{
    // A template deleted since start-up is written again before it is opened.
    QFile::remove(folders.dataFile("Titlu.rtf"));
    for (const char* name : {"CFiscal4.rtf", "Titlu.rtf"}) {
        scripted.clearRecords();
        EXPECT_TRUE(EditTemplate(folders, file(name)));
        const auto docs = scripted.recordsOf(ScriptedInteraction::What::Document);
        ASSERT_EQ(docs.size(), 1u) << name;
        EXPECT_EQ(docs[0].path, folders.dataFile(name));
        EXPECT_TRUE(QFileInfo::exists(folders.dataFile(name)));
    }
}

TEST_F(TemplateMenuTest, RestorePutsBackOnlyTheChosenTemplate)
{
    struct Case {
        const char* name;
        int answer;
        bool locked;
        RestoreOutcome outcome;
        QStringList messages; // after the question
    };
    const std::vector<Case> cases = {
        {"DA puts the embedded template back", lirma::ui::ReplyDa, false, RestoreOutcome::Restored,
         {"\rModelul a fost reinitializat!"}},
        {"NU changes nothing", lirma::ui::ReplyNu, false, RestoreOutcome::Declined, {}},
        {"a template open in the office program stays", lirma::ui::ReplyDa, true, RestoreOutcome::InUse, {kInUse}},
    };
    const TemplateInfo& pj = file("CFiscalPJ.rtf");
    const QString path = folders.dataFile("CFiscalPJ.rtf");
    const QString other = folders.dataFile("CFiscal4.rtf");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path, "edited PJ");
        writeFile(other, "edited PF");
        QFile::remove(lirma::office::LockFileOf(path));
        if (c.locked)
            writeFile(lirma::office::LockFileOf(path), "user,host");
        scripted.clearRecords();
        scripted.answerMessage(c.answer, "Doriti sa punem inapoi modelul initial?");
        EXPECT_EQ(RestoreTemplate(folders, pj), c.outcome);
        const auto messages = scripted.messages();
        ASSERT_EQ(messages.size(), size_t(1 + c.messages.size()));
        EXPECT_EQ(messages[0].title, kTitle);
        for (int i = 0; i < c.messages.size(); ++i) {
            EXPECT_EQ(messages[size_t(i + 1)].title, kTitle);
            EXPECT_EQ(messages[size_t(i + 1)].text, c.messages[i]);
        }
        EXPECT_EQ(readFile(path), c.outcome == RestoreOutcome::Restored ? EmbeddedTemplate("CFISCALPJ", "MODEL")
                                                                       : QByteArray("edited PJ"));
        // The natural-person certificate the user edited is never touched.
        EXPECT_EQ(readFile(other), "edited PF");
    }
    // Restoring a template that vanished meanwhile writes it.
    QFile::remove(lirma::office::LockFileOf(path));
    QFile::remove(path);
    scripted.answerMessage(lirma::ui::ReplyDa);
    EXPECT_EQ(RestoreTemplate(folders, pj), RestoreOutcome::Restored);
    EXPECT_EQ(readFile(path), EmbeddedTemplate("CFISCALPJ", "MODEL"));
}

TEST_F(TemplateMenuTest, CommandsFollowTheMenuTable)
{
    const auto commands = TemplateMenuCommands(folders);
    auto find = [&](const QString& path) -> const TemplateCommand* {
        for (const auto& c : commands)
            if (c.path == path)
                return &c;
        return nullptr;
    };
    struct Entry {
        const char* path;
        bool restorable;
        bool enabled;
    };
    const std::vector<Entry> entries = {
        {"Model Declaratie de impunere > Persoane fizice", true, true},
        {"Model Declaratie de impunere > Persoane juridice", true, true},
        {"Modele Executare silita > Somatie - Titlu executoriu", false, true},
        {"Modele Executare silita > Poprire Angajator", false, true},
        {"Modele Executare silita > Poprire Banca", false, true},
        {"Modele Executare silita > Sistare urmarire", true, true},
        {"Model Certificat Fiscal > Persoane fizice", true, true},
        {"Model Certificat Fiscal > Persoane juridice", true, true},
        {"Model Adresa de infiintare poprire", false, false},
        {"Model Aferent Adresa de infiintare poprire", false, false},
        {"Model Confirmarea de primire a debitelor", false, true},
        {"Modele alte formulare > Aviz Control fiscal", true, true},
        {"Modele alte formulare > Angajament de plata", true, true},
        {"Detalii Auto > Declaratie/PV luare in evidenta Auto", true, true},
        {"Detalii Auto > Declaratie/PV scoatere din evidenta Auto", true, true},
    };
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.path);
        const TemplateCommand* edit = find(QString(e.path) + " > Editare model");
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->enabled, e.enabled);
        EXPECT_EQ(bool(edit->run), e.enabled);
        const TemplateCommand* restore = find(QString(e.path) + " > Refa modelul initial");
        EXPECT_EQ(restore != nullptr, e.restorable);
    }
    // The menu order: declarations first, vehicles last.
    EXPECT_TRUE(commands.front().path.startsWith("Model Declaratie de impunere > Persoane fizice"));
    EXPECT_TRUE(commands.back().path.startsWith("Detalii Auto > Declaratie/PV scoatere din evidenta Auto"));
}

TEST_F(TemplateMenuTest, MenuEntriesRunTheirCommands)
{
    QMenu menu(kTemplateMenuCaption);
    AddTemplateMenu(&menu, folders);
    auto child = [](QMenu* parent, const QString& caption) -> QAction* {
        for (QAction* a : parent->actions())
            if (a->text() == caption)
                return a;
        return nullptr;
    };
    QAction* certificates = child(&menu, "Model Certificat Fiscal");
    ASSERT_NE(certificates, nullptr);
    ASSERT_NE(certificates->menu(), nullptr);
    QAction* pf = child(certificates->menu(), "Persoane fizice");
    ASSERT_NE(pf, nullptr);
    ASSERT_NE(pf->menu(), nullptr);
    QAction* edit = child(pf->menu(), "Editare model");
    QAction* restore = child(pf->menu(), "Refa modelul initial");
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(restore, nullptr);

    edit->trigger();
    const auto docs = scripted.recordsOf(ScriptedInteraction::What::Document);
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_EQ(docs[0].path, folders.dataFile("CFiscal4.rtf"));

    writeFile(folders.dataFile("CFiscal4.rtf"), "edited");
    scripted.answerMessage(lirma::ui::ReplyDa);
    restore->trigger();
    EXPECT_EQ(readFile(folders.dataFile("CFiscal4.rtf")), EmbeddedTemplate("CFISCAL", "MODEL"));

    // The two entries without a template are there, disabled, and do nothing.
    for (const char* caption : {"Model Adresa de infiintare poprire", "Model Aferent Adresa de infiintare poprire"}) {
        QAction* entry = child(&menu, caption);
        ASSERT_NE(entry, nullptr) << caption;
        EXPECT_FALSE(entry->isEnabled()) << caption;
        ASSERT_NE(entry->menu(), nullptr);
        QAction* inner = child(entry->menu(), "Editare model");
        ASSERT_NE(inner, nullptr);
        EXPECT_FALSE(inner->isEnabled());
        scripted.clearRecords();
        inner->trigger();
        EXPECT_TRUE(scripted.records().empty());
    }
    // Templates without "Refa modelul initial".
    QAction* enforcement = child(&menu, "Modele Executare silita");
    ASSERT_NE(enforcement, nullptr);
    QAction* titlu = child(enforcement->menu(), "Somatie - Titlu executoriu");
    ASSERT_NE(titlu, nullptr);
    EXPECT_TRUE(titlu->isEnabled());
    EXPECT_EQ(child(titlu->menu(), "Refa modelul initial"), nullptr);
}
