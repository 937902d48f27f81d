#pragma once

// The languages the program speaks: one row per LANGUAGE value of "main.ini",
// with its file, the code the skin keeps, the number stored in the language
// setting, the row of the settings window's `lanuage_select_combo` and the
// fonts set after a change in the settings window and at start-up.

#include <array>
#include <string_view>

namespace quillon::prefs {

struct FontChoice {
    std::string_view family;  // empty: no font is set
    int pointSize = 0;        // before the display scaling
};

struct Language {
    int value;                      // LANGUAGE of "main.ini"
    std::string_view file;          // the language file beside "lan.xml"
    std::string_view code;          // the current-language code
    std::string_view settingsCode;  // the code when chosen in the settings window
    int registryValue;              // the stored language setting
    int comboRow;                   // row of `lanuage_select_combo`
    FontChoice settingsFont;        // the settings window's font after a change there
    FontChoice startupFont;         // the main window's font at start-up
    std::string_view shortName;     // the command line's name for it
};

inline constexpr FontChoice kNoFont{};
inline constexpr std::array<Language, 10> kLanguages{{
    {0, "lan_en.xml", "en", "en", 1010, 2, {"Arial", 9}, kNoFont, "en"},
    {1, "lan_cn.xml", "cn_zh", "cn", 2020, 0, {"Arial", 10}, {"Arial", 10}, "cn"},
    {2, "lan_sn.xml", "cn_tw", "cn_tw", 3030, 1, {"Arial", 12}, {"Arial", 12}, "tw"},
    {3, "lan_jp.xml", "jp", "jp", 4040, 3, {"Arial", 9}, kNoFont, "jp"},
    // German is stored as 1049 and Russian as 1031, both ways.
    {4, "lan_de.xml", "de", "de", 1049, 4, {"Arial", 9}, kNoFont, "de"},
    {5, "lan_ru.xml", "ru", "ru", 1031, 5, {"Arial", 9}, kNoFont, "ru"},
    {6, "lan_fr.xml", "fr", "fr", 1036, 6, {"Arial", 9}, kNoFont, "fr"},
    {7, "lan_th.xml", "th", "th", 1054, 7, {"Browallia New", 17}, {"Browallia New", 17}, "th"},
    {8, "lan_pb.xml", "pb", "pb", 2070, 8, {"Arial", 9}, kNoFont, "pb"},
    {9, "lan_sp.xml", "sp", "sp", 3082, 9, {"Arial", 9}, kNoFont, "sp"},
}};

// The row of a LANGUAGE value; nullopt outside 0 … 9.
constexpr const Language* languageByValue(int value) {
    return value >= 0 && value < int(kLanguages.size()) ? &kLanguages[std::size_t(value)] : nullptr;
}

constexpr const Language* languageByRegistryValue(int registryValue) {
    for (const Language& l : kLanguages)
        if (l.registryValue == registryValue)
            return &l;
    return nullptr;
}

constexpr const Language* languageByComboRow(int row) {
    for (const Language& l : kLanguages)
        if (l.comboRow == row)
            return &l;
    return nullptr;
}

constexpr const Language* languageByShortName(std::string_view name) {
    for (const Language& l : kLanguages)
        if (l.shortName == name)
            return &l;
    return nullptr;
}

// The tray and settings menus' language items: `lan_cn`, `lan_tw`, `lan_en`.
constexpr const Language* languageByMenuItem(std::string_view item) {
    if (item == "lan_en")
        return &kLanguages[0];
    if (item == "lan_cn")
        return &kLanguages[1];
    if (item == "lan_tw")
        return &kLanguages[2];
    return nullptr;
}

}  // namespace quillon::prefs
