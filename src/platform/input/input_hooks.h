#pragma once

// System-wide input for the key capture and the macro recorder: a stream of
// key events that can be consumed so that no other program sees them, a
// stream of mouse-button events, and a millisecond clock (each event's time).
// A backend that is not started costs nothing: no thread, no connection, no
// open device. Events reach the sink on the backend's own thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

namespace quillon::platform {

// The mouse buttons a recording knows.
enum class InputButton : std::uint8_t { left, right, middle, back, forward };

struct InputEvent {
    enum class Type : std::uint8_t { key, button };
    Type type = Type::key;
    bool pressed = false;
    bool extended = false;         // keys of the extended block (keypad Enter)
    std::uint16_t virtualKey = 0;  // keys: the key-name table's code, 0 for an unknown key
    InputButton button = InputButton::left;
    std::uint64_t timeMs = 0;  // the backend's millisecond clock
};

using InputSink = std::function<void(const InputEvent&)>;

struct InputRequest {
    bool keys = false;
    bool consumeKeys = false;  // take the keyboard away from every other program
    bool buttons = false;
};

enum class [[nodiscard]] InputStartResult{
    ok,
    unavailable,  // no X11 session and no readable /dev/input devices
    grabFailed,   // another program holds the keyboard
};

class InputHooks {
  public:
    virtual ~InputHooks() = default;

    // Stops what runs, then starts what `request` asks for. On failure
    // nothing runs and nothing is grabbed.
    virtual InputStartResult start(const InputRequest& request, InputSink sink) = 0;
    // Ends delivery and releases every grab; when it returns the sink is no
    // longer called. Idempotent.
    virtual void stop() = 0;
    virtual bool running() const = 0;
    // "X11", "evdev": for messages and the debug output.
    virtual std::string_view backendName() const = 0;

  protected:
    InputHooks() = default;
    InputHooks(const InputHooks&) = delete;
    InputHooks& operator=(const InputHooks&) = delete;
};

// The session's backend: X11 (XInput2 raw events, a keyboard grab) in an X11
// session, otherwise evdev (/dev/input with EVIOCGRAB) where the user may read
// the devices. Whether one works shows only at start().
std::unique_ptr<InputHooks> makeSessionInputHooks();

}  // namespace quillon::platform
