// `quillonctl status` over the virtual bus.

#include "attach/status_cli.h"

#include <gtest/gtest.h>

#include <sstream>

#include "emu/virtual_bus.h"
#include "link/protocol.h"

namespace quillon::attach::testing {
namespace {

struct StatusFixture : ::testing::Test {
    int run(std::vector<std::string> args = {}) {
        cli::Context ctx{bus, nullptr, true, out, err};
        return showStatus(ctx, args);
    }
    emu::VirtualBus bus;
    std::ostringstream out, err;
};

TEST_F(StatusFixture, ListsEveryKindWithItsModelFirmwareAndActiveSlot) {
    auto membrane = bus.plug(0x6523);
    bus.plug(0x764D);
    EXPECT_EQ(run(), 0);
    const std::string text = out.str();
    char firmware[32];
    std::snprintf(firmware, sizeof firmware, "firmware %04x", membrane->attributes().versionNumber);
    EXPECT_NE(text.find("keyboard Membrane keyboard with lighting regions (6523, variant 2), "),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(firmware), std::string::npos) << text;
    EXPECT_NE(text.find("(764d, model 2)"), std::string::npos) << text;
    EXPECT_NE(text.find(", active slot 0\n"), std::string::npos) << text;
    EXPECT_NE(text.find("mousepad not attached\n"), std::string::npos) << text;
}

TEST_F(StatusFixture, ReadsWithoutWritingAndFailsWhenNothingIsAttached) {
    EXPECT_EQ(run(), 1);
    auto pad = bus.plug(0x5104);
    EXPECT_EQ(run(), 0);
    for (const link::CommandReport& r : pad->requests())
        EXPECT_EQ(r.command(), static_cast<std::uint8_t>(link::CMD_READ_SETTINGS));
    EXPECT_EQ(run({"extra"}), 2);
}

TEST_F(StatusFixture, TheQueryTellsTheUpdateWindowsPresenceCodes) {
    bus.plug(0x6656);
    bus.plug(0x6556);
    EXPECT_EQ(queryStatus(bus, link::DeviceKind::mouse).presentCode, 0);  // model 1 counts as none
    const DeviceStatus kb = queryStatus(bus, link::DeviceKind::keyboard);
    EXPECT_EQ(kb.presentCode, 2);
    EXPECT_EQ(kb.keyCount, 104);
}

}  // namespace
}  // namespace quillon::attach::testing
