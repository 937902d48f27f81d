#pragma once

// The lighting views of the keyboard, the mouse and the mousepad: what each of
// their controls does to the lighting settings, and how a view shows them.
// The three views are one implementation over a small description of the
// device (control prefix, record, how a change is committed).
//
// Runs on the GUI thread only. Lighting threads see the changes through the
// settings snapshot of their next tick; scratch resets are requested from the
// engine and done by the lighting thread itself.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string_view>

#include "lighting/lighting_engine.h"
#include "link/device_catalogue.h"
#include "link/flag_watch.h"
#include "shell/notification_router.h"
#include "skin/notification.h"
#include "skin/skin.h"

namespace quillon::lighting {

// The syncLighting flags of the three device links.
struct SyncFlags {
    std::atomic<int>& keyboard;
    std::atomic<int>& mouse;
    std::atomic<int>& mousepad;
    // Told when synchronised lighting starts or ends (nullptr: nobody waits).
    link::FlagWatch* watch = nullptr;
};

// Writes the current profile content file of a device kind (the ".led" of
// the keyboard) from the settings. Wired by the application to the profile
// store.
using SaveLightingProfile = std::function<void(link::DeviceKind)>;

class LightingView {
  public:
    LightingView(skin::Skin& skin, LightingEngine& engine, SyncFlags flags,
                 SaveLightingProfile save)
        : skin_(skin), engine_(engine), flags_(flags), save_(std::move(save)) {}

    // Adds the routes of every lighting control. The view must outlive the router's use.
    void install(shell::NotificationRouter& router);

    // Shows a device's record in its view (after attach, profile change or
    // synchronisation).
    void refresh(link::DeviceKind kind);

    // Start-up: shows every view's mode and controls, but the palettes take the
    // start colour instead of the records' colours, which no device confirmed yet.
    void showAtStart();

  private:
    LightingKind lightingKindOf(link::DeviceKind kind) const;
    void selectMode(link::DeviceKind kind, LightingKind lk, int row);
    void setBrightness(link::DeviceKind kind, std::int64_t value);
    void setSpeed(link::DeviceKind kind, std::int64_t value);
    void applyTypedColour(link::DeviceKind kind);
    void setMultiColour(link::DeviceKind kind, std::int64_t checked);
    void setMouseButtonDirection(std::uint8_t direction);
    void selectCustomSet(int row);
    void setBrush(bool on);
    void setAllKeys(bool light);
    void paintCustomKey(int key);
    void showModeGroups(link::DeviceKind kind, LightingKind lk, std::uint8_t mode);
    void applyColour(link::DeviceKind kind, std::uint32_t argb, bool typed);
    void showColour(link::DeviceKind kind, std::uint32_t argb, bool fields);
    void setDirection(link::DeviceKind kind, std::uint8_t direction);
    void commit(link::DeviceKind kind);
    void announceFlags();
    void save(link::DeviceKind kind);
    void uncheckAllKeysBoxes();
    void startSync(link::DeviceKind source);
    void showRecord(link::DeviceKind kind, bool colours);

    void setVisible(std::string_view name, bool visible);
    void setEnabled(std::string_view name, bool enabled);
    void setChecked(std::string_view name, bool checked);
    void setTextKey(std::string_view name, std::string_view key);

    skin::Skin& skin_;
    LightingEngine& engine_;
    SyncFlags flags_;
    SaveLightingProfile save_;
};

// The one-colour keyboard's fixed colour as its colour controls show it.
inline constexpr std::uint32_t kOneColourPicker = 0xFF2400FFu;
// The colour every palette (the DPI colour's `Pallet` too) shows at start-up.
inline constexpr std::uint32_t kStartPaletteColour = 0xFF0199CBu;

}  // namespace quillon::lighting
