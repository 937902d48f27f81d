// The main of every test program that plugs emulated devices: a request that
// breaks the protocol fails the test that sent it, unless the test took it
// from its bus (VirtualBus::takeViolations) because it meant to send it.

#include <gtest/gtest.h>

#include "emu/protocol_violation.h"

namespace {

void failTheRunningTest(std::span<const quillon::emu::ProtocolViolation> violations,
                        std::size_t notKept) {
    for (const quillon::emu::ProtocolViolation& v : violations)
        ADD_FAILURE() << "protocol violation: " << quillon::emu::describe(v);
    if (notKept != 0)
        ADD_FAILURE() << notKept << " more protocol violations";
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    quillon::emu::setUnclaimedViolationHandler(&failTheRunningTest);
    return RUN_ALL_TESTS();
}
