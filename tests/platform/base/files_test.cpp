#include "platform/base/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include <vector>

using namespace lirma::base;

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(f.write(content), content.size());
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QByteArray pattern(qsizetype size)
{
    QByteArray b(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        b[i] = char(i * 31 % 251);
    return b;
}

// A program folder in a fresh temporary directory, with room beside it for
// things that must survive (a sibling folder with a similar name, an outside folder).
class FilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        folders = Folders::ForProgram(root.filePath("prog"));
        ASSERT_TRUE(folders.createMissing());
    }
    QString at(const QString& relative) const { return root.filePath(relative); }

    QTemporaryDir root;
    Folders folders;
};

} // namespace

TEST(Folders, DerivedFromTheProgramFolder)
{
    const Folders f = Folders::ForProgram("/opt/lirma/./bin/../");
    EXPECT_EQ(f.program, "/opt/lirma");
    EXPECT_EQ(f.localData, "/opt/lirma/Data");
    EXPECT_EQ(f.data, "/opt/lirma/Data");
    EXPECT_EQ(f.temp, "/opt/lirma/Temp");
    EXPECT_EQ(f.sqlWork, "/opt/lirma/TmpSQL");
    EXPECT_TRUE(f.isLocal());
    EXPECT_EQ(f.dataFile("Gospodar.dbf"), "/opt/lirma/Data/Gospodar.dbf");

    Folders server = f;
    server.data = "/mnt/server/Data";
    EXPECT_FALSE(server.isLocal());
    EXPECT_EQ(server.dataFile("Gospodar.dbf"), "/mnt/server/Data/Gospodar.dbf");
}

TEST(Folders, ProgramFolderFromEnvironmentOrExecutable)
{
    const QByteArray saved = qgetenv("LIRMA_HOME");
    const bool had = qEnvironmentVariableIsSet("LIRMA_HOME");

    qputenv("LIRMA_HOME", "/srv/lirma/home/");
    EXPECT_EQ(Folders::ProgramFolder(), "/srv/lirma/home");
    EXPECT_EQ(Folders::Detect().temp, "/srv/lirma/home/Temp");

    qunsetenv("LIRMA_HOME");
    const QString exeFolder = QFileInfo(QFileInfo("/proc/self/exe").canonicalFilePath()).absolutePath();
    EXPECT_EQ(Folders::ProgramFolder(), exeFolder);
    qputenv("LIRMA_HOME", "");
    EXPECT_EQ(Folders::ProgramFolder(), exeFolder);

    if (had)
        qputenv("LIRMA_HOME", saved);
    else
        qunsetenv("LIRMA_HOME");
}

TEST_F(FilesTest, CreateMissingMakesTheWorkFolders)
{
    for (const QString& f : {folders.localData, folders.temp, folders.sqlWork})
        EXPECT_TRUE(QFileInfo(f).isDir()) << f.toStdString();
}

TEST_F(FilesTest, NextTempFileTakesTheFirstFreeOrDeletableName)
{
    const QString u0 = folders.temp + "/U0.dbf";
    EXPECT_EQ(NextTempFile(folders, "U", ".dbf"), u0);

    writeFile(u0, "old work table");
    EXPECT_EQ(NextTempFile(folders, "U", ".dbf"), u0);
    EXPECT_FALSE(QFileInfo::exists(u0)) << "a reusable name is freed";

    // A name taken by something that cannot be deleted as a file is skipped.
    QDir().mkpath(u0);
    QDir().mkpath(folders.temp + "/U1.dbf");
    EXPECT_EQ(NextTempFile(folders, "U", ".dbf"), folders.temp + "/U2.dbf");
    EXPECT_EQ(NextTempFile(folders, "Chitanta", ".rtf"), folders.temp + "/Chitanta0.rtf");
}

TEST_F(FilesTest, NextTempFileGivesEmptyWhenAll101NamesAreTaken)
{
    for (int n = 0; n <= 100; ++n)
        QDir().mkpath(folders.temp + QStringLiteral("/Comp%1.dbf").arg(n));
    EXPECT_EQ(NextTempFile(folders, "Comp", ".dbf"), QString());
    QDir(folders.temp + "/Comp100.dbf").removeRecursively();
    EXPECT_EQ(NextTempFile(folders, "Comp", ".dbf"), folders.temp + "/Comp100.dbf");
}

TEST_F(FilesTest, MakeWorkFolderEmptiesAnExistingFolder)
{
    const QString work = folders.temp + "/SaveRA0";
    EXPECT_EQ(MakeWorkFolder(folders, "SaveRA"), work);
    EXPECT_TRUE(QFileInfo(work).isDir());

    writeFile(work + "/Gospodar.dbf", "x");
    writeFile(work + "/sub/deeper/Pag1.dbf", "y");
    // A link inside the old folder must go without touching what it points at.
    writeFile(at("outside/keep.txt"), "keep");
    ASSERT_TRUE(QFile::link(at("outside"), work + "/link"));

    EXPECT_EQ(MakeWorkFolder(folders, "SaveRA"), work);
    EXPECT_TRUE(QDir(work).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
    EXPECT_EQ(readFile(at("outside/keep.txt")), "keep");
}

TEST_F(FilesTest, MakeWorkFolderSkipsUnusableNames)
{
    writeFile(folders.temp + "/GMT0", "a file, not a folder");
    EXPECT_EQ(MakeWorkFolder(folders, "GMT"), folders.temp + "/GMT1");
    EXPECT_EQ(readFile(folders.temp + "/GMT0"), "a file, not a folder");

    for (int n = 0; n < 50; ++n)
        writeFile(folders.temp + QStringLiteral("/Full%1").arg(n), "x");
    EXPECT_EQ(MakeWorkFolder(folders, "Full"), QString());
}

TEST_F(FilesTest, MoveFileRenamesAndReplaces)
{
    const QString src = folders.temp + "/TmpSv0.sav";
    const QString dst = at("backup/arhiva.l24");
    QDir().mkpath(at("backup"));
    writeFile(src, pattern(5000));
    writeFile(dst, "older archive");

    EXPECT_TRUE(MoveFile(src, dst));
    EXPECT_FALSE(QFileInfo::exists(src));
    EXPECT_EQ(readFile(dst), pattern(5000));
}

TEST_F(FilesTest, MoveFileRefusalsKeepBothSides)
{
    const QString src = folders.temp + "/a.tmp";
    writeFile(src, "source");
    QDir().mkpath(at("adir"));
    writeFile(at("adir/inside"), "inside");

    struct Case {
        const char* what;
        QString source;
        QString destination;
    };
    const std::vector<Case> cases = {
        {"missing source", folders.temp + "/none.tmp", at("x.tmp")},
        {"destination folder missing", src, at("no/such/folder/x.tmp")},
        {"destination is a folder", src, at("adir")},
        {"source is a folder", at("adir"), at("y.tmp")},
        {"empty source", QString(), at("z.tmp")},
        {"empty destination", src, QString()},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(MoveFile(c.source, c.destination)) << c.what;
        EXPECT_EQ(readFile(src), "source") << c.what;
        EXPECT_EQ(readFile(at("adir/inside")), "inside") << c.what;
    }
    EXPECT_FALSE(QFileInfo::exists(at("x.tmp")));
    EXPECT_FALSE(QFileInfo::exists(at("y.tmp")));
}

// Writes fail with EFBIG past the limit, as a full disk would, while the test
// keeps running (the signal that would end it is ignored meanwhile).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST_F(FilesTest, CopyThatFailsPartWayLeavesNoPartialDestination)
{
    const QString src = folders.temp + "/big.sav";
    writeFile(src, pattern(1 << 20));
    QDir().mkpath(at("dest"));
    const QString fresh = at("dest/new.l24");
    const QString existing = at("dest/old.l24");
    writeFile(existing, "the previous archive");

    {
        FileSizeLimit limit(200 * 1024);
        EXPECT_FALSE(CopyFileReplacing(src, fresh));
        EXPECT_FALSE(CopyFileReplacing(src, existing));
    }
    EXPECT_FALSE(QFileInfo::exists(fresh)) << "no partial destination";
    EXPECT_EQ(readFile(existing), "the previous archive");
    EXPECT_EQ(QDir(at("dest")).entryList(QDir::Files | QDir::Hidden), QStringList{"old.l24"}) << "no leftovers";
    EXPECT_EQ(readFile(src), pattern(1 << 20));

    EXPECT_TRUE(CopyFileReplacing(src, existing));
    EXPECT_EQ(readFile(existing), pattern(1 << 20));
    EXPECT_EQ(readFile(src), pattern(1 << 20));
}

TEST_F(FilesTest, MoveAcrossFileSystemsCopiesAndFailsCleanly)
{
    // /dev/shm is a memory file system: a rename from there to the test folder cannot work.
    struct stat shm{}, here{};
    if (stat("/dev/shm", &shm) != 0 || stat(QFile::encodeName(root.path()).constData(), &here) != 0 ||
        shm.st_dev == here.st_dev)
        GTEST_SKIP() << "needs /dev/shm on another file system than the temporary folder";
    QTemporaryDir other("/dev/shm/lirma-base-XXXXXX");
    ASSERT_TRUE(other.isValid());

    const QString src = other.filePath("TmpSv0.sav");
    const QString dst = at("arhiva.l24");
    writeFile(src, pattern(1 << 20));
    writeFile(dst, "older");
    {
        FileSizeLimit limit(100 * 1024);
        EXPECT_FALSE(MoveFile(src, dst));
    }
    EXPECT_EQ(readFile(dst), "older");
    EXPECT_EQ(readFile(src), pattern(1 << 20));
    EXPECT_EQ(QDir(root.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"arhiva.l24"});

    EXPECT_TRUE(MoveFile(src, dst));
    EXPECT_FALSE(QFileInfo::exists(src));
    EXPECT_EQ(readFile(dst), pattern(1 << 20));
}

TEST_F(FilesTest, DeleteFolderRefusesAnythingNotStrictlyInsideTheProgramFolder)
{
    writeFile(folders.program + "/keep.txt", "p");
    writeFile(at("prog2/keep.txt"), "sibling");
    writeFile(at("outside/keep.txt"), "outside");
    writeFile(at("outside/sub/keep.txt"), "outside sub");
    writeFile(folders.program + "/afile", "a file");
    writeFile(folders.temp + "/Work0/keep.txt", "w");
    ASSERT_TRUE(QFile::link(at("outside"), folders.program + "/linkOut"));
    ASSERT_TRUE(QFile::link(at("outside"), folders.temp + "/linkTemp"));

    struct Case {
        const char* what;
        QString path;
    };
    const std::vector<Case> cases = {
        {"the program folder", folders.program},
        {"the program folder with a separator", folders.program + "/"},
        {"the program folder through dots", folders.temp + "/.."},
        {"its parent", root.path()},
        {"the file system root", "/"},
        {"a sibling sharing the name's start", at("prog2")},
        {"an escape through ..", folders.temp + "/../../outside"},
        {"a relative path", "prog/Temp/Work0"},
        {"an empty path", QString()},
        {"a file, not a folder", folders.program + "/afile"},
        {"a link to a folder outside", folders.program + "/linkOut"},
        {"a link inside the temporary folder", folders.temp + "/linkTemp"},
        {"a folder reached through a link", folders.program + "/linkOut/sub"},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(DeleteFolder(folders, c.path)) << c.what;

    Folders noProgram = folders;
    noProgram.program.clear();
    EXPECT_FALSE(DeleteFolder(noProgram, folders.temp + "/Work0"));

    EXPECT_EQ(readFile(folders.program + "/keep.txt"), "p");
    EXPECT_EQ(readFile(at("prog2/keep.txt")), "sibling");
    EXPECT_EQ(readFile(at("outside/keep.txt")), "outside");
    EXPECT_EQ(readFile(at("outside/sub/keep.txt")), "outside sub");
    EXPECT_EQ(readFile(folders.program + "/afile"), "a file");
    EXPECT_EQ(readFile(folders.temp + "/Work0/keep.txt"), "w");
    EXPECT_TRUE(QFileInfo(folders.program + "/linkOut").isSymLink());
}

TEST_F(FilesTest, DeleteFolderRemovesAFolderInsideWithItsContent)
{
    writeFile(folders.temp + "/Work0/a.dbf", "a");
    writeFile(folders.temp + "/Work0/sub/b.dbf", "b");
    writeFile(folders.temp + "/.hidden", "h");
    writeFile(at("outside/keep.txt"), "outside");
    ASSERT_TRUE(QFile::link(at("outside"), folders.temp + "/Work0/sub/link"));

    EXPECT_TRUE(DeleteFolder(folders, folders.temp + "/Work0/"));
    EXPECT_FALSE(QFileInfo::exists(folders.temp + "/Work0"));
    EXPECT_EQ(readFile(at("outside/keep.txt")), "outside");

    EXPECT_TRUE(DeleteFolder(folders, folders.temp + "/NeverMade")) << "a missing folder is already gone";
    EXPECT_TRUE(DeleteFolder(folders, folders.temp));
    EXPECT_TRUE(DeleteFolder(folders, folders.sqlWork));
    EXPECT_FALSE(QFileInfo::exists(folders.temp));
    EXPECT_FALSE(QFileInfo::exists(folders.sqlWork));
    EXPECT_TRUE(QFileInfo(folders.localData).isDir());
}
