#include "platform/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <vector>

#include "platform/regular_file.h"

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

// A user-dirs file is a few hundred bytes; anything far bigger is not one.
constexpr std::size_t kMaxUserDirsBytes = 64 * 1024;

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

LinuxUserFolders::LinuxUserFolders(EnvironmentLookup environment, HomeLookup passwordHome)
    : env_(std::move(environment)), homeLookup_(std::move(passwordHome)) {}

std::filesystem::path usableHome(const std::filesystem::path& candidate) {
    // The root folder (a service's HOME=/) or a relative path would scatter the
    // user's files over the system or the current folder.
    const fs::path normal = candidate.lexically_normal();
    if (!normal.is_absolute() || normal.relative_path().empty())
        return {};
    return normal;
}

std::filesystem::path passwordDatabaseHome() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    while (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
           buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    if (found == nullptr || found->pw_dir == nullptr)
        return {};
    return fs::path(found->pw_dir);
}

fs::path LinuxUserFolders::home() const {
    if (auto h = nonEmpty(env_, "HOME"))
        return usableHome(*h);
    return usableHome(homeLookup_());
}

fs::path LinuxUserFolders::configFolder() const {
    if (auto c = nonEmpty(env_, "XDG_CONFIG_HOME"); c && fs::path(*c).is_absolute())
        return fs::path(*c);
    const fs::path homeDir = home();
    return homeDir.empty() ? fs::path() : homeDir / ".config";
}

fs::path LinuxUserFolders::documentsFolder() const {
    if (auto dir = nonEmpty(env_, "QUILLON_DATA_DIR"))
        return fs::path(*dir);
    const fs::path homeDir = home();
    const fs::path config = configFolder();
    if (homeDir.empty())
        return {};
    std::string text;
    if (readRegularFile(config / "user-dirs.dirs", text, kMaxUserDirsBytes) == FileReadResult::ok)
        if (auto docs = parseDocumentsDir(text, homeDir))
            return *docs;
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
    if (auto d = nonEmpty(env_, "XDG_DATA_HOME"); d && fs::path(*d).is_absolute())
        return fs::path(*d) / "quillon";
    const fs::path homeDir = home();
    return homeDir.empty() ? fs::path{} : homeDir / ".local" / "share" / "quillon";
}

}  // namespace quillon::platform
