#include "x11_active_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

namespace quillon::app::testing {

namespace {

void setActiveWindow(Display* display, Window window) {
    const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    XChangeProperty(display, DefaultRootWindow(display), active, XA_WINDOW, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&window), 1);
    XFlush(display);
}

}  // namespace

bool holdActiveWindowUntilInputEnds(const std::string& name) {
    Display* display = XOpenDisplay(name.c_str());
    if (display == nullptr)
        return false;
    const Window window =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 50, 50, 0, 0, 0);
    const unsigned long pid = static_cast<unsigned long>(::getpid());
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    XMapWindow(display, window);
    setActiveWindow(display, window);
    char byte;
    while (::read(0, &byte, 1) > 0) {
    }
    setActiveWindow(display, None);
    XCloseDisplay(display);
    return true;
}

}  // namespace quillon::app::testing
