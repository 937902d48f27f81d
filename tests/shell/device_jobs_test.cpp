// The device-jobs worker: jobs leave the GUI thread, run in order, a full
// queue refuses more, and a stop ends the worker even with jobs waiting.

#include "shell/device_jobs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace quillon::shell {
namespace {

using namespace std::chrono_literals;

TEST(DeviceJobs, RunOnTheWorkerInTheOrderTheyCameAndAFullQueueRefuses) {
    DeviceJobs jobs;
    link::StopSignal stop;
    std::atomic<bool> release{false};
    std::atomic<bool> started{false};
    std::mutex m;
    std::vector<int> ran;
    std::thread::id worker;
    // The first job holds the worker until the queue has been filled.
    ASSERT_TRUE(jobs.post([&] {
        worker = std::this_thread::get_id();
        started = true;
        while (!release)
            std::this_thread::sleep_for(1ms);
    }));
    std::thread runner([&] { jobs.run(stop); });
    while (!started)
        std::this_thread::sleep_for(1ms);
    int accepted = 0;
    for (int i = 0; i < 100; ++i) {
        if (jobs.post([&, i] {
                std::lock_guard g(m);
                ran.push_back(i);
            }))
            ++accepted;
    }
    EXPECT_EQ(accepted, static_cast<int>(DeviceJobs::kMaxQueued));
    release = true;
    const auto until = std::chrono::steady_clock::now() + 3s;
    while (std::chrono::steady_clock::now() < until) {
        std::lock_guard g(m);
        if (ran.size() == DeviceJobs::kMaxQueued)
            break;
    }
    stop.request();
    runner.join();
    EXPECT_NE(worker, std::this_thread::get_id());
    ASSERT_EQ(ran.size(), DeviceJobs::kMaxQueued);
    for (std::size_t i = 0; i < ran.size(); ++i)
        EXPECT_EQ(ran[i], static_cast<int>(i));
}

TEST(DeviceJobs, AStopEndsTheWorkerBetweenJobs) {
    DeviceJobs jobs;
    link::StopSignal stop;
    std::atomic<int> ran{0};
    ASSERT_TRUE(jobs.post([&] {
        ++ran;
        stop.request();
    }));
    ASSERT_TRUE(jobs.post([&] { ++ran; }));
    jobs.run(stop);  // returns on the stop the first job asked for
    EXPECT_EQ(ran, 1);
}

}  // namespace
}  // namespace quillon::shell
