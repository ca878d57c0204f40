#include "app/single_instance.h"

#include "support/qt_application.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using lirma::app::SingleInstance;

TEST(SingleInstance, OneCopyPerProgramFolder)
{
    QTemporaryDir root;
    const QString a = root.filePath("a"), b = root.filePath("b");
    auto first = std::make_unique<SingleInstance>(a);
    ASSERT_TRUE(first->acquire());
    EXPECT_TRUE(first->isPrimary());

    SingleInstance sameFolder(a + "/../a");
    EXPECT_FALSE(sameFolder.acquire());
    EXPECT_FALSE(sameFolder.isPrimary());

    SingleInstance otherFolder(b);
    EXPECT_TRUE(otherFolder.acquire());
    EXPECT_NE(SingleInstance::serverName(a), SingleInstance::serverName(b));

    // The first copy ended: the next start runs.
    first.reset();
    SingleInstance later(a);
    EXPECT_TRUE(later.acquire());
}

TEST(SingleInstance, ALockLeftByACopyThatDiedIsTakenOver)
{
    QTemporaryDir root;
    QProcess gone;
    gone.start("true");
    ASSERT_TRUE(gone.waitForFinished());
    const qint64 deadPid = gone.processId() ? gone.processId() : 999999;
    QFile lock(root.filePath(SingleInstance::lockFileName()));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(deadPid) + "\nlirma\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();

    SingleInstance instance(root.path());
    EXPECT_TRUE(instance.acquire());
}

// The program started a second time in the folder of a running copy: it asks that copy to
// come forward and ends without touching the folder.
TEST(SingleInstance, ASecondStartOfTheProgramActivatesTheFirst)
{
    QTemporaryDir root;
    SingleInstance running(root.path());
    ASSERT_TRUE(running.acquire());

    int activations = 0;
    QEventLoop loop;
    QObject::connect(&running, &SingleInstance::activationRequested, [&] { ++activations; });

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LIRMA_HOME", root.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", root.filePath("store"));
    second.setProcessEnvironment(env);
    QObject::connect(&second, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit); // a hung child fails the test, not the run
    second.start(QStringLiteral(LIRMA_APP_PATH));
    ASSERT_TRUE(second.waitForStarted());
    loop.exec();
    if (second.state() != QProcess::NotRunning) {
        // It did not see the running copy and went on to start: end it.
        second.kill();
        second.waitForFinished();
        FAIL() << "the second start kept running";
    }
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(activations, 1);
    EXPECT_FALSE(QDir(root.filePath("Data")).exists());
    EXPECT_FALSE(QDir(root.filePath("Temp")).exists());
}
