// The profile panel and the application-link watchers as the window runs
// them: buttons and check boxes through the in-memory skin, the foreground
// program played by the test, the GUI thread by the test's pump.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "profiles/profile_events.h"
#include "profiles/profile_operations.h"
#include "program_rig.h"

namespace quillon::app {
namespace {

using namespace std::chrono_literals;
using profiles::ProfileListId;
using testing::Clock;

class PlayedForeground final : public platform::ForegroundProgram {
  public:
    bool available() const override { return true; }
    std::string executable() override {
        ++asked;
        return program;
    }
    std::string program = "/usr/bin/desktop";
    int asked = 0;
};

struct Panel : ::testing::Test {
    Panel() {
        rig.app.events().subscribe<profiles::ProfileLoaded>(
            [this](const profiles::ProfileLoaded& e) { loaded.push_back(e.list); });
        rig.app.windowInit();
    }

    template <class F>
    bool pumpUntil(F done, std::chrono::milliseconds limit = 5000ms) {
        return rig.pumpUntil(done, limit);
    }
    profiles::ProfileIndex index(ProfileListId list) { return services.profileStore().index(list); }
    std::vector<std::string> rows(std::string_view combo) {
        std::vector<std::string> texts;
        auto& c = skin.at(combo);
        for (int i = 0; i < c.rowCount(); ++i)
            texts.push_back(c.row(i)->userData);
        return texts;
    }
    // Two more keyboard key profiles, the second linked to the game.
    void linkSecondKeyProfile() {
        skin.userClick("kb_pro_key_add_btn");
        skin.userClick("kb_pro_key_add_btn");
        skin.queueFileAnswer(std::filesystem::path("/opt/games/arena"));
        skin.userCheck("kb_key_profile_link_check", true);
        skin.userSelectRow("kb_key_profile_combo", 0);
        loaded.clear();
    }

    PlayedForeground foreground;
    testing::ProgramRig rig{&foreground};
    skin::MemorySkin& skin = rig.skin;
    ProgramServices& services = *rig.services;
    std::vector<ProfileListId> loaded;
};

TEST_F(Panel, ButtonsChangeRowsIndexAndSelectionTogether) {
    skin.userClick("mp_pro_deng_add_btn");
    skin.userClick("mp_pro_deng_copy_btn");
    EXPECT_EQ(rows("mp_deng_profile_combo"),
              (std::vector<std::string>{"New Profile 1", "New Profile 2", "New Profile 2 copy"}));
    EXPECT_EQ(skin.at("mp_deng_profile_combo").currentRow(), 2);
    EXPECT_EQ(index(ProfileListId::mousepadLighting).select(), 2);
    EXPECT_EQ(loaded.size(), 2u);

    skin.userSelectRow("mp_deng_profile_combo", 0);
    skin.queueMessageAnswer(0);  // "delete?" - no
    skin.userClick("mp_pro_deng_sub_btn");
    EXPECT_EQ(rows("mp_deng_profile_combo").size(), 3u);
    skin.userClick("mp_pro_deng_sub_btn");
    EXPECT_EQ(rows("mp_deng_profile_combo"),
              (std::vector<std::string>{"New Profile 2", "New Profile 2 copy"}));
    EXPECT_EQ(skin.at("mp_deng_profile_combo").currentRow(), 0);

    skin.at("mp_deng_profile_name_edit").setText("new profile 2 COPY");
    skin.userClick("mp_deng_profile_edit_save_btn");
    EXPECT_EQ(skin.messages().back().key, "message_text_15");
    skin.at("mp_deng_profile_name_edit").setText("Arena");
    const auto before = loaded.size();
    skin.userClick("mp_deng_profile_edit_save_btn");
    EXPECT_EQ(rows("mp_deng_profile_combo")[0], "Arena");
    EXPECT_EQ(loaded.size(), before);  // a rename loads nothing
}

TEST_F(Panel, ImportAsksForAFileAndLoadsItAndResetAppliesTheDefault) {
    const auto file = rig.root.path() / "other.led";
    ASSERT_EQ(
        profiles::exportProfile(services.profileStore(), ProfileListId::mousepadLighting, 0, file)
            .result,
        profiles::ProfileOpResult::ok);
    skin.userSelectRow("mp_deng_profile_combo", 0);
    loaded.clear();
    skin.queueFileAnswer(file);
    skin.userClick("mp_pro_deng_import_btn");
    ASSERT_EQ(skin.fileDialogs().size(), 1u);
    EXPECT_EQ(skin.fileDialogs()[0].request.filter, "(*.led) | *.led |(*.*)|*.*||");
    EXPECT_EQ(loaded, std::vector{ProfileListId::mousepadLighting});

    skin.userClick("mp_pro_deng_import_btn");  // cancelled: nothing
    EXPECT_EQ(loaded.size(), 1u);
    skin.userClick("mp_pro_deng_reset_btn");
    EXPECT_EQ(loaded.size(), 2u);
}

TEST_F(Panel, TheLinkCheckBoxRefusesAProgramTheListAlreadyFollows) {
    linkSecondKeyProfile();
    EXPECT_TRUE(index(ProfileListId::keyboardKeys).linked(2));
    skin.userSelectRow("kb_key_profile_combo", 1);
    skin.queueFileAnswer(std::filesystem::path("/opt/games/ARENA"));
    skin.userCheck("kb_key_profile_link_check", true);
    EXPECT_EQ(skin.messages().back().key, "message_text_13");
    EXPECT_FALSE(skin.at("kb_key_profile_link_check").isChecked());
    EXPECT_FALSE(index(ProfileListId::keyboardKeys).linked(1));
    EXPECT_TRUE(index(ProfileListId::keyboardKeys).linked(2));
}

TEST_F(Panel, AListWithoutLinksRunsNoWatcher) {
    pumpUntil([] { return false; }, 400ms);
    EXPECT_EQ(foreground.asked, 0);
    for (const profiles::ProfileList& list : profiles::kProfileLists)
        EXPECT_FALSE(services.linkWatchers().running(list.id));
}

TEST_F(Panel, TheKeyWatcherFollowsTheLinkedProgramAndGivesTheUsersProfileBack) {
    linkSecondKeyProfile();
    ASSERT_TRUE(services.linkWatchers().running(ProfileListId::keyboardKeys));
    auto& combo = skin.at("kb_key_profile_combo");

    foreground.program = "/opt/games/arena";
    const auto start = Clock::now();
    ASSERT_TRUE(pumpUntil([&] { return combo.currentRow() == 2; }));
    EXPECT_LT(Clock::now() - start, 700ms);
    EXPECT_EQ(loaded, std::vector{ProfileListId::keyboardKeys});
    // The shown profile is the one edits are saved into.
    EXPECT_EQ(index(ProfileListId::keyboardKeys).select(), 2);

    // Still in front: no reload.
    pumpUntil([] { return false; }, 700ms);
    EXPECT_EQ(loaded.size(), 1u);

    foreground.program = "/usr/bin/editor";
    ASSERT_TRUE(pumpUntil([&] { return combo.currentRow() == 0; }));
    EXPECT_EQ(index(ProfileListId::keyboardKeys).select(), 0);
    EXPECT_EQ(loaded.size(), 2u);
}

TEST_F(Panel, AProfileTheUserPicksWhileLinkedStaysWhenTheProgramLeaves) {
    linkSecondKeyProfile();
    auto& combo = skin.at("kb_key_profile_combo");
    foreground.program = "/opt/games/arena";
    ASSERT_TRUE(pumpUntil([&] { return combo.currentRow() == 2; }));
    skin.userSelectRow("kb_key_profile_combo", 1);
    foreground.program = "/usr/bin/editor";
    pumpUntil([] { return false; }, 700ms);
    EXPECT_EQ(combo.currentRow(), 1);
    EXPECT_EQ(index(ProfileListId::keyboardKeys).select(), 1);
}

TEST_F(Panel, AnEditWhileALinkedProfileIsShownIsSavedIntoThatProfile) {
    skin.userClick("mp_pro_deng_add_btn");
    skin.queueFileAnswer(std::filesystem::path("/opt/games/arena"));
    skin.userCheck("mp_deng_profile_link_check", true);
    skin.userSelectRow("mp_deng_profile_combo", 0);
    const auto stored = [&](std::string_view name) {
        return profiles::testing::readBytes(
            index(ProfileListId::mousepadLighting).contentPath(name));
    };
    const auto own = stored("New Profile 1");

    foreground.program = "/opt/games/arena";
    ASSERT_TRUE(pumpUntil([&] { return skin.at("mp_deng_profile_combo").currentRow() == 1; }));
    services.lightingEngine().settings.edit([](auto& r) { r.mousepad.lighting.mode = 3; });
    ASSERT_TRUE(services.attach().saveLightingProfile(link::DeviceKind::mousepad));
    EXPECT_EQ(stored("New Profile 2").at(profiles::kProfileHeaderSize + 1), 3);
    EXPECT_EQ(stored("New Profile 1"), own);
}

}  // namespace
}  // namespace quillon::app
