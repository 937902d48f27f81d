#pragma once

// What the shell tells the feature modules about the system and the window.

namespace quillon::shell {

enum class PowerState { suspending, resumed };

// The system suspends (devices must not be sent frames) or has resumed.
struct PowerChanged {
    PowerState state;
};

// The main window became the active window or lost that (the macro
// recorder drops its hooks on deactivation).
struct ActivationChanged {
    bool active;
};

}  // namespace quillon::shell
