#pragma once

// Input hooks of an X11 session: XInput2 raw events on the root window for
// listening (they reach us whatever window has the focus), and an active
// keyboard grab for consuming keys, whose key events then come to us alone as
// core events (the server sends no raw key events past a grab). The lock
// keys' state is the server's, so Caps, Num and Scroll Lock still toggle.
// The grab belongs to our own connection: it ends when the connection closes,
// also when the process is killed.

#include <memory>
#include <string>

#include "platform/input/input_hooks.h"

namespace quillon::platform {

class X11InputHooks final : public InputHooks {
  public:
    // `displayName` empty: $DISPLAY.
    explicit X11InputHooks(std::string displayName = {});
    ~X11InputHooks() override;

    InputStartResult start(const InputRequest& request, InputSink sink) override;
    void stop() override;
    bool running() const override;
    std::string_view backendName() const override { return "X11"; }

    // Whether the display can be opened and has XInput 2.2 (no grab made).
    static bool available(const std::string& displayName = {});

  private:
    struct Session;
    std::string displayName_;
    std::unique_ptr<Session> session_;
};

}  // namespace quillon::platform
