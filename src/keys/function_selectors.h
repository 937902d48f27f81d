#pragma once

// The items of the editor's sub-selectors: choosing item n assigns entry n's
// bytes, and an assignment is labelled with the language key of its entry.
// The main selector's items differ between keyboard and mouse.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "keys/key_assignment.h"

namespace quillon::keys {

struct SelectorEntry {
    std::uint16_t item;
    KeyAssignment assignment;
    std::string_view label;  // language key
};

// key_fct_combo_11
inline constexpr std::array<SelectorEntry, 5> kMouseButtonSelector{{
    {0, {FN_MOUSE_BUTTON, 0x01, 0}, "mouse_key_left"},
    {1, {FN_MOUSE_BUTTON, 0x04, 0}, "mouse_key_middle"},
    {2, {FN_MOUSE_BUTTON, 0x02, 0}, "mouse_key_right"},
    {3, {FN_MOUSE_BUTTON, 0x10, 0}, "mouse_key_forward"},
    {4, {FN_MOUSE_BUTTON, 0x08, 0}, "mouse_key_back"},
}};

// key_fct_combo_12 and _13: item 0 / item 1, chosen by bit 7 of p2.
inline constexpr std::array<std::string_view, 2> kHorizontalScrollLabels{"mouse_key_left_Swing",
                                                                         "mouse_key_right_Swing"};
inline constexpr std::array<std::string_view, 2> kVerticalScrollLabels{"mouse_key_up_Swing",
                                                                       "mouse_key_down_Swing"};

// key_fct_combo_14
inline constexpr std::array<SelectorEntry, 3> kDpiSelector{{
    {0, {FN_DPI, 1, 0}, "mouse_key_DPI_add"},
    {1, {FN_DPI, 2, 0}, "mouse_key_DPI_sub"},
    {2, {FN_DPI, 3, 0}, "mouse_key_DPI_loop"},
}};

inline constexpr std::string_view kFireKeyLabel = "mouse_key_fire_key";

constexpr KeyAssignment consumerUsage(std::uint16_t usage) {
    return {FN_CONSUMER, static_cast<std::uint8_t>(usage & 0xFF),
            static_cast<std::uint8_t>(usage >> 8)};
}

// key_fct_combo_21
inline constexpr std::array<SelectorEntry, 18> kMultimediaSelector{{
    {0, consumerUsage(0x0183), "media_text"},
    {1, consumerUsage(0x00CD), "media_play"},
    {2, consumerUsage(0x00B7), "media_stop"},
    {3, consumerUsage(0x00B6), "media_prev"},
    {4, consumerUsage(0x00B5), "media_next"},
    {5, consumerUsage(0x00EA), "media_vol_sub"},
    {6, consumerUsage(0x00E9), "media_vol_add"},
    {7, consumerUsage(0x00E2), "media_mute"},
    {8, consumerUsage(0x0223), "web_text"},
    {9, consumerUsage(0x0227), "web_refresh"},
    {10, consumerUsage(0x0226), "wed_stop"},
    {11, consumerUsage(0x0224), "wed_back"},
    {12, consumerUsage(0x0225), "wed_forward"},
    {13, consumerUsage(0x022A), "wed_favorite"},
    {14, consumerUsage(0x0221), "web_search"},
    {15, consumerUsage(0x0194), "media_mypc"},
    {16, consumerUsage(0x0192), "media_calc"},
    {17, consumerUsage(0x018A), "media_mail"},
}};

// key_fct_combo_22
inline constexpr std::array<SelectorEntry, 3> kSystemSelector{{
    {0, {FN_SYSTEM, 0x01, 0}, "system_power"},
    {1, {FN_SYSTEM, 0x02, 0}, "system_sleep"},
    {2, {FN_SYSTEM, 0x04, 0}, "system_wake_up"},
}};

// ms_key_fct_combo_25
inline constexpr std::array<SelectorEntry, 4> kMovementPatternSelector{{
    {0, {FN_GUN, 0, 0}, "GUN_1"},
    {1, {FN_GUN, 1, 0}, "GUN_2"},
    {2, {FN_GUN, 2, 0}, "GUN_3"},
    {3, {FN_GUN, 3, 0}, "GUN_4"},
}};

// key_fct_combo_24: play modes 0..3, then item 4 = play a number of times.
inline constexpr int kMacroPlayModes = 4;
inline constexpr int kMacroCountItem = 4;

// The entry of a selector whose p1 and p2 equal the assignment's.
constexpr const SelectorEntry* findSelectorEntry(std::span<const SelectorEntry> selector,
                                                 const KeyAssignment& a) {
    for (const SelectorEntry& e : selector)
        if (e.assignment.p1 == a.p1 && e.assignment.p2 == a.p2)
            return &e;
    return nullptr;
}

// The sub-selector of a function type; empty for types without one.
constexpr std::span<const SelectorEntry> selectorOf(std::uint8_t type) {
    switch (type) {
        case FN_MOUSE_BUTTON:
            return kMouseButtonSelector;
        case FN_DPI:
            return kDpiSelector;
        case FN_CONSUMER:
        case FN_CONSUMER_ALT:
            return kMultimediaSelector;
        case FN_SYSTEM:
            return kSystemSelector;
        case FN_GUN:
            return kMovementPatternSelector;
        default:
            return {};
    }
}

// The main selector (kb_key_fct_combo / ms_key_fct_combo): item n is the
// function type of entry n and shows page tab_function_n. FN_MACRO stands for
// both macro types.
inline constexpr std::array<std::uint8_t, 10> kKeyboardMainItems{
    FN_DEFAULT, FN_KEY,  FN_MOUSE_BUTTON, FN_HSCROLL, FN_VSCROLL,
    FN_DPI,     FN_FIRE, FN_CONSUMER,     FN_SYSTEM,  FN_MACRO};
inline constexpr std::array<std::uint8_t, 11> kMouseMainItems{
    FN_DEFAULT, FN_MOUSE_BUTTON, FN_HSCROLL, FN_VSCROLL, FN_DPI, FN_FIRE,
    FN_KEY,     FN_CONSUMER,     FN_SYSTEM,  FN_MACRO,   FN_GUN};

// The main item that shows a type in that item list; nullopt when it has none.
constexpr std::optional<int> mainItemOf(std::span<const std::uint8_t> items, std::uint8_t type) {
    if (type == FN_MACRO_COUNT)
        type = FN_MACRO;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == type)
            return static_cast<int>(i);
    return std::nullopt;
}

}  // namespace quillon::keys
