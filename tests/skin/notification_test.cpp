#include "skin/notification.h"

#include <gtest/gtest.h>

#include "skin/skin.h"

namespace quillon::skin {
namespace {

TEST(NotificationType, EveryTypeHasItsWordAndParsesBack) {
    const std::string_view words[] = {
        "windowinit",  "click",        "menu",         "selectchanged",
        "itemselect",  "itemclick",    "valuechanged", "movevaluechanged",
        "textchanged", "colorchanged", "msenter",      "msleave",
        "windowsize"};
    static_assert(std::size(words) == NOTIFY_TYPE_COUNT);
    for (std::size_t i = 0; i < NOTIFY_TYPE_COUNT; ++i) {
        const auto type = static_cast<NotifyType>(i);
        EXPECT_EQ(notifyTypeName(type), words[i]);
        EXPECT_EQ(parseNotifyType(words[i]), type);
    }
    EXPECT_FALSE(parseNotifyType("Click").has_value());
    EXPECT_FALSE(parseNotifyType("").has_value());
}

}  // namespace
}  // namespace quillon::skin
