#include "prefs/preferences.h"

#include <array>

#include "platform/debug_output.h"

namespace quillon::prefs {

namespace {

constexpr std::string_view kExitItem = "exit";
constexpr std::string_view kTrayAutostartItem = "ON_or_OFF";
constexpr std::string_view kSettingsAutostartItem = "power_off";

std::string_view autostartTextKey(bool enabled) {
    return enabled ? "startup_off" : "startup_on";
}

constexpr std::array<std::string_view, 9> kMenuItems{"lan_en",   "lan_cn",      "lan_tw",
                                                     "exit",     "ON_or_OFF",   "power_off",
                                                     "qianting", "Menu_Import", "Menu_Export"};

bool isInertItem(std::string_view item) {
    return item == "qianting" || item == "Menu_Import" || item == "Menu_Export";
}

}  // namespace

std::optional<std::string_view> menuItemOfId(std::uint64_t id) {
    if (id == 0 || id > kMenuItems.size())
        return std::nullopt;
    return kMenuItems[id - 1];
}

std::optional<std::uint64_t> menuIdOfItem(std::string_view item) {
    for (std::size_t i = 0; i < kMenuItems.size(); ++i) {
        if (kMenuItems[i] == item)
            return i + 1;
    }
    return std::nullopt;
}

Preferences::Preferences(PreferencesParts parts) : parts_(std::move(parts)) {}

void Preferences::copyStoredLanguage() {
    const std::optional<int> stored = parts_.files.storedLanguage();
    if (!stored) {
        platform::debugOutput("读注册表失败了");
        return;
    }
    if (const Language* language = languageByRegistryValue(*stored))
        (void)parts_.files.setLanguageValue(language->value);  // the file keeps its old value
}

void Preferences::loadStartupLanguage() {
    autostartEnabled_ = parts_.autostart.enabled();
    const Language* language = languageByValue(parts_.files.languageValue());
    if (language == nullptr)
        return;  // a value outside the table loads nothing
    startupLanguage_ = language;
    if (!parts_.skin.loadLanguage(language->code, parts_.languageFolder / language->file))
        return;
    if (parts_.applyFont && !language->startupFont.family.empty())
        parts_.applyFont(FontTarget::mainWindow, scaled(language->startupFont));
    parts_.skin.reloadTexts();
}

LanguageChange Preferences::apply(const Language& language, std::string_view code, bool store) {
    // A language that cannot be shown is not stored either: the next start
    // would otherwise come up in a language without texts.
    if (!parts_.skin.loadLanguage(code, parts_.languageFolder / language.file))
        return LanguageChange::notLoaded;
    LanguageChange result = LanguageChange::applied;
    if (store) {
        if (!profiles::succeeded(parts_.files.setLanguageValue(language.value)))
            result = LanguageChange::notStored;
        if (profiles::succeeded(parts_.files.setStoredLanguage(language.registryValue)))
            platform::debugOutput("写成功！");
        else
            result = LanguageChange::notStored;
    }
    return result;
}

LanguageChange Preferences::applyFromMenu(const Language& language) {
    const LanguageChange result = apply(language, language.code, true);
    if (result != LanguageChange::notLoaded) {
        parts_.skin.reloadTexts();
        parts_.skin.windowCommand(skin::WindowCommand::relayout);
    }
    return result;
}

LanguageChange Preferences::applyFromSettings(int comboRow) {
    const Language* language = languageByComboRow(comboRow);
    if (language == nullptr)
        return LanguageChange::unknown;
    const LanguageChange result = apply(*language, language->settingsCode, true);
    if (result == LanguageChange::notLoaded)
        return result;
    if (parts_.applyFont)
        parts_.applyFont(FontTarget::settingsWindow, scaled(language->settingsFont));
    if (parts_.requestTextReload)
        parts_.requestTextReload();
    return result;
}

bool Preferences::toggleAutostart() {
    autostartEnabled_ = parts_.autostart.toggle();
    return autostartEnabled_;
}

std::vector<skin::MenuItem> Preferences::trayMenuItems() const {
    return {{kExitItem, "exit"}, {kTrayAutostartItem, autostartTextKey(autostartEnabled_)}};
}

std::vector<skin::MenuItem> Preferences::settingsMenuItems() const {
    return {{kSettingsAutostartItem, autostartTextKey(autostartEnabled_)}};
}

void Preferences::openTrayMenu() {
    // quillonctl or the desktop's settings may have changed it meanwhile.
    autostartEnabled_ = parts_.autostart.enabled();
    const auto items = trayMenuItems();
    if (const auto chosen = parts_.skin.showMenu(kTrayMenu, {}, items))
        menuCommand(*chosen);
}

void Preferences::openSettingsMenu(std::string_view anchor) {
    autostartEnabled_ = parts_.autostart.enabled();
    const auto items = settingsMenuItems();
    if (const auto chosen = parts_.skin.showMenu(kSettingsMenu, anchor, items))
        menuCommand(*chosen);
}

void Preferences::menuCommand(std::string_view item) {
    if (const Language* language = languageByMenuItem(item)) {
        (void)applyFromMenu(*language);  // a language without its file stays unchosen
    } else if (isInertItem(item)) {
        // these items do nothing
    } else if (item == kExitItem) {
        if (parts_.exitProgram)
            parts_.exitProgram();
    } else if (item == kTrayAutostartItem || item == kSettingsAutostartItem) {
        (void)toggleAutostart();
    } else {
        (void)parts_.skin.showMessage(item);
    }
}

void Preferences::menuCommand(std::uint64_t id) {
    // An id of no item is dropped: it names no text to show either.
    if (const auto item = menuItemOfId(id))
        menuCommand(*item);
}

void Preferences::setScaling(int percent) {
    if (percent <= 0 || percent == scalePercent_)
        return;
    scalePercent_ = percent;
    if (parts_.applyFont && startupLanguage_ != nullptr &&
        !startupLanguage_->startupFont.family.empty())
        parts_.applyFont(FontTarget::mainWindow, scaled(startupLanguage_->startupFont));
}

FontChoice Preferences::scaled(FontChoice font) const {
    font.pointSize = (font.pointSize * scalePercent_ + 50) / 100;
    return font;
}

}  // namespace quillon::prefs
