#include "profiles/ini_file.h"

// The header carries its template bodies only when asked to; instantiating them
// here keeps the program independent of the packaged library build.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <climits>
#include <mutex>

namespace quillon::profiles {
namespace {

namespace fs = std::filesystem;

void configure(CSimpleIniA& ini) {
    ini.SetUnicode(true);
    ini.SetMultiKey(false);
    ini.SetMultiLine(false);
    ini.SetSpaces(false);
}

// Loads the file if there is one. False only when it exists but cannot be read.
bool load(const fs::path& file, CSimpleIniA& ini) {
    configure(ini);
    std::string text;
    if (!platform::readWholeFile(file, text)) {
        std::error_code ec;
        return !fs::exists(file, ec) && !ec;
    }
    return ini.LoadData(text) >= 0;
}

bool hasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos ||
           s.find('\0') != std::string_view::npos;
}

bool goodSection(std::string_view s) {
    return !s.empty() && !hasLineBreak(s) && s.find(']') == std::string_view::npos;
}

bool goodKey(std::string_view k) {
    if (k.empty() || hasLineBreak(k) || k.find('=') != std::string_view::npos)
        return false;
    // Lines starting with these read back as comments or sections.
    const char first = k.front();
    return first != ';' && first != '#' && first != '[' && first != ' ' && first != '\t';
}

// Sections and keys in file order, one "key=value" line each and no blank
// lines, as the platform's own profile writer lays them out. (The library's
// writer adds a blank line per save before sections it loaded.)
std::string serialise(const CSimpleIniA& ini) {
    std::string text;
    CSimpleIniA::TNamesDepend sections;
    ini.GetAllSections(sections);
    sections.sort(CSimpleIniA::Entry::LoadOrder());
    for (const auto& section : sections) {
        text += '[';
        text += section.pItem;
        text += "]\n";
        CSimpleIniA::TNamesDepend keys;
        ini.GetAllKeys(section.pItem, keys);
        keys.sort(CSimpleIniA::Entry::LoadOrder());
        for (const auto& key : keys) {
            text += key.pItem;
            text += '=';
            text += ini.GetValue(section.pItem, key.pItem, "");
            text += '\n';
        }
    }
    return text;
}

IniWriteResult save(const fs::path& file, const CSimpleIniA& ini) {
    const std::string text = serialise(ini);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return platform::succeeded(platform::writeFileAtomically(file, {bytes, text.size()}))
               ? IniWriteResult::ok
               : IniWriteResult::writeFailed;
}

}  // namespace

int leadingDecimal(std::string_view value) {
    long long n = 0;
    for (char c : value) {
        if (c < '0' || c > '9')
            break;
        n = n * 10 + (c - '0');
        if (n > INT_MAX)
            return INT_MAX;
    }
    return static_cast<int>(n);
}

std::string cutToValueCapacity(std::string_view value) {
    constexpr std::size_t kMaxCharacters = kIniValueCapacity - 1;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        // A character starts at every byte that is not a UTF-8 continuation byte.
        if ((static_cast<unsigned char>(value[i]) & 0xC0) != 0x80) {
            if (characters == kMaxCharacters)
                return std::string(value.substr(0, i));
            ++characters;
        }
    }
    return std::string(value);
}

namespace {

std::string valueOf(const CSimpleIniA& ini, std::string_view section, std::string_view key) {
    const std::string s(section), k(key);
    const char* value = ini.GetValue(s.c_str(), k.c_str(), nullptr);
    if (!value)
        return std::string(kIniDefault);
    return cutToValueCapacity(value);
}

}  // namespace

std::string readIniString(std::string_view fileText, std::string_view section,
                          std::string_view key) {
    CSimpleIniA ini;
    configure(ini);
    if (ini.LoadData(fileText.data(), fileText.size()) < 0)
        return std::string(kIniDefault);
    return valueOf(ini, section, key);
}

std::string IniStore::readString(const fs::path& file, std::string_view section,
                                 std::string_view key) const {
    CSimpleIniA ini;
    if (!load(file, ini))
        return std::string(kIniDefault);
    return valueOf(ini, section, key);
}

int IniStore::readInt(const fs::path& file, std::string_view section, std::string_view key) const {
    return leadingDecimal(readString(file, section, key));
}

std::vector<std::string> IniStore::readKeys(const fs::path& file, std::string_view section) const {
    std::vector<std::string> keys;
    CSimpleIniA ini;
    if (!load(file, ini))
        return keys;
    CSimpleIniA::TNamesDepend names;
    ini.GetAllKeys(std::string(section).c_str(), names);
    names.sort(CSimpleIniA::Entry::LoadOrder());
    for (const auto& n : names)
        keys.emplace_back(n.pItem);
    return keys;
}

IniWriteResult IniStore::writeString(const fs::path& file, std::string_view section,
                                     std::string_view key, std::string_view value) {
    if (!goodSection(section) || !goodKey(key) || hasLineBreak(value))
        return IniWriteResult::badText;
    std::lock_guard guard(locks_.lockFor(file));
    CSimpleIniA ini;
    if (!load(file, ini))
        return IniWriteResult::readFailed;
    const std::string s(section), k(key), v(value);
    if (ini.SetValue(s.c_str(), k.c_str(), v.c_str()) < 0)
        return IniWriteResult::writeFailed;
    return save(file, ini);
}

IniWriteResult IniStore::writeInt(const fs::path& file, std::string_view section,
                                  std::string_view key, int value) {
    return writeString(file, section, key, std::to_string(value));
}

IniWriteResult IniStore::deleteKey(const fs::path& file, std::string_view section,
                                   std::string_view key) {
    std::lock_guard guard(locks_.lockFor(file));
    CSimpleIniA ini;
    if (!load(file, ini))
        return IniWriteResult::readFailed;
    const std::string s(section), k(key);
    if (!ini.Delete(s.c_str(), k.c_str()))
        return IniWriteResult::ok;
    return save(file, ini);
}

IniWriteResult IniStore::deleteSection(const fs::path& file, std::string_view section) {
    std::lock_guard guard(locks_.lockFor(file));
    CSimpleIniA ini;
    if (!load(file, ini))
        return IniWriteResult::readFailed;
    const std::string s(section);
    if (!ini.Delete(s.c_str(), nullptr))
        return IniWriteResult::ok;
    return save(file, ini);
}

}  // namespace quillon::profiles
