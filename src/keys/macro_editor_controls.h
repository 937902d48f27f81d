#pragma once

// The control names of the macro editor pages. Both editors share one table
// of names; the keyboard's carry the prefix "kb_", the mouse's "ms_".

#include <array>
#include <string>
#include <string_view>

namespace quillon::keys {

struct MacroEditorNames {
    std::string_view nameList = "MacroName_list";
    std::string_view actionList = "Macro_list";
    std::string_view nameEdit = "macro_edit_macroname";
    std::string_view saveCancelBar = "macro_tab_saveorcancel";
    std::string_view actionPages = "tab_macro_edit";
    std::string_view keySelect = "macro_combo_keyselect";
    std::string_view upOrDown = "macro_combo_upordown";
    std::string_view keyDelay = "_macro_edit_ActionDelay";
    std::string_view mouseSelect = "macro_combo_mouselect";
    std::string_view distanceEdit = "macro_edit_mou_pointer_skewing";
    std::string_view distancePanel = "macro_tab_mou_pointer_skewing";
    std::string_view mouseDelay = "_macro_edit_mou_action_delay";
    std::string_view add = "macro_btn_name_add";
    std::string_view remove = "macro_btn_name_sub";
    std::string_view rename = "macro_btn_savemacroname";
    std::string_view up = "macro_btn_up";
    std::string_view down = "macro_btn_down";
    std::string_view top = "macro_btn_uptop";
    std::string_view bottom = "macro_btn_downbottom";
    std::string_view deleteAction = "macro_btn_delete";
    std::string_view deleteAll = "macro_btn_deleteall";
    std::string_view save = "macro_btn_save";
    std::string_view cancel = "macro_btn_cancel";
    std::string_view record = "macro_btn_redio";
    std::string_view recordKeys = "macro_keyboard_event";
    std::string_view recordClicks = "macro_mouse_click";
    std::string_view recordWheel = "macro_mouse_roller";
    std::string_view recordMoves = "macro_mouse_move";
    std::string_view fixedPause = "macro_check_time";
    std::string_view insertPanelToggle = "macro_btn_shubiao";
    std::string_view insertPanel = "MacroMouseEvent";
    std::string_view namePanel = "MacroName";
    std::string_view moveLeftEdit = "mouse_x_left_edit";
    std::string_view moveRightEdit = "mouse_x_right_edit";
    std::string_view moveUpEdit = "mouse_y_up_edit";
    std::string_view moveDownEdit = "mouse_y_down_edit";
    std::string_view pageOption = "macro_Op_tab";

    constexpr std::array<std::string_view, 37> all() const {
        return {nameList,      actionList,
                nameEdit,      saveCancelBar,
                actionPages,   keySelect,
                upOrDown,      keyDelay,
                mouseSelect,   distanceEdit,
                distancePanel, mouseDelay,
                add,           remove,
                rename,        up,
                down,          top,
                bottom,        deleteAction,
                deleteAll,     save,
                cancel,        record,
                recordKeys,    recordClicks,
                recordWheel,   recordMoves,
                fixedPause,    insertPanelToggle,
                insertPanel,   namePanel,
                moveLeftEdit,  moveRightEdit,
                moveUpEdit,    moveDownEdit,
                pageOption};
    }
};
inline constexpr MacroEditorNames kMacroEditorNames{};

// The insert buttons of one mouse button: its page button and page, and the
// press and release buttons.
struct MacroInsertButton {
    std::string_view page;        // "macro_inset_leftkey_btn"
    std::string_view pageTab;     // "macro_inset_leftkey_tab"
    std::string_view pressBtn;    // "macro_inset_leftkeydown_btn"
    std::string_view releaseBtn;  // "macro_inset_leftkeyup_btn"
    std::uint8_t bit;
    std::string_view nameKey;
};
inline constexpr std::array<MacroInsertButton, 5> kMacroInsertButtons{{
    {"macro_inset_leftkey_btn", "macro_inset_leftkey_tab", "macro_inset_leftkeydown_btn",
     "macro_inset_leftkeyup_btn", 0x01, "mouse_key_left"},
    {"macro_inset_rightkey_btn", "macro_inset_rightkey_tab", "macro_inset_rightkeydown_btn",
     "macro_inset_rightkeyup_btn", 0x02, "mouse_key_right"},
    {"macro_inset_moudlekey_btn", "macro_inset_moudlekey_tab", "macro_inset_moudlekeydown_btn",
     "macro_inset_moudlekeyup_btn", 0x04, "mouse_key_middle"},
    {"macro_inset_forwardkey_btn", "macro_inset_forwardkey_tab", "macro_inset_forwardkeydown_btn",
     "macro_inset_forwardkeyup_btn", 0x10, "mouse_key_forward"},
    {"macro_inset_backkey_btn", "macro_inset_backkey_tab", "macro_inset_backkeydown_btn",
     "macro_inset_backkeyup_btn", 0x08, "mouse_key_back"},
}};

// The move buttons: kind with the direction bit, the distance edit's name.
struct MacroInsertMove {
    std::string_view button;
    std::uint8_t kind;
    std::string_view distanceEdit;
    std::string_view nameKey;
};
inline constexpr std::array<MacroInsertMove, 4> kMacroInsertMoves{{
    {"macro_inset_moveleftkey_btn", 0x84, "mouse_x_left_edit", "mouse_move_to_left_text"},
    {"macro_inset_moverightkey_btn", 0x04, "mouse_x_right_edit", "mouse_move_to_right_text"},
    {"macro_inset_moveupkey_btn", 0x85, "mouse_y_up_edit", "mouse_move_to_up_text"},
    {"macro_inset_movedownkey_btn", 0x05, "mouse_y_down_edit", "mouse_move_to_down_text"},
}};

// The items of "macro_combo_mouselect": 0..9 button presses and releases,
// 10..13 the moves.
struct MacroMouseItem {
    std::uint8_t kind;
    std::uint8_t code;  // the button bit; 0 for moves (the distance is kept)
    std::string_view nameKey;
};
inline constexpr std::array<MacroMouseItem, 14> kMacroMouseItems{{
    {0x81, 0x01, "mouse_key_left"},
    {0x01, 0x01, "mouse_key_left"},
    {0x81, 0x02, "mouse_key_right"},
    {0x01, 0x02, "mouse_key_right"},
    {0x81, 0x04, "mouse_key_middle"},
    {0x01, 0x04, "mouse_key_middle"},
    {0x81, 0x10, "mouse_key_forward"},
    {0x01, 0x10, "mouse_key_forward"},
    {0x81, 0x08, "mouse_key_back"},
    {0x01, 0x08, "mouse_key_back"},
    {0x84, 0, "mouse_move_to_left_text"},
    {0x04, 0, "mouse_move_to_right_text"},
    {0x85, 0, "mouse_move_to_up_text"},
    {0x05, 0, "mouse_move_to_down_text"},
}};
inline constexpr int kFirstMoveItem = 10;

// The full name of an editor control: prefix + name.
inline std::string macroControl(std::string_view prefix, std::string_view name) {
    return std::string(prefix) + std::string(name);
}

}  // namespace quillon::keys
