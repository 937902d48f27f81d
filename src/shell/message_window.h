#pragma once

// The message window over the skin: every message to the user, by text key.

#include <string>
#include <string_view>

#include "skin/skin.h"

namespace quillon::shell {

// 1 when the user confirmed, 0 when cancelled or closed.
int showMessage(skin::Skin& skin, std::string_view textKey);

// For texts that carry one number ("... %d ..."): the first "%d" of the
// translated text is replaced by the number. The text is never used as a
// format string, so a translation with other % sequences shows as written.
int showMessageWithNumber(skin::Skin& skin, std::string_view textKey, long long number);

// The replacement itself, for callers that show the text elsewhere.
std::string fillNumber(std::string_view text, long long number);

}  // namespace quillon::shell
