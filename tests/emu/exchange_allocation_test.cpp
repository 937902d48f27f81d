// An exchange against the emulator allocates nothing, so the link's benchmark
// can show zero allocations per frame. Counts operator new on this thread.

#include <gtest/gtest.h>

#include "emu/virtual_bus.h"
#include "link/command_report.h"
#include "support/allocation_counter.h"

namespace quillon::emu {
namespace {

TEST(ExchangeAllocations, StreamingKeyboardFramesAllocatesNothing) {
    VirtualBus bus;
    auto kb = bus.plug(*catalogueProduct(link::DeviceKind::keyboard, 0));
    auto c = bus.open(kb->commandCollection().hidInterface, {true, true, true, false});
    platform::AbortSignal abort;
    std::array<std::uint8_t, 378> frame{};
    link::CommandReport request;
    link::CommandReport answer;
    auto sendFrame = [&] {
        bool ok = true;
        for (std::size_t p = 0; p < frame.size(); p += 56) {
            const auto n = std::uint8_t(std::min<std::size_t>(56, frame.size() - p));
            request.bytes.fill(0);
            request.setHeader(link::CMD_LED_FRAME, n, std::uint16_t(p));
            std::copy_n(frame.begin() + std::ptrdiff_t(p), n, request.payload().begin());
            link::sealChecksum(request);
            std::size_t moved = 0;
            c->discardPendingInput();
            ok = ok && c->writeReport(request.bytes, 1000, abort, moved) ==
                           platform::TransferStatus::completed;
            ok = ok && c->readReport(answer.bytes, 300, abort, moved) ==
                           platform::TransferStatus::completed;
        }
        return ok;
    };
    ASSERT_TRUE(sendFrame());
    const std::size_t before = quillon::testing::allocationsOnThisThread;
    bool ok = true;
    for (int i = 0; i < 200; ++i)
        ok = sendFrame() && ok;
    const std::size_t allocations = quillon::testing::allocationsOnThisThread - before;
    ASSERT_TRUE(ok);
    EXPECT_EQ(allocations, 0u);
    EXPECT_EQ(kb->frameCount(), 201u);
}

}  // namespace
}  // namespace quillon::emu
