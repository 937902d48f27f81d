#pragma once

// The English texts of the message keys the core reports ("message_text_14"),
// read from the skin's language file, so that a user reads what the window
// would have said.

#include <string>
#include <string_view>

#include "platform/user_folders.h"
#include "skin/language_file.h"

namespace quillon::cli {

class MessageTexts {
  public:
    // Reads lan_en.xml from the first program data folder whose skin has it,
    // else from the source tree. Without one, keys stay keys.
    explicit MessageTexts(const platform::UserFolders& users);
    MessageTexts() = default;

    // The text for `key`, or the key when there is none.
    std::string text(std::string_view key) const { return table_.translate(key); }

  private:
    skin::LanguageTable table_;
};

}  // namespace quillon::cli
