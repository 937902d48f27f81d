#include "shell/worker_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

namespace quillon::shell {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(WorkerSet, StartsEightThenTheFlushTimerThenTheRestAndEveryBodyRuns) {
    WorkerSet set;
    std::mutex m;
    std::vector<int> ran;
    for (std::size_t i = 0; i < WORKER_COUNT; ++i) {
        set.setBody(static_cast<Worker>(i), [&](const WorkerContext& ctx) {
            {
                std::lock_guard lock(m);
                ran.push_back(static_cast<int>(ctx.worker));
            }
            (void)ctx.stop.waitFor(10s);
        });
    }
    std::vector<bool> runningAtFlush;
    set.start([&] {
        for (std::size_t i = 0; i < WORKER_COUNT; ++i) {
            runningAtFlush.push_back(set.running(static_cast<Worker>(i)));
        }
    });
    EXPECT_EQ(runningAtFlush,
              (std::vector<bool>{true, true, true, true, true, true, true, true, true, false, false,
                                 false, false, false, false, false}));
    const StopReport report = set.stop();
    EXPECT_EQ(report.stillRunning, 0u);
    std::sort(ran.begin(), ran.end());
    EXPECT_EQ(ran, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
}

TEST(WorkerSet, BetweenGroupsRunsAfterWorkerEightStartedAndBeforeWorkerNine) {
    WorkerSet set;
    std::atomic<bool> eightStarted{false};
    std::atomic<bool> nineStarted{false};
    set.setBody(Worker::syncLighting, [&](const WorkerContext& ctx) {
        eightStarted = true;
        (void)ctx.stop.waitFor(10s);
    });
    set.setBody(Worker::keyboardLightingAppLink, [&](const WorkerContext& ctx) {
        nineStarted = true;
        (void)ctx.stop.waitFor(10s);
    });
    bool nineRunningAtFlush = true;
    set.start([&] {
        EXPECT_TRUE(set.running(Worker::syncLighting));
        nineRunningAtFlush = set.running(Worker::keyboardLightingAppLink);
    });
    EXPECT_FALSE(nineRunningAtFlush);
    (void)set.stop();
    EXPECT_TRUE(eightStarted);
    EXPECT_TRUE(nineStarted);
}

TEST(WorkerSet, AWorkerBlockedInAWaitEndsWithinAboutOneSecond) {
    WorkerSet set;
    set.setBody(Worker::mouseEvents, [](const WorkerContext& ctx) {
        while (!ctx.stop.requested()) {
            (void)ctx.stop.waitFor(1h);
        }
    });
    set.setBody(Worker::startupVersionCheck, [](const WorkerContext&) {});  // runs once and ends
    set.start();
    std::this_thread::sleep_for(20ms);
    const auto before = Clock::now();
    const StopReport report = set.stop();
    EXPECT_LT(Clock::now() - before, 1s);
    EXPECT_EQ(report.stillRunning, 0u);
    EXPECT_EQ(report.waits, 1u);
    EXPECT_FALSE(set.running(Worker::mouseEvents));
}

TEST(WorkerSet, AStopRequestedDuringAStartDelayIsNotLost) {
    WorkerSet set;
    std::atomic<bool> sawStop{false};
    set.setBody(Worker::keyboardAttach, [&](const WorkerContext& ctx) {
        std::this_thread::sleep_for(50ms);  // still starting when the stop comes
        sawStop = ctx.stop.waitFor(10s) == link::StopSignal::Wake::stop;
    });
    set.start();
    const auto before = Clock::now();
    (void)set.stop();
    EXPECT_LT(Clock::now() - before, 1s);
    EXPECT_TRUE(sawStop);
}

// What a stubborn worker works on: owned by its body, so by its thread.
struct StubbornState {
    std::atomic<int> ticks{0};
    std::atomic<bool> release{false};
    std::atomic<bool> ended{false};
    std::vector<int> scratch = std::vector<int>(64);  // heap memory ASan would catch
};

TEST(WorkerSet, AWorkerIgnoringItsStopIsLetGoWithinTheWaitAndKeepsWhatItUses) {
    auto state = std::make_shared<StubbornState>();
    const auto asked = std::chrono::steady_clock::now();
    {
        WorkerSet set;
        set.setBody(
            Worker::mouseLighting,
            [state](const WorkerContext&) {
                while (!state->release) {
                    state->scratch[static_cast<std::size_t>(state->ticks % 64)] += 1;
                    ++state->ticks;
                    std::this_thread::sleep_for(1ms);
                }
                state->ended = true;
            },
            "stubborn worker ended");
        set.setBody(Worker::keyboardAttach,
                    [](const WorkerContext& w) { (void)w.stop.waitFor(10s); });
        set.start();
        const StopReport report = set.stop(50ms, 3);
        EXPECT_EQ(report.waits, 3u);
        EXPECT_EQ(report.stillRunning, 1u);
        EXPECT_EQ(set.abandoned(), 1u);
        EXPECT_FALSE(set.running(Worker::keyboardAttach));
        EXPECT_TRUE(set.running(Worker::mouseLighting));
    }  // the set is gone; its destructor did not wait for the worker
    EXPECT_LT(std::chrono::steady_clock::now() - asked, 1s);

    // The worker goes on with its own state and its slot (exit line included).
    const int before = state->ticks;
    const auto until = std::chrono::steady_clock::now() + 2s;
    while (state->ticks < before + 5 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(1ms);
    EXPECT_GE(state->ticks, before + 5);
    state->release = true;
    while (!state->ended && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(1ms);
    EXPECT_TRUE(state->ended);
}

TEST(WorkerSet, DestroyingASetThatWasNeverStoppedWaitsAboutOneSecondAtMost) {
    auto state = std::make_shared<StubbornState>();
    const auto asked = std::chrono::steady_clock::now();
    {
        WorkerSet set;
        set.setBody(Worker::syncLighting, [state](const WorkerContext&) {
            while (!state->release)
                std::this_thread::sleep_for(1ms);
            state->ended = true;
        });
        set.start();
    }
    const auto took = std::chrono::steady_clock::now() - asked;
    EXPECT_GE(took, 900ms);
    EXPECT_LT(took, 1500ms);
    state->release = true;
    const auto until = std::chrono::steady_clock::now() + 2s;
    while (!state->ended && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(1ms);
    EXPECT_TRUE(state->ended);
}

}  // namespace
}  // namespace quillon::shell
