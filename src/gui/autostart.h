#pragma once

// Starting the program at log-on: an XDG autostart entry
// ($XDG_CONFIG_HOME/autostart/quillon-gaming.desktop).

#include <QString>

namespace quillon::gui {

class Autostart {
  public:
    // `configHome` empty: $XDG_CONFIG_HOME, else ~/.config.
    explicit Autostart(const QString& configHome = QString());

    QString entryPath() const { return entryPath_; }
    bool enabled() const;
    // Adds or removes the entry and returns what the system holds afterwards
    // (a failed write leaves the state as it was, and says so).
    bool toggle(const QString& program);

  private:
    QString entryPath_;
};

}  // namespace quillon::gui
