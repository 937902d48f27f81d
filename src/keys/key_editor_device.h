#pragma once

// What the keyboard's and the mouse's function editors differ in; everything
// else they share (key_editor.h).

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "keys/function_selectors.h"
#include "keys/key_capture.h"
#include "link/device_catalogue.h"

namespace quillon::keys {

struct KeyEditorDevice {
    link::DeviceKind kind;
    std::string_view prefix;  // of every control name: "kb_" / "ms_"
    std::span<const std::uint8_t> mainItems;
    CaptureMode captureMode;
    // key_fct_edit_11 (the fire key's first value) is held at this.
    int fireFirstMax;
    // The mouse's only left button cannot be given another function.
    bool keepsOneLeftButton;
    // The mouse's buttons show their function as text; the keyboard's keys
    // only in their tooltips.
    bool labelsAsText;
    // The mouse editor has its own "apply" button.
    bool hasApplyButton;
};

inline constexpr KeyEditorDevice kKeyboardKeyEditor{link::DeviceKind::keyboard,
                                                    "kb_",
                                                    kKeyboardMainItems,
                                                    CaptureMode::keyboardEditor,
                                                    255,
                                                    false,
                                                    false,
                                                    false};
inline constexpr KeyEditorDevice kMouseKeyEditor{link::DeviceKind::mouse,
                                                 "ms_",
                                                 kMouseMainItems,
                                                 CaptureMode::mouseEditor,
                                                 36,
                                                 true,
                                                 true,
                                                 true};

// The controls of an editor, without the device prefix. Numbered pages
// `tab_function_N` are the main items' pages.
struct KeyEditorControlNames {
    std::string_view panel = "tab_function";
    std::string_view mainCombo = "key_fct_combo";
    std::string_view pagePrefix = "tab_function_";
    std::string_view comboPrefix = "key_fct_combo_";
    std::string_view editPrefix = "key_fct_edit_";
    std::string_view restoreButton = "key_butt_keydefalut";
    std::string_view saveButton = "key_butt_prosave";
    std::string_view applyButton = "key_butt_keysave";  // the mouse's
    std::string_view keyPrefix = "key_";                // clicked keys: kb_key_N, ms_key_N
};
inline constexpr KeyEditorControlNames kKeyEditorNames{};
inline constexpr std::string_view kMembraneKeyPrefix = "kb_keyf_";

// Numbered controls of both editors.
inline constexpr int kMacroCountPage = 26;
inline constexpr int kMouseButtonCombo = 11;
inline constexpr int kHorizontalScrollCombo = 12;
inline constexpr int kVerticalScrollCombo = 13;
inline constexpr int kDpiCombo = 14;
inline constexpr int kMultimediaCombo = 21;
inline constexpr int kSystemCombo = 22;
inline constexpr int kMacroCombo = 23;
inline constexpr int kPlayModeCombo = 24;
inline constexpr int kPatternCombo = 25;  // mouse only
inline constexpr int kFireFirstEdit = 11;
inline constexpr int kFireSecondEdit = 12;
inline constexpr int kHorizontalAmountEdit = 15;
inline constexpr int kVerticalAmountEdit = 16;
inline constexpr int kHorizontalHighEdit = 17;
inline constexpr int kVerticalHighEdit = 18;
inline constexpr int kVerticalLowEdit = 19;
inline constexpr int kHorizontalLowEdit = 20;
inline constexpr int kCapturedKeyEdit = 21;
inline constexpr int kMacroCountEdit = 25;

inline constexpr std::array<int, 8> kEditorCombos{11, 12, 13, 14, 21, 22, 23, 24};
inline constexpr std::array<int, 10> kEditorEdits{11, 12, 15, 16, 17, 18, 19, 20, 21, 25};

inline std::string editorControl(const KeyEditorDevice& d, std::string_view name) {
    return std::string(d.prefix) + std::string(name);
}
inline std::string editorControl(const KeyEditorDevice& d, std::string_view prefix, int n) {
    return std::string(d.prefix) + std::string(prefix) + std::to_string(n);
}

// Every control name an editor uses, for checks against the skin.
std::vector<std::string> keyEditorControls(const KeyEditorDevice& d);

}  // namespace quillon::keys
