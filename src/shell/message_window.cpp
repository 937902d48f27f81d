#include "shell/message_window.h"

namespace quillon::shell {

int showMessage(skin::Skin& skin, std::string_view textKey) {
    return skin.showMessage(textKey) == 1 ? 1 : 0;
}

std::string fillNumber(std::string_view text, long long number) {
    std::string out(text);
    const auto at = out.find("%d");
    if (at != std::string::npos) {
        out.replace(at, 2, std::to_string(number));
    }
    return out;
}

int showMessageWithNumber(skin::Skin& skin, std::string_view textKey, long long number) {
    return skin.showMessageText(fillNumber(skin.translate(textKey), number)) == 1 ? 1 : 0;
}

}  // namespace quillon::shell
