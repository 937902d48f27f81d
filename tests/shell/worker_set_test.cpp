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

TEST(WorkerSet, AWorkerThatOverrunsIsReportedAndStillJoined) {
    std::atomic<bool> release{false};
    {
        WorkerSet set;
        set.setBody(Worker::mouseLighting, [&](const WorkerContext&) {
            while (!release) {
                std::this_thread::sleep_for(1ms);
            }
        });
        set.start();
        const StopReport report = set.stop(20ms, 3);
        EXPECT_EQ(report.waits, 3u);
        EXPECT_EQ(report.stillRunning, 1u);
        release = true;
    }  // the destructor joins it
}

}  // namespace
}  // namespace quillon::shell
