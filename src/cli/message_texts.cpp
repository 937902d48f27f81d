#include "cli/message_texts.h"

#include <system_error>

namespace quillon::cli {

MessageTexts::MessageTexts(const platform::UserFolders& users) {
    std::vector<std::filesystem::path> candidates;
    for (const auto& folder : users.programDataFolders())
        candidates.push_back(folder / "skin" / "lan_en.xml");
    candidates.emplace_back(std::filesystem::path(QUILLON_SOURCE_DATA_DIR) / "skin" / "lan_en.xml");
    for (const auto& file : candidates) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(file, ec) &&
            table_.load(file) == skin::LanguageLoad::ok)
            return;
    }
}

}  // namespace quillon::cli
