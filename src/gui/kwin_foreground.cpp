#include "gui/kwin_foreground.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QTemporaryFile>

#include "platform/debug_output.h"

namespace quillon::gui {

namespace {

constexpr const char* kKWin = "org.kde.KWin";
constexpr const char* kScripting = "/Scripting";
constexpr const char* kScriptingInterface = "org.kde.kwin.Scripting";
constexpr const char* kScriptInterface = "org.kde.kwin.Script";
// A compositor that does not answer must not hold the window up for long.
constexpr int kAnswerMs = 2000;

QString scriptFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

}  // namespace

KWinForegroundProgram::KWinForegroundProgram(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {
    available_ = bus_.isConnected() && bus_.interface() != nullptr &&
                 bus_.interface()->isServiceRegistered(kKWin).value();
}

bool KWinForegroundProgram::sessionNeedsKWin() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(':').contains("KDE");
}

KWinForegroundProgram::~KWinForegroundProgram() {
    stopScript();
}

QString KWinForegroundProgram::scriptText(const QString& service) {
    // KWin 6 names it windowActivated/activeWindow, KWin 5
    // clientActivated/activeClient.
    return QStringLiteral(
               "function report(window) {\n"
               "    callDBus(\"%1\", \"%2\", \"%3\", \"activated\", window ? window.pid : 0);\n"
               "}\n"
               "if (workspace.windowActivated) {\n"
               "    workspace.windowActivated.connect(report);\n"
               "    report(workspace.activeWindow);\n"
               "} else {\n"
               "    workspace.clientActivated.connect(report);\n"
               "    report(workspace.activeClient);\n"
               "}\n")
        .arg(service, QString::fromLatin1(kObjectPath), QString::fromLatin1(kInterface));
}

void KWinForegroundProgram::setWatched(bool watched) {
    if (!available_ || watched == watched_)
        return;
    watched_ = watched;
    executable_.clear();
    if (watched) {
        if (!startScript()) {
            // Told once: the links then see no way to know the program.
            stopScript();
            available_ = false;
        }
    } else {
        stopScript();
    }
}

std::string KWinForegroundProgram::executable() {
    if (available_ && !watched_)
        setWatched(true);
    return executable_;
}

void KWinForegroundProgram::activated(qlonglong pid) {
    // Anyone on the bus may call; only KWin knows the active window.
    if (!calledFromDBus() || message().service() != kwinOwner_ || !watched_)
        return;
    executable_ = platform::processExecutable(static_cast<long>(pid));
}

bool KWinForegroundProgram::startScript() {
    registered_ = bus_.registerObject(kObjectPath, this, QDBusConnection::ExportScriptableSlots);
    if (!registered_) {
        platform::debugOutput("foreground program: the bus object could not be registered");
        return false;
    }
    kwinOwner_ = bus_.interface()->serviceOwner(kKWin).value();
    script_ = std::make_unique<QTemporaryFile>(scriptFolder() + "/quillon-foreground-XXXXXX.js");
    if (!script_->open() || script_->write(scriptText(bus_.baseService()).toUtf8()) < 0 ||
        !script_->flush()) {
        platform::debugOutput("foreground program: the KWin script could not be written");
        return false;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(kKWin, kScripting, kScriptingInterface, "unloadScript");
    call << QString::fromLatin1(kPluginName);
    (void)bus_.call(call, QDBus::Block,
                    kAnswerMs);  // one left behind by a program that ended abruptly
    call = QDBusMessage::createMethodCall(kKWin, kScripting, kScriptingInterface, "loadScript");
    call << script_->fileName() << QString::fromLatin1(kPluginName);
    const QDBusReply<int> id = bus_.call(call, QDBus::Block, kAnswerMs);
    if (!id.isValid() || id.value() < 0) {
        platform::debugOutput("foreground program: KWin did not load the script");
        return false;
    }
    // KWin 6 puts the script below /Scripting, older ones at the top.
    for (const QString& path : {QStringLiteral("/Scripting/Script%1").arg(id.value()),
                                QStringLiteral("/%1").arg(id.value())}) {
        const QDBusMessage reply =
            bus_.call(QDBusMessage::createMethodCall(kKWin, path, kScriptInterface, "run"),
                      QDBus::Block, kAnswerMs);
        if (reply.type() == QDBusMessage::ReplyMessage)
            return true;
    }
    platform::debugOutput("foreground program: KWin did not run the script");
    return false;
}

void KWinForegroundProgram::stopScript() {
    if (script_ != nullptr && available_ && bus_.isConnected()) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(kKWin, kScripting, kScriptingInterface, "unloadScript");
        call << QString::fromLatin1(kPluginName);
        (void)bus_.call(call, QDBus::Block, kAnswerMs);  // a KWin that went away has nothing loaded
    }
    script_.reset();
    if (registered_)
        bus_.unregisterObject(kObjectPath);
    registered_ = false;
    executable_.clear();
}

}  // namespace quillon::gui
