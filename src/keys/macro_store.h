#pragma once

// The macros of one device kind on disk, in its profile folder:
// - the index "kbMacro.ini" / "msMacro.ini": [MACROCOUNT] count, [MACRONAME]
//   0..n-1; the mouse's also [CURSORCOUNT] count = 4 and [CURSORNAME] 0..3,
//   the movement pattern names "name_1".."name_4";
// - one file per macro, its name + ".mac": [MACROACTIONCOUNT] count and
//   [MACROACTION] 0..m-1 in the action text form.
// Every change of a file is one atomic write; names the user gives must be
// plain file names, and a stored name that is not gets no file operation.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "keys/macro.h"
#include "link/device_catalogue.h"
#include "profiles/ini_file.h"
#include "profiles/profile_folders.h"

namespace quillon::keys {

struct MacroStoreKind {
    link::DeviceKind device;
    std::string_view indexFile;
    bool keepsPatternNames;  // the mouse's index also names its movement patterns
};
inline constexpr MacroStoreKind kKeyboardMacroStore{link::DeviceKind::keyboard, "kbMacro.ini",
                                                    false};
inline constexpr MacroStoreKind kMouseMacroStore{link::DeviceKind::mouse, "msMacro.ini", true};

namespace macro_ini {
inline constexpr std::string_view kCountSection = "MACROCOUNT";
inline constexpr std::string_view kNameSection = "MACRONAME";
inline constexpr std::string_view kPatternCountSection = "CURSORCOUNT";
inline constexpr std::string_view kPatternNameSection = "CURSORNAME";
inline constexpr std::string_view kActionCountSection = "MACROACTIONCOUNT";
inline constexpr std::string_view kActionSection = "MACROACTION";
inline constexpr std::string_view kCountKey = "count";
}  // namespace macro_ini

inline constexpr int kMovementPatternCount = 4;
// "name_1" .. "name_4" (k = 1..4).
std::string movementPatternName(int k);
inline constexpr std::string_view kMovementPatternExtension = ".cur";

enum class [[nodiscard]] MacroStoreResult{
    ok,
    badName,      // not a plain file name
    nameTaken,    // another macro has it (without regard to case)
    full,         // kMaxMacros already
    noSuchMacro,  // position or name not in the index
    noFolder,     // the user has no data folder
    unreadable,   // a file exists but cannot be read; nothing was written over it
    writeFailed,
};

constexpr bool succeeded(MacroStoreResult r) {
    return r == MacroStoreResult::ok;
}

// Actions of a macro file's text: the count capped at the rows present; rows
// that do not read as an action are left out and counted in `skipped`.
std::vector<MacroAction> macroActionsFromDocument(const profiles::IniDocument& document,
                                                  std::size_t* skipped = nullptr);
// Index names of an index file's text: MACRONAME 0..count-1, the count capped
// at one past the highest name present.
std::vector<std::string> macroNamesFromDocument(const profiles::IniDocument& document);
// A macro file's whole text for these actions.
profiles::IniDocument macroFileDocument(std::span<const MacroAction> actions);

class MacroStore {
  public:
    MacroStore(const profiles::ProfileFolders& folders, profiles::IniStore& ini,
               const MacroStoreKind& kind);

    const MacroStoreKind& kind() const { return kind_; }
    // The kind's profile folder and files; empty paths when there is no folder.
    std::filesystem::path indexPath() const;
    std::filesystem::path macroPath(std::string_view name) const;

    // The names in store order (empty for a missing index).
    MacroStoreResult readNames(std::vector<std::string>& names) const;
    // A macro's actions: none for a missing file or a name that is not plain.
    MacroStoreResult readActions(std::string_view name, std::vector<MacroAction>& actions) const;
    // Every macro with its actions, in store order.
    MacroStoreResult readMacros(std::vector<Macro>& macros) const;

    // Appends a new macro without actions to the index.
    MacroStoreResult add(std::string_view name);
    // Replaces the macro file of `name`, which must be in the index.
    MacroStoreResult saveActions(std::string_view name, std::span<const MacroAction> actions);
    // The actions are written under the new name first, then the index, then
    // the old file is removed; position and key assignments stay.
    MacroStoreResult rename(std::size_t position, std::string_view newName,
                            std::span<const MacroAction> actions);
    // Rewrites the index without the macro, then removes its file.
    MacroStoreResult remove(std::size_t position);
    // A ".mac" file of this format added under its base name.
    MacroStoreResult importFile(const std::filesystem::path& file, std::string& name);
    // The macro's file written to `file`.
    MacroStoreResult exportFile(std::string_view name, const std::filesystem::path& file) const;

    // Start-up of the mouse's store: an index whose pattern count reads 0 gets
    // the four pattern names, and the factory pattern files `factoryFile`
    // names are copied in where the folder has none. Nothing for the keyboard.
    MacroStoreResult preparePatterns(
        const std::function<std::filesystem::path(std::string_view)>& factoryFile);

  private:
    MacroStoreResult writeIndex(std::span<const std::string> names);
    MacroStoreResult writeMacroFile(const std::filesystem::path& file,
                                    std::span<const MacroAction> actions);
    MacroStoreResult checkNewName(std::span<const std::string> names, std::string_view name,
                                  int ignoring) const;

    const profiles::ProfileFolders& folders_;
    profiles::IniStore& ini_;
    MacroStoreKind kind_;
};

}  // namespace quillon::keys
