#pragma once

// Everything the attach steps work on, headless: the virtual bus with its
// emulated devices, the three links, a queue event loop run by the test
// thread, the in-memory skin, a fresh profile folder, and a record of the
// events attach publishes.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "attach/attach_context.h"
#include "attach/keyboard_attach.h"
#include "attach/mouse_attach.h"
#include "attach/mousepad_attach.h"
#include "attach/profile_select.h"
#include "emu/virtual_bus.h"
#include "keys/key_page_view.h"
#include "lighting/picture_controls.h"
#include "profiles/profile_events.h"
#include "profiles/profile_startup.h"
#include "profiles/temp_folder.h"
#include "shell/notification_router.h"
#include "shell/queue_event_loop.h"
#include "skin/memory_skin.h"
#include "update/update_notices.h"

namespace quillon::attach::testing {

using update::arrivalNotice;
using update::closesUpdateWindow;
using update::removalNotice;
using update::UpdateNotice;

// What attach told the modules, as the modules would take it.
struct EventRecord {
    std::vector<UpdateNotice> notices;
    int closes = 0;
    int mouseRefreshes = 0;
    std::vector<profiles::ProfileListId> loaded;
    std::vector<int> keyIndexCounts;
    std::vector<std::size_t> patternImages;
    std::vector<link::DeviceArrived> arrived;

    explicit EventRecord(shell::EventBus& events) {
        events.subscribe<link::DeviceArrived>([this](const link::DeviceArrived& e) {
            arrived.push_back(e);
            if (const auto n = arrivalNotice(e))
                notices.push_back(*n);
            if (e.kind == link::DeviceKind::mouse)
                ++mouseRefreshes;
        });
        events.subscribe<link::DeviceLeft>([this](const link::DeviceLeft& e) {
            if (const auto n = removalNotice(e))
                notices.push_back(*n);
            if (closesUpdateWindow(e))
                ++closes;
        });
        events.subscribe<link::DeviceStateRead>([this](const link::DeviceStateRead& e) {
            if (e.kind == link::DeviceKind::mouse)
                ++mouseRefreshes;
        });
        events.subscribe<profiles::ProfileLoaded>(
            [this](const profiles::ProfileLoaded& e) { loaded.push_back(e.list); });
        events.subscribe<link::KeyboardKeyMapRead>(
            [this](const link::KeyboardKeyMapRead& e) { keyIndexCounts.push_back(e.keyCount); });
        events.subscribe<link::MovementPatternsRead>([this](const link::MovementPatternsRead& e) {
            patternImages.push_back(e.image.size());
        });
    }
};

class AttachRig {
  public:
    explicit AttachRig(bool firstRun = true)
        : users(root.path() / "Documents", {root.path() / "program"}, root.path() / "overlay"),
          folders(users),
          store{folders, ini},
          keyboardLink(bus),
          mouseLink(bus),
          mousepadLink(bus),
          ctx{keyboardLink, mouseLink, mousepadLink, loop, skin,  lighting,
              stores,       identity,  store,        run,  events} {
        std::filesystem::create_directories(root.path() / "Documents");
        std::filesystem::copy(platform::buildTreeProgramDataFolder(), root.path() / "program");
        keyboardLink.setMatch(link::DeviceKind::keyboard);
        mouseLink.setMatch(link::DeviceKind::mouse);
        mousepadLink.setMatch(link::DeviceKind::mousepad);
        addProfileSelectRoutes(router, ctx);
        // The views that answer arrivals, as the program installs them.
        pictures.install(events, skin);
        keys::installKeyPageView(events, skin);
        skin.setNotificationSink([this](const skin::Notification& n) { router.route(n); });
        startLists();
        if (!firstRun) {
            // A later run over the same folder: the index exists already.
            run = profiles::ProfileRunState{};
            startLists();
        }
    }

    void startLists() {
        for (auto kind :
             {link::DeviceKind::keyboard, link::DeviceKind::mouse, link::DeviceKind::mousepad})
            static_cast<void>(profiles::startProfileLists(store, skin, run, kind));
    }

    link::PollOutcome poll(link::DeviceKind kind) {
        link::PollOutcome o = link::pollOnce(ctx.link(kind), kind, steps(kind));
        loop.runPending();
        return o;
    }
    link::AttachSteps& steps(link::DeviceKind kind) {
        switch (kind) {
            case link::DeviceKind::keyboard:
                return keyboardSteps;
            case link::DeviceKind::mouse:
                return mouseSteps;
            case link::DeviceKind::mousepad:
                break;
        }
        return mousepadSteps;
    }
    // Plugs a product and runs its arrival.
    std::shared_ptr<emu::EmulatedDevice> attach(std::uint16_t productId) {
        auto device = bus.plug(productId);
        const link::Product* p = link::findProduct(link::kVendorId, productId);
        static_cast<void>(poll(p->kind));
        return device;
    }
    void detach(const std::shared_ptr<emu::EmulatedDevice>& device) {
        const link::DeviceKind kind = device->product().kind;
        bus.unplug(*device);
        static_cast<void>(poll(kind));
    }

    std::filesystem::path kv() const { return root.path() / "Documents" / "Kv"; }

    profiles::testing::TempFolder root;
    platform::FixedUserFolders users;
    profiles::ProfileFolders folders;
    profiles::IniStore ini;
    profiles::ProfileStore store;
    emu::VirtualBus bus;
    link::DeviceLink keyboardLink;
    link::DeviceLink mouseLink;
    link::DeviceLink mousepadLink;
    shell::QueueEventLoop loop;
    skin::MemorySkin skin;
    lighting::LightingSettings lighting;
    DeviceStores stores;
    link::DeviceIdentity identity;
    profiles::ProfileRunState run;
    shell::EventBus events;
    EventRecord seen{events};
    lighting::DevicePictures pictures;
    AttachContext ctx;
    shell::NotificationRouter router;
    link::StopSignal stop;  // never requested: the keyboard's settling wait runs in full
    KeyboardAttach keyboardSteps{ctx, &stop};
    MouseAttach mouseSteps{ctx};
    MousepadAttach mousepadSteps{ctx};
};

// Requests of one command in a device's log.
inline std::size_t countRequests(const emu::EmulatedDevice& device, link::Command command) {
    std::size_t n = 0;
    for (const link::CommandReport& r : device.requests())
        if (r.command() == static_cast<std::uint8_t>(command))
            ++n;
    return n;
}

// Waits up to `limit` for `done`, checking every millisecond.
template <class F>
bool eventually(F done, std::chrono::milliseconds limit = std::chrono::milliseconds(3000)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return done();
}

}  // namespace quillon::attach::testing
