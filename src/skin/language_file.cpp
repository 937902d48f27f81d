#include "skin/language_file.h"

#include "platform/regular_file.h"
#include "skin/mini_xml.h"

namespace quillon::skin {

namespace {

LanguageLoad fromXml(XmlStatus status) {
    switch (status) {
        case XmlStatus::ok:
            return LanguageLoad::ok;
        case XmlStatus::tooLarge:
            return LanguageLoad::tooLarge;
        case XmlStatus::malformed:
            return LanguageLoad::malformed;
    }
    return LanguageLoad::malformed;
}

bool plainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == ".." || name.size() > 100) {
        return false;
    }
    for (char c : name) {
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) {
            return false;
        }
    }
    return true;
}

XmlLimits languageLimits() {
    XmlLimits limits;
    limits.maxInputBytes = MAX_LANGUAGE_FILE_BYTES;
    limits.maxDepth = 4;
    limits.maxElements = MAX_LANGUAGE_TEXTS + 1;
    return limits;
}

std::string attributeOr(const XmlElement& e, std::string_view name) {
    const std::string* value = e.attribute(name);
    return value != nullptr ? *value : std::string();
}

}  // namespace

LanguageLoad readBoundedFile(const std::filesystem::path& file, std::size_t maxBytes,
                             std::string& out) {
    switch (platform::readRegularFile(file, out, maxBytes)) {
        case platform::FileReadResult::ok:
            return LanguageLoad::ok;
        case platform::FileReadResult::tooLarge:
            return LanguageLoad::tooLarge;
        case platform::FileReadResult::missing:
        case platform::FileReadResult::notRegular:  // a FIFO or device would block or never end
        case platform::FileReadResult::unreadable:
            break;
    }
    return LanguageLoad::missingFile;
}

LanguageLoad LanguageTable::parse(std::string_view xml) {
    XmlElement root;
    if (const auto status = parseXml(xml, root, languageLimits()); status != XmlStatus::ok) {
        return fromXml(status);
    }
    if (root.name != "language") {
        return LanguageLoad::malformed;
    }
    std::map<std::string, std::string, std::less<>> texts;
    for (const XmlElement& entry : root.children) {
        if (entry.name != "text") {
            continue;  // room for later element kinds
        }
        const std::string* key = entry.attribute("key");
        if (key == nullptr || key->empty()) {
            return LanguageLoad::malformed;
        }
        if (key->size() > MAX_LANGUAGE_KEY_BYTES || entry.text.size() > MAX_LANGUAGE_TEXT_BYTES) {
            return LanguageLoad::tooLarge;
        }
        texts.insert_or_assign(*key, entry.text);  // a repeated key: the last one counts
    }
    code_ = attributeOr(root, "code");
    name_ = attributeOr(root, "name");
    texts_ = std::move(texts);
    return LanguageLoad::ok;
}

LanguageLoad LanguageTable::load(const std::filesystem::path& file) {
    std::string xml;
    if (const auto status = readBoundedFile(file, MAX_LANGUAGE_FILE_BYTES, xml);
        status != LanguageLoad::ok) {
        return status;
    }
    return parse(xml);
}

const std::string* LanguageTable::find(std::string_view key) const {
    const auto it = texts_.find(key);
    return it != texts_.end() ? &it->second : nullptr;
}

std::string LanguageTable::translate(std::string_view key) const {
    const std::string* text = find(key);
    return text != nullptr ? *text : std::string(key);
}

void LanguageTable::forEach(
    const std::function<void(const std::string&, const std::string&)>& visit) const {
    for (const auto& [key, text] : texts_) {
        visit(key, text);
    }
}

LanguageLoad parseLanguageList(std::string_view xml, std::vector<LanguageEntry>& out) {
    XmlElement root;
    XmlLimits limits;
    limits.maxInputBytes = 64u * 1024;
    limits.maxDepth = 4;
    limits.maxElements = MAX_LANGUAGES + 1;
    if (const auto status = parseXml(xml, root, limits); status != XmlStatus::ok) {
        return fromXml(status);
    }
    if (root.name != "languages") {
        return LanguageLoad::malformed;
    }
    std::vector<LanguageEntry> entries;
    for (const XmlElement& e : root.children) {
        if (e.name != "language") {
            continue;
        }
        LanguageEntry entry{attributeOr(e, "code"), attributeOr(e, "name"), attributeOr(e, "file")};
        if (entry.code.empty() || !plainFileName(entry.file)) {
            return LanguageLoad::malformed;
        }
        entries.push_back(std::move(entry));
    }
    out = std::move(entries);
    return LanguageLoad::ok;
}

LanguageLoad loadLanguageList(const std::filesystem::path& file, std::vector<LanguageEntry>& out) {
    std::string xml;
    if (const auto status = readBoundedFile(file, 64u * 1024, xml); status != LanguageLoad::ok) {
        return status;
    }
    return parseLanguageList(xml, out);
}

}  // namespace quillon::skin
