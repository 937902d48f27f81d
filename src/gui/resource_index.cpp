#include "gui/resource_index.h"

#include "skin/language_file.h"
#include "skin/mini_xml.h"

namespace quillon::gui {

namespace {

constexpr std::size_t kMaxIndexBytes = 64 * 1024;

// Skin files live in the skin folder itself: no folders, no parent links.
bool isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos;
}

}  // namespace

ResourceIndexLoad ResourceIndex::load(const std::filesystem::path& file) {
    std::string text;
    if (skin::readBoundedFile(file, kMaxIndexBytes, text) != skin::LanguageLoad::ok) {
        return ResourceIndexLoad::missingFile;
    }
    return parse(text);
}

ResourceIndexLoad ResourceIndex::parse(std::string_view xml) {
    skin::XmlElement root;
    if (skin::parseXml(xml, root) != skin::XmlStatus::ok || root.name != "resources") {
        return ResourceIndexLoad::malformed;
    }
    std::map<std::string, std::string, std::less<>> files;
    for (const skin::XmlElement& entry : root.children) {
        const std::string* name = entry.attribute("name");
        const std::string* file = entry.attribute("file");
        if (entry.name != "resource" || name == nullptr || file == nullptr ||
            !isPlainFileName(*file)) {
            return ResourceIndexLoad::malformed;
        }
        files[*name] = *file;
    }
    files_ = std::move(files);
    return ResourceIndexLoad::ok;
}

std::optional<std::string> ResourceIndex::file(std::string_view resource) const {
    if (const auto it = files_.find(resource); it != files_.end()) {
        return it->second;
    }
    if (isPlainFileName(resource) && resource.ends_with(".xml")) {
        return std::string(resource);
    }
    return std::nullopt;
}

}  // namespace quillon::gui
