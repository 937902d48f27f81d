#pragma once

// The active window's program on wlroots compositors (and others offering the
// foreign-toplevel list): the toplevel marked activated, its app_id mapped to
// an executable by appIdExecutable(). Connected only while watched, so that
// nothing piles up unread meanwhile; executable() reads what has arrived
// without waiting. Not thread-safe: one thread (the GUI thread) asks.

#include <functional>
#include <memory>
#include <string>

#include "platform/foreground/foreground_program.h"

namespace quillon::platform {

class WlrForegroundProgram final : public ForegroundProgram {
  public:
    using Resolver = std::function<std::string(const std::string& appId)>;

    // `display` empty: $WAYLAND_DISPLAY. available() is false when the
    // compositor cannot be reached or does not offer the toplevel list.
    // `resolve` maps an app_id to the executable; empty: the desktop's way.
    explicit WlrForegroundProgram(const std::string& display = {}, Resolver resolve = {});
    ~WlrForegroundProgram() override;

    bool available() const override;
    std::string executable() override;
    void setWatched(bool watched) override;

    // The app_id of the activated toplevel as last read (for the tests and
    // the debug output).
    const std::string& activeAppId() const;

  private:
    struct Session;
    std::string display_;
    Resolver resolve_;
    bool available_ = false;
    bool watched_ = false;
    std::unique_ptr<Session> session_;
    std::string appId_;  // the one executable_ was resolved for
    std::string executable_;
};

}  // namespace quillon::platform
