#pragma once

// Input hooks from the kernel's input devices (/dev/input/event*), for
// sessions without X11 where the user may read them (the "input" group).
// Consuming keys grabs each keyboard with EVIOCGRAB, which the kernel ends
// when the descriptor closes, also when the process is killed. While grabbed
// no program sees a key, the lock keys included.

#include <filesystem>
#include <memory>

#include "platform/input/input_hooks.h"

namespace quillon::platform {

class EvdevInputHooks final : public InputHooks {
  public:
    explicit EvdevInputHooks(std::filesystem::path folder = "/dev/input");
    ~EvdevInputHooks() override;

    InputStartResult start(const InputRequest& request, InputSink sink) override;
    void stop() override;
    bool running() const override;
    std::string_view backendName() const override { return "evdev"; }

    // Whether at least one keyboard or mouse in the folder can be opened.
    static bool available(const std::filesystem::path& folder = "/dev/input");

  private:
    struct Session;
    std::filesystem::path folder_;
    std::unique_ptr<Session> session_;
};

}  // namespace quillon::platform
