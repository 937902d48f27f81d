// One program per session: a second start brings the first to the front and
// ends without a window.

#include "gui/single_instance.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include "platform/program_instance.h"
#include "qt_test_app.h"

namespace quillon::gui {
namespace {

TEST(SingleInstance, ASecondStartAsksTheFirstToComeToTheFront) {
    test::app();
    QTemporaryDir runtime;
    SingleInstance first(runtime.path());
    ASSERT_EQ(first.start(), SingleInstance::Role::first);
    QSignalSpy asked(&first, &SingleInstance::activationRequested);

    SingleInstance second(runtime.path());
    ASSERT_EQ(second.start(), SingleInstance::Role::second);
    EXPECT_TRUE(second.activateFirst(2000));
    EXPECT_TRUE(asked.wait(2000));
    EXPECT_EQ(asked.count(), 1);
}

TEST(SingleInstance, TheGuardIsFreeAgainWhenTheFirstEnds) {
    test::app();
    QTemporaryDir runtime;
    {
        SingleInstance first(runtime.path());
        ASSERT_EQ(first.start(), SingleInstance::Role::first);
    }
    SingleInstance next(runtime.path());
    EXPECT_EQ(next.start(), SingleInstance::Role::first);
}

TEST(SingleInstance, ALockLeftByADeadProgramIsTakenOver) {
    test::app();
    QTemporaryDir runtime;
    SingleInstance probe(runtime.path());
    // The lock file of a process that no longer exists (pid far above any
    // real one), on this host, for this program.
    QFile stale(probe.lockPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray::number(0x7ffffff0) + "\n" +
                QCoreApplication::applicationName().toUtf8() + "\n" +
                QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    EXPECT_EQ(probe.start(), SingleInstance::Role::first);
}

TEST(SingleInstance, AnEmptyOrGarbledLockWithNobodyAnsweringLocksNobodyOut) {
    test::app();
    for (const QByteArray& content : {QByteArray(), QByteArray("\x01\x02 garbage\n\n\n")}) {
        QTemporaryDir runtime;
        SingleInstance probe(runtime.path());
        QFile lock(probe.lockPath());
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write(content);
        lock.close();
        EXPECT_EQ(probe.start(300), SingleInstance::Role::first) << content.toStdString();
    }
}

TEST(SingleInstance, AFolderOfAnotherUserIsRefusedAndOursIsClosedToOthers) {
    test::app();
    QTemporaryDir parent;
    const QString planted = QDir(parent.path()).filePath("planted");
    ASSERT_TRUE(QDir().mkpath(planted));
    // Made by someone else (the tests may run as root, which could otherwise use it).
    const uid_t other = ::getuid() == 65534 ? 65533 : 65534;
    ASSERT_EQ(::chown(QFile::encodeName(planted).constData(), other, other),
              ::getuid() == 0 ? 0 : -1);
    if (::getuid() == 0) {
        SingleInstance victim(planted);
        EXPECT_EQ(victim.start(), SingleInstance::Role::failed);
        EXPECT_TRUE(victim.failureReason().contains("not a folder of this user"));
        EXPECT_FALSE(QFile::exists(victim.lockPath()));
    }

    const QString open = QDir(parent.path()).filePath("open");
    ASSERT_TRUE(QDir().mkpath(open));
    ASSERT_EQ(::chmod(QFile::encodeName(open).constData(), 0777), 0);
    SingleInstance mine(open);
    EXPECT_EQ(mine.start(), SingleInstance::Role::first);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(open).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // A symbolic link in the folder's place is not a folder of ours either.
    const QString link = QDir(parent.path()).filePath("link");
    ASSERT_TRUE(QFile::link(open, link));
    SingleInstance linked(link);
    EXPECT_EQ(linked.start(), SingleInstance::Role::failed);
}

TEST(SingleInstance, TheQtFreeCheckSeesTheLockExactlyWhileItIsHeld) {
    test::app();
    QTemporaryDir runtime;
    const std::filesystem::path lock = (runtime.path() + "/quillon-gaming.lock").toStdString();
    EXPECT_FALSE(platform::lockFileHeld(lock));
    {
        SingleInstance first(runtime.path());
        ASSERT_EQ(first.start(), SingleInstance::Role::first);
        ASSERT_EQ(first.lockPath().toStdString(), lock.string());
        EXPECT_TRUE(platform::lockFileHeld(lock));
    }
    EXPECT_FALSE(platform::lockFileHeld(lock));
    QFile stale(QString::fromStdString(lock.string()));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray::number(0x7ffffff0) + "\nquillon-gaming\nhost\n");
    stale.close();
    EXPECT_FALSE(platform::lockFileHeld(lock));
}

TEST(SingleInstance, AnotherRequestOnTheSocketIsIgnored) {
    test::app();
    QTemporaryDir runtime;
    SingleInstance first(runtime.path());
    ASSERT_EQ(first.start(), SingleInstance::Role::first);
    QSignalSpy asked(&first, &SingleInstance::activationRequested);
    QLocalSocket stranger;
    stranger.connectToServer(first.socketPath());
    ASSERT_TRUE(stranger.waitForConnected(1000));
    stranger.write("format c:\n");
    stranger.flush();
    EXPECT_FALSE(asked.wait(300));
}

#ifdef QUILLON_GAMING_BINARY
// The program itself: the second start ends at once, without a window, and
// the first keeps running.
TEST(SingleInstanceProgram, TheSecondProgramEndsAndTheFirstStays) {
    test::app();
    QTemporaryDir runtime;
    QTemporaryDir home;
    QProcessEnvironment env = test::programEnvironment(runtime, home);
    env.insert("QT_QPA_PLATFORM", "offscreen");

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(QUILLON_GAMING_BINARY, {"--demo"});
    ASSERT_TRUE(first.waitForStarted(5000));
    // Wait until the first listens.
    const QString socket = QDir(runtime.path()).filePath("quillon-gaming.socket");
    for (int i = 0; i < 100 && !QFile::exists(socket); ++i) {
        QTest::qWait(50);
    }
    ASSERT_TRUE(QFile::exists(socket));

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(QUILLON_GAMING_BINARY, {"--demo"});
    ASSERT_TRUE(second.waitForFinished(5000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.terminate();
    if (!first.waitForFinished(5000)) {
        first.kill();
        first.waitForFinished(2000);
    }
}
#endif

}  // namespace
}  // namespace quillon::gui
