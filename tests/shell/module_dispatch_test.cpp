// How feature modules meet: several handlers per message or timer, and
// typed events with several subscribers.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/event_bus.h"
#include "shell/message_router.h"
#include "shell/shell_events.h"

namespace quillon::shell {
namespace {

TEST(MessageRouter, ASecondHandlerForOneMessageRunsTooInTheOrderAdded) {
    MessageRouter router;
    std::vector<std::string> ran;
    router.on(MessageId::powerBroadcast,
              [&](const WindowMessage& m) { ran.push_back("shell " + std::to_string(m.wParam)); });
    router.on(MessageId::powerBroadcast, [&](const WindowMessage& m) {
        ran.push_back("lighting " + std::to_string(m.wParam));
    });
    router.on(MessageId::powerBroadcast, {});  // nothing to call: ignored

    EXPECT_TRUE(router.dispatch({MessageId::powerBroadcast, kPowerSuspend, 0}));
    EXPECT_EQ(ran, (std::vector<std::string>{"shell 4", "lighting 4"}));
    EXPECT_FALSE(router.dispatch({MessageId::languageReload, 0, 0}));
}

TEST(MessageRouter, EveryTimerHandlerRunsAndTimerMessagesReachThem) {
    MessageRouter router;
    int first = 0, second = 0;
    router.onTimer(TimerId::settingsFlush, [&] { ++first; });
    router.onTimer(TimerId::settingsFlush, [&] { ++second; });
    EXPECT_TRUE(router.dispatchTimer(TimerId::settingsFlush));
    EXPECT_TRUE(
        router.dispatch({MessageId::timer, static_cast<std::uint64_t>(TimerId::settingsFlush), 0}));
    EXPECT_EQ(first, 2);
    EXPECT_EQ(second, 2);
    EXPECT_FALSE(router.dispatchTimer(TimerId::relayout));
}

TEST(EventBus, TwoSubscribersOfOneEventBothRunInSubscriptionOrder) {
    EventBus bus;
    std::vector<std::string> ran;
    bus.subscribe<PowerChanged>([&](const PowerChanged& e) {
        ran.push_back(e.state == PowerState::suspending ? "a suspend" : "a resume");
    });
    bus.subscribe<PowerChanged>([&](const PowerChanged&) { ran.push_back("b"); });
    bus.subscribe<ActivationChanged>([&](const ActivationChanged&) { ran.push_back("other"); });

    bus.publish(PowerChanged{PowerState::suspending});
    EXPECT_EQ(ran, (std::vector<std::string>{"a suspend", "b"}));
    EXPECT_EQ(bus.subscriberCount<PowerChanged>(), 2u);
}

TEST(EventBus, EventsPublishedFromASubscriberArriveAtOnceAndLateSubscribersWaitForTheNext) {
    EventBus bus;
    std::vector<std::string> ran;
    bus.subscribe<ActivationChanged>(
        [&](const ActivationChanged& e) { ran.push_back(e.active ? "active" : "inactive"); });
    bus.subscribe<PowerChanged>([&](const PowerChanged&) {
        ran.push_back("power");
        bus.publish(ActivationChanged{false});
        // Subscribing while an event is delivered must not disturb the walk.
        bus.subscribe<PowerChanged>([&](const PowerChanged&) { ran.push_back("late"); });
    });
    bus.subscribe<PowerChanged>([&](const PowerChanged&) { ran.push_back("second"); });

    bus.publish(PowerChanged{PowerState::resumed});
    EXPECT_EQ(ran, (std::vector<std::string>{"power", "inactive", "second"}));
    // Nobody listens: nothing happens.
    EventBus empty;
    empty.publish(PowerChanged{PowerState::resumed});
}

}  // namespace
}  // namespace quillon::shell
