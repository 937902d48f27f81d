#pragma once

// Where the update service and the maker's pages are. None is built in: the
// packager or the user configures them in "update.ini", section [UPDATE]:
//   url      the service endpoint, "http://" or "https://" .../download/getVersionV1;
//            empty: no version is ever asked for and every newest version is "unknown"
//   page     the maker's download page, opened when the service grants an update
//   website  opened by the window's web-site button
//   social   opened by the window's social-media button
//   proxy    a manual proxy for when neither the environment nor the desktop works
// The file is looked up in the user's overlay folder first, then in the
// program's data folders.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::update {

struct UpdateConfig {
    std::string serviceUrl;
    std::string downloadPage;
    std::string webSite;
    std::string socialPage;
    std::string manualProxy;
};

inline constexpr std::string_view kUpdateConfigFile = "update.ini";

UpdateConfig updateConfigFromText(std::string_view iniText);

// The first readable "update.ini" among `folders`; an empty config when none.
UpdateConfig readUpdateConfig(const std::vector<std::filesystem::path>& folders);

}  // namespace quillon::update
