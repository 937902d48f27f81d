#include "emu/virtual_bus.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>

#include "emu/demo_devices.h"
#include "link/command_report.h"
#include "link/hid_device.h"

namespace quillon::emu {
namespace {

using namespace std::chrono_literals;
using link::Command;
using link::CommandReport;
using link::DeviceKind;
using platform::AbortSignal;
using platform::HidConnection;
using platform::HidInterface;
using platform::HidOpenFlags;
using platform::TransferStatus;

constexpr HidOpenFlags kReadWrite{true, true, true, false};
constexpr HidOpenFlags kReadOnly{true, false, true, false};

std::shared_ptr<EmulatedDevice> plug(VirtualBus& bus, DeviceKind kind, std::uint8_t variant) {
    return bus.plug(*catalogueProduct(kind, variant));
}

const EmulatedCollection& collectionOf(const EmulatedDevice& d, CollectionRole role) {
    for (const EmulatedCollection& c : d.collections())
        if (c.role == role)
            return c;
    ADD_FAILURE() << "no such collection";
    return d.collections().front();
}

std::unique_ptr<HidConnection> openRole(VirtualBus& bus, const EmulatedDevice& d,
                                        CollectionRole role, HidOpenFlags flags = kReadWrite) {
    return bus.open(collectionOf(d, role).hidInterface, flags);
}

TransferStatus send(HidConnection& c, const CommandReport& request, AbortSignal& abort,
                    int timeoutMs = 1000) {
    std::size_t written = 0;
    return c.writeReport(request.bytes, timeoutMs, abort, written);
}

TransferStatus receive(HidConnection& c, CommandReport& answer, AbortSignal& abort,
                       int timeoutMs = 300) {
    std::size_t got = 0;
    return c.readReport(answer.bytes, timeoutMs, abort, got);
}

std::chrono::milliseconds since(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 t);
}

bool readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, 0) == 1;
}

TEST(VirtualBusInterfaces, TheDemoDevicesEnumerateInPlugOrder) {
    VirtualBus bus;
    attachDemoDevices(bus);
    std::vector<HidInterface> interfaces;
    ASSERT_TRUE(bus.enumerate(interfaces));
    ASSERT_EQ(interfaces.size(), 6u);
    // keyboard: boot keyboard, events, command; mouse: events, command; mousepad: command
    const std::uint16_t kb = catalogueProduct(DeviceKind::keyboard, 0)->productId;
    const std::uint16_t mouse = catalogueProduct(DeviceKind::mouse, 0)->productId;
    const std::uint16_t pad = catalogueProduct(DeviceKind::mousepad, 0)->productId;
    const std::array<std::tuple<std::uint16_t, std::uint32_t, std::uint32_t, std::uint16_t>, 6>
        expected{{{kb, 0, 0, 0x01},
                  {kb, 1, 1, link::kEventUsagePage},
                  {kb, 1, 2, link::kCommandUsagePage},
                  {mouse, 0, 1, link::kEventUsagePage},
                  {mouse, 0, 2, link::kCommandUsagePage},
                  {pad, 0, 0, link::kCommandUsagePage}}};
    for (std::size_t i = 0; i < interfaces.size(); ++i) {
        const HidInterface& iface = interfaces[i];
        EXPECT_EQ(iface.vendorId, 0x0C45) << i;
        EXPECT_EQ(iface.productId, std::get<0>(expected[i])) << i;
        EXPECT_EQ(iface.interfaceNumber, std::get<1>(expected[i])) << i;
        EXPECT_EQ(iface.collectionNumber(), std::get<2>(expected[i])) << i;
        EXPECT_EQ(iface.usagePage, std::get<3>(expected[i])) << i;
    }
    EXPECT_EQ(interfaces[1].node, interfaces[2].node);  // one interface, two collections
    EXPECT_EQ(interfaces[2].outputReportLength, 64);
}

TEST(VirtualBusInterfaces, TwoDevicesOfOneProductAreDistinct) {
    VirtualBus bus;
    auto a = plug(bus, DeviceKind::mouse, 1);
    auto b = plug(bus, DeviceKind::mouse, 1);
    EXPECT_NE(a->commandCollection().hidInterface, b->commandCollection().hidInterface);
    EXPECT_NE(a->collections().front().hidInterface, a->commandCollection().hidInterface);
    EXPECT_EQ(bus.plug(0x1234), nullptr);
}

TEST(VirtualBusOpen, ConnectionsCarryTheParsedCollectionsAndIdentity) {
    VirtualBus bus;
    auto kb = plug(bus, DeviceKind::keyboard, 0);
    auto command = openRole(bus, *kb, CollectionRole::command);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->attributes().vendorId, 0x0C45);
    EXPECT_EQ(command->attributes().productId, kb->product().productId);
    EXPECT_EQ(command->attributes().versionNumber, kb->description().versionNumber);
    EXPECT_EQ(command->collection().usagePage, 0xFF1C);
    EXPECT_EQ(command->collection().usage, 0x92);
    EXPECT_EQ(command->collection().inputReportLength, 64);
    EXPECT_EQ(command->collection().outputReportLength, 64);

    auto events = openRole(bus, *kb, CollectionRole::events, kReadOnly);
    EXPECT_EQ(events->collection().usagePage, 0x0C);
    EXPECT_EQ(events->collection().usage, 1);
    EXPECT_EQ(events->collection().inputReportLength, 3);

    // Both collections of the second interface come from one descriptor.
    EXPECT_EQ(collectionOf(*kb, CollectionRole::events).interfaceDescriptor.size(), 25u + 27u);
    EXPECT_EQ(collectionOf(*kb, CollectionRole::events).interfaceDescriptor,
              collectionOf(*kb, CollectionRole::command).interfaceDescriptor);

    auto boot = openRole(bus, *kb, CollectionRole::bootKeyboard);
    EXPECT_EQ(boot->collection().usagePage, 1);
    EXPECT_EQ(boot->collection().usage, 6);
    AbortSignal abort;
    std::size_t written = 0;
    const std::uint8_t leds[2] = {0, 0x02};
    EXPECT_EQ(boot->writeReport(leds, 1000, abort, written), TransferStatus::completed);

    // The one-colour keyboard and the mousepad have no event interface.
    auto pad = plug(bus, DeviceKind::mousepad, 0);
    auto one = plug(bus, DeviceKind::keyboard, 1);
    for (const auto& d : {pad, one})
        for (const EmulatedCollection& c : d->collections())
            EXPECT_NE(c.role, CollectionRole::events);
    HidInterface nothing = one->commandCollection().hidInterface;
    nothing.productId = 0;
    EXPECT_EQ(bus.open(nothing, kReadWrite), nullptr);
}

TEST(VirtualBusExchange, AnAnswerIsQueuedOnlyOnTheConnectionThatAsked) {
    VirtualBus bus;
    auto mouse = plug(bus, DeviceKind::mouse, 0);
    auto a = openRole(bus, *mouse, CollectionRole::command);
    auto b = openRole(bus, *mouse, CollectionRole::command);
    AbortSignal abort;
    ASSERT_EQ(send(*a, link::buildRequest(Command::readInfo, 0, {}, 31), abort),
              TransferStatus::completed);
    CommandReport answer;
    EXPECT_EQ(receive(*b, answer, abort, 20), TransferStatus::timedOut);
    ASSERT_EQ(receive(*a, answer, abort), TransferStatus::completed);
    EXPECT_EQ(answer.command(), 0x03);
    EXPECT_EQ(answer.payload()[9], 0x25);  // sensor 0x3325
    EXPECT_EQ(mouse->requestCount(), 1u);
    EXPECT_EQ(mouse->requests().front().bytes,
              link::buildRequest(Command::readInfo, 0, {}, 31).bytes);
}

TEST(VirtualBusExchange, ReportsOfTheWrongSizeOrAccessAreRefused) {
    VirtualBus bus;
    auto pad = plug(bus, DeviceKind::mousepad, 0);
    auto c = openRole(bus, *pad, CollectionRole::command);
    AbortSignal abort;
    std::size_t n = 0;
    const std::array<std::uint8_t, 63> shortReport{4};
    EXPECT_EQ(c->writeReport(shortReport, 1000, abort, n), TransferStatus::failed);
    auto readOnly = openRole(bus, *pad, CollectionRole::command, kReadOnly);
    EXPECT_EQ(send(*readOnly, link::buildRequest(Command::begin), abort), TransferStatus::failed);
    EXPECT_EQ(pad->requestCount(), 0u);
}

TEST(VirtualBusReads, TimeLimitAbortAndDiscard) {
    VirtualBus bus;
    auto pad = plug(bus, DeviceKind::mousepad, 0);
    auto c = openRole(bus, *pad, CollectionRole::command);
    AbortSignal abort;
    CommandReport answer;

    auto t = std::chrono::steady_clock::now();
    EXPECT_EQ(receive(*c, answer, abort, 30), TransferStatus::timedOut);
    EXPECT_GE(since(t), 29ms);

    // A set abort ends the next wait at once and is consumed by it.
    abort.set();
    t = std::chrono::steady_clock::now();
    EXPECT_EQ(receive(*c, answer, abort, platform::kNoTimeLimit), TransferStatus::aborted);
    EXPECT_LT(since(t), 500ms);
    EXPECT_EQ(receive(*c, answer, abort, 0), TransferStatus::timedOut);

    // Abort from another thread while the wait has no limit.
    std::thread aborter([&] {
        std::this_thread::sleep_for(20ms);
        abort.set();
    });
    EXPECT_EQ(receive(*c, answer, abort, platform::kNoTimeLimit), TransferStatus::aborted);
    aborter.join();

    // An answer that arrived and was not read is dropped by a discard.
    ASSERT_EQ(send(*c, link::buildRequest(Command::begin), abort), TransferStatus::completed);
    c->discardPendingInput();
    EXPECT_EQ(receive(*c, answer, abort, 20), TransferStatus::timedOut);
}

TEST(VirtualBusPlugging, UnplugFailsAWaitingReadAtOnceAndSignalsHotplug) {
    VirtualBus bus;
    bus.drainHotplug();
    auto mouse = plug(bus, DeviceKind::mouse, 2);
    EXPECT_TRUE(readable(bus.hotplugFd()));
    bus.drainHotplug();
    EXPECT_FALSE(readable(bus.hotplugFd()));

    const HidInterface path = mouse->commandCollection().hidInterface;
    EXPECT_TRUE(bus.probe(path));
    auto events = openRole(bus, *mouse, CollectionRole::events, kReadOnly);
    std::atomic<TransferStatus> result{TransferStatus::completed};
    std::thread reader([&] {
        AbortSignal abort;
        std::array<std::uint8_t, 3> report{};
        std::size_t got = 0;
        result = events->readReport(report, platform::kNoTimeLimit, abort, got);
    });
    std::this_thread::sleep_for(20ms);
    const auto t = std::chrono::steady_clock::now();
    bus.unplug(*mouse);
    reader.join();
    EXPECT_LT(since(t), 500ms);
    EXPECT_EQ(result.load(), TransferStatus::failed);
    EXPECT_TRUE(readable(bus.hotplugFd()));
    EXPECT_FALSE(bus.probe(path));
    EXPECT_EQ(bus.open(path, kReadWrite), nullptr);
    std::vector<HidInterface> interfaces;
    EXPECT_TRUE(bus.enumerate(interfaces));
    EXPECT_TRUE(interfaces.empty());
    AbortSignal abort;
    EXPECT_EQ(send(*events, link::buildRequest(Command::begin), abort), TransferStatus::failed);
}

TEST(VirtualBusEvents, EmitEventReachesEveryOpenEventConnection) {
    VirtualBus bus;
    auto mouse = plug(bus, DeviceKind::mouse, 0);
    auto first = openRole(bus, *mouse, CollectionRole::events, kReadOnly);
    auto second = openRole(bus, *mouse, CollectionRole::events, kReadOnly);
    auto command = openRole(bus, *mouse, CollectionRole::command);
    EXPECT_EQ(mouse->emitEvent(0x0401), 2u);

    AbortSignal abort;
    for (auto* c : {first.get(), second.get()}) {
        std::array<std::uint8_t, 3> report{};
        std::size_t got = 0;
        ASSERT_EQ(c->readReport(report, 100, abort, got), TransferStatus::completed);
        EXPECT_EQ(got, 3u);
        EXPECT_EQ(report, (std::array<std::uint8_t, 3>{2, 0x01, 0x04}));
        // Decoded through the collection's own capabilities.
        ASSERT_EQ(c->collection().input.buttons.size(), 1u);
        std::array<std::uint16_t, 4> usages{};
        ASSERT_EQ(platform::activeUsages(c->collection().input.buttons[0], report, usages), 1u);
        EXPECT_EQ(usages[0], 0x0401);
    }
    CommandReport none;
    EXPECT_EQ(receive(*command, none, abort, 10), TransferStatus::timedOut);

    auto pad = plug(bus, DeviceKind::mousepad, 0);
    EXPECT_EQ(pad->emitEvent(0x0403), 0u);
}

TEST(VirtualBusFaults, StatusOnTheNthReportLeavesEarlierChunksWritten) {
    VirtualBus bus;
    auto kb = plug(bus, DeviceKind::keyboard, 0);
    auto c = openRole(bus, *kb, CollectionRole::command);
    AbortSignal abort;
    CommandReport begun;
    ASSERT_EQ(send(*c, link::buildRequest(Command::begin), abort), TransferStatus::completed);
    ASSERT_EQ(receive(*c, begun, abort), TransferStatus::completed);
    kb->answerWithStatus(3, 0xFE);
    std::array<std::uint8_t, 56> chunk{};
    chunk.fill(0x77);
    std::array<std::uint8_t, 4> statuses{};
    for (std::size_t i = 0; i < statuses.size(); ++i) {
        ASSERT_EQ(
            send(*c, link::buildRequest(Command::writeKeymapSlot, std::uint16_t(i * 56), chunk, 56),
                 abort),
            TransferStatus::completed);
        CommandReport answer;
        ASSERT_EQ(receive(*c, answer, abort), TransferStatus::completed);
        statuses[i] = answer.status();
    }
    EXPECT_EQ(statuses, (std::array<std::uint8_t, 4>{0, 0, 0xFE, 0}));
    kb->inspect([](const FirmwareModel& fw) {
        EXPECT_EQ(fw.keymapSlot(0)[111], 0x77);
        EXPECT_NE(fw.keymapSlot(0)[112], 0x77);  // the refused chunk
        return 0;
    });
}

TEST(VirtualBusFaults, NoAnswerForNReportsOrUntilCleared) {
    VirtualBus bus;
    auto pad = plug(bus, DeviceKind::mousepad, 0);
    auto c = openRole(bus, *pad, CollectionRole::command);
    AbortSignal abort;
    CommandReport answer;
    const CommandReport begin = link::buildRequest(Command::begin);

    pad->dropAnswers(2);
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(send(*c, begin, abort), TransferStatus::completed);
        EXPECT_EQ(receive(*c, answer, abort, 20), TransferStatus::timedOut);
    }
    ASSERT_EQ(send(*c, begin, abort), TransferStatus::completed);
    EXPECT_EQ(receive(*c, answer, abort, 20), TransferStatus::completed);

    pad->dropAnswersUntilCleared();
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(send(*c, begin, abort), TransferStatus::completed);
    EXPECT_EQ(receive(*c, answer, abort, 20), TransferStatus::timedOut);
    pad->clearFaults();
    ASSERT_EQ(send(*c, begin, abort), TransferStatus::completed);
    EXPECT_EQ(receive(*c, answer, abort, 20), TransferStatus::completed);
    EXPECT_EQ(pad->requestCount(), 9u);  // received, even when unanswered
}

TEST(VirtualBusFaults, UnplugAfterTheNthReportEndsATransferMidway) {
    VirtualBus bus;
    auto kb = plug(bus, DeviceKind::keyboard, 2);
    auto c = openRole(bus, *kb, CollectionRole::command);
    AbortSignal abort;
    kb->unplugAfter(2);
    std::array<std::uint8_t, 36> frame{};
    CommandReport answer;
    ASSERT_EQ(send(*c, link::buildRequest(Command::begin), abort), TransferStatus::completed);
    EXPECT_EQ(receive(*c, answer, abort), TransferStatus::completed);
    ASSERT_EQ(send(*c, link::buildRequest(Command::ledFrame, 0, frame, 36), abort),
              TransferStatus::completed);
    // The answer left before the device did: it is still read, then nothing.
    EXPECT_EQ(receive(*c, answer, abort), TransferStatus::completed);
    EXPECT_EQ(receive(*c, answer, abort), TransferStatus::failed);
    EXPECT_FALSE(kb->present());
    EXPECT_FALSE(bus.probe(kb->commandCollection().hidInterface));
    EXPECT_EQ(kb->frameCount(), 1u);  // the second report was taken before it left
    EXPECT_EQ(send(*c, link::buildRequest(Command::end), abort), TransferStatus::failed);
}

TEST(VirtualBusFaults, LatencyDelaysTheAnswer) {
    VirtualBus bus;
    auto mouse = plug(bus, DeviceKind::mouse, 0);
    auto c = openRole(bus, *mouse, CollectionRole::command);
    AbortSignal abort;
    CommandReport answer;
    mouse->setLatency(100ms);
    auto t = std::chrono::steady_clock::now();
    ASSERT_EQ(send(*c, link::buildRequest(Command::begin), abort), TransferStatus::completed);
    EXPECT_EQ(receive(*c, answer, abort, 5), TransferStatus::timedOut);
    EXPECT_EQ(receive(*c, answer, abort), TransferStatus::completed);
    EXPECT_GE(since(t), 100ms);
    EXPECT_EQ(answer.command(), 0x01);

    // An answer still on its way survives a discard, like one the device has
    // not sent yet, and arrives after its requester gave up.
    ASSERT_EQ(send(*c, link::buildRequest(Command::end), abort), TransferStatus::completed);
    EXPECT_EQ(receive(*c, answer, abort, 5), TransferStatus::timedOut);
    c->discardPendingInput();
    EXPECT_EQ(receive(*c, answer, abort), TransferStatus::completed);
    EXPECT_EQ(answer.command(), 0x02);

    // Unplugged with an answer on its way: it never comes.
    auto pad = plug(bus, DeviceKind::mousepad, 0);
    auto p = openRole(bus, *pad, CollectionRole::command);
    pad->setLatency(100ms);
    ASSERT_EQ(send(*p, link::buildRequest(Command::readInfo, 0, {}, 31), abort),
              TransferStatus::completed);
    bus.unplug(*pad);
    EXPECT_EQ(receive(*p, answer, abort), TransferStatus::failed);

    mouse->setLatency(1ms);
    t = std::chrono::steady_clock::now();
    for (int i = 0; i < 10; ++i) {
        ASSERT_EQ(send(*c, link::buildRequest(Command::begin), abort), TransferStatus::completed);
        ASSERT_EQ(receive(*c, answer, abort), TransferStatus::completed);
    }
    EXPECT_GE(since(t), 10ms);
}

TEST(VirtualBusFaults, AStalledWriteEndsAtItsLimitOrCompletesAfterTheStall) {
    VirtualBus bus;
    auto pad = plug(bus, DeviceKind::mousepad, 0);
    auto c = openRole(bus, *pad, CollectionRole::command);
    AbortSignal abort;
    pad->setWriteStall(300ms);
    auto t = std::chrono::steady_clock::now();
    EXPECT_EQ(send(*c, link::buildRequest(Command::begin), abort, 20), TransferStatus::timedOut);
    EXPECT_GE(since(t), 19ms);
    EXPECT_LT(since(t), 250ms);
    EXPECT_EQ(pad->requestCount(), 0u);

    t = std::chrono::steady_clock::now();
    EXPECT_EQ(send(*c, link::buildRequest(Command::begin), abort, 1000), TransferStatus::completed);
    EXPECT_GE(since(t), 299ms);
    EXPECT_EQ(pad->requestCount(), 1u);

    std::thread aborter([&] {
        std::this_thread::sleep_for(10ms);
        abort.set();
    });
    EXPECT_EQ(send(*c, link::buildRequest(Command::begin), abort, 1000), TransferStatus::aborted);
    aborter.join();
}

TEST(VirtualBusThreads, AReaderAndAWriterOnDifferentConnectionsRunTogether) {
    VirtualBus bus;
    auto mouse = plug(bus, DeviceKind::mouse, 0);
    auto events = openRole(bus, *mouse, CollectionRole::events, kReadOnly);
    auto command = openRole(bus, *mouse, CollectionRole::command);
    constexpr int kEvents = 200;
    constexpr int kExchanges = 300;
    std::atomic<int> eventsRead{0};
    std::thread reader([&] {
        AbortSignal abort;
        std::array<std::uint8_t, 3> report{};
        std::size_t got = 0;
        while (eventsRead < kEvents &&
               events->readReport(report, 1000, abort, got) == TransferStatus::completed)
            ++eventsRead;
    });
    std::thread emitter([&] {
        for (int i = 0; i < kEvents; ++i) {
            while (i - eventsRead.load() >= 32)  // stay within the connection's ring
                std::this_thread::sleep_for(100us);
            mouse->emitEvent(0x0403);
        }
    });
    std::thread writer([&] {
        AbortSignal abort;
        std::array<std::uint8_t, 60> frame{};
        for (int i = 0; i < kExchanges; ++i) {
            frame[0] = std::uint8_t(i);
            CommandReport answer;
            ASSERT_EQ(send(*command,
                           link::buildRequest(Command::ledFrame, 0, std::span(frame).first(56), 56),
                           abort),
                      TransferStatus::completed);
            ASSERT_EQ(receive(*command, answer, abort), TransferStatus::completed);
            ASSERT_EQ(
                send(*command,
                     link::buildRequest(Command::ledFrame, 56, std::span(frame).subspan(56), 4),
                     abort),
                TransferStatus::completed);
            ASSERT_EQ(receive(*command, answer, abort), TransferStatus::completed);
        }
    });
    std::vector<std::uint8_t> seen;
    for (int i = 0; i < 50; ++i)
        seen = mouse->lastFrame();  // inspection from a third thread
    emitter.join();
    writer.join();
    reader.join();
    EXPECT_EQ(eventsRead.load(), kEvents);
    EXPECT_EQ(mouse->frameCount(), std::uint64_t(kExchanges));
    EXPECT_EQ(mouse->lastFrame()[0], std::uint8_t(kExchanges - 1));
}

}  // namespace
}  // namespace quillon::emu
