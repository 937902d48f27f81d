#pragma once

// Which program the user is working in: the executable of the process that
// owns the active window. The application-linked profiles follow it.

#include <memory>
#include <string>

namespace quillon::platform {

class ForegroundProgram {
  public:
    virtual ~ForegroundProgram() = default;

    // False when this desktop offers no way to know the active window's
    // program; executable() is then always empty.
    virtual bool available() const = 0;
    // The full path of the active window's executable; empty when there is no
    // active window or its process cannot be told. Cheap when nothing changed.
    virtual std::string executable() = 0;
    // Whether anyone asks: a source that is told of changes listens only while
    // it is watched, so nothing piles up unread meanwhile.
    virtual void setWatched(bool watched) { (void)watched; }

  protected:
    ForegroundProgram() = default;
    ForegroundProgram(const ForegroundProgram&) = default;
    ForegroundProgram& operator=(const ForegroundProgram&) = default;
};

// The desktop's source: in a Wayland session the compositor's toplevel list
// when it offers one; else X11 (under Wayland only XWayland windows) when a
// display can be opened; else one that is not available. KWin's own source
// lives with the front end, which hands it in instead.
std::unique_ptr<ForegroundProgram> makeDesktopForegroundProgram();

// The executable of a process, from /proc; empty when it cannot be read.
std::string processExecutable(long pid);

}  // namespace quillon::platform
