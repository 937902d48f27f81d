#pragma once

// The folders the program keeps its files in, as the operating system names
// them: the user's Documents folder (the data folder lies under it) and the
// program's own data folders (factory files, skin).

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::platform {

class UserFolders {
  public:
    virtual ~UserFolders() = default;

    // The user's Documents folder. Not created here.
    virtual std::filesystem::path documentsFolder() const = 0;

    // Read-only folders with the files delivered with the program, the preferred
    // first. Some may not exist.
    virtual std::vector<std::filesystem::path> programDataFolders() const = 0;

    // The writable folder for files the program itself writes among its own
    // files; a file there shadows the file of the same name in programDataFolders.
    // Not created here.
    virtual std::filesystem::path programOverlayFolder() const = 0;

    // The user's configuration folder (the language setting, the autostart
    // entry); empty where the program keeps no such settings.
    virtual std::filesystem::path configFolder() const { return {}; }

  protected:
    UserFolders() = default;
    UserFolders(const UserFolders&) = default;
    UserFolders& operator=(const UserFolders&) = default;
};

// Looks up an environment variable; nullopt when unset.
using EnvironmentLookup = std::function<std::optional<std::string>(std::string_view name)>;

// The real process environment.
std::optional<std::string> processEnvironment(std::string_view name);

// The home folder the password database gives this user.
using HomeLookup = std::function<std::filesystem::path()>;
std::filesystem::path passwordDatabaseHome();

// A home folder the program may keep files under: an absolute path other than
// the root folder, else empty.
std::filesystem::path usableHome(const std::filesystem::path& candidate);

// The Linux answer (home: $HOME, else the password database; never "/": with no
// usable home the user's folders are empty paths, where nothing can be written):
// - Documents: QUILLON_DATA_DIR when set (tests), else XDG_DOCUMENTS_DIR from
//   user-dirs.dirs in $XDG_CONFIG_HOME (or ~/.config), else $HOME/Documents.
// - program data: QUILLON_PROGRAM_DIR when set, else share/quillon beside the
//   executable's prefix, the build tree and the sources' data folder (only for
//   a program run from the build tree), and the configured install prefix.
// - overlay: $XDG_DATA_HOME/quillon (or ~/.local/share/quillon).
class LinuxUserFolders final : public UserFolders {
  public:
    explicit LinuxUserFolders(EnvironmentLookup environment = processEnvironment,
                              HomeLookup passwordHome = passwordDatabaseHome);

    std::filesystem::path documentsFolder() const override;
    std::vector<std::filesystem::path> programDataFolders() const override;
    std::filesystem::path programOverlayFolder() const override;
    // $XDG_CONFIG_HOME, else ~/.config; empty without a usable home.
    std::filesystem::path configFolder() const override;

  private:
    std::filesystem::path home() const;
    EnvironmentLookup env_;
    HomeLookup homeLookup_;
};

// Fixed folders, for tests and tools.
class FixedUserFolders final : public UserFolders {
  public:
    FixedUserFolders(std::filesystem::path documents,
                     std::vector<std::filesystem::path> programData, std::filesystem::path overlay,
                     std::filesystem::path config = {})
        : documents_(std::move(documents)),
          programData_(std::move(programData)),
          overlay_(std::move(overlay)),
          config_(std::move(config)) {}

    std::filesystem::path documentsFolder() const override { return documents_; }
    std::vector<std::filesystem::path> programDataFolders() const override { return programData_; }
    std::filesystem::path programOverlayFolder() const override { return overlay_; }
    std::filesystem::path configFolder() const override { return config_; }

  private:
    std::filesystem::path documents_;
    std::vector<std::filesystem::path> programData_;
    std::filesystem::path overlay_;
    std::filesystem::path config_;
};

// XDG_DOCUMENTS_DIR out of the text of a user-dirs.dirs file ("$HOME/..." or an
// absolute path, in double quotes). nullopt when absent, relative, or the home
// folder itself (which the format uses to say "disabled").
std::optional<std::filesystem::path> parseDocumentsDir(std::string_view userDirsText,
                                                       const std::filesystem::path& home);

// The build tree's program data folder (where the build puts generated factory
// files); empty when the build did not say.
std::filesystem::path buildTreeProgramDataFolder();

}  // namespace quillon::platform
