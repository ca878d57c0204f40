#include "platform/ini/ini.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using lirma::ini::IniDocument;
using lirma::ini::IniFile;
using lirma::ini::IniLock;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

class IniFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("Lirma.set")); }
};

} // namespace

TEST(IniDocument, Lookup)
{
    struct Case {
        const char* what;
        QByteArray file;
        QString section, key;
        std::optional<QString> expected;
    };
    const QByteArray server = "[SERVER]\r\nIDGOS=5\r\n";
    const std::vector<Case> cases = {
        {"exact names", server, "SERVER", "IDGOS", "5"},
        {"names ignore case", server, "server", "IdGos", "5"},
        {"section written [Server]", "[Server]\r\nIDGOS=7\r\n", "SERVER", "IDGOS", "7"},
        {"key with spaces", "[ION]\r\nInstiintare de plata=12\r\n", "ion", "INSTIINTARE DE PLATA", "12"},
        {"value with commas", "[VAR]\r\nNUMED=Pop, Ion,,x\r\n", "VAR", "NUMED", "Pop, Ion,,x"},
        {"value with '='", "[S]\r\nK=a=b\r\n", "S", "K", "a=b"},
        {"blanks around names and value", "[ S ]\r\n  K \t=  v w \t\r\n", "S", "K", "v w"},
        {"quotes stripped once", "[S]\r\nK=\" x \"\r\n", "S", "K", " x "},
        {"single quotes too", "[S]\r\nK='x'\r\n", "S", "K", "x"},
        {"unmatched quote kept", "[S]\r\nK=\"x\r\n", "S", "K", "\"x"},
        {"empty value", "[S]\r\nK=\r\n", "S", "K", ""},
        {"first of duplicate keys", "[S]\r\nK=1\r\nK=2\r\n", "S", "K", "1"},
        {"duplicate section", "[S]\r\nA=1\r\n[T]\r\n[s]\r\nB=2\r\n", "S", "B", "2"},
        {"LF line ends", "[S]\nK=1\n", "S", "K", "1"},
        {"no final line end", "[S]\r\nK=1", "S", "K", "1"},
        {"Windows-1250 value", "[U]\r\nSERIA=\xAA\xDE" "A\r\n", "U", "SERIA", QStringLiteral("ŞŢA")},
        {"comma-below name finds cedilla section", "[\xAA" "TEFAN]\r\nK=1\r\n", QStringLiteral("ȘTEFAN"), "K", "1"},
        {"no-break space is not trimmed", "[S]\r\nK=x\xA0\r\n", "S", "K", QStringLiteral("x\u00A0")},
        {"comment line", "[S]\r\n;K=1\r\n", "S", "K", std::nullopt},
        {"key in another section", "[A]\r\nK=1\r\n[B]\r\n", "B", "K", std::nullopt},
        {"key before any section", "K=1\r\n[S]\r\n", "S", "K", std::nullopt},
        {"line without '='", "[S]\r\nK\r\n", "S", "K", std::nullopt},
        {"missing section", server, "CONST", "IDGOS", std::nullopt},
        {"empty file", "", "S", "K", std::nullopt},
    };
    for (const Case& c : cases) {
        const IniDocument doc = IniDocument::fromBytes(c.file);
        EXPECT_EQ(doc.find(c.section, c.key), c.expected) << c.what;
        EXPECT_EQ(doc.toBytes(), c.file) << c.what;
    }
}

TEST(IniDocument, ValuesReadBackAsWritten)
{
    const std::vector<QString> values = {
        "", "a,b, c", "C:\\Lirma\\Data", "x=y", "  leading", "trailing ", "\"quoted\"", "'q'", "\"", "a\"b\"",
        QStringLiteral("Ştefan ţară"), "\t", "1.0029",
    };
    for (const QString& v : values) {
        IniDocument doc = IniDocument::fromBytes("[S]\r\nOTHER=1\r\n");
        ASSERT_TRUE(doc.setValue("S", "Cheie cu spatii", v)) << v.toStdString();
        const IniDocument again = IniDocument::fromBytes(doc.toBytes());
        EXPECT_EQ(again.find("s", "CHEIE CU SPATII"), v) << v.toStdString();
        EXPECT_EQ(again.find("S", "OTHER"), "1");
    }
    IniDocument doc;
    ASSERT_TRUE(doc.setValue("S", "K", QStringLiteral("ș ț")));
    EXPECT_EQ(doc.find("S", "K"), QStringLiteral("ş ţ"));
}

TEST(IniDocument, RefusesWhatTheFormatCannotHold)
{
    struct Case {
        QString section, key, value;
    };
    const std::vector<Case> cases = {
        {"", "K", "v"},      {"  ", "K", "v"},   {"S", "", "v"},      {"a]b", "K", "v"},  {"a\nb", "K", "v"},
        {"S", "a=b", "v"},   {"S", "[K", "v"},   {"S", ";K", "v"},    {"S", "K\r", "v"},  {"S", "K", "a\nb"},
        {"S", "K", "a\rb"},  {"S", "K", "\r\n"},
    };
    const QByteArray original = "[S]\r\nK=old\r\n";
    for (const Case& c : cases) {
        IniDocument doc = IniDocument::fromBytes(original);
        EXPECT_FALSE(doc.setValue(c.section, c.key, c.value)) << c.section.toStdString() << "|" << c.key.toStdString();
        EXPECT_FALSE(doc.isModified());
        EXPECT_EQ(doc.toBytes(), original);
    }
}

// A file written on Windows: every byte but the changed line survives.
TEST_F(IniFileTest, WindowsFileKeptIntact)
{
    const QByteArray windows = "; Setari Lirma\r\n"
                               "[SERVER]\r\n"
                               "IDGOS=41\r\n"
                               "Cale Server=\\\\SRV\\Date, anul 2024\r\n"
                               "PREVIEWL=DA\r\n"
                               "\r\n"
                               "[Const]\r\n"
                               "VER23=1.0029\r\n"
                               "[POPESCU \xAA" "TEFAN]\r\n"
                               "SERIA=\xAA\xDE" "A\r\n"
                               "o linie oarecare\r\n"
                               "Instiintare de plata=12\r\n";
    struct Case {
        const char* what;
        QByteArray original;
        QString section, key, value;
        QByteArray before, after; // the expected file is original with before -> after
    };
    const std::vector<Case> cases = {
        {"change a counter", windows, "server", "idgos", "42", "IDGOS=41\r\n", "IDGOS=42\r\n"},
        {"change a key with spaces", windows, "SERVER", "CALE SERVER", "D:\\Date, 2025",
         "Cale Server=\\\\SRV\\Date, anul 2024\r\n", "Cale Server=D:\\Date, 2025\r\n"},
        {"change a Windows-1250 value", windows, QStringLiteral("POPESCU ȘTEFAN"), "seria", QStringLiteral("ȚĂ"),
         "SERIA=\xAA\xDE" "A\r\n", "SERIA=\xDE\xC3\r\n"},
        {"add a key at the end of its section", windows, "SERVER", "BONIF50", "NU", "PREVIEWL=DA\r\n",
         "PREVIEWL=DA\r\nBONIF50=NU\r\n"},
        {"add a key to a section with comment lines", windows, QStringLiteral("Popescu Ştefan"), "NRINS", "3",
         "Instiintare de plata=12\r\n", "Instiintare de plata=12\r\nNRINS=3\r\n"},
        {"add a section", windows, "VAR", "NUMED", "Ion, Pop", "Instiintare de plata=12\r\n",
         "Instiintare de plata=12\r\n[VAR]\r\nNUMED=Ion, Pop\r\n"},
        {"last line without a line end", "[S]\r\nA=1", "S", "B", "2", "A=1", "A=1\r\nB=2\r\n"},
        {"LF file keeps its LF lines", "[S]\nA=1\nC=3\n", "S", "A", "9", "A=1\n", "A=9\n"},
    };
    for (const Case& c : cases) {
        writeBytes(path(), c.original);
        IniFile ini(path());
        ASSERT_TRUE(ini.setValue(c.section, c.key, c.value)) << c.what << ": " << ini.errorString().toStdString();
        QByteArray expected = c.original;
        ASSERT_TRUE(expected.contains(c.before)) << c.what;
        expected.replace(expected.indexOf(c.before), c.before.size(), c.after);
        EXPECT_EQ(readBytes(path()), expected) << c.what;
        EXPECT_EQ(IniFile(path()).value(c.section, c.key), IniDocument::fromBytes(expected).value(c.section, c.key))
            << c.what;
    }
}

TEST_F(IniFileTest, MissingFileReadsDefaultsAndFirstWriteCreatesIt)
{
    IniFile ini(path());
    EXPECT_EQ(ini.value("SERVER", "IDGOS"), "");
    EXPECT_EQ(ini.value("SERVER", "IDGOS", "1"), "1");
    EXPECT_FALSE(QFile::exists(path()));
    ASSERT_TRUE(ini.setValue("Server", "LASTPACK", "45292"));
    EXPECT_EQ(readBytes(path()), QByteArray("[Server]\r\nLASTPACK=45292\r\n"));
    EXPECT_EQ(ini.value("SERVER", "lastpack"), "45292");
}

TEST_F(IniFileTest, UnchangedValueLeavesTheFileAlone)
{
    writeBytes(path(), "[S]\nK=1");
    IniFile ini(path());
    ASSERT_TRUE(ini.setValue("S", "K", "1"));
    EXPECT_EQ(readBytes(path()), QByteArray("[S]\nK=1"));
}

TEST_F(IniFileTest, WriteThatCannotBeStoredFails)
{
    // Read-only file: refused even for root, and left as it was.
    writeBytes(path(), "[S]\r\nK=1\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path()).constData(), 0444), 0);
    IniFile ini(path());
    EXPECT_FALSE(ini.setValue("S", "K", "2"));
    EXPECT_FALSE(ini.errorString().isEmpty());
    EXPECT_EQ(readBytes(path()), QByteArray("[S]\r\nK=1\r\n"));
    EXPECT_EQ(ini.value("S", "K"), "1");
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("Lirma.set"), QStringLiteral("Lirma.set.lock")}));

    // A folder that does not exist.
    IniFile nowhere(dir.filePath(QStringLiteral("lipsa/Lirma.set")));
    EXPECT_FALSE(nowhere.setValue("S", "K", "1"));
    EXPECT_FALSE(nowhere.errorString().isEmpty());
    EXPECT_EQ(nowhere.value("S", "K", "d"), "d");

    // A name the format cannot hold.
    ::chmod(QFile::encodeName(path()).constData(), 0644);
    EXPECT_FALSE(ini.setValue("S", "A=B", "1"));
    EXPECT_EQ(readBytes(path()), QByteArray("[S]\r\nK=1\r\n"));
}

TEST_F(IniFileTest, UpdateHoldsTheLockAndWritesOnce)
{
    writeBytes(path(), "[S]\r\nA=1\r\n");
    IniFile ini(path());
    bool heldByOther = true;
    ASSERT_TRUE(ini.update([&](IniDocument& doc) {
        IniLock other(path());
        heldByOther = !other.tryAcquire(); // another object of this process is excluded
        return doc.setValue("S", "A", "2") && doc.setValue("S", "B", "3");
    }));
    EXPECT_TRUE(heldByOther);
    EXPECT_EQ(readBytes(path()), QByteArray("[S]\r\nA=2\r\nB=3\r\n"));
    IniLock after(path());
    EXPECT_TRUE(after.tryAcquire()); // released
}

TEST_F(IniFileTest, RefusedOrThrowingUpdateWritesNothing)
{
    writeBytes(path(), "[S]\r\nA=1\r\n");
    IniFile ini(path());
    EXPECT_FALSE(ini.update([](IniDocument& doc) {
        doc.setValue("S", "A", "2");
        return false;
    }));
    EXPECT_THROW(ini.update([](IniDocument& doc) -> bool {
        doc.setValue("S", "A", "3");
        throw std::runtime_error("stop");
    }),
                 std::runtime_error);
    EXPECT_EQ(readBytes(path()), QByteArray("[S]\r\nA=1\r\n"));
    IniLock after(path());
    EXPECT_TRUE(after.tryAcquire());
}

TEST_F(IniFileTest, LockExcludesAnotherProcess)
{
    int toParent[2], toChild[2];
    ASSERT_EQ(::pipe(toParent), 0);
    ASSERT_EQ(::pipe(toChild), 0);
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        IniLock lock(path());
        const char held = lock.acquire() ? 'y' : 'n';
        (void)!::write(toParent[1], &held, 1);
        char go;
        (void)!::read(toChild[0], &go, 1); // hold the lock until the parent has looked
        ::_exit(0);
    }
    char held = 0;
    ASSERT_EQ(::read(toParent[0], &held, 1), 1);
    ASSERT_EQ(held, 'y');
    {
        IniLock mine(path());
        EXPECT_FALSE(mine.tryAcquire());
    }
    ASSERT_EQ(::write(toChild[1], "g", 1), 1);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    IniLock mine(path());
    EXPECT_TRUE(mine.tryAcquire()); // the child's exit released it
    for (int fd : {toParent[0], toParent[1], toChild[0], toChild[1]})
        ::close(fd);
}
