// The movement-pattern page over the pattern files of a fresh account and an
// emulated mouse: choosing shots, editing them, writing the table to the
// mouse, importing, and taking what the mouse sent back.

#include "keys/pattern_view.h"

#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <thread>

#include "emu/virtual_bus.h"
#include "keys/macro_store.h"
#include "keys/pattern_shot.h"
#include "link/protocol.h"
#include "profiles/profile_fixture.h"
#include "shell/queue_event_loop.h"

namespace quillon::keys {
namespace {

struct PatternRig {
    PatternRig() {
        MacroStore macros(account.folders, account.ini, kMouseMacroStore);
        EXPECT_EQ(macros.preparePatterns(
                      [this](std::string_view name) { return account.folders.programFile(name); }),
                  MacroStoreResult::ok);
        device = bus.plug(*emu::catalogueProduct(link::DeviceKind::mouse, 0));
        link.setMatch(link::DeviceKind::mouse);
        link.hid.devicePath = device->commandCollection().hidInterface;
        link.hid.openForRead = link.hid.openForWrite = link.hid.openOverlapped = true;
        if (link.hid.open())
            link.connected = 1;
        skin().setNotificationSink([this](const skin::Notification& n) { router.route(n); });
        view.install(router, events);
    }
    skin::MemorySkin& skin() { return account.skin; }
    PatternList pattern(int k) {
        PatternList actions;
        EXPECT_EQ(store.read(k, actions), PatternFileResult::ok);
        return actions;
    }
    // Runs the device jobs the view queued on a worker, then what they
    // handed back to the GUI thread. Once per test.
    void runJobs() {
        std::promise<void> done;
        ASSERT_TRUE(jobs.post([&done] { done.set_value(); }));
        std::thread worker([this] { jobs.run(stop); });
        done.get_future().wait_for(std::chrono::seconds(10));
        stop.request();
        worker.join();
        loop.runPending();
    }

    profiles::testing::FreshAccount account;
    emu::VirtualBus bus;
    std::shared_ptr<emu::EmulatedDevice> device;
    link::DeviceLink link{bus};
    shell::DeviceJobs jobs;
    link::StopSignal stop;
    shell::QueueEventLoop loop;
    shell::NotificationRouter router;
    shell::EventBus events;
    PatternStore store{account.folders, account.ini};
    PatternView view{{account.skin, store, link, jobs, loop}};
};

TEST(PatternView, ChoosingAShotShowsItAndPreviousNextStopAtTheEnds) {
    PatternRig rig;
    rig.skin().userCheck("ms_gun_op_1", true);
    EXPECT_EQ(rig.view.pattern(), 1);
    EXPECT_EQ(rig.view.shot(), 0);
    EXPECT_TRUE(rig.skin().at("cursor_edit_layout").isEnabled());
    EXPECT_EQ(rig.skin().at("bullet_select_index").text(), "1");
    EXPECT_EQ(rig.skin().at("ms_cursor_delay_eidt").text(), "100");  // the factory pause

    rig.skin().userClick("bullet_selected_prev");
    EXPECT_EQ(rig.view.shot(), 0);
    rig.skin().userCheck("ms_bullet_op_29", true);
    EXPECT_EQ(rig.skin().at("bullet_select_index").text(), "30");
    rig.skin().userClick("bullet_selected_next");
    EXPECT_EQ(rig.view.shot(), 29);
    rig.skin().userClick("bullet_selected_prev");
    EXPECT_EQ(rig.view.shot(), 28);
    EXPECT_TRUE(rig.skin().at("ms_bullet_op_28").isChecked());
}

// As a skin does it: the click first, then the option is selected unless it was.
void clickShot(skin::MemorySkin& skin, int s) {
    const std::string name = "ms_bullet_op_" + std::to_string(s);
    const bool was = skin.at(name).isChecked();
    skin.userClick(name);
    if (!was)
        skin.userCheck(name, true);
}

TEST(PatternView, AClickOnTheSelectedShotDeselectsItAndTheNextSelectsIt) {
    PatternRig rig;
    for (int s = 0; s < kPatternShots; ++s)
        rig.skin().at("ms_bullet_op_" + std::to_string(s)).setGroup("shots");
    rig.skin().userCheck("ms_gun_op_0", true);
    clickShot(rig.skin(), 3);
    EXPECT_EQ(rig.view.shot(), 3);
    EXPECT_TRUE(rig.skin().at("cursor_edit_layout").isEnabled());

    clickShot(rig.skin(), 3);
    EXPECT_FALSE(rig.skin().at("ms_bullet_op_3").isChecked());
    EXPECT_FALSE(rig.skin().at("cursor_edit_layout").isEnabled());

    clickShot(rig.skin(), 3);
    EXPECT_TRUE(rig.skin().at("ms_bullet_op_3").isChecked());
    EXPECT_TRUE(rig.skin().at("cursor_edit_layout").isEnabled());

    // Another shot is chosen, not deselected.
    clickShot(rig.skin(), 7);
    EXPECT_EQ(rig.view.shot(), 7);
    EXPECT_FALSE(rig.skin().at("ms_bullet_op_3").isChecked());
    EXPECT_TRUE(rig.skin().at("cursor_edit_layout").isEnabled());
    EXPECT_EQ(rig.skin().at("bullet_select_index").text(), "8");
}

TEST(PatternView, EditingAShotStoresItInThePatternFile) {
    PatternRig rig;
    rig.skin().userCheck("ms_gun_op_2", true);
    rig.skin().userCheck("ms_bullet_op_5", true);
    rig.skin().userType("ms_cursor_delay_eidt", "125");
    rig.skin().userType("ms_cursor_x_eidt", "3");
    rig.skin().userCheck("ms_cursor_x_check", true);
    rig.skin().userType("ms_cursor_y_eidt", "700");
    EXPECT_EQ(rig.skin().at("ms_cursor_y_eidt").text(), "255");
    EXPECT_EQ(rig.skin().at("ms_cursor_x_check").textKey(), "mouse_move_to_left_text");

    const PatternList actions = rig.pattern(2);
    ASSERT_EQ(actions.size(), 180u);
    EXPECT_EQ(actions[33].pauseUnits(), 12);
    EXPECT_EQ(formatMacroAction(actions[34]), "0,0,132,3,1,mouse_move_to_left_text");
    EXPECT_EQ(formatMacroAction(actions[35]), "0,0,5,255,0,mouse_move_to_down_text");
    // The other patterns are untouched.
    EXPECT_EQ(rig.pattern(1)[35].code, 4);

    rig.skin().userCheck("ms_bullet_op_6", true);
    rig.skin().userCheck("ms_bullet_op_5", true);
    EXPECT_EQ(rig.skin().at("ms_cursor_delay_eidt").text(), "120");
}

TEST(PatternView, SavingWritesTheTableFramedByBeginAndEnd) {
    PatternRig rig;
    rig.device->clearRequestLog();
    rig.skin().userClick("ms_bulletdate_save_btn");
    rig.runJobs();
    const auto sent = rig.device->requests();
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent.front().command(), std::uint8_t(link::Command::begin));
    EXPECT_EQ(sent.back().command(), std::uint8_t(link::Command::end));
    const auto memory = rig.device->inspect([](const emu::FirmwareModel& fw) {
        const auto m = fw.patternMemory();
        return std::vector<std::uint8_t>(m.begin(), m.begin() + 2920);
    });
    std::vector<PatternList> files;
    for (int k = 0; k < 4; ++k)
        files.push_back(rig.pattern(k));
    EXPECT_EQ(memory, buildPatternImage(files).image);
    EXPECT_TRUE(rig.skin().messages().empty());
}

TEST(PatternView, AFailedWriteIsToldNotTakenForDone) {
    PatternRig rig;
    rig.bus.unplug(*rig.device);
    rig.skin().userClick("ms_bulletdate_save_btn");
    rig.runJobs();
    ASSERT_EQ(rig.skin().messages().size(), 1u);
    EXPECT_EQ(rig.skin().messages()[0].key, "message_text_19");
}

TEST(PatternView, ReadBackReplacesTheFilesOnlyWithAGoodImage) {
    PatternRig rig;
    std::vector<PatternList> sent(4, rig.pattern(3));
    sent[0][5].code = 77;
    link::MovementPatternsRead read;
    read.image = buildPatternImage(sent).image;
    auto bad = read;
    bad.image[4] = 9;  // nine patterns
    rig.events.publish(bad);
    EXPECT_NE(rig.pattern(0)[5].code, 77);

    rig.view.patternsRead(read);
    EXPECT_EQ(rig.pattern(0)[5].code, 77);
    EXPECT_EQ(rig.pattern(0)[5].name, "mouse_move_to_down_text");
    EXPECT_EQ(rig.view.pattern(), 0);
}

TEST(PatternView, ImportTakesAPatternFileOfAtMost180Actions) {
    PatternRig rig;
    rig.skin().userCheck("ms_gun_op_1", true);
    const auto tooLong = rig.account.root.path() / "long.cur";
    std::ofstream(tooLong) << "[MACROACTIONCOUNT]\ncount=181\n[MACROACTION]\n0=0,0,4,1,0,x\n";
    rig.skin().queueFileAnswer(tooLong);
    const PatternList before = rig.pattern(1);
    rig.skin().userClick("ms_bulletdate_import_btn");
    ASSERT_EQ(rig.skin().messages().size(), 1u);
    EXPECT_EQ(rig.skin().messages()[0].key, "message_text_18");
    EXPECT_EQ(rig.pattern(1), before);

    const auto exported = rig.account.root.path() / "out.txt";
    rig.skin().queueFileAnswer(exported);
    rig.skin().userCheck("ms_gun_op_0", true);
    rig.skin().userClick("ms_bulletdate_export_btn");
    rig.skin().userCheck("ms_gun_op_1", true);
    rig.skin().queueFileAnswer(exported);
    rig.skin().userClick("ms_bulletdate_import_btn");
    EXPECT_EQ(rig.pattern(1), rig.pattern(0));
    EXPECT_EQ(rig.skin().messages().size(), 1u);
}

}  // namespace
}  // namespace quillon::keys
