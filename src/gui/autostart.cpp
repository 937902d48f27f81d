#include "gui/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quillon::gui {

Autostart::Autostart(const QString& configHome) {
    QString home = configHome;
    if (home.isEmpty()) {
        home = qEnvironmentVariable("XDG_CONFIG_HOME");
    }
    if (home.isEmpty()) {
        home = QDir::home().filePath(".config");
    }
    entryPath_ = QDir(home).filePath("autostart/quillon-gaming.desktop");
}

bool Autostart::enabled() const {
    return QFile::exists(entryPath_);
}

bool Autostart::toggle(const QString& program) {
    if (enabled()) {
        QFile::remove(entryPath_);
        return enabled();
    }
    QDir().mkpath(QFileInfo(entryPath_).absolutePath());
    QSaveFile entry(entryPath_);
    if (entry.open(QIODevice::WriteOnly)) {
        QString quoted = program;
        quoted.replace('\\', "\\\\").replace('"', "\\\"");
        entry.write(QStringLiteral("[Desktop Entry]\n"
                                   "Type=Application\n"
                                   "Name=Quillon Gaming Software\n"
                                   "Exec=\"%1\" --hidden\n"
                                   "Icon=quillon-gaming\n"
                                   "X-GNOME-Autostart-enabled=true\n")
                        .arg(quoted)
                        .toUtf8());
        (void)entry.commit();  // the state is read back below either way
    }
    return enabled();
}

}  // namespace quillon::gui
