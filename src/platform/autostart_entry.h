#pragma once

// Starting the program at log-on: an XDG autostart entry
// ($XDG_CONFIG_HOME/autostart/quillon-gaming.desktop). The state is what the
// desktop will do with the entry there: none, or one marked Hidden=true or
// X-GNOME-Autostart-enabled=false, means off. Turning it off never deletes the
// file: the entry is marked hidden, so a user's own entry keeps everything else.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::platform {

// Whether the program starts at log-on, as the system holds it.
class AutostartSetting {
  public:
    virtual ~AutostartSetting() = default;
    virtual bool enabled() const = 0;
    // Turns it on or off and returns what the system holds afterwards (a
    // failed write leaves the state as it was, and the answer says so).
    virtual bool toggle() = 0;

  protected:
    AutostartSetting() = default;
    AutostartSetting(const AutostartSetting&) = default;
    AutostartSetting& operator=(const AutostartSetting&) = default;
};

// The program path as one argument of an Exec line: quoted, then "%" and the
// string escapes doubled, as desktop entries require.
std::string desktopExecArgument(std::string_view program);

// Whether the desktop starts the program for an entry of this text.
bool entryStartsProgram(std::string_view text);
// The text of the entry turned the other way (`existing`: the file's text,
// nullopt when there is no file); nullopt when the file is not an entry and
// not ours, so that nothing may be written over it.
std::optional<std::string> toggledEntry(const std::optional<std::string>& existing,
                                        std::string_view program);

class XdgAutostartEntry final : public AutostartSetting {
  public:
    // `configHome`: $XDG_CONFIG_HOME or ~/.config; `program`: what the entry starts.
    XdgAutostartEntry(const std::filesystem::path& configHome, std::filesystem::path program);

    const std::filesystem::path& entryPath() const { return entryPath_; }
    bool enabled() const override;
    bool toggle() override;

  private:
    std::filesystem::path entryPath_;
    std::filesystem::path program_;
};

}  // namespace quillon::platform
