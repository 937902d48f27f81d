#pragma once

// Everything the attach steps work on, owned by the application and passed in.

#include <atomic>
#include <cstdint>

#include "attach/attach_hooks.h"
#include "attach/bound_controls.h"
#include "attach/device_identity.h"
#include "attach/device_stores.h"
#include "lighting/lighting_settings.h"
#include "link/device_link.h"
#include "profiles/profile_content.h"
#include "profiles/profile_startup.h"
#include "shell/event_loop.h"
#include "skin/skin.h"

namespace quillon::attach {

struct AttachContext {
    link::DeviceLink& keyboardLink;
    link::DeviceLink& mouseLink;
    link::DeviceLink& mousepadLink;
    // The skin is touched only by work posted to the GUI thread.
    shell::EventLoop& loop;
    skin::Skin& skin;
    lighting::LightingSettings& lighting;
    DeviceStores& stores;
    DeviceIdentity& identity;
    const profiles::ProfileStore& profiles;
    // First-run flags of the profile lists; GUI thread only.
    profiles::ProfileRunState& profileRun;
    AttachHooks& hooks;
    // GUI thread only.
    BoundControls& controls;
    // The lighting threads' copy of the keyboard variant, set at arrival before
    // any frame can reach the new keyboard (nullptr: no lighting runs).
    std::atomic<std::uint8_t>* lightingKeyboardVariant = nullptr;

    link::DeviceLink& link(link::DeviceKind kind) const {
        switch (kind) {
            case link::DeviceKind::keyboard:
                return keyboardLink;
            case link::DeviceKind::mouse:
                return mouseLink;
            case link::DeviceKind::mousepad:
                break;
        }
        return mousepadLink;
    }
    bool attached(link::DeviceKind kind) const { return link(kind).connected.load() == 1; }
};

}  // namespace quillon::attach
