#include "platform/pointer/desktop_pointer_settings.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string>
#include <vector>

namespace quillon::platform {

namespace {

PointerResult resultOf(int status) {
    return status == 0 ? PointerResult::applied : PointerResult::failed;
}

bool listNames(std::string_view list, std::string_view name) {
    while (!list.empty()) {
        const auto colon = list.find(':');
        std::string_view entry = list.substr(0, colon);
        if (entry.size() == name.size() &&
            std::equal(entry.begin(), entry.end(), name.begin(),
                       [](char a, char b) { return (a | 0x20) == (b | 0x20); }))
            return true;
        if (colon == std::string_view::npos)
            break;
        list.remove_prefix(colon + 1);
    }
    return false;
}

}  // namespace

DesktopKind desktopKindOf(std::string_view currentDesktop, bool x11Display) {
    if (listNames(currentDesktop, "GNOME"))
        return DesktopKind::gnome;
    if (listNames(currentDesktop, "KDE"))
        return DesktopKind::kde;
    return x11Display ? DesktopKind::x11 : DesktopKind::none;
}

DesktopKind currentDesktopKind() {
    const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
    const char* display = std::getenv("DISPLAY");
    return desktopKindOf(desktop != nullptr ? desktop : "", display != nullptr && *display != '\0');
}

std::string desktopAcceleration(std::uint8_t speed) {
    const int s = std::clamp<int>(speed, 1, 20);
    // Tenths, written without the locale: a comma would be refused.
    const int tenths = s - 10;
    std::string out = tenths < 0 ? "-" : "";
    const int a = tenths < 0 ? -tenths : tenths;
    out += std::to_string(a / 10) + "." + std::to_string(a % 10);
    return out;
}

PointerResult DesktopPointerSettings::kdeWrite(std::string_view file, std::string_view group,
                                               std::string_view key, const std::string& value) {
    // Plasma 6 ships kwriteconfig6, Plasma 5 kwriteconfig5.
    for (const char* tool : {"kwriteconfig6", "kwriteconfig5"}) {
        const int status = tool_.run({tool, "--file", std::string(file), "--group",
                                      std::string(group), "--key", std::string(key), value});
        if (status != kToolNotStarted)
            return resultOf(status);
    }
    return PointerResult::failed;
}

PointerResult DesktopPointerSettings::setPointerSpeed(std::uint8_t speed) {
    switch (desktop_) {
        case DesktopKind::gnome:
            return resultOf(tool_.run({"gsettings", "set", "org.gnome.desktop.peripherals.mouse",
                                       "speed", desktopAcceleration(speed)}));
        case DesktopKind::kde:
            return kdeWrite("kcminputrc", "Mouse", "PointerAcceleration",
                            desktopAcceleration(speed));
        case DesktopKind::x11: {
            // The X server's acceleration factor: speed / 10, above 4 pixels a move.
            const int s = std::clamp<int>(speed, 1, 20);
            return resultOf(tool_.run({"xset", "m", std::to_string(s) + "/10", "4"}));
        }
        case DesktopKind::none:
            break;
    }
    return PointerResult::unsupported;
}

PointerResult DesktopPointerSettings::setWheelLines(int lines) {
    if (desktop_ == DesktopKind::kde)
        return kdeWrite("kdeglobals", "KDE", "WheelScrollLines",
                        std::to_string(std::clamp(lines, 1, 10)));
    // GNOME and the X server scroll by their own step.
    return PointerResult::unsupported;
}

}  // namespace quillon::platform
