// The X11 input hooks' keyboard grab never outlives its owner.

#include "platform/input/x11_input_hooks.h"

// Google Test before Xlib: Xlib's macros (None, Bool) would break its headers.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
// clang-format on
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "support/xvfb_server.h"

namespace quillon::platform {
namespace {

int tryGrab(Display* display) {
    const int status = XGrabKeyboard(display, DefaultRootWindow(display), False, GrabModeAsync,
                                     GrabModeAsync, CurrentTime);
    if (status == GrabSuccess)
        XUngrabKeyboard(display, CurrentTime);
    XSync(display, False);
    return status;
}

TEST(X11InputHooks, AKilledRecorderLeavesNoKeyboardGrab) {
    testing::XvfbServer server;
    if (server.name().empty())
        GTEST_SKIP() << "Xvfb is not installed";
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t recorder = ::fork();
    ASSERT_GE(recorder, 0);
    if (recorder == 0) {
        X11InputHooks hooks(server.name());
        const bool ok = hooks.start({.keys = true, .consumeKeys = true, .buttons = true},
                                    [](const InputEvent&) {}) == InputStartResult::ok;
        const char c = ok ? '1' : '0';
        (void)!::write(ready[1], &c, 1);
        for (;;)
            ::pause();
    }
    char c = 0;
    ASSERT_EQ(::read(ready[0], &c, 1), 1);
    ASSERT_EQ(c, '1');
    Display* other = XOpenDisplay(server.name().c_str());
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(tryGrab(other), AlreadyGrabbed) << "the recorder holds the keyboard";

    ::kill(recorder, SIGKILL);
    ::waitpid(recorder, nullptr, 0);
    int status = AlreadyGrabbed;
    for (int i = 0; i < 100 && status != GrabSuccess; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        status = tryGrab(other);
    }
    EXPECT_EQ(status, GrabSuccess);
    XCloseDisplay(other);
    ::close(ready[0]);
    ::close(ready[1]);
}

TEST(X11InputHooks, NoServerMeansUnavailableAndNothingRunning) {
    X11InputHooks hooks(":9999");
    EXPECT_EQ(hooks.start({.keys = true, .consumeKeys = true}, [](const InputEvent&) {}),
              InputStartResult::unavailable);
    EXPECT_FALSE(hooks.running());
    EXPECT_FALSE(X11InputHooks::available(":9999"));
}

}  // namespace
}  // namespace quillon::platform
