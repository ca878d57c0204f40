// `lirma-cli --data DIR init`, run as the administrator runs it.
#include "db/catalog.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exitCode = -1;
    QStringList out;
    QString err;
};

CliRun init(const QString& folder)
{
    QProcess p;
    p.start(QStringLiteral(LIRMA_CLI_PATH), {"--data", folder, "init"});
    EXPECT_TRUE(p.waitForFinished(60000));
    CliRun r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QStringList linesStarting(const QStringList& lines, const QString& prefix)
{
    QStringList found;
    for (const QString& l : lines)
        if (l.startsWith(prefix))
            found.push_back(l);
    return found;
}

} // namespace

TEST(CliInit, PreparesAnEmptyFolderThenFindsNothingToDo)
{
    QTemporaryDir root;
    const QString folder = root.filePath("Data");

    const CliRun first = init(folder);
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_TRUE(first.err.isEmpty());
    QStringList expected;
    for (const std::string& file : lirma::db::CreationOrder())
        expected.push_back("created " + QString::fromStdString(file));
    EXPECT_EQ(linesStarting(first.out, "created "), expected);
    EXPECT_TRUE(first.out.contains("seeded CODCL.dbf with 12 rows"));
    EXPECT_TRUE(first.out.front().startsWith("maintenance day "));
    EXPECT_TRUE(first.out.contains("packed Datorii.dbf"));
    EXPECT_TRUE(first.out.contains("stamped VER23 1.0029"));
    EXPECT_TRUE(first.out.contains("counter IDCOD 13"));
    EXPECT_TRUE(first.out.contains("counter IDGOS 1"));
    EXPECT_EQ(linesStarting(first.out, "counter ").size(), 10);

    const CliRun second = init(folder);
    ASSERT_EQ(second.exitCode, 0) << second.err.toStdString();
    EXPECT_TRUE(second.out.front().startsWith("not a maintenance day"));
    EXPECT_TRUE(linesStarting(second.out, "created ").isEmpty());
    EXPECT_TRUE(linesStarting(second.out, "packed ").isEmpty());
    EXPECT_EQ(linesStarting(second.out, "counter ").size(), 10);
}

TEST(CliInit, FailuresExitWithOneLine)
{
    QTemporaryDir root;
    // A data folder under a plain file cannot be made.
    QFile plain(root.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const CliRun impossible = init(root.filePath("plain/Data"));
    EXPECT_EQ(impossible.exitCode, 1);
    EXPECT_TRUE(impossible.err.startsWith("lirma-cli: "));
    EXPECT_EQ(impossible.err.count('\n'), 1);

    // A damaged Datorii.dbf: the rest is done and reported, and the run fails.
    const QString folder = root.filePath("Data");
    ASSERT_EQ(init(folder).exitCode, 0);
    QFile datorii(folder + "/Datorii.dbf");
    ASSERT_TRUE(datorii.open(QIODevice::ReadWrite));
    ASSERT_TRUE(datorii.resize(10));
    datorii.close();
    ASSERT_TRUE(QFile::remove(folder + "/Lirma.set")); // a maintenance day again
    const CliRun damaged = init(folder);
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_TRUE(damaged.err.startsWith("lirma-cli: init: packing Datorii.dbf failed")) << damaged.err.toStdString();
    EXPECT_EQ(damaged.err.count('\n'), 1);
    // The maintenance after it still ran.
    EXPECT_TRUE(damaged.out.contains("packed Pag8.dbf"));
    EXPECT_TRUE(damaged.out.contains("packed CONFIRM.dbf"));
}
