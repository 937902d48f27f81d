#pragma once

// Pointer speed and wheel lines through the running desktop's own settings:
// GNOME's gsettings, KDE's kcminputrc and kdeglobals (through kwriteconfig),
// else the X server's pointer control. What a desktop has no setting for is
// `unsupported`.

#include <string_view>

#include "platform/pointer/desktop_tool.h"
#include "platform/pointer/pointer_settings.h"

namespace quillon::platform {

enum class DesktopKind { gnome, kde, x11, none };

// From $XDG_CURRENT_DESKTOP (a colon-separated list) and whether $DISPLAY is set.
DesktopKind desktopKindOf(std::string_view currentDesktop, bool x11Display);
// The same from this process's environment.
DesktopKind currentDesktopKind();

// The desktops' own scale from the program's 1..20 (10 = the default):
// -1..1 with 10 at 0, as GNOME and KDE take it.
std::string desktopAcceleration(std::uint8_t speed);

class DesktopPointerSettings final : public PointerSettings {
  public:
    DesktopPointerSettings(DesktopKind desktop, DesktopTool& tool)
        : desktop_(desktop), tool_(tool) {}

    PointerResult setPointerSpeed(std::uint8_t speed) override;
    PointerResult setWheelLines(int lines) override;

  private:
    PointerResult kdeWrite(std::string_view file, std::string_view group, std::string_view key,
                           const std::string& value);

    DesktopKind desktop_;
    DesktopTool& tool_;
};

}  // namespace quillon::platform
