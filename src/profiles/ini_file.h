#pragma once

// INI files with private-profile semantics, the form of every index file the
// program keeps (profile lists, macro stores, preferences):
// - sections and keys match without regard to case; section and key order is kept;
// - a missing file, section or key reads as the default "0";
// - a value is read into 260 characters: longer values come back cut to 259;
// - numbers are the value's leading decimal digits (0 when it starts otherwise);
// - writing a key creates the file and the section.
// Nothing is cached between calls. An operation that reads many values parses
// the file once into an IniDocument; one that changes many keys does it in one
// update: read, change and atomically replace the whole file, serialised per
// path so that concurrent writers of one file never lose each other's updates.
// Text is UTF-8 and kept byte for byte; a file that is not text (NUL bytes,
// invalid UTF-8) is not an INI file of ours and cannot be read.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
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

enum class [[nodiscard]] IniReadResult{
    ok,
    missing,     // no file: an empty document, every value reads as the default
    unreadable,  // there, but not a readable regular text file: nothing may be written over it
};

// Largest INI file the program reads; far beyond any real index.
inline constexpr std::size_t kMaxIniFileBytes = 32u << 20;

// The parsed text of one INI file.
class IniDocument {
  public:
    IniDocument();
    ~IniDocument();
    IniDocument(IniDocument&&) noexcept;
    IniDocument& operator=(IniDocument&&) noexcept;

    // Replaces the document with the text's; false (document empty) when the
    // text is not an INI text of ours.
    bool parse(std::string_view text);
    std::string text() const;

    std::string readString(std::string_view section, std::string_view key) const;
    int readInt(std::string_view section, std::string_view key) const;
    // The keys of a section in file order (an empty list for a missing one).
    std::vector<std::string> keys(std::string_view section) const;

    IniWriteResult writeString(std::string_view section, std::string_view key,
                               std::string_view value);
    IniWriteResult writeInt(std::string_view section, std::string_view key, int value);

  private:
    friend class IniStore;
    struct Data;
    std::unique_ptr<Data> data_;
};

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
    // Parses the file once for an operation that reads several values.
    IniReadResult load(const std::filesystem::path& file, IniDocument& document) const;
    // Changes several keys in one atomic replacement of the file: `edit` gets the
    // current document (empty for a missing file) and returns false to write
    // nothing. A file that cannot be read is never replaced (readFailed).
    IniWriteResult update(const std::filesystem::path& file,
                          const std::function<bool(IniDocument&)>& edit);

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
