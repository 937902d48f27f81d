// The choice of the input backend for this session.

#include <cstdlib>

#include "platform/input/evdev_input_hooks.h"
#include "platform/input/input_hooks.h"
#include "platform/input/x11_input_hooks.h"

namespace quillon::platform {

namespace {

// Tries X11 first in an X11 session; under Wayland an X11 grab would only see
// the X programs' keys, so there only evdev is used.
class SessionInputHooks final : public InputHooks {
  public:
    InputStartResult start(const InputRequest& request, InputSink sink) override {
        stop();
        const char* wayland = std::getenv("WAYLAND_DISPLAY");
        const char* display = std::getenv("DISPLAY");
        InputStartResult result = InputStartResult::unavailable;
        if (display && *display && !(wayland && *wayland)) {
            active_ = &x11_;
            result = x11_.start(request, sink);
            if (result != InputStartResult::unavailable)
                return result;
        }
        active_ = &evdev_;
        result = evdev_.start(request, std::move(sink));
        if (result != InputStartResult::ok)
            active_ = nullptr;
        return result;
    }
    void stop() override {
        x11_.stop();
        evdev_.stop();
    }
    bool running() const override { return x11_.running() || evdev_.running(); }
    std::string_view backendName() const override {
        return active_ ? active_->backendName() : std::string_view("none");
    }

  private:
    X11InputHooks x11_;
    EvdevInputHooks evdev_;
    InputHooks* active_ = nullptr;
};

}  // namespace

std::unique_ptr<InputHooks> makeSessionInputHooks() {
    return std::make_unique<SessionInputHooks>();
}

}  // namespace quillon::platform
