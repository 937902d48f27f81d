#include "platform/input/x11_input_hooks.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <poll.h>

#include <cerrno>
#include <chrono>
#include <optional>
#include <thread>

#include "platform/abort_signal.h"
#include "platform/input/key_codes.h"

namespace quillon::platform {

namespace {

constexpr int kXiMajor = 2;
constexpr int kXiMinor = 2;
// Another client may hold the keyboard for a moment (a menu closing).
constexpr int kGrabAttempts = 10;
constexpr std::chrono::milliseconds kGrabRetryPause{20};
// X11 keycodes of evdev servers: the evdev code + 8; keypad Enter is 104.
constexpr int kKeypadEnterKeycode = 104;

Display* openDisplay(const std::string& name) {
    return XOpenDisplay(name.empty() ? nullptr : name.c_str());
}

bool hasXi2(Display* display, int& opcode) {
    int event = 0;
    int error = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error))
        return false;
    int major = kXiMajor;
    int minor = kXiMinor;
    return XIQueryVersion(display, &major, &minor) == Success &&
           (major > kXiMajor || (major == kXiMajor && minor >= kXiMinor));
}

std::optional<InputButton> buttonOf(int detail) {
    switch (detail) {
        case 1:
            return InputButton::left;
        case 2:
            return InputButton::middle;
        case 3:
            return InputButton::right;
        case 8:
            return InputButton::back;
        case 9:
            return InputButton::forward;
        default:
            return std::nullopt;  // wheel steps and other buttons
    }
}

}  // namespace

struct X11InputHooks::Session {
    Display* display = nullptr;
    int opcode = 0;
    bool grabbed = false;
    InputSink sink;
    AbortSignal stop;
    std::thread thread;

    ~Session() {
        if (thread.joinable()) {
            stop.set();
            thread.join();
        }
        if (display) {
            if (grabbed)
                XUngrabKeyboard(display, CurrentTime);
            XCloseDisplay(display);  // also ends a grab we still held
        }
    }

    // Keys under our grab come as core events to our connection (the server
    // sends no raw key events past a core grab).
    void deliverCore(const XKeyEvent& key) {
        InputEvent e;
        e.type = InputEvent::Type::key;
        e.pressed = key.type == KeyPress;
        e.timeMs = key.time;
        e.virtualKey = virtualKeyFromX11Keycode(key.keycode).value_or(0);
        e.extended = key.keycode == kKeypadEnterKeycode;
        sink(e);
    }

    void deliver(const XIRawEvent& raw) {
        InputEvent e;
        e.timeMs = raw.time;
        switch (raw.evtype) {
            case XI_RawKeyPress:
            case XI_RawKeyRelease:
                e.type = InputEvent::Type::key;
                e.pressed = raw.evtype == XI_RawKeyPress;
                e.virtualKey = virtualKeyFromX11Keycode(std::uint32_t(raw.detail)).value_or(0);
                e.extended = raw.detail == kKeypadEnterKeycode;
                break;
            case XI_RawButtonPress:
            case XI_RawButtonRelease: {
                const auto button = buttonOf(raw.detail);
                if (!button)
                    return;
                e.type = InputEvent::Type::button;
                e.pressed = raw.evtype == XI_RawButtonPress;
                e.button = *button;
                break;
            }
            default:
                return;
        }
        sink(e);
    }

    // Blocks in poll() on the connection and the stop signal: no work while
    // nothing happens.
    void run() {
        pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {stop.fd(), POLLIN, 0}};
        for (;;) {
            while (XPending(display) > 0) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type == KeyPress || event.type == KeyRelease) {
                    deliverCore(event.xkey);
                    continue;
                }
                XGenericEventCookie* cookie = &event.xcookie;
                if (cookie->type != GenericEvent || cookie->extension != opcode ||
                    !XGetEventData(display, cookie))
                    continue;
                deliver(*static_cast<const XIRawEvent*>(cookie->data));
                XFreeEventData(display, cookie);
            }
            if (::poll(fds, 2, -1) < 0 && errno != EINTR)
                return;
            if (fds[1].revents & POLLIN)
                return;
            if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL))
                return;  // the server went away
        }
    }
};

X11InputHooks::X11InputHooks(std::string displayName) : displayName_(std::move(displayName)) {}

X11InputHooks::~X11InputHooks() {
    stop();
}

bool X11InputHooks::available(const std::string& displayName) {
    Display* display = openDisplay(displayName);
    if (!display)
        return false;
    int opcode = 0;
    const bool ok = hasXi2(display, opcode);
    XCloseDisplay(display);
    return ok;
}

InputStartResult X11InputHooks::start(const InputRequest& request, InputSink sink) {
    stop();
    auto session = std::make_unique<Session>();
    session->display = openDisplay(displayName_);
    if (!session->display || !hasXi2(session->display, session->opcode))
        return InputStartResult::unavailable;
    Display* display = session->display;
    const Window root = DefaultRootWindow(display);

    const bool grab = request.keys && request.consumeKeys;
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (request.keys && !grab) {
        XISetMask(bits, XI_RawKeyPress);
        XISetMask(bits, XI_RawKeyRelease);
    }
    if (request.buttons) {
        XISetMask(bits, XI_RawButtonPress);
        XISetMask(bits, XI_RawButtonRelease);
    }
    XIEventMask mask{XIAllMasterDevices, int(sizeof bits), bits};
    XISelectEvents(display, root, &mask, 1);

    if (grab) {
        // A held key then repeats as presses only, never as release-press pairs.
        Bool detectable = False;
        XkbSetDetectableAutoRepeat(display, True, &detectable);
        int status = AlreadyGrabbed;
        for (int attempt = 0; attempt < kGrabAttempts; ++attempt) {
            status = XGrabKeyboard(display, root, False, GrabModeAsync, GrabModeAsync, CurrentTime);
            if (status == GrabSuccess)
                break;
            std::this_thread::sleep_for(kGrabRetryPause);
        }
        if (status != GrabSuccess)
            return InputStartResult::grabFailed;
        session->grabbed = true;
    }
    XSync(display, False);
    session->sink = std::move(sink);
    Session* s = session.get();
    session->thread = std::thread([s] { s->run(); });
    session_ = std::move(session);
    return InputStartResult::ok;
}

void X11InputHooks::stop() {
    session_.reset();
}

bool X11InputHooks::running() const {
    return session_ != nullptr;
}

}  // namespace quillon::platform
