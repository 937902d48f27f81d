// The foreground program under KWin: a private session bus with a stand-in
// for KWin's scripting service that loads our script, runs it at the path
// its KWin version uses, and calls back the way the script tells it to.

#include "gui/kwin_foreground.h"

#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <functional>
#include <memory>
#include <mutex>

#include "gui/qt_test_app.h"

namespace quillon::gui {
namespace {

// A session bus of the test's own.
class PrivateBus {
  public:
    PrivateBus() {
        daemon_.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (daemon_.waitForStarted(5000) && daemon_.waitForReadyRead(5000))
            address_ = QString::fromUtf8(daemon_.readLine().trimmed());
    }
    ~PrivateBus() {
        for (const QString& name : names_)
            QDBusConnection::disconnectFromBus(name);
        daemon_.terminate();
        daemon_.waitForFinished(5000);
    }
    // A connection of its own for each name; closed with the bus.
    QDBusConnection connect(const QString& name) {
        names_ << name + address_;
        return QDBusConnection::connectToBus(address_, names_.back());
    }
    bool running() const { return !address_.isEmpty(); }

  private:
    QProcess daemon_;
    QString address_;
    QStringList names_;
};

// What KWin's scripting service does with a script, on its own thread (our
// source waits for its answers on the test's thread).
class FakeScript : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Script")
  public:
    explicit FakeScript(std::function<void()> run) : run_(std::move(run)) {}
  public Q_SLOTS:
    void run() { run_(); }

  private:
    std::function<void()> run_;
};

// KWin's scripting service as far as the source uses it.
class FakeScripting : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.kwin.Scripting")
  public:
    FakeScripting(QDBusConnection bus, bool oldPaths) : bus_(std::move(bus)), oldPaths_(oldPaths) {}

    // The call the running script makes when the window `pid` becomes active.
    bool activate(qlonglong pid) {
        const std::lock_guard lock(mutex_);
        if (!running_)
            return false;
        QDBusMessage call =
            QDBusMessage::createMethodCall(target_[0], target_[1], target_[2], target_[3]);
        call << pid;
        return bus_.send(call);
    }
    bool loaded() const {
        const std::lock_guard lock(mutex_);
        return !plugin_.isEmpty();
    }
    QString scriptFile() const {
        const std::lock_guard lock(mutex_);
        return scriptFile_;
    }

  public Q_SLOTS:
    int loadScript(const QString& path, const QString& plugin) {
        const std::lock_guard lock(mutex_);
        if (!plugin_.isEmpty())
            return -1;  // one of that name is loaded already
        plugin_ = plugin;
        scriptFile_ = path;
        const int id = nextId_++;
        auto* script = new FakeScript([this, path] { run(path); });
        script->setParent(this);
        bus_.registerObject(
            oldPaths_ ? QString("/%1").arg(id) : QString("/Scripting/Script%1").arg(id), script,
            QDBusConnection::ExportAllSlots);
        return id;
    }
    bool unloadScript(const QString& plugin) {
        const std::lock_guard lock(mutex_);
        if (plugin != plugin_)
            return false;
        plugin_.clear();
        running_ = false;
        return true;
    }

  private:
    // KWin reads the file when the script runs; the stand-in takes the call
    // the script would make from its text.
    void run(const QString& path) {
        QFile file(path);
        const QString text =
            file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        const auto match =
            QRegularExpression(R"re(callDBus\("([^"]+)", "([^"]+)", "([^"]+)", "([^"]+)")re")
                .match(text);
        const std::lock_guard lock(mutex_);
        running_ = match.hasMatch() && text.contains("workspace.windowActivated.connect") &&
                   text.contains("workspace.clientActivated.connect");
        for (int i = 0; i < 4; ++i)
            target_[i] = match.captured(i + 1);
    }

    QDBusConnection bus_;
    bool oldPaths_;
    mutable std::mutex mutex_;
    int nextId_ = 0;
    QString plugin_, scriptFile_;
    bool running_ = false;
    QString target_[4];
};

// KWin on the bus, answering on its own thread: the source waits for its
// answers on the test's thread.
class FakeKWin {
  public:
    // `oldPaths`: the script objects sit at "/<id>" as on KWin 5.
    FakeKWin(QDBusConnection bus, bool oldPaths)
        : bus_(bus), scripting_(new FakeScripting(bus, oldPaths)) {
        thread_.start();
        scripting_->moveToThread(&thread_);
        bus_.registerObject("/Scripting", scripting_, QDBusConnection::ExportAllSlots);
        bus_.registerService("org.kde.KWin");
    }
    ~FakeKWin() {
        bus_.unregisterService("org.kde.KWin");
        bus_.unregisterObject("/Scripting", QDBusConnection::UnregisterTree);
        thread_.quit();
        thread_.wait();
        delete scripting_;
    }
    FakeScripting* operator->() const { return scripting_; }

  private:
    QDBusConnection bus_;
    QThread thread_;
    FakeScripting* scripting_;
};

class KWinForeground : public ::testing::Test, public test::WithApp {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bus_.running()) << "dbus-daemon did not start";
        sleeper_.start("sleep", {"30"});
        ASSERT_TRUE(sleeper_.waitForStarted(5000));
    }
    void TearDown() override {
        sleeper_.kill();
        sleeper_.waitForFinished(5000);
    }

    // What the source reports once the bus delivered the news.
    static std::string settled(KWinForegroundProgram& source, const std::string& expected) {
        QElapsedTimer timer;
        timer.start();
        while (source.executable() != expected && timer.elapsed() < 3000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return source.executable();
    }

    const std::string sleepProgram =
        QFileInfo(QStandardPaths::findExecutable("sleep")).canonicalFilePath().toStdString();
    PrivateBus bus_;
    QProcess sleeper_;
};

TEST_F(KWinForeground, TheScriptReportsTheActiveWindowsProgram) {
    for (const bool oldPaths : {false, true}) {
        SCOPED_TRACE(oldPaths ? "KWin 5" : "KWin 6");
        const QString tag = oldPaths ? "5" : "6";
        FakeKWin kwin(bus_.connect("kwin" + tag), oldPaths);
        auto source = std::make_unique<KWinForegroundProgram>(bus_.connect("ours" + tag));
        ASSERT_TRUE(source->available());
        EXPECT_FALSE(kwin->loaded());  // nothing runs in KWin before anyone asks

        source->setWatched(true);
        ASSERT_TRUE(kwin->loaded());
        ASSERT_TRUE(kwin->activate(sleeper_.processId()));
        EXPECT_EQ(settled(*source, sleepProgram), sleepProgram);
        ASSERT_TRUE(kwin->activate(0));  // no window active
        EXPECT_EQ(settled(*source, ""), "");

        // Unwatched, the script is unloaded and its file gone.
        const QString file = kwin->scriptFile();
        source->setWatched(false);
        EXPECT_FALSE(kwin->loaded());
        EXPECT_FALSE(QFile::exists(file));
        // Watched again it loads afresh; destroyed, it unloads.
        source->setWatched(true);
        ASSERT_TRUE(kwin->activate(sleeper_.processId()));
        EXPECT_EQ(settled(*source, sleepProgram), sleepProgram);
        source.reset();
        EXPECT_FALSE(kwin->loaded());
    }
}

TEST_F(KWinForeground, OnlyKWinIsBelieved) {
    FakeKWin kwin(bus_.connect("kwin"), false);
    const QDBusConnection ours = bus_.connect("ours");
    KWinForegroundProgram source(ours);
    source.setWatched(true);
    QDBusMessage call =
        QDBusMessage::createMethodCall(ours.baseService(), KWinForegroundProgram::kObjectPath,
                                       KWinForegroundProgram::kInterface, "activated");
    call << qlonglong(sleeper_.processId());
    // Its answer comes once our side has dealt with the call.
    const QDBusPendingCall pending = bus_.connect("stranger").asyncCall(call);
    QElapsedTimer timer;
    timer.start();
    while (!pending.isFinished() && timer.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(pending.isFinished());
    EXPECT_EQ(source.executable(), "");
}

TEST_F(KWinForeground, NotAvailableWithoutKWin) {
    KWinForegroundProgram source(bus_.connect("alone"));
    EXPECT_FALSE(source.available());
    source.setWatched(true);
    EXPECT_EQ(source.executable(), "");
}

}  // namespace
}  // namespace quillon::gui

#include "kwin_foreground_test.moc"
