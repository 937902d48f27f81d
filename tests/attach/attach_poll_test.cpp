// The attach poll against the virtual bus: which interfaces it opens, how it
// survives a failing enumeration, and how quickly it notices changes and stops.

#include "link/attach_poll.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <set>

#include "attach_rig.h"
#include "link/hid_device.h"
#include "shell/worker_set.h"

namespace quillon::attach::testing {
namespace {

using namespace std::chrono_literals;
using link::DeviceKind;
using link::PollOutcome;

// Runs a poll as the program does: as a worker of a set (its stop is the set's).
void addPoll(shell::WorkerSet& workers, shell::Worker worker, link::DeviceLink& link,
             DeviceKind kind, link::AttachSteps& steps, link::AttachPollTiming timing = {},
             link::HotplugRelay* relay = nullptr) {
    workers.setBody(worker, [&link, kind, &steps, timing, relay](const shell::WorkerContext& w) {
        link::runAttachPoll(link, kind, steps, w.stop, "", timing, relay);
    });
}

// Counts steps instead of running any.
struct CountingSteps final : link::AttachSteps {
    std::atomic<int> arrivals{0}, removals{0}, stills{0};
    void arrival(link::DeviceLink&) override { ++arrivals; }
    void removal(link::DeviceLink&) override { ++removals; }
    void stillPresent(link::DeviceLink&) override { ++stills; }
};

// Forwards to the bus and records what is opened and how many connections live.
struct RecordingBackend final : platform::HidBackend {
    explicit RecordingBackend(platform::HidBackend& inner) : inner(inner) {}

    struct Conn final : platform::HidConnection {
        Conn(std::unique_ptr<platform::HidConnection> c, std::atomic<int>& live)
            : c(std::move(c)), live(live) {
            ++live;
        }
        ~Conn() override { --live; }
        const platform::HidAttributes& attributes() const override { return c->attributes(); }
        const platform::TopLevelCollection& collection() const override { return c->collection(); }
        platform::TransferStatus writeReport(std::span<const std::uint8_t> r, int t,
                                             platform::AbortSignal& a, std::size_t& n) override {
            return c->writeReport(r, t, a, n);
        }
        platform::TransferStatus readReport(std::span<std::uint8_t> b, int t,
                                            platform::AbortSignal& a, std::size_t& n) override {
            return c->readReport(b, t, a, n);
        }
        void discardPendingInput() override { c->discardPendingInput(); }
        std::unique_ptr<platform::HidConnection> c;
        std::atomic<int>& live;
    };

    bool enumerate(std::vector<platform::HidInterface>& interfaces) override {
        ++enumerations;
        if (failNext.exchange(false)) {
            interfaces.clear();
            return false;
        }
        return inner.enumerate(interfaces);
    }
    std::unique_ptr<platform::HidConnection> open(const platform::HidInterface& iface,
                                                  platform::HidOpenFlags f) override {
        {
            std::lock_guard g(mutex);
            opened.push_back(iface);
        }
        auto c = inner.open(iface, f);
        if (!c)
            return nullptr;
        return std::make_unique<Conn>(std::move(c), live);
    }
    bool probe(const platform::HidInterface& iface) override { return inner.probe(iface); }
    int hotplugFd() override { return inner.hotplugFd(); }
    void drainHotplug() override { inner.drainHotplug(); }

    platform::HidBackend& inner;
    std::atomic<bool> failNext{false};
    std::atomic<int> enumerations{0};
    std::atomic<int> live{0};
    std::mutex mutex;
    std::vector<platform::HidInterface> opened;
};

struct PollFixture : ::testing::Test {
    PollFixture() : recording(bus), link(recording) { link.setMatch(DeviceKind::keyboard); }
    emu::VirtualBus bus;
    RecordingBackend recording;
    link::DeviceLink link;
    CountingSteps steps;
};

TEST_F(PollFixture, TheOneColourKeyboardIsAcceptedAlthoughTheLinkMatchesTheRgbKeyboard) {
    bus.plug(0x6556);
    EXPECT_EQ(link.matchProductId, 0x8611);
    EXPECT_EQ(link::pollOnce(link, DeviceKind::keyboard, steps), PollOutcome::arrived);
    EXPECT_EQ(link.connected.load(), 1);
    EXPECT_EQ(link.hid.attributes().productId, 0x6556);
    EXPECT_EQ(steps.arrivals.load(), 1);
}

TEST_F(PollFixture, ANonMatchingInterfaceOfTheSameKeyboardIsOpenedClosedAndPassed) {
    auto kb = bus.plug(0x8611);
    ASSERT_EQ(link::pollOnce(link, DeviceKind::keyboard, steps), PollOutcome::arrived);
    // The command collection is never a device's first one: something was
    // opened before it, found wanting and closed; only the match stays open.
    ASSERT_GE(recording.opened.size(), 2u);
    EXPECT_EQ(recording.opened.back(), kb->commandCollection().hidInterface);
    EXPECT_NE(recording.opened.front(), kb->commandCollection().hidInterface);
    EXPECT_EQ(recording.live.load(), 1);
    EXPECT_EQ(link.hid.caps().usagePage, link::kCommandUsagePage);
}

TEST_F(PollFixture, OtherKindsAndOtherVendorsAreNeverTaken) {
    bus.plug(0x5523);
    bus.plug(0x5104);
    EXPECT_EQ(link::pollOnce(link, DeviceKind::keyboard, steps), PollOutcome::searching);
    EXPECT_EQ(link.connected.load(), 0);
    EXPECT_EQ(recording.live.load(), 0);
}

TEST_F(PollFixture, AFailedEnumerationSkipsOnlyThatPoll) {
    bus.plug(0x8611);
    recording.failNext = true;
    EXPECT_EQ(link::pollOnce(link, DeviceKind::keyboard, steps), PollOutcome::enumerationFailed);
    EXPECT_EQ(link::pollOnce(link, DeviceKind::keyboard, steps), PollOutcome::arrived);
}

TEST_F(PollFixture, TheThreadKeepsPollingAfterAFailedEnumeration) {
    recording.failNext = true;
    shell::WorkerSet workers;
    addPoll(workers, shell::Worker::keyboardAttach, link, DeviceKind::keyboard, steps,
            {10ms, 20ms});
    workers.start();
    ASSERT_TRUE(eventually([&] { return recording.enumerations.load() >= 3; }));
    bus.plug(0x8611);
    EXPECT_TRUE(eventually([&] { return steps.arrivals.load() == 1; }));
    EXPECT_EQ(workers.stop().stillRunning, 0u);
}

TEST_F(PollFixture, RemovalAndStillPresentFollowTheProbe) {
    auto kb = bus.plug(0x8611);
    ASSERT_EQ(link::pollOnce(link, DeviceKind::keyboard, steps), PollOutcome::arrived);
    link.syncLighting = 1;
    EXPECT_EQ(link::pollOnce(link, DeviceKind::keyboard, steps), PollOutcome::stillPresent);
    bus.unplug(*kb);
    EXPECT_EQ(link::pollOnce(link, DeviceKind::keyboard, steps), PollOutcome::removed);
    EXPECT_EQ(link.connected.load(), 0);
    EXPECT_EQ(link.syncLighting.load(), 0);
    EXPECT_EQ(steps.removals.load(), 1);
    EXPECT_EQ(link::pollOnce(link, DeviceKind::keyboard, steps), PollOutcome::searching);
}

TEST_F(PollFixture, HotplugWakesTheSearchingPollLongBeforeItsSecond) {
    shell::WorkerSet workers;
    addPoll(workers, shell::Worker::keyboardAttach, link, DeviceKind::keyboard, steps);
    workers.start();
    ASSERT_TRUE(eventually([&] { return recording.enumerations.load() >= 1; }));
    std::this_thread::sleep_for(20ms);
    const auto plugged = std::chrono::steady_clock::now();
    bus.plug(0x8611);
    ASSERT_TRUE(eventually([&] { return steps.arrivals.load() == 1; }));
    EXPECT_LT(std::chrono::steady_clock::now() - plugged, 500ms);
    EXPECT_EQ(workers.stop().stillRunning, 0u);
}

TEST(HotplugRelay, ThreeSearchingPollsAllHearTheNewsOfOneBackend) {
    emu::VirtualBus bus;
    link::HotplugRelay relay(bus);
    link::DeviceLink links[3] = {link::DeviceLink(bus), link::DeviceLink(bus),
                                 link::DeviceLink(bus)};
    const DeviceKind kinds[3] = {DeviceKind::keyboard, DeviceKind::mouse, DeviceKind::mousepad};
    const shell::Worker workerOf[3] = {shell::Worker::keyboardAttach, shell::Worker::mouseAttach,
                                       shell::Worker::mousepadAttach};
    CountingSteps steps[3];
    shell::WorkerSet workers;
    for (int i = 0; i < 3; ++i) {
        links[i].setMatch(kinds[i]);
        addPoll(workers, workerOf[i], links[i], kinds[i], steps[i], {}, &relay);
    }
    workers.start();
    std::this_thread::sleep_for(50ms);
    // Whichever poll drains the news, the others still wake for it.
    for (int round = 0; round < 2; ++round) {
        for (std::uint16_t pid :
             {std::uint16_t(0x5104), std::uint16_t(0x8611), std::uint16_t(0x6656)}) {
            const int k = int(link::findProduct(link::kVendorId, pid)->kind);
            const int before = steps[k].arrivals.load();
            std::this_thread::sleep_for(30ms);
            const auto plugged = std::chrono::steady_clock::now();
            auto device = bus.plug(pid);
            ASSERT_TRUE(eventually([&] { return steps[k].arrivals.load() == before + 1; }));
            EXPECT_LT(std::chrono::steady_clock::now() - plugged, 500ms) << pid;
            bus.unplug(*device);
            ASSERT_TRUE(eventually([&] { return links[k].connected.load() == 0; }));
        }
    }
    EXPECT_EQ(workers.stop().stillRunning, 0u);
}

TEST_F(PollFixture, AStopEndsTheThreadAtOnceEvenMidInterval) {
    shell::WorkerSet workers;
    addPoll(workers, shell::Worker::keyboardAttach, link, DeviceKind::keyboard, steps);
    workers.start();
    ASSERT_TRUE(eventually([&] { return recording.enumerations.load() >= 1; }));
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_EQ(workers.stop().stillRunning, 0u);
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 250ms);
}

TEST_F(PollFixture, AStopRequestedBeforeTheThreadStartsIsNotLost) {
    shell::WorkerSet workers;
    addPoll(workers, shell::Worker::keyboardAttach, link, DeviceKind::keyboard, steps);
    (void)workers.stop();
    workers.start();
    EXPECT_EQ(workers.stop().stillRunning, 0u);
    EXPECT_EQ(recording.enumerations.load(), 0);
}

}  // namespace
}  // namespace quillon::attach::testing
