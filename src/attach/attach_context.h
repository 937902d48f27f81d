#pragma once

// What the attach steps work on: the three links, the records attach fills
// (identity, device stores, live lighting settings), the saved profiles, and
// the event bus it tells the feature modules through. Owned by the attach
// service; the feature modules never see it.

#include "attach/device_stores.h"
#include "lighting/lighting_settings.h"
#include "link/device_identity.h"
#include "link/device_link.h"
#include "profiles/profile_content.h"
#include "profiles/profile_startup.h"
#include "shell/event_bus.h"
#include "shell/event_loop.h"
#include "skin/skin.h"

namespace quillon::attach {

struct AttachContext {
    link::DeviceLink& keyboardLink;
    link::DeviceLink& mouseLink;
    link::DeviceLink& mousepadLink;
    // The skin and the events are touched only by work posted to the GUI thread.
    shell::EventLoop& loop;
    skin::Skin& skin;
    lighting::LightingSettings& lighting;
    DeviceStores& stores;
    link::DeviceIdentity& identity;
    const profiles::ProfileStore& profiles;
    // First-run flags of the profile lists; GUI thread only.
    profiles::ProfileRunState& profileRun;
    shell::EventBus& events;

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
