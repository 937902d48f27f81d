#include "keys/macro_store.h"

#include <algorithm>
#include <system_error>

#include "platform/atomic_file.h"
#include "profiles/file_names.h"

namespace quillon::keys {

using profiles::IniDocument;
using profiles::IniReadResult;
using profiles::IniWriteResult;
namespace ini = macro_ini;

namespace {

// One past the highest decimal key of a section, so a count beyond the
// entries present never makes rows of nothing.
std::size_t entriesPresent(const IniDocument& document, std::string_view section) {
    std::size_t end = 0;
    for (const std::string& key : document.keys(section)) {
        if (key.empty() || key.size() > 9 ||
            !std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        end = std::max(end, std::size_t(std::stoul(key)) + 1);
    }
    return end;
}

std::size_t cappedCount(const IniDocument& document, std::string_view countSection,
                        std::string_view entrySection) {
    const int count = document.readInt(countSection, ini::kCountKey);
    return std::min(std::size_t(std::max(count, 0)), entriesPresent(document, entrySection));
}

MacroStoreResult fromWrite(IniWriteResult r) {
    switch (r) {
        case IniWriteResult::ok:
            return MacroStoreResult::ok;
        case IniWriteResult::readFailed:
            return MacroStoreResult::unreadable;
        case IniWriteResult::badText:
            return MacroStoreResult::badName;
        case IniWriteResult::writeFailed:
            break;
    }
    return MacroStoreResult::writeFailed;
}

bool isPlain(std::string_view name) {
    return profiles::isPlainFileName(name, kMacroFileExtension.size());
}

void writeNames(IniDocument& document, std::span<const std::string> names, bool& ok) {
    ok = succeeded(document.writeInt(ini::kCountSection, ini::kCountKey, int(names.size())));
    for (std::size_t i = 0; ok && i < names.size(); ++i)
        ok = succeeded(document.writeString(ini::kNameSection, std::to_string(i), names[i]));
}

bool writePatternNames(IniDocument& document) {
    if (!succeeded(
            document.writeInt(ini::kPatternCountSection, ini::kCountKey, kMovementPatternCount)))
        return false;
    for (int k = 0; k < kMovementPatternCount; ++k) {
        if (!succeeded(document.writeString(ini::kPatternNameSection, std::to_string(k),
                                            movementPatternName(k + 1))))
            return false;
    }
    return true;
}

}  // namespace

std::string movementPatternName(int k) {
    return "name_" + std::to_string(k);
}

std::vector<MacroAction> macroActionsFromDocument(const IniDocument& document,
                                                  std::size_t* skipped) {
    const std::size_t count = cappedCount(document, ini::kActionCountSection, ini::kActionSection);
    std::vector<MacroAction> actions;
    actions.reserve(count);
    std::size_t bad = 0;
    for (std::size_t i = 0; i < count; ++i) {
        auto action = parseMacroAction(document.readString(ini::kActionSection, std::to_string(i)));
        if (action)
            actions.push_back(std::move(*action));
        else
            ++bad;
    }
    if (skipped)
        *skipped = bad;
    return actions;
}

std::vector<std::string> macroNamesFromDocument(const IniDocument& document) {
    const std::size_t count = cappedCount(document, ini::kCountSection, ini::kNameSection);
    std::vector<std::string> names;
    names.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        names.push_back(document.readString(ini::kNameSection, std::to_string(i)));
    return names;
}

IniDocument macroFileDocument(std::span<const MacroAction> actions) {
    IniDocument document;
    (void)document.writeInt(ini::kActionCountSection, ini::kCountKey, int(actions.size()));
    for (std::size_t i = 0; i < actions.size(); ++i) {
        // An action's text holds no line break, so it always fits a value.
        (void)document.writeString(ini::kActionSection, std::to_string(i),
                                   formatMacroAction(actions[i]));
    }
    return document;
}

MacroStore::MacroStore(const profiles::ProfileFolders& folders, profiles::IniStore& ini,
                       const MacroStoreKind& kind)
    : folders_(folders), ini_(ini), kind_(kind) {}

std::filesystem::path MacroStore::indexPath() const {
    const std::filesystem::path folder = folders_.profileFolder(kind_.device);
    if (folder.empty())
        return {};
    return profiles::findNoCase(folder, kind_.indexFile);
}

std::filesystem::path MacroStore::macroPath(std::string_view name) const {
    const std::filesystem::path folder = folders_.profileFolder(kind_.device);
    if (folder.empty())
        return {};
    return profiles::findNoCase(folder, std::string(name) + std::string(kMacroFileExtension));
}

MacroStoreResult MacroStore::readNames(std::vector<std::string>& names) const {
    names.clear();
    const std::filesystem::path index = indexPath();
    if (index.empty())
        return MacroStoreResult::noFolder;
    IniDocument document;
    if (ini_.load(index, document) == IniReadResult::unreadable)
        return MacroStoreResult::unreadable;
    names = macroNamesFromDocument(document);
    return MacroStoreResult::ok;
}

MacroStoreResult MacroStore::readActions(std::string_view name,
                                         std::vector<MacroAction>& actions) const {
    actions.clear();
    if (!isPlain(name))
        return MacroStoreResult::ok;
    const std::filesystem::path file = macroPath(name);
    if (file.empty())
        return MacroStoreResult::noFolder;
    IniDocument document;
    if (ini_.load(file, document) == IniReadResult::unreadable)
        return MacroStoreResult::unreadable;
    actions = macroActionsFromDocument(document);
    return MacroStoreResult::ok;
}

MacroStoreResult MacroStore::readMacros(std::vector<Macro>& macros) const {
    macros.clear();
    std::vector<std::string> names;
    if (const MacroStoreResult r = readNames(names); !succeeded(r))
        return r;
    macros.reserve(names.size());
    for (std::string& name : names) {
        Macro macro{std::move(name), {}};
        if (const MacroStoreResult r = readActions(macro.name, macro.actions); !succeeded(r))
            return r;
        macros.push_back(std::move(macro));
    }
    return MacroStoreResult::ok;
}

MacroStoreResult MacroStore::checkNewName(std::span<const std::string> names, std::string_view name,
                                          int ignoring) const {
    if (!isPlain(name))
        return MacroStoreResult::badName;
    const int found = findMacroName(names, name);
    if (found >= 0 && found != ignoring)
        return MacroStoreResult::nameTaken;
    return MacroStoreResult::ok;
}

MacroStoreResult MacroStore::add(std::string_view name) {
    const std::filesystem::path index = indexPath();
    if (index.empty())
        return MacroStoreResult::noFolder;
    MacroStoreResult result = MacroStoreResult::ok;
    const IniWriteResult written = ini_.update(index, [&](IniDocument& document) {
        const std::vector<std::string> names = macroNamesFromDocument(document);
        if (names.size() >= kMaxMacros)
            result = MacroStoreResult::full;
        else
            result = checkNewName(names, name, -1);
        if (!succeeded(result))
            return false;
        const int n = int(names.size()) + 1;
        if (!succeeded(document.writeInt(ini::kCountSection, ini::kCountKey, n)) ||
            !succeeded(document.writeString(ini::kNameSection, std::to_string(n - 1), name))) {
            result = MacroStoreResult::badName;
            return false;
        }
        return true;
    });
    return succeeded(result) ? fromWrite(written) : result;
}

MacroStoreResult MacroStore::writeMacroFile(const std::filesystem::path& file,
                                            std::span<const MacroAction> actions) {
    return fromWrite(ini_.update(file, [&](IniDocument& document) {
        document = macroFileDocument(actions);
        return true;
    }));
}

MacroStoreResult MacroStore::saveActions(std::string_view name,
                                         std::span<const MacroAction> actions) {
    std::vector<std::string> names;
    if (const MacroStoreResult r = readNames(names); !succeeded(r))
        return r;
    const int position = findMacroName(names, name);
    if (position < 0)
        return MacroStoreResult::noSuchMacro;
    if (!isPlain(names[std::size_t(position)]))
        return MacroStoreResult::badName;
    return writeMacroFile(macroPath(names[std::size_t(position)]), actions);
}

MacroStoreResult MacroStore::rename(std::size_t position, std::string_view newName,
                                    std::span<const MacroAction> actions) {
    std::vector<std::string> names;
    if (const MacroStoreResult r = readNames(names); !succeeded(r))
        return r;
    if (position >= names.size())
        return MacroStoreResult::noSuchMacro;
    if (const MacroStoreResult r = checkNewName(names, newName, int(position)); !succeeded(r))
        return r;
    const std::string oldName = names[position];
    const std::filesystem::path oldFile = isPlain(oldName) ? macroPath(oldName) : "";
    const std::filesystem::path newFile = folders_.profileFolder(kind_.device) /
                                          (std::string(newName) + std::string(kMacroFileExtension));
    if (const MacroStoreResult r = writeMacroFile(newFile, actions); !succeeded(r))
        return r;
    MacroStoreResult result = MacroStoreResult::ok;
    const IniWriteResult written = ini_.update(indexPath(), [&](IniDocument& document) {
        if (macroNamesFromDocument(document) != names) {
            result = MacroStoreResult::noSuchMacro;  // changed under us: leave it
            return false;
        }
        return succeeded(
            document.writeString(ini::kNameSection, std::to_string(position), newName));
    });
    if (!succeeded(result) || !succeeded(fromWrite(written))) {
        std::error_code ignored;
        std::filesystem::remove(newFile, ignored);
        return succeeded(result) ? fromWrite(written) : result;
    }
    if (!oldFile.empty() && oldFile != newFile) {
        std::error_code ignored;  // a stale file only takes space; the index no longer names it
        std::filesystem::remove(oldFile, ignored);
    }
    return MacroStoreResult::ok;
}

MacroStoreResult MacroStore::writeIndex(std::span<const std::string> names) {
    bool ok = true;
    const IniWriteResult written = ini_.update(indexPath(), [&](IniDocument& document) {
        document = IniDocument();
        writeNames(document, names, ok);
        if (ok && kind_.keepsPatternNames)
            ok = writePatternNames(document);
        return ok;
    });
    return ok ? fromWrite(written) : MacroStoreResult::badName;
}

MacroStoreResult MacroStore::remove(std::size_t position) {
    std::vector<std::string> names;
    if (const MacroStoreResult r = readNames(names); !succeeded(r))
        return r;
    if (position >= names.size())
        return MacroStoreResult::noSuchMacro;
    const std::string name = names[position];
    names.erase(names.begin() + std::ptrdiff_t(position));
    if (const MacroStoreResult r = writeIndex(names); !succeeded(r))
        return r;
    if (isPlain(name) && findMacroName(names, name) < 0) {
        std::error_code ignored;  // the index no longer names it
        std::filesystem::remove(macroPath(name), ignored);
    }
    return MacroStoreResult::ok;
}

MacroStoreResult MacroStore::importFile(const std::filesystem::path& file, std::string& name) {
    name = file.stem().string();
    IniDocument document;
    switch (ini_.load(file, document)) {
        case IniReadResult::ok:
            break;
        case IniReadResult::missing:
            return MacroStoreResult::noSuchMacro;
        case IniReadResult::unreadable:
            return MacroStoreResult::unreadable;
    }
    const std::vector<MacroAction> actions = macroActionsFromDocument(document);
    std::vector<std::string> names;
    if (const MacroStoreResult r = readNames(names); !succeeded(r))
        return r;
    if (names.size() >= kMaxMacros)
        return MacroStoreResult::full;
    if (const MacroStoreResult r = checkNewName(names, name, -1); !succeeded(r))
        return r;
    // The file first, so the index never names a macro without its actions.
    const std::filesystem::path target =
        folders_.profileFolder(kind_.device) / (name + std::string(kMacroFileExtension));
    if (const MacroStoreResult r = writeMacroFile(target, actions); !succeeded(r))
        return r;
    const MacroStoreResult added = add(name);
    if (!succeeded(added)) {
        std::error_code ignored;
        std::filesystem::remove(target, ignored);
    }
    return added;
}

MacroStoreResult MacroStore::exportFile(std::string_view name,
                                        const std::filesystem::path& file) const {
    std::vector<std::string> names;
    if (const MacroStoreResult r = readNames(names); !succeeded(r))
        return r;
    const int position = findMacroName(names, name);
    if (position < 0)
        return MacroStoreResult::noSuchMacro;
    std::vector<MacroAction> actions;
    if (const MacroStoreResult r = readActions(names[std::size_t(position)], actions);
        !succeeded(r))
        return r;
    const std::string text = macroFileDocument(actions).text();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return platform::succeeded(platform::writeFileAtomically(file, {bytes, text.size()}))
               ? MacroStoreResult::ok
               : MacroStoreResult::writeFailed;
}

MacroStoreResult MacroStore::preparePatterns(
    const std::function<std::filesystem::path(std::string_view)>& factoryFile) {
    if (!kind_.keepsPatternNames)
        return MacroStoreResult::ok;
    const std::filesystem::path index = indexPath();
    if (index.empty())
        return MacroStoreResult::noFolder;
    bool wrote = true;
    const IniWriteResult written = ini_.update(index, [&](IniDocument& document) {
        if (document.readInt(ini::kPatternCountSection, ini::kCountKey) != 0)
            return false;
        wrote = writePatternNames(document);
        return wrote;
    });
    if (const MacroStoreResult r = fromWrite(written); !succeeded(r))
        return r;
    const std::filesystem::path folder = folders_.profileFolder(kind_.device);
    MacroStoreResult result = MacroStoreResult::ok;
    for (int k = 1; k <= kMovementPatternCount; ++k) {
        const std::string file = movementPatternName(k) + std::string(kMovementPatternExtension);
        std::error_code error;
        if (std::filesystem::exists(profiles::findNoCase(folder, file), error))
            continue;
        std::string bytes;
        if (!platform::readWholeFile(factoryFile(file), bytes))
            continue;  // no factory file to copy
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        if (!platform::succeeded(
                platform::writeFileAtomically(folder / file, {data, bytes.size()})))
            result = MacroStoreResult::writeFailed;
    }
    return result;
}

}  // namespace quillon::keys
