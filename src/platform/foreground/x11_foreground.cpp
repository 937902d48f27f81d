#include "platform/foreground/x11_foreground.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <string>
#include <system_error>

namespace quillon::platform {

namespace {

// One window-valued or cardinal property of a window; false when it is not set.
bool readLongProperty(Display* display, Window window, Atom property, Atom type,
                      unsigned long& value) {
    Atom actualType = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, window, property, 0, 1, False, type, &actualType,
                                          &format, &items, &after, &data);
    const bool found =
        status == Success && data != nullptr && actualType == type && format == 32 && items == 1;
    if (found)
        value = *reinterpret_cast<unsigned long*>(data);  // 32-bit items come as longs
    if (data != nullptr)
        XFree(data);
    return found;
}

// A window that vanished between two requests is no error worth a message.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

}  // namespace

std::string processExecutable(long pid) {
    if (pid <= 0)
        return {};
    const std::string link = "/proc/" + std::to_string(pid) + "/exe";
    std::string target(4096, '\0');
    const ssize_t n = ::readlink(link.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= target.size())
        return {};
    target.resize(static_cast<std::size_t>(n));
    return target;
}

struct X11ForegroundProgram::State {
    Display* display = nullptr;
    Window root = None;
    Atom activeWindow = None;
    Atom pidAtom = None;
    bool watched = false;
    bool changed = true;  // the active window must be read again
    std::string executable;
};

X11ForegroundProgram::X11ForegroundProgram(const std::string& display)
    : state_(std::make_unique<State>()) {
    State& s = *state_;
    s.display = XOpenDisplay(display.empty() ? nullptr : display.c_str());
    if (s.display == nullptr)
        return;
    s.root = DefaultRootWindow(s.display);
    s.activeWindow = XInternAtom(s.display, "_NET_ACTIVE_WINDOW", False);
    s.pidAtom = XInternAtom(s.display, "_NET_WM_PID", False);
}

X11ForegroundProgram::~X11ForegroundProgram() {
    if (state_->display != nullptr)
        XCloseDisplay(state_->display);
}

bool X11ForegroundProgram::available() const {
    return state_->display != nullptr;
}

void X11ForegroundProgram::setWatched(bool watched) {
    State& s = *state_;
    if (s.display == nullptr || watched == s.watched)
        return;
    s.watched = watched;
    s.changed = true;
    XSelectInput(s.display, s.root, watched ? PropertyChangeMask : NoEventMask);
    XSync(s.display, True);  // and drops what came before
}

std::string X11ForegroundProgram::executable() {
    State& s = *state_;
    if (s.display == nullptr)
        return {};
    if (!s.watched)
        setWatched(true);
    // Only a change of the active window costs a round trip.
    while (XPending(s.display) > 0) {
        XEvent event;
        XNextEvent(s.display, &event);
        if (event.type == PropertyNotify && event.xproperty.atom == s.activeWindow)
            s.changed = true;
    }
    if (!s.changed)
        return s.executable;
    s.changed = false;
    s.executable.clear();
    unsigned long window = None;
    unsigned long pid = 0;
    // Our requests only: other users of Xlib in the process keep their handler.
    const XErrorHandler previous = XSetErrorHandler(ignoreErrors);
    if (readLongProperty(s.display, s.root, s.activeWindow, XA_WINDOW, window) && window != None &&
        readLongProperty(s.display, static_cast<Window>(window), s.pidAtom, XA_CARDINAL, pid))
        s.executable = processExecutable(static_cast<long>(pid));
    XSetErrorHandler(previous);
    return s.executable;
}

}  // namespace quillon::platform
