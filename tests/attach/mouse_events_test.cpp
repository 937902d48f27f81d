// The event monitors against the virtual bus, and the mouse's event codes on
// their way to the re-reads.

#include <gtest/gtest.h>

#include <chrono>

#include "attach/state_reads.h"
#include "attach_rig.h"
#include "link/event_threads.h"

namespace quillon::attach::testing {
namespace {

using namespace std::chrono_literals;

struct CodeSink final : link::MouseEventSink {
    std::mutex mutex;
    std::vector<std::uint16_t> codes;
    void mouseEvent(std::uint16_t code) override {
        std::lock_guard g(mutex);
        codes.push_back(code);
    }
    std::size_t count() {
        std::lock_guard g(mutex);
        return codes.size();
    }
};

link::InputDataItem buttonItem(std::uint32_t reportId, std::uint16_t firstUsage) {
    link::InputDataItem item;
    item.isButton = true;
    item.reportId = reportId;
    item.lastStatus = 1;
    item.usages = {firstUsage, 0};
    return item;
}

TEST(MouseEventCode, TheFirstActiveUsageOfTheFirstButtonItemIsTheCode) {
    const std::vector<link::InputDataItem> items{buttonItem(1, 0x0401)};
    EXPECT_EQ(link::mouseEventCode(items, 1), 0x0401);
}

TEST(MouseEventCode, AReportWithoutAButtonItemYieldsNoCode) {
    link::InputDataItem value;
    value.usage = 0xE9;
    value.reportId = 1;
    value.lastStatus = 1;
    EXPECT_EQ(link::mouseEventCode(std::vector<link::InputDataItem>{value}, 1), std::nullopt);
    EXPECT_EQ(link::mouseEventCode({}, 1), std::nullopt);
}

TEST(MouseEventCode, ButtonDataOfAnotherReportOrNoActiveUsageYieldsNoCode) {
    // Items of another report id keep the previous report's usages: not a new event.
    EXPECT_EQ(link::mouseEventCode(std::vector{buttonItem(2, 0x0401)}, 1), std::nullopt);
    EXPECT_EQ(link::mouseEventCode(std::vector{buttonItem(1, 0)}, 1), std::nullopt);
    link::InputDataItem empty = buttonItem(1, 0);
    empty.usages.clear();
    EXPECT_EQ(link::mouseEventCode(std::vector{empty}, 1), std::nullopt);
}

struct MonitorFixture : ::testing::Test {
    emu::VirtualBus bus;
    CodeSink sink;
    link::StopSignal stop;
    link::EventThreadTiming fast{20ms, 10ms};
};

TEST_F(MonitorFixture, TheMouseMonitorDeliversEveryEventCode) {
    auto mouse = bus.plug(0x5523);
    link::MouseEventMonitor monitor(bus, sink, fast);
    link::MonitorThread thread(monitor, stop, "");
    ASSERT_TRUE(eventually([&] { return monitor.holdsInterface(); }));
    EXPECT_EQ(mouse->emitEvent(0x0402), 1u);
    EXPECT_EQ(mouse->emitEvent(0x0403), 1u);
    ASSERT_TRUE(eventually([&] { return sink.count() == 2; }));
    EXPECT_EQ(sink.codes, (std::vector<std::uint16_t>{0x0402, 0x0403}));
    stop.request();
}

TEST_F(MonitorFixture, UnpluggingTheMouseDuringItsReadEndsTheLoopAndSearchingResumes) {
    auto mouse = bus.plug(0x764D);
    link::MouseEventMonitor monitor(bus, sink, fast);
    link::MonitorThread thread(monitor, stop, "");
    ASSERT_TRUE(eventually([&] { return monitor.holdsInterface(); }));
    bus.unplug(*mouse);
    EXPECT_TRUE(eventually([&] { return !monitor.holdsInterface(); }, 500ms));
    auto again = bus.plug(0x6656);
    EXPECT_TRUE(eventually([&] { return monitor.holdsInterface(); }));
    again->emitEvent(0x0401);
    EXPECT_TRUE(eventually([&] { return sink.count() == 1; }));
    stop.request();
}

TEST_F(MonitorFixture, TheStopAloneEndsThePendingReadAtOnce) {
    bus.plug(0x5523);
    link::MouseEventMonitor monitor(bus, sink);
    std::thread body([&] { monitor.run(stop); });
    ASSERT_TRUE(eventually([&] { return monitor.holdsInterface(); }));
    const auto asked = std::chrono::steady_clock::now();
    stop.request();
    body.join();
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 250ms);
}

TEST_F(MonitorFixture, TheKeyboardMonitorHoldsOnlyTheRgbKeyboardAndLetsGoWhenItLeaves) {
    auto oneColour = bus.plug(0x6556);
    link::KeyboardEventMonitor monitor(bus, fast);
    link::MonitorThread thread(monitor, stop, "");
    std::this_thread::sleep_for(60ms);
    EXPECT_FALSE(monitor.holdsInterface());
    auto rgb = bus.plug(0x8611);
    ASSERT_TRUE(eventually([&] { return monitor.holdsInterface(); }));
    bus.unplug(*rgb);
    EXPECT_TRUE(eventually([&] { return !monitor.holdsInterface(); }, 500ms));
    stop.request();
}

// The whole way from the mouse to the re-read, on the rig's loop.
struct RereadFixture : ::testing::Test {
    RereadFixture() {
        rig.loop.setTimerHandler([this](shell::TimerId id) {
            if (id == shell::TimerId::mouseSettingsReread)
                ++settingsTimers;
            if (id == shell::TimerId::mouseStateReread)
                ++stateTimers;
            // As the main window's timer table does: the timer stands for a message.
            if (id == shell::TimerId::mouseSettingsReread)
                readMouseSettings(rig.ctx);
            if (id == shell::TimerId::mouseStateReread)
                readMouseState(rig.ctx);
        });
    }
    void pump(std::chrono::milliseconds span) {
        const auto end = std::chrono::steady_clock::now() + span;
        while (std::chrono::steady_clock::now() < end) {
            rig.loop.runPending();
            std::this_thread::sleep_for(1ms);
        }
    }
    AttachRig rig;
    std::atomic<bool> mouseClick{false}, mousepadClick{false};
    MouseEventRouter router{rig.loop, mouseClick, mousepadClick};
    int settingsTimers = 0;
    int stateTimers = 0;
};

TEST_F(RereadFixture, TwoSettingsEventsWithin50msGiveOneReadOfTwoSettingsExchanges) {
    auto mouse = rig.attach(0x5523);
    mouse->clearRequestLog();
    router.mouseEvent(0x0401);
    std::this_thread::sleep_for(20ms);
    router.mouseEvent(0x0401);
    pump(200ms);
    EXPECT_EQ(settingsTimers, 1);
    EXPECT_EQ(countRequests(*mouse, link::CMD_READ_SETTINGS), 2u);
    EXPECT_EQ(countRequests(*mouse, link::CMD_BEGIN), 0u);
    EXPECT_EQ(countRequests(*mouse, link::CMD_END), 0u);
    EXPECT_FALSE(rig.loop.timerActive(shell::TimerId::mouseSettingsReread));
}

TEST_F(RereadFixture, AStateEventLeadsToAWholeReadFramedByBeginAndEnd) {
    auto mouse = rig.attach(0x5523);
    mouse->clearRequestLog();
    router.mouseEvent(0x0402);
    pump(150ms);
    EXPECT_EQ(stateTimers, 1);
    EXPECT_EQ(countRequests(*mouse, link::CMD_BEGIN), 1u);
    EXPECT_EQ(countRequests(*mouse, link::CMD_END), 1u);
    EXPECT_EQ(countRequests(*mouse, link::CMD_READ_INFO), 1u);
    // The mouse link keeps its 512-byte block: ten chunks per slot.
    EXPECT_EQ(countRequests(*mouse, link::CMD_READ_KEYMAP_SLOT), 5u * 10u);
}

TEST_F(RereadFixture, AClickSetsBothPulsesAndOtherCodesDoNothing) {
    router.mouseEvent(0x0499);
    EXPECT_FALSE(mouseClick.load());
    router.mouseEvent(0x0403);
    EXPECT_TRUE(mouseClick.load());
    EXPECT_TRUE(mousepadClick.load());
    pump(80ms);
    EXPECT_EQ(settingsTimers + stateTimers, 0);
}

}  // namespace
}  // namespace quillon::attach::testing
