#include "skin/notification.h"

namespace quillon::skin {

std::optional<NotifyType> parseNotifyType(std::string_view word) {
    for (std::size_t i = 0; i < NOTIFY_TYPE_COUNT; ++i) {
        const auto type = static_cast<NotifyType>(i);
        if (notifyTypeName(type) == word) {
            return type;
        }
    }
    return std::nullopt;
}

}  // namespace quillon::skin
