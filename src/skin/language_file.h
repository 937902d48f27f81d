#pragma once

// Language files: the texts the user reads, by key, in one language.
//
//   <?xml version="1.0" encoding="UTF-8"?>
//   <language code="en" name="English">
//     <text key="message_text_1">No device is connected.</text>
//   </language>
//
// and the list of languages the program offers ("lan.xml"):
//
//   <languages>
//     <language code="en" name="English" file="lan_en.xml"/>
//   </languages>
//
// Both are read with hard limits; a file that breaks them or is not
// well-formed is refused as a whole and the caller keeps what it had.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::skin {

enum class [[nodiscard]] LanguageLoad{
    ok,
    missingFile,  // the file could not be opened
    tooLarge,     // beyond the size or count limits
    malformed,    // not well-formed, wrong root element, an entry without key
};

inline constexpr std::size_t MAX_LANGUAGE_FILE_BYTES = 1u << 20;
inline constexpr std::size_t MAX_LANGUAGE_TEXTS = 4096;
inline constexpr std::size_t MAX_LANGUAGE_KEY_BYTES = 128;
inline constexpr std::size_t MAX_LANGUAGE_TEXT_BYTES = 4096;
inline constexpr std::size_t MAX_LANGUAGES = 64;

class LanguageTable {
  public:
    // Replaces the table with the file's texts; on failure the table is unchanged.
    LanguageLoad parse(std::string_view xml);
    LanguageLoad load(const std::filesystem::path& file);

    // The text for key, or nullptr when the language has none.
    const std::string* find(std::string_view key) const;
    // The text for key, or the key itself so that a missing text stays visible.
    std::string translate(std::string_view key) const;

    const std::string& code() const { return code_; }
    const std::string& name() const { return name_; }
    std::size_t size() const { return texts_.size(); }

    void forEach(const std::function<void(const std::string&, const std::string&)>& visit) const;

  private:
    std::string code_;
    std::string name_;
    std::map<std::string, std::string, std::less<>> texts_;
};

struct LanguageEntry {
    std::string code;
    std::string name;
    std::string file;  // a plain file name beside the list
};

// Reads "lan.xml". Entries whose file is not a plain file name (no folder
// separators, no "..") are refused. `out` is written only on success.
LanguageLoad parseLanguageList(std::string_view xml, std::vector<LanguageEntry>& out);
LanguageLoad loadLanguageList(const std::filesystem::path& file, std::vector<LanguageEntry>& out);

// Reads a whole small file, refusing it when larger than maxBytes.
LanguageLoad readBoundedFile(const std::filesystem::path& file, std::size_t maxBytes,
                             std::string& out);

}  // namespace quillon::skin
