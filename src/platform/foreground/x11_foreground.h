#pragma once

// The active window's program under X11: the root window's
// _NET_ACTIVE_WINDOW, watched with PropertyNotify so an unchanged window
// costs no round trip, its _NET_WM_PID and /proc/PID/exe. Not thread-safe:
// one thread (the GUI thread) asks.

#include <memory>
#include <string>

#include "platform/foreground/foreground_program.h"

namespace quillon::platform {

class X11ForegroundProgram final : public ForegroundProgram {
  public:
    // `display` empty: $DISPLAY. available() is false when it cannot be opened
    // or the window manager does not publish the active window.
    explicit X11ForegroundProgram(const std::string& display = {});
    ~X11ForegroundProgram() override;

    bool available() const override;
    std::string executable() override;
    void setWatched(bool watched) override;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace quillon::platform
