// Key assignment in the whole program: the editor's map reaches the emulated
// devices' key-map slots exactly, in the chunks the devices take, and a write
// that fails is told to the user.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/program_services.h"
#include "emu/virtual_bus.h"
#include "link/protocol.h"
#include "profiles/temp_folder.h"
#include "shell/queue_event_loop.h"
#include "skin/memory_skin.h"

namespace quillon::app {
namespace {

using namespace std::chrono_literals;
using link::DeviceKind;

struct KeyAssignment : ::testing::Test {
    KeyAssignment()
        : users(root.path() / "Documents", {root.path() / "program"}, root.path() / "overlay"),
          app(skin, loop, bus) {
        std::filesystem::create_directories(root.path() / "Documents");
        std::filesystem::copy(platform::buildTreeProgramDataFolder(), root.path() / "program");
        services = std::make_unique<ProgramServices>(app, bus, users);
        skin.setNotificationSink([this](const skin::Notification& n) { app.notify(n); });
        skin.at("setting_progress").setVisible(false);
        skin.at("kb_macro_tab_saveorcancel").setVisible(false);
        skin.at("ms_macro_tab_saveorcancel").setVisible(false);
        app.windowInit();
    }
    ~KeyAssignment() override {
        services->stop();
        (void)app.shutdown();
    }

    template <class F>
    bool pumpUntil(F done, std::chrono::milliseconds limit = 5000ms) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            loop.runPending();
            if (done())
                return true;
            std::this_thread::sleep_for(1ms);
        }
        return done();
    }
    // The key-map writes the device received since its log was cleared.
    static std::vector<link::CommandReport> keymapWrites(const emu::EmulatedDevice& device) {
        std::vector<link::CommandReport> writes;
        for (const link::CommandReport& r : device.requests())
            if (r.command() == std::uint8_t(link::Command::writeKeymapSlot))
                writes.push_back(r);
        return writes;
    }
    std::shared_ptr<emu::EmulatedDevice> plug(DeviceKind kind) {
        auto device = bus.plug(*emu::catalogueProduct(kind, 0));
        // The key profile selected at attach goes to slot 0.
        EXPECT_TRUE(pumpUntil([&] {
            return skin.windowVisible() && !keymapWrites(*device).empty();
        })) << "the selected key profile was not written to the device";
        pumpUntil([] { return false; }, 200ms);
        device->clearRequestLog();
        return device;
    }
    bool progressHidden() { return !skin.at("setting_progress").isVisible(); }
    bool saveAndWait(DeviceKind kind) {
        skin.userClick(kind == DeviceKind::mouse ? "ms_key_butt_prosave" : "kb_key_butt_prosave");
        loop.runPending();
        // The indicator is hidden a second after the write.
        return pumpUntil([&] { return progressHidden(); }, 4000ms);
    }

    profiles::testing::TempFolder root;
    platform::FixedUserFolders users;
    emu::VirtualBus bus;
    shell::QueueEventLoop loop;
    skin::MemorySkin skin;
    shell::Application app;
    std::unique_ptr<ProgramServices> services;
};

TEST_F(KeyAssignment, ASavedKeyboardMapIsWhatTheEditorShowedInFiveChunksAndOneOf32) {
    auto keyboard = plug(DeviceKind::keyboard);
    skin.userClick("kb_key_64");                // A
    skin.userSelectRow("kb_key_fct_combo", 3);  // horizontal scroll
    skin.userType("kb_key_fct_edit_17", "2");
    skin.userType("kb_key_fct_edit_20", "3");
    skin.userSelectRow("kb_key_fct_combo_12", 1);
    skin.userType("kb_key_fct_edit_15", "5");
    ASSERT_TRUE(saveAndWait(DeviceKind::keyboard));
    for (const auto& m : skin.messages())
        ADD_FAILURE() << "message " << m.key;

    const auto writes = keymapWrites(*keyboard);
    ASSERT_EQ(writes.size(), 6u);
    for (std::size_t i = 0; i < writes.size(); ++i) {
        EXPECT_EQ(writes[i].offset(), 56 * i);
        EXPECT_EQ(writes[i].bytes[4], i < 5 ? 56 : 32);
    }
    const keys::KeyMap shown = services->attach().stores().read(
        [](const attach::StoredData& d) { return d.keyboard.slotKeyMaps[0]; });
    EXPECT_EQ(keys::assignmentAt(shown, 58), (keys::KeyAssignment{keys::FN_HSCROLL, 0x23, 0x85}));
    std::array<std::uint8_t, 512> readBack{};
    link::DeviceLink& link = app.link(DeviceKind::keyboard);
    ASSERT_TRUE(link::succeeded(link::begin(link)));
    ASSERT_TRUE(link::succeeded(link::readKeymapSlot(link, readBack, 0)));
    ASSERT_TRUE(link::succeeded(link::end(link)));
    EXPECT_TRUE(std::equal(readBack.begin(), readBack.begin() + 312, shown.begin()));
}

TEST_F(KeyAssignment, TheMouseMapGoesToTheActiveSlotIn56And56And14) {
    auto mouse = plug(DeviceKind::mouse);
    services->lightingEngine().settings.edit(
        [](lighting::LightingRecords& r) { r.mouse.slot = 3; });
    skin.userClick("ms_key_4");
    skin.userSelectRow("ms_key_fct_combo", 3);  // vertical scroll
    skin.userSelectRow("ms_key_fct_combo_13", 1);
    skin.userType("ms_key_fct_edit_16", "3");
    ASSERT_TRUE(saveAndWait(DeviceKind::mouse));

    const auto writes = keymapWrites(*mouse);
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[0].offset(), 378);
    EXPECT_EQ(writes[2].offset(), 378 + 112);
    EXPECT_EQ(writes[2].bytes[4], 14);
    for (const link::CommandReport& r : mouse->requests())
        EXPECT_NE(r.command(), std::uint8_t(link::Command::writeMacros))
            << "no macros, no macro table";
    const auto slot3 = mouse->inspect([](const emu::FirmwareModel& fw) {
        return keys::assignmentAt(
            [&] {
                keys::KeyMap m{};
                std::copy(fw.keymapSlot(3).begin(), fw.keymapSlot(3).end(), m.begin());
                return m;
            }(),
            4);
    });
    EXPECT_EQ(slot3, (keys::KeyAssignment{keys::FN_VSCROLL, 0x00, 0xFD}));
}

TEST_F(KeyAssignment, ASaveTheDeviceDoesNotTakeIsToldAndStops) {
    auto keyboard = plug(DeviceKind::keyboard);
    skin.userClick("kb_key_64");
    skin.userSelectRow("kb_key_fct_combo", 5);  // DPI
    skin.userSelectRow("kb_key_fct_combo_14", 0);
    keyboard->answerWithStatus(3, 0xFF);  // Begin, the first chunk, then an error
    ASSERT_TRUE(saveAndWait(DeviceKind::keyboard));
    ASSERT_EQ(skin.messages().size(), 1u);
    EXPECT_EQ(skin.messages()[0].key, "message_text_19");
    EXPECT_EQ(keymapWrites(*keyboard).size(), 2u) << "stopped at the failed chunk";
}

}  // namespace
}  // namespace quillon::app
