#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "shell/queue_event_loop.h"

namespace quillon::shell {
namespace {

using namespace std::chrono_literals;
using Clock = QueueEventLoop::Clock;

// A loop pumped by hand under a clock the test moves.
class ManualLoop : public ::testing::Test {
  protected:
    ManualLoop() : loop([this] { return now; }) {
        loop.setTimerHandler([this](TimerId id) { fired.push_back(id); });
    }
    void advance(std::chrono::milliseconds d) {
        now += d;
        loop.runPending();
    }

    Clock::time_point now{};
    QueueEventLoop loop;
    std::vector<TimerId> fired;
};

TEST_F(ManualLoop, TwoStartsWithinTheIntervalFireOnce) {
    loop.startTimer(TimerId::mouseSettingsReread, kMouseRereadDelay, TimerMode::once);
    advance(30ms);
    loop.startTimer(TimerId::mouseSettingsReread, kMouseRereadDelay, TimerMode::once);
    advance(30ms);  // 60 ms after the first start, 30 after the second
    EXPECT_TRUE(fired.empty());
    advance(20ms);
    advance(500ms);
    EXPECT_EQ(fired, (std::vector<TimerId>{TimerId::mouseSettingsReread}));
    EXPECT_FALSE(loop.timerActive(TimerId::mouseSettingsReread));
}

TEST_F(ManualLoop, RepeatingTimerFiresEachIntervalUntilStopped) {
    loop.startTimer(TimerId::settingsFlush, kSettingsFlushInterval, TimerMode::repeating);
    for (int i = 0; i < 3; ++i) {
        advance(1000ms);
    }
    loop.stopTimer(TimerId::settingsFlush);
    advance(5000ms);
    EXPECT_EQ(fired.size(), 3u);
}

TEST_F(ManualLoop, WorkThatRestartsADueTimerReplacesTheDueFiring) {
    loop.startTimer(TimerId::relayout, 10ms, TimerMode::once);
    now += 20ms;
    loop.post([this] { loop.startTimer(TimerId::relayout, 100ms, TimerMode::once); });
    loop.runPending();
    EXPECT_TRUE(fired.empty());
    advance(100ms);
    EXPECT_EQ(fired.size(), 1u);
}

TEST_F(ManualLoop, PostedWorkRunsInOrderOnThePump) {
    std::vector<int> order;
    loop.post([&] { order.push_back(1); });
    loop.post([&] {
        order.push_back(2);
        loop.post([&] { order.push_back(3); });
    });
    EXPECT_TRUE(order.empty());
    loop.runPending();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST(ThreadedLoop, SendAndWaitRunsOnTheLoopThreadAndReturnsAfterIt) {
    QueueEventLoop loop;
    std::thread gui([&] { loop.run(); });
    std::atomic<bool> onLoop{false};
    int value = 0;
    EXPECT_TRUE(loop.sendAndWait([&] {
        onLoop = loop.isLoopThread();
        value = 42;
    }));
    EXPECT_TRUE(onLoop);
    EXPECT_EQ(value, 42);
    loop.quit();
    gui.join();
    EXPECT_FALSE(loop.post([] {}));
    EXPECT_FALSE(loop.sendAndWait([] {}));
}

TEST(ThreadedLoop, TimersFireOnTheLoopThread) {
    QueueEventLoop loop;
    std::atomic<int> fired{0};
    loop.setTimerHandler([&](TimerId) { ++fired; });
    std::thread gui([&] { loop.run(); });
    loop.startTimer(TimerId::relayout, 10ms, TimerMode::once);
    const auto deadline = Clock::now() + 2s;
    while (fired == 0 && Clock::now() < deadline) {
        std::this_thread::sleep_for(1ms);
    }
    loop.quit();
    gui.join();
    EXPECT_EQ(fired, 1);
}

TEST(ThreadedLoop, ASenderGivesUpWhenItsStopIsRequestedWhileTheLoopIsBusy) {
    // The GUI thread is stuck (in shutdown, waiting for this very worker):
    // the worker's send must end with its stop signal, without running.
    QueueEventLoop loop;
    link::StopSignal stop;
    std::atomic<bool> ran{false};
    std::atomic<bool> result{true};
    std::thread worker([&] { result = loop.sendAndWait([&] { ran = true; }, &stop); });
    std::this_thread::sleep_for(20ms);
    const auto before = Clock::now();
    stop.request();
    worker.join();
    EXPECT_LT(Clock::now() - before, 500ms);
    EXPECT_FALSE(result);
    loop.runPending();  // the abandoned call never runs later
    EXPECT_FALSE(ran);
}

TEST(ThreadedLoop, QuittingReleasesSendersOfDroppedWork) {
    QueueEventLoop loop;
    std::atomic<bool> result{true};
    std::thread worker([&] { result = loop.sendAndWait([] {}); });
    std::this_thread::sleep_for(20ms);
    loop.quit();
    worker.join();
    EXPECT_FALSE(result);
}

}  // namespace
}  // namespace quillon::shell
