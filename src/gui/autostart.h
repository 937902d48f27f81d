#pragma once

// Starting the program at log-on: an XDG autostart entry
// ($XDG_CONFIG_HOME/autostart/quillon-gaming.desktop). The state is what the
// desktop will do with the entry there: none, or one marked Hidden=true or
// X-GNOME-Autostart-enabled=false, means off. Turning it off never deletes the
// file: the entry is marked hidden, so a user's own entry keeps everything else.

#include <QString>

namespace quillon::gui {

// The program path as one argument of an Exec line: quoted, then "%" and the
// string escapes doubled, as desktop entries require.
QString desktopExecArgument(const QString& program);

class Autostart {
  public:
    // `configHome` empty: $XDG_CONFIG_HOME, else ~/.config.
    explicit Autostart(const QString& configHome = QString());

    QString entryPath() const { return entryPath_; }
    bool enabled() const;
    // Turns the entry on or off and returns what the system holds afterwards
    // (a failed write leaves the state as it was, and says so).
    bool toggle(const QString& program);

  private:
    bool write(const QByteArray& content) const;

    QString entryPath_;
};

}  // namespace quillon::gui
