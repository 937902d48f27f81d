#include "prefs/prefs_module.h"

#include <charconv>
#include <system_error>

#include "prefs/skin_choice.h"
#include "profiles/profile_folders.h"
#include "shell/timer_ids.h"

namespace quillon::prefs {

namespace {

using skin::NotifyType;

constexpr std::string_view kSkinButton = "skinbtn";
constexpr std::string_view kSettingsButton = "setbtn";
constexpr std::string_view kMenuButton = "menubtn";
constexpr std::string_view kScalingButton = "dpi_btn";
// The mouse messages of a tray notification.
constexpr std::int64_t kLeftButtonUp = 0x0202;
constexpr std::int64_t kRightButtonUp = 0x0205;
constexpr int kBaseDpi = 96;

// Without an autostart entry to keep: always off.
class NoAutostart final : public platform::AutostartSetting {
  public:
    bool enabled() const override { return false; }
    bool toggle() override { return false; }
};

}  // namespace

PreferencePaths preferencePathsOf(const platform::UserFolders& folders) {
    const std::filesystem::path configFolder = folders.configFolder();
    const profiles::ProfileFolders data(folders);
    const auto dataFolder = data.dataFolder();
    return {
        dataFolder.empty() ? std::filesystem::path() : dataFolder / kMainIniName,
        configFolder.empty() ? std::filesystem::path() : configFolder / "quillon" / "quillon.ini"};
}

std::filesystem::path languageFolderOf(const platform::UserFolders& folders) {
    const auto candidates = folders.programDataFolders();
    for (const auto& folder : candidates) {
        std::error_code ec;
        if (std::filesystem::exists(folder / "skin" / "lan.xml", ec))
            return folder / "skin";
    }
    return candidates.empty() ? std::filesystem::path("skin") : candidates.front() / "skin";
}

PrefsModule::PrefsModule(shell::Application& app, const platform::UserFolders& folders,
                         PrefsFrontEnd frontEnd)
    : app_(app),
      frontEnd_(std::move(frontEnd)),
      files_(ini_, preferencePathsOf(folders)),
      autostart_(frontEnd_.autostart ? frontEnd_.autostart : std::make_shared<NoAutostart>()),
      preferences_({app.skin(), files_, *autostart_, languageFolderOf(folders), frontEnd_.applyFont,
                    frontEnd_.exitProgram, [&app] {
                        (void)app.postMessage({shell::MessageId::languageReload, 0, 0});
                    }}) {}

void PrefsModule::install(shell::Application& app) {
    app.addStartupStep(shell::StartupPhase::beforeLinks, [this] {
        const SkinImage stored = files_.skinImage();
        if (stored.chosen)
            applySkinChoice(app_.skin(), {false, 0, stored.image});
    });
    app.addStartupStep(shell::StartupPhase::beforeWorkers,
                       [this] { preferences_.copyStoredLanguage(); });
    app.addStartupStep(shell::StartupPhase::afterWorkers,
                       [this] { preferences_.loadStartupLanguage(); });

    shell::NotificationRouter& routes = app.notifications();
    // The skin window opens, then the click routes go on.
    routes.addFirst(
        NotifyType::click, kSkinButton,
        [this](const skin::Notification&, int) { openSkinWindow(); }, shell::Flow::continues);
    routes.addName(NotifyType::menu, kSettingsButton, [this](const skin::Notification&, int) {
        preferences_.openSettingsMenu(kSettingsButton);
    });
    routes.addName(NotifyType::click, kMenuButton, [this](const skin::Notification&, int) {
        if (const auto chosen = app_.skin().showMenu(kTrayMenu, {}))
            preferences_.menuCommand(*chosen);
    });
    routes.addName(NotifyType::click, kScalingButton, [this](const skin::Notification&, int) {
        const skin::Control* button = app_.skin().find(kScalingButton);
        const std::string data = button != nullptr ? button->userData() : std::string();
        int percent = 0;
        if (std::from_chars(data.data(), data.data() + data.size(), percent).ec == std::errc())
            preferences_.setScaling(percent);
        app_.skin().windowCommand(skin::WindowCommand::relayout);
    });

    shell::MessageRouter& messages = app.messages();
    messages.on(shell::MessageId::trayNotify, [this](const shell::WindowMessage& m) {
        if (m.lParam == kLeftButtonUp)
            trayLeftClick();
        else if (m.lParam == kRightButtonUp)
            preferences_.openTrayMenu();
    });
    messages.on(shell::MessageId::menuCommand,
                [this](const shell::WindowMessage& m) { preferences_.menuCommand(m.wParam); });
    messages.on(shell::MessageId::dpiChanged, [this](const shell::WindowMessage& m) {
        const int dpi = int(m.wParam & 0xFFFF);
        if (dpi > 0)
            preferences_.setScaling((dpi * 100 + kBaseDpi / 2) / kBaseDpi);
        app_.skin().windowCommand(skin::WindowCommand::relayout);
    });

    app.events().subscribe<SkinChosen>(
        [this](const SkinChosen& choice) { applySkinChoice(app_.skin(), choice); });
}

void PrefsModule::trayLeftClick() {
    skin::Skin& skin = app_.skin();
    if (!app_.anyDeviceConnected()) {
        skin.windowCommand(skin::WindowCommand::hide);
        app_.showNoDeviceMessage();  // not again while it is open
        return;
    }
    // A minimised window, and one hidden while minimised, is brought back.
    if (skin.windowVisible() && !skin.windowMinimised()) {
        skin.windowCommand(skin::WindowCommand::hide);
        return;
    }
    skin.windowCommand(skin::WindowCommand::restore);
    skin.windowCommand(skin::WindowCommand::bringToFront);
    app_.loop().startTimer(shell::TimerId::relayout, shell::kRelayoutAfterTrayClick,
                           shell::TimerMode::once);
}

void PrefsModule::openSkinWindow() {
    if (!skinWindow_) {
        if (!frontEnd_.makeSkinWindow)
            return;
        auto shell = frontEnd_.makeSkinWindow();
        if (!shell)
            return;
        skinWindow_ = std::make_unique<SkinWindow>(std::move(shell), files_, app_.events());
    }
    skinWindow_->open(kSkinButton);
}

}  // namespace quillon::prefs
