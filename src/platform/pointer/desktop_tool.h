#pragma once

// Running one of the desktop's own settings tools (gsettings, kwriteconfig,
// xset) without a shell, so every value is one argument.

#include <string>
#include <vector>

namespace quillon::platform {

inline constexpr int kToolNotStarted = -1;

class DesktopTool {
  public:
    virtual ~DesktopTool() = default;
    // Runs argv[0] found on PATH and waits for it: its exit status, or
    // kToolNotStarted when it could not be started.
    virtual int run(const std::vector<std::string>& argv) = 0;

  protected:
    DesktopTool() = default;
    DesktopTool(const DesktopTool&) = default;
    DesktopTool& operator=(const DesktopTool&) = default;
};

// posix_spawnp with the tool's output discarded.
class SpawnedDesktopTool final : public DesktopTool {
  public:
    int run(const std::vector<std::string>& argv) override;
};

}  // namespace quillon::platform
