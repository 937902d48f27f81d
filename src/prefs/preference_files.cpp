#include "prefs/preference_files.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace quillon::prefs {

namespace {

// The configuration folder may not exist yet on a fresh account.
void makeFolderOf(const std::filesystem::path& file) {
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
}

}  // namespace

SkinImage PreferenceFiles::skinImage() const {
    profiles::IniDocument doc;
    if (ini_.load(paths_.mainIni, doc) == profiles::IniReadResult::unreadable)
        return {};
    SkinImage image;
    image.chosen = doc.readInt(kSkinImageSection, kFlagsKey) == 1;
    image.image = doc.readString(kSkinImageSection, kImageKey);
    return image;
}

profiles::IniWriteResult PreferenceFiles::setSkinImage(bool chosen, std::string_view image) {
    if (paths_.mainIni.empty())
        return profiles::IniWriteResult::writeFailed;
    makeFolderOf(paths_.mainIni);
    return ini_.update(paths_.mainIni, [&](profiles::IniDocument& doc) {
        return profiles::succeeded(
                   doc.writeString(kSkinImageSection, kFlagsKey, chosen ? "1" : "0")) &&
               profiles::succeeded(doc.writeString(kSkinImageSection, kImageKey, image));
    });
}

int PreferenceFiles::languageValue() const {
    return ini_.readInt(paths_.mainIni, kSkinImageSection, kLanguageKey);
}

profiles::IniWriteResult PreferenceFiles::setLanguageValue(int value) {
    if (paths_.mainIni.empty())
        return profiles::IniWriteResult::writeFailed;
    makeFolderOf(paths_.mainIni);
    return ini_.writeInt(paths_.mainIni, kSkinImageSection, kLanguageKey, value);
}

std::optional<int> PreferenceFiles::storedLanguage() const {
    profiles::IniDocument doc;
    if (ini_.load(paths_.languageStore, doc) != profiles::IniReadResult::ok)
        return std::nullopt;
    const auto keys = doc.keys(kProductSection);
    const bool present = std::any_of(keys.begin(), keys.end(), [](const std::string& k) {
        return k.size() == kLanguageKey.size() &&
               std::equal(k.begin(), k.end(), kLanguageKey.begin(),
                          [](char a, char b) { return std::toupper(a) == std::toupper(b); });
    });
    if (!present)
        return std::nullopt;
    return doc.readInt(kProductSection, kLanguageKey);
}

profiles::IniWriteResult PreferenceFiles::setStoredLanguage(int registryValue) {
    if (paths_.languageStore.empty())
        return profiles::IniWriteResult::writeFailed;
    makeFolderOf(paths_.languageStore);
    return ini_.writeInt(paths_.languageStore, kProductSection, kLanguageKey, registryValue);
}

}  // namespace quillon::prefs
