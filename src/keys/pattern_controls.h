#pragma once

// Every control the movement-pattern page names.

#include <array>
#include <string_view>

namespace quillon::keys {

struct PatternControls {
    std::string_view patternPrefix = "ms_gun_op_";  // + 0..3
    std::string_view shotPrefix = "ms_bullet_op_";  // + 0..29
    std::string_view previousShot = "bullet_selected_prev";
    std::string_view nextShot = "bullet_selected_next";
    std::string_view shotNumber = "bullet_select_index";
    std::string_view editor = "cursor_edit_layout";
    std::string_view pauseEdit = "ms_cursor_delay_eidt";
    std::string_view xEdit = "ms_cursor_x_eidt";
    std::string_view xCheck = "ms_cursor_x_check";
    std::string_view yEdit = "ms_cursor_y_eidt";
    std::string_view yCheck = "ms_cursor_y_check";
    std::string_view saveButton = "ms_bulletdate_save_btn";
    std::string_view resetButton = "ms_bulletdate_reset_btn";
    std::string_view importButton = "ms_bulletdate_import_btn";
    std::string_view exportButton = "ms_bulletdate_export_btn";

    constexpr std::array<std::string_view, 15> all() const {
        return {patternPrefix, shotPrefix, previousShot, nextShot,     shotNumber,
                editor,        pauseEdit,  xEdit,        xCheck,       yEdit,
                yCheck,        saveButton, resetButton,  importButton, exportButton};
    }
};
inline constexpr PatternControls kPatternControls{};

inline constexpr std::string_view kMessageTooLarge = "message_text_7";
inline constexpr std::string_view kMessageTooManyPatternActions = "message_text_18";
inline constexpr std::string_view kMessageWriteFailed = "message_text_19";
inline constexpr std::string_view kMessageFileMissing = "message_text_8";
inline constexpr std::string_view kMessageNotAPatternFile = "message_text_9";
// A file of the user's could not be written.
inline constexpr std::string_view kMessageNotWritten = "message_text_20";

}  // namespace quillon::keys
