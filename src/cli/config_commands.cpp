// config show, config set language, config set autostart: the program's own
// preferences, written as the window's menus write them.

#include <filesystem>
#include <memory>
#include <system_error>

#include "cli/command_groups.h"
#include "platform/autostart_entry.h"
#include "prefs/language_table.h"
#include "prefs/prefs_module.h"
#include "skin/language_file.h"

namespace quillon::cli {
namespace {

// The window program beside this one, which the autostart entry starts.
std::filesystem::path windowProgram() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    const auto folder = ec ? std::filesystem::path("/usr/bin") : self.parent_path();
    return folder / "quillon-gaming";
}

std::unique_ptr<platform::XdgAutostartEntry> autostartOf(const Context& ctx) {
    const auto config = ctx.users.configFolder();
    if (config.empty())
        return nullptr;
    return std::make_unique<platform::XdgAutostartEntry>(config, windowProgram());
}

int showConfig(Context& ctx) {
    profiles::IniStore ini;
    const prefs::PreferenceFiles files(ini, prefs::preferencePathsOf(ctx.users));
    const int value = files.languageValue();
    const prefs::Language* language = prefs::languageByValue(value);
    ctx.out << "language    ";
    if (language != nullptr)
        ctx.out << language->shortName << " (" << language->file << ")\n";
    else
        ctx.out << "none (LANGUAGE " << value << " is no language)\n";
    const prefs::SkinImage image = files.skinImage();
    ctx.out << "background  " << (image.chosen ? image.image : std::string("the skin's own"))
            << "\n";
    const auto autostart = autostartOf(ctx);
    ctx.out << "autostart   " << (autostart && autostart->enabled() ? "on" : "off") << "\n";
    ctx.out << "files       " << files.paths().mainIni.string();
    if (!files.paths().languageStore.empty())
        ctx.out << ", " << files.paths().languageStore.string();
    if (autostart)
        ctx.out << ", " << autostart->entryPath().string();
    ctx.out << "\n";
    return kExitOk;
}

int setLanguage(Context& ctx, const std::string& name) {
    const prefs::Language* language = prefs::languageByShortName(name);
    if (language == nullptr)
        return kExitUsage;  // the choice list keeps this from happening
    // A language without its file would start the window without texts.
    skin::LanguageTable texts;
    const auto file = prefs::languageFolderOf(ctx.users) / language->file;
    if (texts.load(file) != skin::LanguageLoad::ok) {
        ctx.err << "quillonctl: the language file " << file.string()
                << " is missing or unreadable; the language stays as it was\n";
        return kExitFailed;
    }
    profiles::IniStore ini;
    prefs::PreferenceFiles files(ini, prefs::preferencePathsOf(ctx.users));
    if (!profiles::succeeded(files.setLanguageValue(language->value)) ||
        !profiles::succeeded(files.setStoredLanguage(language->registryValue))) {
        ctx.err << "quillonctl: the language could not be written to "
                << files.paths().mainIni.string() << " and " << files.paths().languageStore.string()
                << "\n";
        return kExitFailed;
    }
    ctx.out << "language " << language->shortName << " (" << language->file
            << "): the window shows it at its next start\n";
    return kExitOk;
}

int setAutostart(Context& ctx, bool on) {
    const auto autostart = autostartOf(ctx);
    if (!autostart) {
        ctx.err << "quillonctl: no configuration folder (neither $XDG_CONFIG_HOME nor a home)\n";
        return kExitFailed;
    }
    if (autostart->enabled() != on && autostart->toggle() != on) {
        ctx.err << "quillonctl: " << autostart->entryPath().string() << " could not be written\n";
        return kExitFailed;
    }
    ctx.out << "autostart " << (on ? "on" : "off") << " (" << autostart->entryPath().string()
            << ")\n";
    return kExitOk;
}

}  // namespace

void addConfigCommands(CommandSetup& setup) {
    CLI::App* config = setup.command(nullptr, "config", "the program's own preferences");
    config->require_subcommand(1);
    CLI::App* show =
        setup.command(config, "show", "the language, the background and the start at log-in");
    setup.onRun(show, showConfig, false);

    CLI::App* set = setup.command(config, "set", "change a preference");
    set->require_subcommand(1);
    std::vector<std::string> names;
    for (const prefs::Language& l : prefs::kLanguages)
        names.emplace_back(l.shortName);
    auto language = std::make_shared<std::string>();
    CLI::App* setLang = setup.command(set, "language", "the window's language from its next start");
    setup.choice(setLang, "language", *language, names, "the language")->required();
    setup.onRun(
        setLang, [language](Context& ctx) { return setLanguage(ctx, *language); }, false);

    auto state = std::make_shared<std::string>();
    CLI::App* setAuto = setup.command(set, "autostart", "start the window (in the tray) at log-in");
    setup.choice(setAuto, "state", *state, {"on", "off"}, "on or off")->required();
    setup.onRun(
        setAuto, [state](Context& ctx) { return setAutostart(ctx, *state == "on"); }, false);
}

}  // namespace quillon::cli
