#pragma once

// INI files with private-profile semantics, the form of every index file the
// program keeps (profile lists, macro stores, preferences):
// - sections and keys match without regard to case; section and key order is kept;
// - a missing file, section or key reads as the default "0";
// - a value is read into 260 characters: longer values come back cut to 259;
// - numbers are the value's leading decimal digits (0 when it starts otherwise);
// - writing a key creates the file and the section.
// Nothing is cached: every read parses the file, every write reads, changes and
// atomically replaces it, serialised per path so that concurrent writers of one
// file never lose each other's updates. Text is UTF-8 and kept byte for byte.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/atomic_file.h"

namespace quillon::profiles {

// Characters of the read buffer, terminator included.
inline constexpr std::size_t kIniValueCapacity = 260;
inline constexpr std::string_view kIniDefault = "0";

enum class [[nodiscard]] IniWriteResult{
    ok,
    badText,      // a section, key or value that the file format cannot hold (line breaks, ...)
    readFailed,   // the existing file could not be read; it is left as it was
    writeFailed,  // the new file could not be written; the old one is intact
};

constexpr bool succeeded(IniWriteResult r) {
    return r == IniWriteResult::ok;
}

// Leading decimal digits of a value; saturates at INT_MAX.
int leadingDecimal(std::string_view value);

// Cuts text to what a buffer of kIniValueCapacity characters holds (259
// characters), never inside a UTF-8 sequence.
std::string cutToValueCapacity(std::string_view value);

// The value a file of this text gives (the same rules as IniStore::readString).
std::string readIniString(std::string_view fileText, std::string_view section,
                          std::string_view key);

// The access to every INI file of the program. One instance is shared by all
// users of the same files (it holds the per-path write locks).
class IniStore {
  public:
    std::string readString(const std::filesystem::path& file, std::string_view section,
                           std::string_view key) const;
    int readInt(const std::filesystem::path& file, std::string_view section,
                std::string_view key) const;
    // The keys of a section in file order (an empty list for a missing one).
    std::vector<std::string> readKeys(const std::filesystem::path& file,
                                      std::string_view section) const;

    IniWriteResult writeString(const std::filesystem::path& file, std::string_view section,
                               std::string_view key, std::string_view value);
    IniWriteResult writeInt(const std::filesystem::path& file, std::string_view section,
                            std::string_view key, int value);
    // Removing what is not there succeeds and does not create the file.
    IniWriteResult deleteKey(const std::filesystem::path& file, std::string_view section,
                             std::string_view key);
    IniWriteResult deleteSection(const std::filesystem::path& file, std::string_view section);

    // The per-path locks; other writers of the same files (content files) share them.
    platform::PathLocks& locks() { return locks_; }

  private:
    platform::PathLocks locks_;
};

}  // namespace quillon::profiles
