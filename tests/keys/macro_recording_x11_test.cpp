// Recording under a real X server: keys and buttons injected with XTest reach
// the recording, and the focused window of another program sees no key.

// Google Test before Xlib: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
// clang-format on

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "keys/macro_recorder.h"
#include "platform/input/x11_input_hooks.h"
#include "support/xvfb_server.h"

namespace quillon::keys {
namespace {

// X11 keycodes of an evdev server: evdev + 8.
constexpr unsigned kKeycodeA = 38;
constexpr unsigned kKeycodeB = 56;

struct EventLog {
    std::mutex lock;
    std::condition_variable changed;
    std::vector<platform::InputEvent> events;

    void add(const platform::InputEvent& e) {
        std::lock_guard hold(lock);
        events.push_back(e);
        changed.notify_all();
    }
    bool waitFor(std::size_t n) {
        std::unique_lock hold(lock);
        return changed.wait_for(hold, std::chrono::seconds(10), [&] { return events.size() >= n; });
    }
};

// A program with a focused window, counting the keys it gets.
struct FocusedWindow {
    Display* display;
    Window window;
    explicit FocusedWindow(const std::string& name) : display(XOpenDisplay(name.c_str())) {
        window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 200, 100, 0, 0, 0);
        XSelectInput(display, window, KeyPressMask | KeyReleaseMask);
        XMapWindow(display, window);
        XSync(display, False);
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        XSync(display, False);
    }
    ~FocusedWindow() { XCloseDisplay(display); }
    int keyEventsSeen() {
        XSync(display, False);
        int seen = 0;
        XEvent e;
        while (XCheckWindowEvent(display, window, KeyPressMask | KeyReleaseMask, &e))
            ++seen;
        return seen;
    }
};

TEST(MacroRecordingUnderX11, RecordsInjectedKeysAndClicksThatNoOtherWindowSees) {
    testing::XvfbServer server;
    if (server.name().empty())
        GTEST_SKIP() << "Xvfb is not installed";
    FocusedWindow victim(server.name());
    Display* injector = XOpenDisplay(server.name().c_str());
    ASSERT_NE(injector, nullptr);

    platform::X11InputHooks hooks(server.name());
    EventLog log;
    ASSERT_EQ(hooks.start({.keys = true, .consumeKeys = true, .buttons = true},
                          [&](const platform::InputEvent& e) { log.add(e); }),
              platform::InputStartResult::ok);
    // A, held 1.5 s, released; then a left click 100 ms later, held 200 ms.
    XTestFakeKeyEvent(injector, kKeycodeA, True, 0);
    XTestFakeKeyEvent(injector, kKeycodeA, False, 1500);
    XTestFakeButtonEvent(injector, 1, True, 100);
    XTestFakeButtonEvent(injector, 1, False, 200);
    XSync(injector, False);
    ASSERT_TRUE(log.waitFor(4));
    EXPECT_EQ(victim.keyEventsSeen(), 0);

    MacroRecording recording;
    recording.begin({.keys = true, .buttons = true, .fixedPause = false}, 0);
    std::vector<MacroAction> rows;
    {
        std::lock_guard hold(log.lock);
        for (const auto& e : log.events)
            (void)recording.record(rows, e, {});
    }
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].kind, 0x8A);
    EXPECT_EQ(rows[0].code, 4);
    EXPECT_EQ(rows[0].name, "keyboard_key_A");
    EXPECT_GE(rows[0].pauseUnits(), 150);  // the server's clock, in whole milliseconds
    EXPECT_LE(rows[0].pauseUnits(), 153);
    EXPECT_EQ(rows[1].kind, 0x0A);
    EXPECT_EQ(rows[1].pressed, 0);
    EXPECT_GE(rows[1].pauseUnits(), 10);
    EXPECT_LE(rows[1].pauseUnits(), 13);
    EXPECT_EQ(rows[2].kind, 0x81);
    EXPECT_EQ(rows[2].name, "mouse_key_left");
    EXPECT_EQ(rows[3].pauseUnits(), 0);

    // Once stopped, keys reach the focused window again: no grab was left.
    hooks.stop();
    XTestFakeKeyEvent(injector, kKeycodeB, True, 0);
    XTestFakeKeyEvent(injector, kKeycodeB, False, 0);
    XSync(injector, False);
    int seen = 0;
    for (int i = 0; i < 100 && seen < 2; ++i) {
        seen += victim.keyEventsSeen();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(seen, 2);
    XCloseDisplay(injector);
}

}  // namespace
}  // namespace quillon::keys
