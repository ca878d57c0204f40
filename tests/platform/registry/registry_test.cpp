#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

using lirma::registry::ReadRegistry;
using lirma::registry::Registry;
using lirma::registry::WriteRegistry;

namespace {

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { Registry::setStoreFolder(dir.path()); }
    void TearDown() override { Registry::setStoreFolder({}); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(RegistryTest, AbsentValueReadsEmpty)
{
    EXPECT_EQ(ReadRegistry("SERVER"), "");
    EXPECT_EQ(ReadRegistry("Cale", 100), "");
}

TEST_F(RegistryTest, WrittenValueIsSeenByTheNextReadWhateverTheCase)
{
    ASSERT_TRUE(WriteRegistry("SERVER", "//srv/date, 2024"));
    ASSERT_TRUE(WriteRegistry("CALE", "/opt/lirma"));
    EXPECT_EQ(ReadRegistry("server"), "//srv/date, 2024");
    EXPECT_EQ(Registry().read("Cale"), "/opt/lirma");
    EXPECT_TRUE(QFile::exists(dir.filePath("Quenlor/102.conf")));
    // Overwrite and empty.
    ASSERT_TRUE(Registry().write("Server", ""));
    EXPECT_EQ(ReadRegistry("SERVER"), "");
}

TEST_F(RegistryTest, EditionsAreSeparateKeys)
{
    ASSERT_TRUE(Registry(100).write("CALE", "/anul/trecut"));
    ASSERT_TRUE(WriteRegistry("CALE", "/anul/acesta"));
    EXPECT_EQ(ReadRegistry("Cale", 100), "/anul/trecut");
    EXPECT_EQ(ReadRegistry("CALE"), "/anul/acesta");
}

TEST_F(RegistryTest, FailedWriteReturnsFalse)
{
    // The store's folder would have to be inside a regular file.
    QFile blocker(dir.filePath("fisier"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Registry::setStoreFolder(dir.filePath("fisier"));
    EXPECT_FALSE(WriteRegistry("SERVER", "x"));
    EXPECT_EQ(ReadRegistry("SERVER"), "");
}

// Without the explicit folder the store follows XDG_CONFIG_HOME (checked in a child
// process, since Qt fixes that place at its first use).
TEST(RegistryXdg, StoreFollowsXdgConfigHome)
{
    QTemporaryDir dir;
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::setenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit().constData(), 1);
        Registry::setStoreFolder({});
        const bool ok = WriteRegistry("CALESALVARI", "/salvari") && ReadRegistry("calesalvari") == "/salvari";
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    QFile f(dir.filePath("Quenlor/102.conf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("CALESALVARI=/salvari"));
}
