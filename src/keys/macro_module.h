#pragma once

// Macros as the program runs them: the keyboard's and the mouse's stores and
// editor pages, the input hooks they record with (which also serve the key
// editors' key capture), and the catalogue key assignment reads names and
// table images from. install() adds the routes, the start-up step and the
// hooks' messages and subscriptions.

#include <functional>
#include <memory>

#include "keys/assignable_macros.h"
#include "keys/key_map_access.h"
#include "keys/macro_editor.h"
#include "keys/macro_store.h"
#include "keys/recorder_hooks.h"
#include "profiles/profile_content.h"
#include "shell/application.h"

namespace quillon::keys {

class MacroModule final : public MacroCatalogue {
  public:
    MacroModule(shell::Application& app, const profiles::ProfileStore& files, KeyMapAccess& maps,
                std::unique_ptr<platform::InputHooks> hooks);
    MacroModule(const MacroModule&) = delete;
    MacroModule& operator=(const MacroModule&) = delete;

    // Once, before "windowinit". `macrosChanged` tells key assignment.
    void install(std::function<void(link::DeviceKind)> macrosChanged);

    KeyCaptureSource& capture() { return hooks_; }
    MacroEditor& editor(link::DeviceKind kind) {
        return kind == link::DeviceKind::mouse ? mouse_ : keyboard_;
    }

    std::vector<std::string> macroNames(link::DeviceKind kind) const override;
    // The image as the format can hold it (at most 65535 bytes, 50 macros);
    // key assignment checks it against the device's memory. nullopt beyond that.
    std::optional<std::vector<std::uint8_t>> macroImage(link::DeviceKind kind) const override;

  private:
    const MacroStore& store(link::DeviceKind kind) const {
        return kind == link::DeviceKind::mouse ? mouseStore_ : keyboardStore_;
    }
    void addRoutes(MacroEditor& e);

    shell::Application& app_;
    const profiles::ProfileFolders& folders_;
    RecorderHooks hooks_;
    MacroStore keyboardStore_;
    MacroStore mouseStore_;
    std::function<void(link::DeviceKind)> macrosChanged_;
    MacroEditor keyboard_;
    MacroEditor mouse_;
};

}  // namespace quillon::keys
