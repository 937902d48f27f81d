#include "update/update_config.h"

#include <fstream>
#include <iterator>

#include "profiles/ini_file.h"

namespace quillon::update {

namespace {

std::string value(std::string_view text, std::string_view key) {
    std::string v = profiles::readIniString(text, "UPDATE", key);
    // A missing key reads as the INI default, which is no address.
    return v == profiles::kIniDefault ? std::string() : v;
}

}  // namespace

UpdateConfig updateConfigFromText(std::string_view iniText) {
    return {value(iniText, "url"), value(iniText, "page"), value(iniText, "website"),
            value(iniText, "social"), value(iniText, "proxy")};
}

UpdateConfig readUpdateConfig(const std::vector<std::filesystem::path>& folders) {
    for (const auto& folder : folders) {
        const auto file = folder / kUpdateConfigFile;
        std::error_code error;
        if (!std::filesystem::is_regular_file(file, error))
            continue;
        std::ifstream in(file, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
        if (in.bad())
            continue;
        return updateConfigFromText(text);
    }
    return {};
}

}  // namespace quillon::update
