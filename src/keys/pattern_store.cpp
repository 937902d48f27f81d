#include "keys/pattern_store.h"

#include <algorithm>

#include "keys/macro_store.h"
#include "keys/pattern_shot.h"
#include "platform/atomic_file.h"
#include "profiles/file_names.h"

namespace quillon::keys {

namespace ini = macro_ini;

namespace {

// What a pattern file's text holds, checked as an import is.
PatternFileResult parsePattern(const std::string& text, PatternList& actions) {
    profiles::IniDocument document;
    if (!document.parse(text))
        return PatternFileResult::unreadable;
    const int count = document.readInt(ini::kActionCountSection, ini::kCountKey);
    if (count < 0 || std::size_t(count) > kMaxPatternActions)
        return PatternFileResult::tooManyActions;
    actions = macroActionsFromDocument(document);
    return PatternFileResult::ok;
}

}  // namespace

std::filesystem::path PatternStore::indexPath() const {
    const std::filesystem::path folder = folders_.profileFolder(link::DeviceKind::mouse);
    if (folder.empty())
        return {};
    return profiles::findNoCase(folder, kMouseMacroStore.indexFile);
}

std::filesystem::path PatternStore::patternPath(int k) const {
    if (k < 0 || k >= kMovementPatternCount)
        return {};
    const std::filesystem::path index = indexPath();
    if (index.empty())
        return {};
    std::string name = ini_.readString(index, ini::kPatternNameSection, std::to_string(k));
    if (name.empty())
        name = movementPatternName(k + 1);
    const std::string file = name + std::string(kMovementPatternExtension);
    if (!profiles::isPlainFileName(name, kMovementPatternExtension.size()))
        return {};
    return profiles::findNoCase(index.parent_path(), file);
}

PatternFileResult PatternStore::read(int k, PatternList& actions) const {
    const std::filesystem::path path = patternPath(k);
    if (path.empty())
        return PatternFileResult::noSuchPattern;
    std::string text;
    if (!platform::readWholeFile(path, text))
        return PatternFileResult::missing;
    return parsePattern(text, actions);
}

PatternFileResult PatternStore::write(int k, const PatternList& actions) {
    return copyInto(k, macroFileDocument(actions).text());
}

PatternFileResult PatternStore::copyInto(int k, const std::string& bytes) {
    const std::filesystem::path path = patternPath(k);
    if (path.empty())
        return PatternFileResult::noSuchPattern;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return platform::succeeded(platform::writeFileAtomically(path, {data, bytes.size()}))
               ? PatternFileResult::ok
               : PatternFileResult::writeFailed;
}

PatternFileResult PatternStore::resetToFactory(int k) {
    if (k < 0 || k >= kMovementPatternCount)
        return PatternFileResult::noSuchPattern;
    std::string bytes;
    const std::string name = movementPatternName(k + 1) + std::string(kMovementPatternExtension);
    if (!platform::readWholeFile(folders_.programFile(name), bytes))
        return PatternFileResult::missing;
    return copyInto(k, bytes);
}

PatternFileResult PatternStore::importFile(int k, const std::filesystem::path& file) {
    std::string bytes;
    if (!platform::readWholeFile(file, bytes))
        return PatternFileResult::missing;
    PatternList actions;
    if (const PatternFileResult r = parsePattern(bytes, actions); r != PatternFileResult::ok)
        return r;
    return copyInto(k, bytes);
}

PatternFileResult PatternStore::exportFile(int k, const std::filesystem::path& file) const {
    const std::filesystem::path path = patternPath(k);
    if (path.empty())
        return PatternFileResult::noSuchPattern;
    std::string bytes;
    if (!platform::readWholeFile(path, bytes))
        return PatternFileResult::missing;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    return platform::succeeded(platform::writeFileAtomically(file, {data, bytes.size()}))
               ? PatternFileResult::ok
               : PatternFileResult::writeFailed;
}

ActionTableBuild PatternStore::buildImage() const {
    const std::filesystem::path index = indexPath();
    const int stored =
        index.empty() ? 0 : ini_.readInt(index, ini::kPatternCountSection, ini::kCountKey);
    const int count = std::clamp(stored, 0, kMovementPatternCount);
    std::vector<PatternList> patterns(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k)
        static_cast<void>(read(k, patterns[std::size_t(k)]));  // missing: no actions
    return buildPatternImage(patterns);
}

PatternFileResult PatternStore::storeReadBack(const std::vector<PatternList>& patterns) {
    PatternFileResult result = PatternFileResult::ok;
    const std::size_t n = std::min(patterns.size(), std::size_t(kMovementPatternCount));
    for (std::size_t k = 0; k < n; ++k)
        if (const PatternFileResult r = write(int(k), patterns[k]); r != PatternFileResult::ok)
            result = r;
    return result;
}

}  // namespace quillon::keys
