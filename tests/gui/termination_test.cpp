// The program ends on SIGTERM and SIGINT the way the tray's exit ends it:
// the shutdown runs (workers stopped) and the exit status is 0.

#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "qt_test_app.h"

namespace quillon::gui {
namespace {

#ifdef QUILLON_GAMING_BINARY
TEST(Termination, SigtermAndSigintTakeTheTraysExitPath) {
    test::app();
    for (const int signal : {SIGTERM, SIGINT}) {
        QTemporaryDir runtime;
        QTemporaryDir home;
        QProcessEnvironment env = test::programEnvironment(runtime, home);
        if (env.value("DISPLAY").isEmpty())
            env.insert("QT_QPA_PLATFORM", "offscreen");

        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QUILLON_GAMING_BINARY, {"--demo"});
        ASSERT_TRUE(program.waitForStarted(5000));
        // Running once it listens for other instances; then let the workers start.
        const QString socket = QDir(runtime.path()).filePath("quillon-gaming.socket");
        for (int i = 0; i < 100 && !QFile::exists(socket); ++i)
            QTest::qWait(50);
        ASSERT_TRUE(QFile::exists(socket));
        QTest::qWait(1000);

        ASSERT_EQ(::kill(static_cast<pid_t>(program.processId()), signal), 0);
        const bool ended = program.waitForFinished(5000);
        if (!ended) {
            program.kill();
            program.waitForFinished(2000);
        }
        ASSERT_TRUE(ended) << "signal " << signal;
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << "signal " << signal;
        EXPECT_EQ(program.exitCode(), 0) << "signal " << signal;
        // The shutdown ran: its line is in the debug output.
        EXPECT_TRUE(program.readAllStandardError().contains("退出测试")) << "signal " << signal;
        // What the run wrote is complete: the first run's profile index is there.
        EXPECT_TRUE(QFile::exists(home.filePath("Documents/Kv/kb/kbProfile.ini")));
    }
}
#endif

}  // namespace
}  // namespace quillon::gui
