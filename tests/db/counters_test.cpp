#include "db/counters.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

using namespace lirma::db;

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

class CountersTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath("Lirma.set"); }
};

} // namespace

TEST_F(CountersTest, DrawReturnsTheValueAndStoresItsSuccessor)
{
    struct Case {
        std::optional<QByteArray> file; // nullopt: no file
        QString drawn;
        QString next;
    };
    const std::vector<Case> cases = {
        {std::nullopt, "1", "2"},                        // a key never written
        {QByteArray("[SERVER]\r\nIDCOD=\r\n"), "1", "2"}, // empty
        {QByteArray("[Server]\r\nIDPOP=41\r\n"), "41", "42"},
        {QByteArray("[SERVER]\r\nIDPOP= 7 \r\n"), "7", "8"},
        {QByteArray("[SERVER]\r\nIDPOP=009\r\n"), "9", "10"},
        {QByteArray("[OTHER]\r\nIDPOP=5\r\n"), "1", "2"},
    };
    for (const Case& c : cases) {
        QFile::remove(path());
        if (c.file)
            writeBytes(path(), *c.file);
        const QString key = c.file && c.file->contains("IDCOD") ? "IDCOD" : "IDPOP";
        Counters counters(path());
        EXPECT_EQ(counters.NextId("SERVER", key), c.drawn);
        EXPECT_EQ(counters.PeekId("server", key), c.next);
        EXPECT_EQ(Counters(path()).NextId("Server", key), c.next);
    }
}

TEST_F(CountersTest, ValueThatIsNotAWholeNumberFailsTheDraw)
{
    for (const QByteArray value : {"abc", "1.5", "12a", "99999999999999999999", "9223372036854775807"}) {
        const QByteArray file = "[SERVER]\r\nIDGOS=" + value + "\r\n";
        writeBytes(path(), file);
        Counters counters(path());
        EXPECT_THROW(counters.NextId(keys::IDGOS), CounterError) << value.constData();
        EXPECT_EQ(readBytes(path()), file);
    }
}

TEST_F(CountersTest, ReadOnlySettingsFileFailsTheDraw)
{
    const QByteArray file = "[SERVER]\r\nIDGOS=5\r\n";
    writeBytes(path(), file);
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    Counters counters(path());
    EXPECT_THROW(counters.NextId("SERVER", "IDGOS"), CounterError);
    EXPECT_THROW(counters.NextId("SERVER", "IDNOU"), CounterError);
    EXPECT_EQ(readBytes(path()), file);
    EXPECT_EQ(counters.PeekId("SERVER", "IDGOS"), "5");
    EXPECT_FALSE(counters.SetCounter("SERVER", "IDGOS", "9"));
    // Once writable again, the value that failed is the one handed out.
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(counters.NextId("SERVER", "IDGOS"), "5");
}

TEST_F(CountersTest, SetCounterAndPerUserSeries)
{
    Counters counters(path());
    ASSERT_TRUE(counters.SetCounter(keys::CHIT, "100", "CASIER1"));
    EXPECT_FALSE(counters.SetCounter(keys::CHIT, "o suta", "CASIER1"));
    EXPECT_FALSE(counters.errorString().isEmpty());
    EXPECT_EQ(counters.PeekId("casier1", "chit"), "100");
    EXPECT_EQ(counters.NextId(keys::CHIT, "CASIER1"), "100");
    EXPECT_EQ(counters.NextId(keys::InstiintareDePlata, "CASIER1"), "1");
    EXPECT_EQ(counters.NextId("CASIER1", "INSTIINTARE DE PLATA"), "2");
    EXPECT_EQ(counters.PeekId(keys::CHIT, "CASIER2"), "1");
    EXPECT_EQ(readBytes(path()), QByteArray("[CASIER1]\r\nCHIT=101\r\nInstiintare de plata=3\r\n"));
}

// Two processes drawing from one file never get the same value.
TEST_F(CountersTest, TwoProcessesDrawDistinctValues)
{
    constexpr int kDraws = 1000;
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    std::vector<pid_t> children;
    for (int child = 0; child < 2; ++child) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::close(start[1]);
            char c;
            (void)!::read(start[0], &c, 1); // both start when the parent closes the pipe
            QFile out(dir.filePath(QStringLiteral("drawn%1").arg(child)));
            if (!out.open(QIODevice::WriteOnly))
                ::_exit(2);
            try {
                Counters counters(path());
                for (int i = 0; i < kDraws; ++i)
                    out.write(counters.NextId("SERVER", "IDCHIT").toLatin1() + '\n');
            } catch (const std::exception&) {
                ::_exit(1);
            }
            out.close();
            ::_exit(0);
        }
        children.push_back(pid);
    }
    ::close(start[0]);
    ::close(start[1]);
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_EQ(WEXITSTATUS(status), 0);
    }
    QSet<int> all;
    for (int child = 0; child < 2; ++child) {
        const QList<QByteArray> lines = readBytes(dir.filePath(QStringLiteral("drawn%1").arg(child))).split('\n');
        ASSERT_EQ(lines.size(), kDraws + 1);
        for (int i = 0; i < kDraws; ++i)
            all.insert(lines[i].toInt());
    }
    EXPECT_EQ(all.size(), 2 * kDraws);
    EXPECT_TRUE(all.contains(1));
    EXPECT_TRUE(all.contains(2 * kDraws));
    EXPECT_EQ(Counters(path()).PeekId("SERVER", "IDCHIT"), QString::number(2 * kDraws + 1));
}
