#include "platform/user_folders.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace quillon::platform {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> nonEmpty(const EnvironmentLookup& env, std::string_view name) {
    auto value = env(name);
    if (value && value->empty())
        return std::nullopt;
    return value;
}

fs::path executableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path{} : exe.parent_path();
}

void appendIfNew(std::vector<fs::path>& list, const fs::path& p) {
    if (p.empty())
        return;
    const fs::path normal = p.lexically_normal();
    for (const auto& existing : list)
        if (existing == normal)
            return;
    list.push_back(normal);
}

fs::path withoutTrailingSeparator(const fs::path& p) {
    fs::path normal = p.lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path())
        normal = normal.parent_path();
    return normal;
}

// A program run from its build tree finds the files generated there and the
// skin in the sources; an installed one never looks into a build tree that
// happens to exist on the machine.
bool runningFromBuildTree() {
#ifdef QUILLON_BUILD_ROOT
    const fs::path exe = executableFolder().lexically_normal();
    const fs::path root = withoutTrailingSeparator(fs::path(QUILLON_BUILD_ROOT));
    auto e = exe.begin();
    for (const fs::path& part : root) {
        if (e == exe.end() || *e != part)
            return false;
        ++e;
    }
    return true;
#else
    return false;
#endif
}

}  // namespace

std::optional<std::string> processEnvironment(std::string_view name) {
    const std::string key(name);
    const char* value = std::getenv(key.c_str());
    if (!value)
        return std::nullopt;
    return std::string(value);
}

std::optional<fs::path> parseDocumentsDir(std::string_view text, const fs::path& home) {
    std::istringstream lines{std::string(text)};
    std::string line;
    std::optional<fs::path> found;
    while (std::getline(lines, line)) {
        const auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#')
            continue;
        std::string_view rest(line);
        rest.remove_prefix(start);
        constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR=";
        if (rest.substr(0, kKey.size()) != kKey)
            continue;
        rest.remove_prefix(kKey.size());
        if (rest.size() < 2 || rest.front() != '"')
            continue;
        const auto close = rest.find('"', 1);
        if (close == std::string_view::npos)
            continue;
        std::string_view value = rest.substr(1, close - 1);
        fs::path dir;
        constexpr std::string_view kHome = "$HOME";
        if (value.substr(0, kHome.size()) == kHome &&
            (value.size() == kHome.size() || value[kHome.size()] == '/')) {
            value.remove_prefix(kHome.size());
            while (!value.empty() && value.front() == '/')
                value.remove_prefix(1);
            dir = value.empty() ? home : home / fs::path(value);
        } else if (!value.empty() && value.front() == '/') {
            dir = fs::path(value);
        } else {
            continue;  // relative paths are not allowed by the format
        }
        // The last assignment wins, as when the file is sourced by a shell.
        found = dir.lexically_normal();
    }
    if (found && withoutTrailingSeparator(*found) == withoutTrailingSeparator(home))
        return std::nullopt;
    return found;
}

fs::path buildTreeProgramDataFolder() {
#ifdef QUILLON_BUILD_DATA_DIR
    return fs::path(QUILLON_BUILD_DATA_DIR);
#else
    return {};
#endif
}

LinuxUserFolders::LinuxUserFolders(EnvironmentLookup environment) : env_(std::move(environment)) {}

fs::path LinuxUserFolders::home() const {
    if (auto h = nonEmpty(env_, "HOME"))
        return fs::path(*h);
    return fs::path("/");
}

fs::path LinuxUserFolders::documentsFolder() const {
    if (auto dir = nonEmpty(env_, "QUILLON_DATA_DIR"))
        return fs::path(*dir);
    const fs::path homeDir = home();
    fs::path config = homeDir / ".config";
    if (auto c = nonEmpty(env_, "XDG_CONFIG_HOME"); c && fs::path(*c).is_absolute())
        config = *c;
    std::ifstream in(config / "user-dirs.dirs");
    if (in) {
        std::stringstream text;
        text << in.rdbuf();
        if (auto docs = parseDocumentsDir(text.str(), homeDir))
            return *docs;
    }
    return homeDir / "Documents";
}

std::vector<fs::path> LinuxUserFolders::programDataFolders() const {
    std::vector<fs::path> folders;
    if (auto dir = nonEmpty(env_, "QUILLON_PROGRAM_DIR")) {
        appendIfNew(folders, *dir);
        return folders;
    }
    if (const fs::path exe = executableFolder(); !exe.empty())
        appendIfNew(folders, exe.parent_path() / "share" / "quillon");
    if (runningFromBuildTree()) {
        appendIfNew(folders, buildTreeProgramDataFolder());
#ifdef QUILLON_SOURCE_DATA_DIR
        appendIfNew(folders, fs::path(QUILLON_SOURCE_DATA_DIR));
#endif
    }
#ifdef QUILLON_INSTALL_DATA_DIR
    appendIfNew(folders, fs::path(QUILLON_INSTALL_DATA_DIR));
#endif
    return folders;
}

fs::path LinuxUserFolders::programOverlayFolder() const {
    fs::path data = home() / ".local" / "share";
    if (auto d = nonEmpty(env_, "XDG_DATA_HOME"); d && fs::path(*d).is_absolute())
        data = *d;
    return data / "quillon";
}

}  // namespace quillon::platform
