#pragma once

// The four movement-pattern files in the mouse's folder: pattern k is the
// file named by CURSORNAME/k of "msMacro.ini" plus ".cur" (by default
// "name_1.cur" .. "name_4.cur"), in the macro file form. The program folder
// holds the factory files of the same names. Every write is atomic; a stored
// name that is not a plain file name gets no file operation.

#include <filesystem>
#include <string>
#include <vector>

#include "keys/macro_table_image.h"
#include "keys/pattern_image.h"
#include "profiles/ini_file.h"
#include "profiles/profile_folders.h"

namespace quillon::keys {

enum class [[nodiscard]] PatternFileResult{
    ok,
    noSuchPattern,   // not 0..3, or its stored name is not a plain file name
    noFolder,        // the user has no data folder
    missing,         // the file (or the factory file) is not there
    unreadable,      // not a pattern file of this program
    tooManyActions,  // an import of more than 180 actions: nothing copied
    writeFailed,
};

class PatternStore {
  public:
    PatternStore(const profiles::ProfileFolders& folders, profiles::IniStore& ini)
        : folders_(folders), ini_(ini) {}

    // The file of pattern k (0..3); empty when it has none.
    std::filesystem::path patternPath(int k) const;

    PatternFileResult read(int k, PatternList& actions) const;
    PatternFileResult write(int k, const PatternList& actions);

    // The factory file "name_" + (k + 1) + ".cur" copied over pattern k.
    PatternFileResult resetToFactory(int k);
    // A pattern file chosen by the user copied over pattern k, when it holds
    // at most 180 actions.
    PatternFileResult importFile(int k, const std::filesystem::path& file);
    PatternFileResult exportFile(int k, const std::filesystem::path& file) const;

    // The image of the CURSORCOUNT patterns (at most four); a missing file
    // counts as a pattern without actions.
    ActionTableBuild buildImage() const;
    // Patterns read back from the mouse replace the files, in CURSORNAME order.
    PatternFileResult storeReadBack(const std::vector<PatternList>& patterns);

  private:
    std::filesystem::path indexPath() const;
    PatternFileResult copyInto(int k, const std::string& bytes);

    const profiles::ProfileFolders& folders_;
    profiles::IniStore& ini_;
};

}  // namespace quillon::keys
