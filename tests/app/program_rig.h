#pragma once

// The whole core as the window runs it, over the in-memory skin, emulated
// devices and a fresh account; the test plays the GUI thread with pumpUntil.

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "app/program_services.h"
#include "emu/virtual_bus.h"
#include "profiles/temp_folder.h"
#include "shell/queue_event_loop.h"
#include "skin/memory_skin.h"

namespace quillon::app::testing {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class ProgramRig {
  public:
    // `foreground`: what the application links see; null for the desktop's own.
    explicit ProgramRig(platform::ForegroundProgram* foreground = nullptr)
        : users(root.path() / "Documents", {root.path() / "program"}, root.path() / "overlay"),
          app(skin, loop, bus) {
        std::filesystem::create_directories(root.path() / "Documents");
        std::filesystem::copy(platform::buildTreeProgramDataFolder(), root.path() / "program");
        skin.at("kb_macro_tab_saveorcancel").setVisible(false);
        skin.at("ms_macro_tab_saveorcancel").setVisible(false);
        for (int i = 0; i < 16; ++i)
            skin.at("kb_deng_combo_modeSelect").addRow(skin::Row::text("m"));
        DesktopServices desktop;
        desktop.foreground = foreground;
        services = std::make_unique<ProgramServices>(app, bus, users, std::move(desktop));
        skin.setNotificationSink([this](const skin::Notification& n) { app.notify(n); });
    }
    ~ProgramRig() {
        services->stop();
        (void)app.shutdown();
    }
    ProgramRig(const ProgramRig&) = delete;
    ProgramRig& operator=(const ProgramRig&) = delete;

    // Plays the GUI thread until `done` or the limit.
    template <class F>
    bool pumpUntil(F done, std::chrono::milliseconds limit = 5000ms) {
        const auto end = Clock::now() + limit;
        while (Clock::now() < end) {
            loop.runPending();
            if (done())
                return true;
            std::this_thread::sleep_for(1ms);
        }
        return done();
    }

    std::filesystem::path kbFolder() { return root.path() / "Documents" / "Kv" / "kb"; }

    profiles::testing::TempFolder root;
    platform::FixedUserFolders users;
    emu::VirtualBus bus;
    shell::QueueEventLoop loop;
    skin::MemorySkin skin;
    shell::Application app;
    std::unique_ptr<ProgramServices> services;
};

}  // namespace quillon::app::testing
