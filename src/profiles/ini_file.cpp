#include "profiles/ini_file.h"

// The header carries its template bodies only when asked to; instantiating them
// here keeps the program independent of the packaged library build.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <climits>
#include <mutex>

#include "platform/regular_file.h"

namespace quillon::profiles {
namespace {

namespace fs = std::filesystem;

void configure(CSimpleIniA& ini) {
    ini.SetUnicode(true);
    ini.SetMultiKey(false);
    ini.SetMultiLine(false);
    ini.SetSpaces(false);
}

// Text we wrote is UTF-8 without NUL bytes; anything else is not an INI file of
// ours (binary junk, another program's file) and is left alone.
bool isIniText(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == 0)
            return false;
        std::size_t extra = 0;
        if (c < 0x80)
            extra = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            extra = 1;
        else if ((c & 0xF0) == 0xE0)
            extra = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            extra = 3;
        else
            return false;
        if (i + extra >= text.size() && extra > 0)
            return false;
        for (std::size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

IniReadResult loadText(const fs::path& file, std::string& text) {
    switch (platform::readRegularFile(file, text, kMaxIniFileBytes)) {
        case platform::FileReadResult::ok:
            return isIniText(text) ? IniReadResult::ok : IniReadResult::unreadable;
        case platform::FileReadResult::missing:
            text.clear();
            return IniReadResult::missing;
        case platform::FileReadResult::notRegular:
        case platform::FileReadResult::unreadable:
        case platform::FileReadResult::tooLarge:
            break;
    }
    return IniReadResult::unreadable;
}

// Loads the file if there is one. False only when it exists but cannot be read.
bool loadFile(const fs::path& file, CSimpleIniA& ini) {
    configure(ini);
    std::string text;
    if (loadText(file, text) == IniReadResult::unreadable)
        return false;
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

struct IniDocument::Data {
    Data() { configure(ini); }
    CSimpleIniA ini;
};

IniDocument::IniDocument() : data_(std::make_unique<Data>()) {}
IniDocument::~IniDocument() = default;
IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;

bool IniDocument::parse(std::string_view text) {
    data_ = std::make_unique<Data>();
    if (!isIniText(text) || data_->ini.LoadData(text.data(), text.size()) < 0) {
        data_ = std::make_unique<Data>();
        return false;
    }
    return true;
}

std::string IniDocument::text() const {
    return serialise(data_->ini);
}

std::string IniDocument::readString(std::string_view section, std::string_view key) const {
    return valueOf(data_->ini, section, key);
}

int IniDocument::readInt(std::string_view section, std::string_view key) const {
    return leadingDecimal(readString(section, key));
}

std::vector<std::string> IniDocument::keys(std::string_view section) const {
    std::vector<std::string> keys;
    CSimpleIniA::TNamesDepend names;
    data_->ini.GetAllKeys(std::string(section).c_str(), names);
    names.sort(CSimpleIniA::Entry::LoadOrder());
    keys.reserve(names.size());
    for (const auto& n : names)
        keys.emplace_back(n.pItem);
    return keys;
}

IniWriteResult IniDocument::writeString(std::string_view section, std::string_view key,
                                        std::string_view value) {
    if (!goodSection(section) || !goodKey(key) || hasLineBreak(value))
        return IniWriteResult::badText;
    const std::string s(section), k(key), v(value);
    return data_->ini.SetValue(s.c_str(), k.c_str(), v.c_str()) < 0 ? IniWriteResult::writeFailed
                                                                    : IniWriteResult::ok;
}

IniWriteResult IniDocument::writeInt(std::string_view section, std::string_view key, int value) {
    return writeString(section, key, std::to_string(value));
}

IniReadResult IniStore::load(const fs::path& file, IniDocument& document) const {
    std::string text;
    const IniReadResult r = loadText(file, text);
    if (r == IniReadResult::unreadable) {
        document = IniDocument();
        return r;
    }
    if (!document.parse(text))
        return IniReadResult::unreadable;
    return r;
}

IniWriteResult IniStore::update(const fs::path& file,
                                const std::function<bool(IniDocument&)>& edit) {
    std::lock_guard guard(locks_.lockFor(file));
    IniDocument document;
    if (load(file, document) == IniReadResult::unreadable)
        return IniWriteResult::readFailed;
    if (!edit(document))
        return IniWriteResult::ok;
    return save(file, document.data_->ini);
}

std::string IniStore::readString(const fs::path& file, std::string_view section,
                                 std::string_view key) const {
    CSimpleIniA ini;
    if (!loadFile(file, ini))
        return std::string(kIniDefault);
    return valueOf(ini, section, key);
}

int IniStore::readInt(const fs::path& file, std::string_view section, std::string_view key) const {
    return leadingDecimal(readString(file, section, key));
}

std::vector<std::string> IniStore::readKeys(const fs::path& file, std::string_view section) const {
    std::vector<std::string> keys;
    CSimpleIniA ini;
    if (!loadFile(file, ini))
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
    if (!loadFile(file, ini))
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
    if (!loadFile(file, ini))
        return IniWriteResult::readFailed;
    const std::string s(section), k(key);
    if (!ini.Delete(s.c_str(), k.c_str()))
        return IniWriteResult::ok;
    return save(file, ini);
}

IniWriteResult IniStore::deleteSection(const fs::path& file, std::string_view section) {
    std::lock_guard guard(locks_.lockFor(file));
    CSimpleIniA ini;
    if (!loadFile(file, ini))
        return IniWriteResult::readFailed;
    const std::string s(section);
    if (!ini.Delete(s.c_str(), nullptr))
        return IniWriteResult::ok;
    return save(file, ini);
}

}  // namespace quillon::profiles
