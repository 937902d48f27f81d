// The program's own preferences, driven as the user drives them: the menus,
// the skin window and a restart, over the in-memory skin with the files in a
// scratch folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "emu/virtual_bus.h"
#include "prefs/language_table.h"
#include "prefs/prefs_module.h"
#include "prefs/skin_choice.h"
#include "profiles/temp_folder.h"
#include "shell/queue_event_loop.h"
#include "skin/memory_skin.h"

namespace quillon::prefs {
namespace {

using profiles::testing::readText;
using profiles::testing::TempFolder;
using profiles::testing::writeText;

TEST(LanguageTable, TenRowsEachFoundBackByEveryColumn) {
    ASSERT_EQ(kLanguages.size(), 10u);
    std::set<int> rows;
    for (const Language& l : kLanguages) {
        EXPECT_EQ(languageByValue(l.value), &l);
        EXPECT_EQ(languageByRegistryValue(l.registryValue), &l);
        EXPECT_EQ(languageByComboRow(l.comboRow), &l);
        EXPECT_EQ(languageByShortName(l.shortName), &l);
        rows.insert(l.comboRow);
    }
    EXPECT_EQ(rows.size(), 10u);
    // German is stored as 1049 and Russian as 1031, in both directions.
    EXPECT_EQ(languageByRegistryValue(1049)->file, "lan_de.xml");
    EXPECT_EQ(languageByRegistryValue(1031)->file, "lan_ru.xml");
    EXPECT_EQ(languageByShortName("tw")->file, "lan_sn.xml");
    EXPECT_EQ(languageByValue(10), nullptr);
    EXPECT_EQ(languageByValue(-1), nullptr);
    EXPECT_EQ(languageByRegistryValue(1033), nullptr);
    EXPECT_EQ(kLanguages[7].startupFont.family, "Browallia New");
    EXPECT_TRUE(kLanguages[0].startupFont.family.empty());
}

// Counts toggles and keeps the state in memory.
class FakeAutostart final : public platform::AutostartSetting {
  public:
    bool enabled() const override { return on; }
    bool toggle() override {
        if (!broken)
            on = !on;
        return on;
    }
    bool on = false;
    bool broken = false;  // the system refuses the change
};

struct Preferences : ::testing::Test {
    Preferences()
        : users(root.path() / "Documents", {root.path() / "program"}, root.path() / "overlay",
                root.path() / "config") {
        const auto skinFolder = root.path() / "program" / "skin";
        std::filesystem::create_directories(skinFolder);
        std::filesystem::create_directories(root.path() / "Documents");
        writeText(skinFolder / "lan.xml", "<languages/>");
        writeLanguage("lan_en.xml", "en", "Exit");
        writeLanguage("lan_sn.xml", "cn_tw", "TW-exit");
        writeLanguage("lan_cn.xml", "cn", "CN-exit");
        writeLanguage("lan_th.xml", "th", "TH-exit");
        autostart = std::make_shared<FakeAutostart>();
        start();
    }
    ~Preferences() override { stop(); }

    void writeLanguage(const std::string& file, const std::string& code, const std::string& exit) {
        writeText(
            root.path() / "program" / "skin" / file,
            "<language code=\"" + code + "\"><text key=\"exit\">" + exit + "</text></language>");
    }

    // A run of the program: its start-up reads what the last one left.
    void start() {
        skin = std::make_unique<skin::MemorySkin>();
        skin->at("root");
        app = std::make_unique<shell::Application>(*skin, loop, bus);
        PrefsFrontEnd frontEnd;
        frontEnd.autostart = autostart;
        frontEnd.applyFont = [this](FontTarget target, FontChoice font) {
            fonts.push_back({target, std::string(font.family), font.pointSize});
        };
        frontEnd.exitProgram = [this] { ++exits; };
        frontEnd.makeSkinWindow = [this]() -> std::unique_ptr<SkinWindowShell> {
            return std::make_unique<MemorySkinWindow>(*this);
        };
        module = std::make_unique<PrefsModule>(*app, users, std::move(frontEnd));
        module->install(*app);
        app->windowInit();
    }
    void stop() {
        (void)app->shutdown();
        module.reset();
        app.reset();
    }
    void restart() {
        stop();
        start();
    }

    struct MemorySkinWindow final : SkinWindowShell {
        explicit MemorySkinWindow(Preferences& t) : test(t) {}
        skin::Skin& skin() override { return test.skinWindow; }
        void showBelow(std::string_view anchor) override { test.skinWindowAnchor = anchor; }
        Preferences& test;
    };

    std::filesystem::path mainIni() { return root.path() / "Documents" / "Kv" / "main.ini"; }
    std::filesystem::path store() { return root.path() / "config" / "quillon" / "quillon.ini"; }
    std::string mainIniValue(std::string_view key) {
        return profiles::readIniString(readText(mainIni()), "SKINIMAGE", key);
    }
    std::string storedLanguage() {
        return profiles::readIniString(readText(store()), "Quillon Gaming Software 3.0",
                                       "LANGUAGE");
    }
    std::string background() { return skin->at("root").backgroundImage(); }
    void clickSkinButton() { skin->userClick("skinbtn"); }

    struct Font {
        FontTarget target;
        std::string family;
        int size;
    };

    TempFolder root;
    platform::FixedUserFolders users;
    emu::VirtualBus bus;
    shell::QueueEventLoop loop;
    std::shared_ptr<FakeAutostart> autostart;
    std::unique_ptr<skin::MemorySkin> skin;
    skin::MemorySkin skinWindow;
    std::string skinWindowAnchor;
    std::unique_ptr<shell::Application> app;
    std::unique_ptr<PrefsModule> module;
    std::vector<Font> fonts;
    int exits = 0;
};

TEST_F(Preferences, TheStoredLanguage1049BecomesGermanInMainIniAtStartUp) {
    std::filesystem::create_directories(store().parent_path());
    writeText(store(), "[Quillon Gaming Software 3.0]\nLANGUAGE=1049\n");
    restart();
    EXPECT_EQ(mainIniValue("LANGUAGE"), "4");

    // A number of no row changes nothing; nor does a missing setting.
    writeText(store(), "[Quillon Gaming Software 3.0]\nLANGUAGE=1033\n");
    restart();
    EXPECT_EQ(mainIniValue("LANGUAGE"), "4");
    std::filesystem::remove(store());
    restart();
    EXPECT_EQ(mainIniValue("LANGUAGE"), "4");
}

TEST_F(Preferences, StartUpLoadsTheLanguageOfMainIniWithItsStartUpFont) {
    module->preferences().menuCommand("lan_tw");
    fonts.clear();
    restart();
    EXPECT_EQ(skin->languageCode(), "cn_tw");
    EXPECT_EQ(skin->translate("exit"), "TW-exit");
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].family, "Arial");
    EXPECT_EQ(fonts[0].size, 12);

    // A value outside the table loads nothing.
    std::filesystem::remove(store());
    writeText(mainIni(), "[SKINIMAGE]\nLANGUAGE=12\n");
    restart();
    EXPECT_EQ(skin->languageCode(), "");
}

TEST_F(Preferences, ChoosingLanTwInTheTrayMenuStores2And3030AndLoadsLanSn) {
    skin->queueMenuAnswer("lan_tw");
    (void)app->messages().dispatch({shell::MessageId::trayNotify, 0, 0x0205});
    EXPECT_EQ(mainIniValue("LANGUAGE"), "2");
    EXPECT_EQ(storedLanguage(), "3030");
    EXPECT_EQ(skin->languageCode(), "cn_tw");
    EXPECT_EQ(skin->translate("exit"), "TW-exit");
    EXPECT_TRUE(fonts.empty());  // the tray path changes no font
}

TEST_F(Preferences, ALanguageWhoseFileIsMissingIsNeitherShownNorStored) {
    std::filesystem::remove(root.path() / "program" / "skin" / "lan_cn.xml");
    module->preferences().menuCommand("lan_tw");
    module->preferences().menuCommand("lan_cn");
    EXPECT_EQ(skin->languageCode(), "cn_tw");
    EXPECT_EQ(mainIniValue("LANGUAGE"), "2");
    EXPECT_EQ(storedLanguage(), "3030");
}

TEST_F(Preferences, TheSettingsWindowsRowAppliesItsFontAndAsksForATextReload) {
    EXPECT_EQ(module->preferences().applyFromSettings(7), LanguageChange::applied);  // Thai
    EXPECT_EQ(mainIniValue("LANGUAGE"), "7");
    EXPECT_EQ(storedLanguage(), "1054");
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].target, FontTarget::settingsWindow);
    EXPECT_EQ(fonts[0].family, "Browallia New");
    // Simplified Chinese takes the settings window's own code.
    EXPECT_EQ(module->preferences().applyFromSettings(0), LanguageChange::applied);
    EXPECT_EQ(skin->languageCode(), "cn");
    EXPECT_EQ(module->preferences().applyFromSettings(10), LanguageChange::unknown);
    skin->at("t").setTextKey("exit");
    loop.runPending();  // message 0x1000 reloads the main window's texts
    EXPECT_EQ(skin->at("t").text(), "CN-exit");
}

TEST_F(Preferences, FontsFollowTheDisplayScaling) {
    module->preferences().menuCommand("lan_tw");
    restart();
    fonts.clear();
    (void)app->messages().dispatch({shell::MessageId::dpiChanged, 144, 0});
    EXPECT_EQ(module->preferences().scaling(), 150);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].size, 18);  // Arial 12 at 150 %
    skin->at("dpi_btn").setUserData("200");
    skin->userClick("dpi_btn");
    EXPECT_EQ(fonts.back().size, 24);
}

TEST_F(Preferences, TwoAutostartTogglesLeaveTheStateAsItWasAndTheItemSaysWhatItWillDo) {
    auto itemKey = [&] {
        skin->queueMenuAnswer(std::nullopt);
        module->preferences().openTrayMenu();
        const auto& added = skin->menus().back().added;
        EXPECT_EQ(added.size(), 2u);
        EXPECT_EQ(added[0].first, "exit");
        EXPECT_EQ(added[1].first, "ON_or_OFF");
        return added[1].second;
    };
    EXPECT_EQ(itemKey(), "startup_on");
    module->preferences().menuCommand("ON_or_OFF");
    EXPECT_TRUE(autostart->on);
    EXPECT_EQ(itemKey(), "startup_off");
    module->preferences().menuCommand("power_off");
    EXPECT_FALSE(autostart->on);
    EXPECT_FALSE(module->preferences().autostartEnabled());
    // A change the system refused is shown as what the system holds.
    autostart->broken = true;
    EXPECT_FALSE(module->preferences().toggleAutostart());
    EXPECT_EQ(itemKey(), "startup_on");
    // The settings menu carries its own item, anchored at its button.
    skin->queueMenuAnswer(std::nullopt);
    skin->raise({skin::NotifyType::menu, "setbtn", -1, 0});
    ASSERT_FALSE(skin->menus().empty());
    EXPECT_EQ(skin->menus().back().resource, "setmenu.xml");
    EXPECT_EQ(skin->menus().back().added.front().first, "power_off");
}

TEST_F(Preferences, MenuItemsReachTheirCommands) {
    module->preferences().menuCommand("qianting");
    module->preferences().menuCommand("Menu_Import");
    EXPECT_TRUE(skin->messages().empty());
    module->preferences().menuCommand("exit");
    EXPECT_EQ(exits, 1);
    module->preferences().menuCommand("about_text");
    ASSERT_EQ(skin->messages().size(), 1u);
    EXPECT_EQ(skin->messages()[0].key, "about_text");
    // `menubtn` opens the tray menu's resource without the program's items.
    skin->queueMenuAnswer("exit");
    skin->userClick("menubtn");
    EXPECT_EQ(skin->menus().back().resource, "menu.xml");
    EXPECT_TRUE(skin->menus().back().added.empty());
    EXPECT_EQ(exits, 2);
}

TEST_F(Preferences, AColourLastsOnlyThisRunAStockImageSurvivesARestart) {
    clickSkinButton();
    EXPECT_EQ(skinWindowAnchor, "skinbtn");
    skinWindow.at("skin_image_btn_2").setBackgroundImage("common/violet.png");
    skinWindow.at("skin_color_btn_1").setBackgroundColour(0xFF0F2A36);

    skinWindow.userClick("skin_color_btn_1");
    EXPECT_EQ(skin->at("root").backgroundColour(), 0xFF0F2A36u);
    EXPECT_EQ(background(), "");
    restart();
    EXPECT_EQ(skin->at("root").backgroundColour(), 0u);

    clickSkinButton();
    skinWindow.userClick("skin_image_btn_2");
    EXPECT_EQ(background(), "common/violet.png");
    EXPECT_EQ(mainIniValue("FLAGS"), "1");
    restart();
    EXPECT_EQ(background(), "common/violet.png");

    // The colour page and the image page of the window's tab.
    clickSkinButton();
    skinWindow.userClick("skin_color");
    EXPECT_EQ(skinWindow.at("skin_tab").currentPage(), 1);
    skinWindow.userClick("skin_image");
    EXPECT_EQ(skinWindow.at("skin_tab").currentPage(), 0);
}

TEST_F(Preferences, CancellingTheOwnPictureKeepsTheBackgroundAndResetRestoresTheDefault) {
    clickSkinButton();
    skinWindow.at("skin_image_btn_0").setBackgroundImage("common/ocean.png");
    skinWindow.userClick("skin_image_btn_0");
    skinWindow.queueFileAnswer(std::nullopt);
    skinWindow.userClick("skin_Custom");
    EXPECT_EQ(background(), "common/ocean.png");
    ASSERT_EQ(skinWindow.fileDialogs().size(), 1u);
    EXPECT_EQ(skinWindow.fileDialogs()[0].request.defaultExtension, "png");

    // A picture of one's own is shown, not kept.
    skinWindow.queueFileAnswer(std::filesystem::path("/home/u/me.png"));
    skinWindow.userClick("skin_Custom");
    EXPECT_EQ(background(), "/home/u/me.png");
    EXPECT_EQ(mainIniValue("IMAGE"), "common/ocean.png");

    skinWindow.userClick("skin_reset");
    EXPECT_EQ(background(), "common/background.png");
    EXPECT_EQ(mainIniValue("FLAGS"), "0");
    EXPECT_EQ(mainIniValue("IMAGE"), "common/background.png");
    restart();
    EXPECT_EQ(background(), "");  // FLAGS 0: the skin's own background
}

TEST_F(Preferences, ATrayClickShowsOrHidesTheWindowOnlyWhileADeviceIsAttached) {
    auto leftClick = [&] {
        (void)app->messages().dispatch({shell::MessageId::trayNotify, 0, 0x0202});
    };
    skin->windowCommand(skin::WindowCommand::show);
    leftClick();
    EXPECT_FALSE(skin->windowVisible());
    ASSERT_EQ(skin->messages().size(), 1u);
    EXPECT_EQ(skin->messages()[0].key, "message_text_1");
    EXPECT_FALSE(loop.timerActive(shell::TimerId::relayout));

    app->link(link::DeviceKind::mouse).connected = 1;
    leftClick();
    EXPECT_TRUE(skin->windowVisible());
    EXPECT_EQ(skin->windowCommands().back(), skin::WindowCommand::bringToFront);
    EXPECT_TRUE(loop.timerActive(shell::TimerId::relayout));
    leftClick();
    EXPECT_FALSE(skin->windowVisible());
    // A minimised window is brought back, and so is one hidden while minimised.
    skin->windowCommand(skin::WindowCommand::minimise);
    leftClick();
    EXPECT_TRUE(skin->windowVisible());
    skin->windowCommand(skin::WindowCommand::minimise);
    skin->windowCommand(skin::WindowCommand::hide);
    leftClick();
    EXPECT_TRUE(skin->windowVisible());
    EXPECT_EQ(skin->messages().size(), 1u);
}

TEST_F(Preferences, TheMenuCommandMessageRunsTheItemItsIdNames) {
    auto command = [&](std::string_view item) {
        const auto id = menuIdOfItem(item);
        ASSERT_TRUE(id.has_value()) << item;
        EXPECT_EQ(menuItemOfId(*id), item);
        (void)app->messages().dispatch({shell::MessageId::menuCommand, *id, 0});
    };
    command("lan_tw");
    EXPECT_EQ(skin->languageCode(), "cn_tw");
    EXPECT_EQ(mainIniValue("LANGUAGE"), "2");
    command("ON_or_OFF");
    EXPECT_TRUE(autostart->on);
    command("Menu_Import");
    command("exit");
    EXPECT_EQ(exits, 1);
    // Ids of no item do nothing at all.
    (void)app->messages().dispatch({shell::MessageId::menuCommand, 0, 0});
    (void)app->messages().dispatch({shell::MessageId::menuCommand, 99, 0});
    EXPECT_TRUE(skin->messages().empty());
    EXPECT_EQ(menuIdOfItem("no_such_item"), std::nullopt);
}

}  // namespace
}  // namespace quillon::prefs
