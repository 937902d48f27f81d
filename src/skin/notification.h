#pragma once

// What a control tells the shell: the notification types of the skin and the
// record that carries one.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quillon::skin {

// ---------------------------------------------------------------------------
// Notifications

enum class NotifyType : std::uint8_t {
    windowInit,        // "windowinit": the views exist (sent once, first)
    click,             // "click"
    menu,              // "menu": context request on a control
    selectChanged,     // "selectchanged": check box / option toggled
    itemSelect,        // "itemselect": combo or list row selected
    itemClick,         // "itemclick": list row clicked
    valueChanged,      // "valuechanged": slider released / set by the user
    moveValueChanged,  // "movevaluechanged": slider dragged
    textChanged,       // "textchanged": edit box text typed
    colorChanged,      // "colorchanged": palette colour picked
    mouseEnter,        // "msenter"
    mouseLeave,        // "msleave"
    windowSize,        // "windowsize"
};

inline constexpr std::size_t NOTIFY_TYPE_COUNT = 13;

// The notification's own word ("click", "itemselect", ...).
constexpr std::string_view notifyTypeName(NotifyType type) {
    switch (type) {
        case NotifyType::windowInit:
            return "windowinit";
        case NotifyType::click:
            return "click";
        case NotifyType::menu:
            return "menu";
        case NotifyType::selectChanged:
            return "selectchanged";
        case NotifyType::itemSelect:
            return "itemselect";
        case NotifyType::itemClick:
            return "itemclick";
        case NotifyType::valueChanged:
            return "valuechanged";
        case NotifyType::moveValueChanged:
            return "movevaluechanged";
        case NotifyType::textChanged:
            return "textchanged";
        case NotifyType::colorChanged:
            return "colorchanged";
        case NotifyType::mouseEnter:
            return "msenter";
        case NotifyType::mouseLeave:
            return "msleave";
        case NotifyType::windowSize:
            return "windowsize";
    }
    return {};
}

// Inverse of notifyTypeName (exact word, lower case); nullopt for other words.
std::optional<NotifyType> parseNotifyType(std::string_view word);

struct Notification {
    NotifyType type = NotifyType::click;
    std::string name;  // the sending control's name; empty for window-level ones
    // itemselect / itemclick: the row; -1 when the notification has none.
    int row = -1;
    // valuechanged / movevaluechanged: slider value; colorchanged: 0xAARRGGBB;
    // selectchanged: 1 checked, 0 unchecked. 0 when the notification has none.
    std::int64_t value = 0;
};

// Installed by the shell. Called synchronously on the GUI thread; a control
// operation that "raises its event" calls it before returning.
using NotificationSink = std::function<void(const Notification&)>;

}  // namespace quillon::skin
