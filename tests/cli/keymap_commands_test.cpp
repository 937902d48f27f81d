// quillonctl keymap show and keymap set over the virtual bus and a fresh account.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/command_line.h"
#include "emu/virtual_bus.h"
#include "keys/key_map.h"
#include "profiles/profile_fixture.h"

namespace quillon::cli {
namespace {

struct KeymapCommands : ::testing::Test {
    emu::VirtualBus bus;
    profiles::testing::FreshAccount account;
    std::ostringstream out, err;

    int run(std::vector<std::string> words) {
        out.str("");
        err.str("");
        const Environment env{out, err, account.users,
                              [this](bool) -> platform::HidBackend& { return bus; },
                              [] { return false; }};
        return runCommandLine(words, env);
    }
    static keys::KeyAssignment slotOf(const emu::EmulatedDevice& device, int map, std::size_t key) {
        return device.inspect([&](const emu::FirmwareModel& fw) {
            const auto bytes = fw.keymapSlot(std::size_t(map));
            return keys::KeyAssignment{bytes[3 * key], bytes[3 * key + 1], bytes[3 * key + 2]};
        });
    }
};

constexpr std::size_t kSlotOfA = 58;

TEST_F(KeymapCommands, SetWritesTheDeviceSlotAndTheSelectedKeyProfileAndShowReadsItBack) {
    auto keyboard = bus.plug(0x8611);
    ASSERT_EQ(run({"profiles", "list"}), 0) << err.str();  // the first run makes the key profile
    ASSERT_EQ(run({"keymap", "set", "keyboard", "--slot", "0", "--key", "a", "--to",
                   "hscroll:right,5,2,3"}),
              0)
        << err.str();
    EXPECT_EQ(slotOf(*keyboard, 0, kSlotOfA), (keys::KeyAssignment{0x11, 0x23, 0x85}));
    std::ifstream file(account.kv() / "kb" / "New Profile 1.pro", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), {});
    ASSERT_EQ(bytes.size(), 528u);
    EXPECT_EQ(std::uint8_t(bytes[16 + 3 * kSlotOfA + 2]), 0x85);

    ASSERT_EQ(run({"keymap", "show", "keyboard"}), 0) << err.str();
    EXPECT_NE(out.str().find("\n58  A → Scroll right  (hscroll:right,5,2,3)\n"), std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("\n57  Caps Lock\n"), std::string::npos) << out.str();

    // Another onboard slot is the device's alone; the profile keeps slot 0's map.
    ASSERT_EQ(
        run({"keymap", "set", "keyboard", "--slot", "3", "--position", "0", "--to", "key:LCtrl+C"}),
        0)
        << err.str();
    EXPECT_EQ(slotOf(*keyboard, 3, 0), (keys::KeyAssignment{0x20, 0x01, 0x06}));
    EXPECT_EQ(slotOf(*keyboard, 0, 0), (keys::KeyAssignment{0x20, 0x00, 0x29}));
    ASSERT_EQ(
        run({"keymap", "set", "keyboard", "--slot", "3", "--position", "0", "--to", "default"}), 0);
    EXPECT_EQ(slotOf(*keyboard, 3, 0), (keys::KeyAssignment{0x20, 0x00, 0x29}));
}

TEST_F(KeymapCommands, SetRefusesWhatTheEditorRefuses) {
    auto keyboard = bus.plug(0x8611);
    auto mouse = bus.plug(0x5523);
    // The mechanical keyboard has no extra ISO key at position 102.
    EXPECT_EQ(
        run({"keymap", "set", "keyboard", "--slot", "0", "--position", "102", "--to", "dpi:up"}),
        1);
    EXPECT_EQ(
        run({"keymap", "set", "mouse", "--slot", "0", "--key", "left", "--to", "mouse:right"}), 1);
    EXPECT_NE(err.str().find("only left button"), std::string::npos) << err.str();
    EXPECT_EQ(slotOf(*mouse, 0, 0), (keys::KeyAssignment{0x10, 0x01, 0x00}));
    // A second left button makes the first one free.
    ASSERT_EQ(run({"keymap", "set", "mouse", "--slot", "0", "--key", "back", "--to", "mouse:left"}),
              0)
        << err.str();
    EXPECT_EQ(run({"keymap", "set", "mouse", "--slot", "0", "--key", "left", "--to", "gun:2"}), 0);
    EXPECT_EQ(slotOf(*mouse, 0, 0), (keys::KeyAssignment{0x72, 0x01, 0x00}));

    EXPECT_EQ(run({"keymap", "set", "keyboard", "--slot", "0", "--key", "A", "--to", "gun:1"}), 2);
    EXPECT_EQ(run({"keymap", "set", "keyboard", "--slot", "0", "--key", "A", "--to", "fly:far"}),
              2);
    EXPECT_EQ(run({"keymap", "set", "keyboard", "--slot", "0", "--to", "dpi:up"}), 2);
    EXPECT_EQ(run({"keymap", "set", "keyboard", "--slot", "5", "--key", "A", "--to", "dpi:up"}), 2);
    EXPECT_EQ(slotOf(*keyboard, 0, kSlotOfA), (keys::KeyAssignment{0x20, 0x00, 0x04}));

    keyboard->dropAnswersUntilCleared();
    EXPECT_EQ(run({"keymap", "set", "keyboard", "--slot", "0", "--key", "A", "--to", "dpi:up"}), 1);
}

}  // namespace
}  // namespace quillon::cli
