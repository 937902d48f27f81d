#include "platform/autostart_entry.h"

#include <system_error>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/regular_file.h"

namespace quillon::platform {

namespace {

constexpr std::size_t kMaxEntryBytes = 64 * 1024;
constexpr std::string_view kGroup = "[Desktop Entry]";
constexpr std::string_view kHidden = "Hidden";
constexpr std::string_view kGnomeEnabled = "X-GNOME-Autostart-enabled";
// Marks an entry this program wrote, which it may rewrite whole.
constexpr std::string_view kOurs = "X-Quillon-Entry";

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

struct Entry {
    std::vector<std::string> lines;
    bool found = false;  // a readable file with a [Desktop Entry] group
};

Entry parseEntry(std::string_view text) {
    Entry entry;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        const auto stop = end == std::string_view::npos ? text.size() : end;
        entry.lines.emplace_back(text.substr(start, stop - start));
        start = stop + 1;
    }
    for (const std::string& line : entry.lines)
        entry.found |= trimmed(line) == kGroup;
    return entry;
}

// The entry's text; nullopt when there is none, "" when there is something unreadable.
std::optional<std::string> readEntryText(const std::filesystem::path& path) {
    std::string text;
    switch (readRegularFile(path, text, kMaxEntryBytes)) {
        case FileReadResult::ok:
            return text;
        case FileReadResult::missing: {
            std::error_code ec;
            // A dangling link is something there all the same.
            if (!std::filesystem::is_symlink(path, ec))
                return std::nullopt;
            return std::string();
        }
        default:
            return std::string();
    }
}

// The key of a line of the [Desktop Entry] group, when it is a key line.
std::string_view keyOf(std::string_view line) {
    const auto eq = line.find('=');
    return eq == std::string_view::npos || eq == 0 ? std::string_view{}
                                                   : trimmed(line.substr(0, eq));
}

// The value of a key of the [Desktop Entry] group; nullopt-like empty when absent.
std::string valueOf(const Entry& entry, std::string_view key) {
    bool inGroup = false;
    for (const std::string& raw : entry.lines) {
        const std::string_view line = trimmed(raw);
        if (line.starts_with('[')) {
            inGroup = line == kGroup;
            continue;
        }
        if (inGroup && keyOf(line) == key)
            return std::string(trimmed(line.substr(line.find('=') + 1)));
    }
    return {};
}

// Sets a key of the [Desktop Entry] group, adding it at the group's end.
void setValue(Entry& entry, std::string_view key, std::string_view value) {
    std::string line = std::string(key) + '=' + std::string(value);
    bool inGroup = false;
    std::ptrdiff_t groupEnd = -1;
    for (std::size_t i = 0; i < entry.lines.size(); ++i) {
        const std::string_view t = trimmed(entry.lines[i]);
        if (t.starts_with('[')) {
            if (inGroup)
                break;
            inGroup = t == kGroup;
            if (inGroup)
                groupEnd = std::ptrdiff_t(i) + 1;
            continue;
        }
        if (!inGroup)
            continue;
        if (keyOf(t) == key) {
            entry.lines[i] = std::move(line);
            return;
        }
        if (!t.empty())
            groupEnd = std::ptrdiff_t(i) + 1;
    }
    const auto at = groupEnd < 0 ? entry.lines.end() : entry.lines.begin() + groupEnd;
    entry.lines.insert(at, std::move(line));
}

bool isEnabled(const Entry& entry) {
    return entry.found && valueOf(entry, kHidden) != "true" &&
           valueOf(entry, kGnomeEnabled) != "false";
}

}  // namespace

std::string desktopExecArgument(std::string_view program) {
    std::string quoted;
    for (const char c : program) {
        // Inside a quoted argument these four take a backslash.
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    std::string value = "\"";
    for (const char c : quoted) {
        switch (c) {
            case '%':
                value += "%%";  // field codes start with "%"
                break;
            case '\\':
                value += "\\\\";  // the string escape, applied before the quoting rule is read
                break;
            case '\n':
                value += "\\n";
                break;
            case '\t':
                value += "\\t";
                break;
            case '\r':
                value += "\\r";
                break;
            default:
                value += c;
        }
    }
    return value + '"';
}

XdgAutostartEntry::XdgAutostartEntry(const std::filesystem::path& configHome,
                                     std::filesystem::path program)
    : entryPath_(configHome / "autostart" / "quillon-gaming.desktop"),
      program_(std::move(program)) {}

bool entryStartsProgram(std::string_view text) {
    return isEnabled(parseEntry(text));
}

std::optional<std::string> toggledEntry(const std::optional<std::string>& existing,
                                        std::string_view program) {
    Entry entry = parseEntry(existing.value_or(std::string()));
    const bool on = !isEnabled(entry);
    const bool ours = !existing || (entry.found && valueOf(entry, kOurs) == "true");
    if (on && ours) {
        entry.lines = {std::string(kGroup), "Type=Application", "Name=Quillon Gaming Software",
                       "Exec=" + desktopExecArgument(program) + " --hidden", "Icon=quillon-gaming"};
        entry.found = true;
        setValue(entry, kOurs, "true");
    }
    if (!entry.found)
        return std::nullopt;  // nothing we could read there: a file not ours is left alone
    // A user's own entry keeps its command and everything else; only the two
    // keys the desktops read for "start it or not" change.
    setValue(entry, kHidden, on ? "false" : "true");
    setValue(entry, kGnomeEnabled, on ? "true" : "false");
    std::string text;
    for (const std::string& line : entry.lines)
        text += line + '\n';
    return text;
}

bool XdgAutostartEntry::enabled() const {
    const auto text = readEntryText(entryPath_);
    return text && entryStartsProgram(*text);
}

bool XdgAutostartEntry::toggle() {
    const auto text = toggledEntry(readEntryText(entryPath_), program_.string());
    if (!text)
        return enabled();
    std::error_code ec;
    std::filesystem::create_directories(entryPath_.parent_path(), ec);
    // The state is read back either way.
    (void)writeFileAtomically(
        entryPath_, std::span(reinterpret_cast<const std::uint8_t*>(text->data()), text->size()));
    return enabled();
}

}  // namespace quillon::platform
