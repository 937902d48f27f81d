#pragma once

// Where the program's own preferences are kept:
// - "main.ini" in the data folder, section `SKINIMAGE`: `FLAGS` ("1": `IMAGE`
//   names the chosen background), `IMAGE`, `LANGUAGE` ("0" … "9");
// - the language setting that outlives the data folder (the number of the
//   language table's registry column) in $XDG_CONFIG_HOME/quillon/quillon.ini.
// Every write is one atomic replacement of the file.

#include <filesystem>
#include <optional>
#include <string>

#include "profiles/ini_file.h"

namespace quillon::prefs {

inline constexpr std::string_view kMainIniName = "main.ini";
inline constexpr std::string_view kSkinImageSection = "SKINIMAGE";
inline constexpr std::string_view kFlagsKey = "FLAGS";
inline constexpr std::string_view kImageKey = "IMAGE";
inline constexpr std::string_view kLanguageKey = "LANGUAGE";
// The configuration file's section of the product and its language value.
inline constexpr std::string_view kProductSection = "Quillon Gaming Software 3.0";
inline constexpr std::string_view kDefaultBackground = "common/background.png";

struct PreferencePaths {
    std::filesystem::path mainIni;        // <data folder>/main.ini
    std::filesystem::path languageStore;  // <config folder>/quillon/quillon.ini
};

struct SkinImage {
    bool chosen = false;  // FLAGS = 1
    std::string image;
};

class PreferenceFiles {
  public:
    PreferenceFiles(profiles::IniStore& ini, PreferencePaths paths)
        : ini_(ini), paths_(std::move(paths)) {}

    const PreferencePaths& paths() const { return paths_; }

    SkinImage skinImage() const;
    [[nodiscard]] profiles::IniWriteResult setSkinImage(bool chosen, std::string_view image);
    // LANGUAGE of "main.ini" ("0" when absent).
    int languageValue() const;
    [[nodiscard]] profiles::IniWriteResult setLanguageValue(int value);

    // The stored language number; nullopt when there is none or it cannot be read.
    std::optional<int> storedLanguage() const;
    [[nodiscard]] profiles::IniWriteResult setStoredLanguage(int registryValue);

  private:
    profiles::IniStore& ini_;
    PreferencePaths paths_;
};

}  // namespace quillon::prefs
