#pragma once

// The active window's program under KWin on Wayland, where no client may ask
// the compositor directly: a small script loaded into KWin through its
// scripting service reports the active window's pid to this object over the
// session bus whenever the activation changes, and /proc/PID/exe names the
// program. The script runs only while the source is watched and is unloaded
// afterwards. Lives on the GUI thread, as the bus delivers there.

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QString>
#include <memory>
#include <string>

#include "platform/foreground/foreground_program.h"

class QTemporaryFile;

namespace quillon::gui {

class KWinForegroundProgram final : public QObject,
                                    protected QDBusContext,
                                    public platform::ForegroundProgram {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.quillon.ForegroundProgram")

  public:
    // Where the script reports to on this program's bus connection.
    static constexpr const char* kObjectPath = "/ForegroundProgram";
    static constexpr const char* kInterface = "org.quillon.ForegroundProgram";
    // The name the script is loaded under in KWin.
    static constexpr const char* kPluginName = "quillon-foreground-program";

    // available() is false when the bus has no KWin on it.
    explicit KWinForegroundProgram(QDBusConnection bus = QDBusConnection::sessionBus(),
                                   QObject* parent = nullptr);
    ~KWinForegroundProgram() override;

    bool available() const override { return available_; }
    std::string executable() override;
    void setWatched(bool watched) override;

    // A Wayland session of KDE's, where only KWin can tell the active window.
    static bool sessionNeedsKWin();

    // The text of the script KWin runs (KWin 6 and KWin 5 alike).
    static QString scriptText(const QString& service);

  public Q_SLOTS:
    // Called by the script in KWin; 0: no window is active.
    Q_SCRIPTABLE void activated(qlonglong pid);

  private:
    bool startScript();
    void stopScript();

    QDBusConnection bus_;
    bool available_ = false;
    bool watched_ = false;
    bool registered_ = false;
    QString kwinOwner_;  // the unique name of KWin's connection: only it is believed
    std::unique_ptr<QTemporaryFile> script_;
    std::string executable_;
};

}  // namespace quillon::gui
