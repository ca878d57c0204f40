#include "documents/template_catalog.h"
#include "documents/template_store.h"

#include "platform/base/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

using namespace lirma::documents;
using lirma::base::Folders;

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

// The editable templates: file name -> embedded bytes.
std::map<QString, QByteArray> editable()
{
    std::map<QString, QByteArray> files;
    for (const TemplateInfo& t : TemplateCatalog())
        if (!t.resource.isEmpty() && !t.fileName.isEmpty())
            files[t.fileName] = EmbeddedTemplate(t.resource, t.type);
    return files;
}

QStringList filesIn(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    names.sort();
    return names;
}

class TemplateStoreTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folders = Folders::ForProgram(dir.path());
        ASSERT_TRUE(folders.createMissing());
    }
    QString data(const QString& name) const { return folders.dataFile(name); }
    QTemporaryDir dir;
    Folders folders;
};

} // namespace

TEST_F(TemplateStoreTest, FirstStartWritesEveryEditableTemplateAndNothingElse)
{
    const auto expected = editable();
    ASSERT_GE(expected.size(), 13u);
    const EnsureResult r = EnsureTemplates(folders);
    EXPECT_TRUE(r.ok()) << r.failed.join(", ").toStdString();
    EXPECT_EQ(size_t(r.written.size()), expected.size());
    QStringList names;
    for (const auto& [name, bytes] : expected) {
        names << name;
        EXPECT_EQ(readFile(data(name)), bytes) << name.toStdString();
    }
    names.sort();
    // No temporary file left behind, no template used through a work copy (Chitanta) written.
    EXPECT_EQ(filesIn(folders.data), names);
    // A second start writes nothing.
    EXPECT_TRUE(EnsureTemplates(folders).written.isEmpty());
}

TEST_F(TemplateStoreTest, OnlyMissingFilesAreWrittenWithTheirReplacementRules)
{
    struct Case {
        const char* name;
        std::vector<const char*> removed;      // templates missing at start
        std::vector<const char*> older;        // older files present at start
        std::vector<const char*> written;      // templates written
        std::vector<const char*> olderGone;    // older files deleted
        std::vector<const char*> olderKept;    // older files left alone
    };
    const std::vector<Case> cases = {
        {"an edited template stays; the missing Titlu.rtf comes back", {"Titlu.rtf"}, {}, {"Titlu.rtf"}, {}, {}},
        {"a new garnishment template replaces the old one", {"PopAngaj2.rtf"}, {"PopAngaj.rtf", "PopBanca.rtf"},
         {"PopAngaj2.rtf"}, {"PopAngaj.rtf"}, {"PopBanca.rtf"}},
        {"old garnishment files stay while the new ones exist", {}, {"PopAngaj.rtf", "PopBanca.rtf"}, {}, {},
         {"PopAngaj.rtf", "PopBanca.rtf"}},
        {"a missing legal-person certificate brings a fresh natural-person one", {"CFiscalPJ.rtf"}, {},
         {"CFiscalPJ.rtf", "CFiscal4.rtf"}, {}, {}},
        {"a missing natural-person certificate leaves the legal-person one", {"CFiscal4.rtf"}, {},
         {"CFiscal4.rtf"}, {}, {}},
    };
    const auto embedded = editable();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& f : filesIn(folders.data))
            QFile::remove(data(f));
        // Every template present and edited by the user.
        for (const auto& [name, bytes] : embedded)
            writeFile(data(name), "edited " + name.toUtf8());
        for (const char* f : c.removed)
            QFile::remove(data(f));
        for (const char* f : c.older)
            writeFile(data(f), "older");
        const EnsureResult r = EnsureTemplates(folders);
        EXPECT_TRUE(r.ok());
        std::set<QString> written(r.written.begin(), r.written.end());
        EXPECT_EQ(written, std::set<QString>(c.written.begin(), c.written.end()));
        for (const auto& [name, bytes] : embedded) {
            if (written.count(name))
                EXPECT_EQ(readFile(data(name)), bytes) << name.toStdString();
            else
                EXPECT_EQ(readFile(data(name)), "edited " + name.toUtf8()) << name.toStdString();
        }
        for (const char* f : c.olderGone)
            EXPECT_FALSE(QFileInfo::exists(data(f))) << f;
        for (const char* f : c.olderKept)
            EXPECT_EQ(readFile(data(f)), "older") << f;
    }
}

TEST_F(TemplateStoreTest, ATemplateThatCannotBeWrittenIsReported)
{
    // The data folder is a file: nothing can be written into it.
    Folders broken = folders;
    broken.data = dir.filePath("not-a-folder");
    writeFile(broken.data, "x");
    const EnsureResult r = EnsureTemplates(broken);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.written.isEmpty());
    EXPECT_TRUE(r.failed.contains("Titlu.rtf"));
}

TEST_F(TemplateStoreTest, ExtractTemplateReplacesTheFileWhole)
{
    const QString path = dir.filePath("Temp/ModelChit0.rtf");
    writeFile(path, "previous template, long enough to notice a partial overwrite");
    // A reader that opened the old file keeps reading the old file: the new one took its name
    // instead of being written over it.
    QFile reader(path);
    ASSERT_TRUE(reader.open(QIODevice::ReadOnly));
    ASSERT_TRUE(ExtractTemplate("chitanta", "model", path));
    EXPECT_EQ(reader.readAll(), "previous template, long enough to notice a partial overwrite");
    EXPECT_EQ(readFile(path), EmbeddedTemplate("Chitanta", "MODEL"));
    EXPECT_EQ(filesIn(dir.filePath("Temp")), QStringList{"ModelChit0.rtf"});

    EXPECT_FALSE(ExtractTemplate("NoSuchTemplate", "MODEL", dir.filePath("Temp/x.rtf")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("Temp/x.rtf")));
    EXPECT_FALSE(ExtractTemplate("Titlu", "MODEL", dir.filePath("no-folder/Titlu.rtf")));
}
