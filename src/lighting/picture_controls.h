#pragma once

// The device pictures of the lighting views: which picture a keyboard variant
// or mouse model shows, and its light controls bound by name at every arrival
// — `keyControls` in key-index order, `mouseKeyControls` for the mouse's LEDs.
// A name the skin lacks leaves an empty entry, which painters skip. GUI
// thread only.

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "lighting/key_layout_tables.h"
#include "link/device_events.h"
#include "shell/event_bus.h"
#include "skin/skin.h"

namespace quillon::lighting {

inline constexpr std::size_t kMouseKeyPictureCount = 20;

struct PictureControls {
    std::array<skin::Control*, kKeyControlCount> keyControls{};
    std::array<skin::Control*, kMouseKeyPictureCount> mouseKeyControls{};
};

// Finds prefix + i for every entry; a found control gets its colour overlay
// switched on at alpha 0 (drawn uncoloured until the lighting paints it).
void bindControls(skin::Skin& skin, std::string_view prefix, std::span<skin::Control*> entries);

class DevicePictures {
  public:
    // Answers DeviceArrived; `skin` and this object must outlive `events`' use.
    void install(shell::EventBus& events, skin::Skin& skin);
    const PictureControls& controls() const { return controls_; }

  private:
    void arrived(skin::Skin& skin, const link::DeviceArrived& e);

    PictureControls controls_;
};

}  // namespace quillon::lighting
