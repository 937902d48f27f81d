#include <cstdlib>

#include "platform/foreground/foreground_program.h"
#include "platform/foreground/wlr_foreground.h"
#include "platform/foreground/x11_foreground.h"

namespace quillon::platform {

namespace {

class NoForegroundProgram final : public ForegroundProgram {
  public:
    bool available() const override { return false; }
    std::string executable() override { return {}; }
};

bool environmentSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

std::unique_ptr<ForegroundProgram> makeDesktopForegroundProgram() {
    if (environmentSet("WAYLAND_DISPLAY")) {
        auto wlr = std::make_unique<WlrForegroundProgram>();
        if (wlr->available())
            return wlr;
    }
    // Under Wayland this sees only the programs that run on XWayland.
    if (environmentSet("DISPLAY")) {
        auto x11 = std::make_unique<X11ForegroundProgram>();
        if (x11->available())
            return x11;
    }
    return std::make_unique<NoForegroundProgram>();
}

}  // namespace quillon::platform
