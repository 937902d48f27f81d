// Attach as the application runs it: real worker threads, the virtual bus,
// the GUI thread played by the test. Also the measurements of the monitors'
// latency and cost (run with --gtest_also_run_disabled_tests).

#include "attach/attach_service.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "attach_rig.h"

namespace quillon::attach::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct ServiceFixture : ::testing::Test {
    ServiceFixture()
        : users(root.path() / "Documents", {root.path() / "program"}, root.path() / "overlay"),
          folders(users),
          store{folders, ini},
          app(skin, loop, bus),
          seen(app.events()),
          service(app, bus, {identity, lighting, store, run, mouseClick, mousepadClick}) {
        std::filesystem::create_directories(root.path() / "Documents");
        std::filesystem::copy(platform::buildTreeProgramDataFolder(), root.path() / "program");
        // As the skin starts: no macro is being edited.
        skin.at("kb_macro_tab_saveorcancel").setVisible(false);
        skin.at("ms_macro_tab_saveorcancel").setVisible(false);
        skin.setNotificationSink([this](const skin::Notification& n) { app.notify(n); });
        service.install();
        app.addStartupStep(shell::StartupPhase::beforeLinks, [this] {
            for (auto kind :
                 {link::DeviceKind::keyboard, link::DeviceKind::mouse, link::DeviceKind::mousepad})
                static_cast<void>(profiles::startProfileLists(store, skin, run, kind));
        });
    }
    ~ServiceFixture() override { static_cast<void>(app.shutdown()); }

    // Plays the GUI thread until `done` or the limit.
    template <class F>
    bool pumpUntil(F done, std::chrono::milliseconds limit = 3000ms) {
        const auto end = Clock::now() + limit;
        while (Clock::now() < end) {
            loop.runPending();
            if (done())
                return true;
            std::this_thread::sleep_for(1ms);
        }
        return done();
    }
    bool connected(link::DeviceKind kind) { return app.link(kind).connected.load() == 1; }

    profiles::testing::TempFolder root;
    platform::FixedUserFolders users;
    profiles::ProfileFolders folders;
    profiles::IniStore ini;
    profiles::ProfileStore store;
    profiles::ProfileRunState run;
    emu::VirtualBus bus;
    shell::QueueEventLoop loop;
    skin::MemorySkin skin;
    lighting::LightingSettings lighting;
    link::DeviceIdentity identity;
    std::atomic<bool> mouseClick{false}, mousepadClick{false};
    shell::Application app;
    EventRecord seen;
    AttachService service;
};

TEST_F(ServiceFixture, DevicesArriveAndLeaveThroughTheWorkersAndShutdownIsQuick) {
    app.windowInit();
    auto kb = bus.plug(0x8611);
    auto mouse = bus.plug(0x5523);
    ASSERT_TRUE(pumpUntil(
        [&] {
            return service.identity().keyboardPresent.load() == 1 &&
                   service.identity().mousePresent.load() == 1 && skin.windowVisible();
        },
        10000ms))
        << int(service.identity().keyboardPresent.load()) << " "
        << int(service.identity().mousePresent.load()) << " window commands "
        << skin.windowCommands().size();
    ASSERT_TRUE(
        pumpUntil([&] { return service.mouseEventsHeld() && service.keyboardEventsHeld(); }));

    // The mouse's own change reaches the re-read through timer 9 and message 0x0902.
    mouse->clearRequestLog();
    mouse->emitEvent(0x0401);
    ASSERT_TRUE(pumpUntil([&] { return countRequests(*mouse, link::CMD_READ_SETTINGS) == 2; }));

    bus.unplug(*kb);
    bus.unplug(*mouse);
    // Whichever leaves last finds nothing attached and hides the window. The two
    // polls run on their own threads: when both removals overlap, both may
    // find the other gone, and the window is hidden (harmlessly) twice.
    ASSERT_TRUE(pumpUntil([&] { return !skin.windowVisible() && seen.closes >= 1; }, 10000ms));
    pumpUntil([] { return false; }, 200ms);
    EXPECT_GE(seen.closes, 1);
    EXPECT_LE(seen.closes, 2);
    EXPECT_FALSE(skin.windowVisible());

    const auto asked = Clock::now();
    const shell::StopReport report = app.shutdown();
    EXPECT_EQ(report.stillRunning, 0u);
    EXPECT_LT(Clock::now() - asked, 500ms);
}

TEST_F(ServiceFixture, AStopWhileTheMouseMonitorReadsEndsAtOnce) {
    app.windowInit();
    bus.plug(0x764D);
    ASSERT_TRUE(pumpUntil([&] { return service.mouseEventsHeld(); }));
    const auto asked = Clock::now();
    const shell::StopReport report = app.shutdown();
    EXPECT_EQ(report.stillRunning, 0u);
    EXPECT_LT(Clock::now() - asked, 500ms);
}

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Spread {
    double median = 0, max = 0;
};
Spread spread(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

// Prints the latency of noticing arrival and removal, and the CPU time of the
// five monitor threads, in the emulator.
TEST_F(ServiceFixture, DISABLED_MeasureLatencyAndCost) {
    app.windowInit();
    const int rounds = 20;
    for (std::uint16_t pid :
         {std::uint16_t(0x8611), std::uint16_t(0x5523), std::uint16_t(0x5104)}) {
        const link::DeviceKind kind = link::findProduct(link::kVendorId, pid)->kind;
        std::vector<double> arrive, leave;
        for (int i = 0; i < rounds; ++i) {
            // Plug at a random point of the search interval.
            pumpUntil([] { return false; }, std::chrono::milliseconds(50 + (i * 37) % 900));
            const auto t0 = Clock::now();
            auto d = bus.plug(pid);
            ASSERT_TRUE(pumpUntil([&] { return connected(kind); }));
            arrive.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            pumpUntil([] { return false; }, std::chrono::milliseconds(150 + (i * 29) % 100));
            const auto t1 = Clock::now();
            bus.unplug(*d);
            ASSERT_TRUE(pumpUntil([&] { return !connected(kind); }));
            leave.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t1).count());
        }
        const Spread a = spread(arrive), l = spread(leave);
        std::printf(
            "%-8s arrival noticed: median %.1f ms, max %.1f ms; removal noticed: median %.1f ms, "
            "max %.1f ms\n",
            std::string(link::kindName(kind)).c_str(), a.median, a.max, l.median, l.max);
    }

    const auto window = std::chrono::seconds(20);
    auto measure = [&](const char* what) {
        pumpUntil([] { return false; }, 1500ms);  // settle
        const double c0 = cpuSeconds();
        // The GUI thread stays idle: only the monitors (and the bus they call) run.
        std::this_thread::sleep_for(window);
        const double used = cpuSeconds() - c0;
        std::printf("%-28s %.1f ms CPU per minute\n", what,
                    used * 1000.0 * 60.0 / double(window.count()));
        loop.runPending();
    };
    measure("monitors, nothing attached:");
    bus.plug(0x8611);
    bus.plug(0x5523);
    bus.plug(0x5104);
    ASSERT_TRUE(pumpUntil([&] {
        return connected(link::DeviceKind::keyboard) && connected(link::DeviceKind::mouse) &&
               connected(link::DeviceKind::mousepad) && service.mouseEventsHeld();
    }));
    measure("monitors, three attached:");
}

}  // namespace
}  // namespace quillon::attach::testing
