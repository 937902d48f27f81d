#include "emu/input_queue.h"

#include <gtest/gtest.h>

#include <array>

namespace quillon::emu {
namespace {

TEST(InputQueue, KeepsOrderAcrossTheWrapAndDropsNewReportsWhenFull) {
    InputQueue q;
    const auto now = Clock::now();
    std::array<std::uint8_t, 64> out{};
    for (int round = 0; round < 3; ++round) {
        for (std::size_t i = 0; i < InputQueue::kCapacity; ++i) {
            const std::uint8_t report[2] = {std::uint8_t(round), std::uint8_t(i)};
            ASSERT_TRUE(q.push(report, now));
        }
        const std::uint8_t extra[2] = {0xEE, 0xEE};
        EXPECT_FALSE(q.push(extra, now));
        for (std::size_t i = 0; i < InputQueue::kCapacity; ++i) {
            ASSERT_EQ(q.popDue(now, out), 2u);
            EXPECT_EQ(out[0], round);
            EXPECT_EQ(out[1], i);
        }
        EXPECT_FALSE(q.popDue(now, out));
    }
    EXPECT_EQ(q.dropped(), 3u);
}

TEST(InputQueue, AReportWaitsForItsTimeAndLaterOnesQueueBehindIt) {
    InputQueue q;
    const auto now = Clock::now();
    const std::uint8_t a[1] = {1};
    const std::uint8_t b[1] = {2};
    q.push(a, now + std::chrono::milliseconds(10));
    q.push(b, now);  // the latency was lowered meanwhile: still after the first
    std::array<std::uint8_t, 64> out{};
    EXPECT_FALSE(q.popDue(now, out));
    EXPECT_EQ(q.firstDue(), now + std::chrono::milliseconds(10));
    const auto later = now + std::chrono::milliseconds(10);
    ASSERT_EQ(q.popDue(later, out), 1u);
    EXPECT_EQ(out[0], 1);
    ASSERT_EQ(q.popDue(later, out), 1u);
    EXPECT_EQ(out[0], 2);
}

}  // namespace
}  // namespace quillon::emu
