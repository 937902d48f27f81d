#include "platform/foreground/app_id_executable.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "platform/regular_file.h"

namespace quillon::platform {

namespace {

constexpr std::size_t kMaxEntryBytes = 64 * 1024;

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// The raw value of the Exec key of the [Desktop Entry] group.
std::optional<std::string_view> execValue(std::string_view entry) {
    bool inGroup = false;
    while (!entry.empty()) {
        const auto end = entry.find('\n');
        const std::string_view line = trimmed(entry.substr(0, end));
        entry = end == std::string_view::npos ? std::string_view{} : entry.substr(end + 1);
        if (line.starts_with('[')) {
            if (inGroup)
                return std::nullopt;  // the group ended without one
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        const auto eq = line.find('=');
        if (inGroup && eq != std::string_view::npos && trimmed(line.substr(0, eq)) == "Exec")
            return trimmed(line.substr(eq + 1));
    }
    return std::nullopt;
}

// The string escapes every value may hold.
std::string unescaped(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        switch (value[++i]) {
            case 's':
                out += ' ';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case '\\':
                out += '\\';
                break;
            default:  // not an escape: kept as written
                out += '\\';
                out += value[i];
        }
    }
    return out;
}

// The words of an Exec line; nullopt when a quote is left open.
std::optional<std::vector<std::string>> execWords(std::string_view exec) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (true) {
        while (i < exec.size() && (exec[i] == ' ' || exec[i] == '\t'))
            ++i;
        if (i == exec.size())
            return words;
        std::string word;
        if (exec[i] == '"') {
            for (++i;; ++i) {
                if (i == exec.size())
                    return std::nullopt;
                if (exec[i] == '"')
                    break;
                if (exec[i] == '\\' && i + 1 < exec.size())
                    ++i;  // \" \` \$ \\ stand for the character itself
                word += exec[i];
            }
            ++i;
        } else {
            while (i < exec.size() && exec[i] != ' ' && exec[i] != '\t')
                word += exec[i++];
        }
        words.push_back(std::move(word));
    }
}

bool isExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

std::string canonical(const std::string& path) {
    if (path.empty())
        return {};
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : std::string();
}

std::string lowered(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// An app_id comes from whichever client made the window: one that could
// leave the folders it is looked up in is none.
bool plainName(std::string_view appId) {
    return !appId.empty() && appId != "." && appId != ".." &&
           std::none_of(appId.begin(), appId.end(),
                        [](unsigned char c) { return c == '/' || c < 0x20 || c == 0x7f; });
}

std::string fromDesktopEntry(const std::string& name, const AppIdSearch& search) {
    for (const std::string& folder : search.applicationFolders) {
        std::string text;
        switch (readRegularFile(std::filesystem::path(folder) / (name + ".desktop"), text,
                                kMaxEntryBytes)) {
            case FileReadResult::ok:
                // The first entry of that name hides the others, as on the desktop.
                return findOnPath(desktopEntryProgram(text), search.path);
            case FileReadResult::missing:
                continue;
            default:
                return {};
        }
    }
    return {};
}

// A process of this user running an executable of that name.
std::string fromProcesses(std::string_view appId, const AppIdSearch& search) {
    DIR* folder = ::opendir(search.procFolder.c_str());
    if (folder == nullptr)
        return {};
    const std::string wanted = lowered(appId);
    std::string found;
    while (const dirent* entry = ::readdir(folder)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        struct stat st {};
        if (pid <= 0 || *end != '\0' ||
            ::stat((search.procFolder + '/' + entry->d_name).c_str(), &st) != 0 ||
            st.st_uid != ::getuid())
            continue;
        std::error_code ec;
        const std::string exe =
            std::filesystem::read_symlink(
                std::filesystem::path(search.procFolder) / entry->d_name / "exe", ec)
                .string();
        if (!exe.empty() && lowered(std::filesystem::path(exe).filename().string()) == wanted) {
            found = exe;
            break;
        }
    }
    ::closedir(folder);
    return found;
}

std::vector<std::string> pathList(std::string_view list) {
    std::vector<std::string> parts;
    while (true) {
        const auto colon = list.find(':');
        // An empty part would mean the current folder: never searched.
        if (!list.substr(0, colon).empty())
            parts.emplace_back(list.substr(0, colon));
        if (colon == std::string_view::npos)
            return parts;
        list.remove_prefix(colon + 1);
    }
}

std::string environment(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::string(value) : fallback;
}

}  // namespace

AppIdSearch AppIdSearch::fromEnvironment() {
    AppIdSearch search;
    const char* home = std::getenv("HOME");
    const std::string dataHome = environment(
        "XDG_DATA_HOME", home != nullptr ? std::string(home) + "/.local/share" : std::string());
    std::vector<std::string> dataFolders = pathList(dataHome);
    for (std::string& folder :
         pathList(environment("XDG_DATA_DIRS", "/usr/local/share:/usr/share")))
        dataFolders.push_back(std::move(folder));
    for (const std::string& folder : dataFolders)
        search.applicationFolders.push_back(folder + "/applications");
    search.path = environment("PATH", "/usr/local/bin:/usr/bin:/bin");
    return search;
}

std::string desktopEntryProgram(std::string_view entry) {
    const auto exec = execValue(entry);
    if (!exec)
        return {};
    const auto words = execWords(unescaped(*exec));
    if (!words || words->empty())
        return {};
    auto word = words->begin();
    // "env NAME=value ... program": the program is what runs.
    if (std::filesystem::path(*word).filename() == "env") {
        ++word;
        while (word != words->end() && word->find('=') != std::string::npos)
            ++word;
        if (word == words->end())
            return {};
    }
    // "%%" is the one field code a program's name may hold: a "%".
    std::string program;
    for (std::size_t i = 0; i < word->size(); ++i) {
        program += (*word)[i];
        if ((*word)[i] == '%' && i + 1 < word->size() && (*word)[i + 1] == '%')
            ++i;
    }
    return program;
}

std::string findOnPath(std::string_view name, std::string_view path) {
    if (name.empty())
        return {};
    if (name.find('/') != std::string_view::npos) {
        const std::string file(name);
        return name.front() == '/' && isExecutableFile(file) ? file : std::string();
    }
    for (const std::string& folder : pathList(path)) {
        const std::string file = folder + '/' + std::string(name);
        if (isExecutableFile(file))
            return file;
    }
    return {};
}

std::string appIdExecutable(std::string_view appId, const AppIdSearch& search) {
    if (!plainName(appId))
        return {};
    // Some programs give their app_id capitalised and install lower case.
    std::vector<std::string> names{std::string(appId)};
    if (lowered(appId) != appId)
        names.push_back(lowered(appId));
    for (const std::string& name : names)
        if (std::string exe = fromDesktopEntry(name, search); !exe.empty())
            return canonical(exe);
    for (const std::string& name : names)
        if (std::string exe = findOnPath(name, search.path); !exe.empty())
            return canonical(exe);
    return fromProcesses(appId, search);
}

}  // namespace quillon::platform
