#pragma once

// The macro editor page of the keyboard or the mouse, one implementation for
// both: the list of macros (add, select, rename, delete with the key fix-up),
// the selected macro's action list (edit, move, delete, insert mouse actions,
// save, cancel, record) and its unsaved-changes state, which is the
// visibility of the save/cancel bar. GUI thread.

#include <functional>
#include <string>
#include <vector>

#include "keys/key_map_access.h"
#include "keys/macro_editor_controls.h"
#include "keys/macro_recorder.h"
#include "keys/macro_store.h"
#include "link/device_catalogue.h"
#include "skin/skin.h"

namespace quillon::keys {

struct MacroEditorDevice {
    link::DeviceKind kind;
    std::string_view prefix;
    const MacroStoreKind* store;
};
inline constexpr MacroEditorDevice kKeyboardMacroEditor{link::DeviceKind::keyboard, "kb_",
                                                        &kKeyboardMacroStore};
inline constexpr MacroEditorDevice kMouseMacroEditor{link::DeviceKind::mouse, "ms_",
                                                     &kMouseMacroStore};

// Where recorded input comes from (the program's hooks; a fake in tests).
class MacroRecordSource {
  public:
    virtual ~MacroRecordSource() = default;
    virtual platform::InputStartResult startRecording(
        link::DeviceKind kind, const platform::InputRequest& request,
        std::function<void(const platform::InputEvent&)> sink) = 0;
    virtual void removeHooks() = 0;
};

inline constexpr std::string_view kMessageUnsavedMacro = "message_text_3";
inline constexpr std::string_view kMessageMacroInUse = "message_text_2";
inline constexpr std::string_view kMessageDeleteMacro = "message_text_4";
inline constexpr std::string_view kMessageMacroNameTaken = "message_text_5";
inline constexpr std::string_view kMessageBadMacroName = "message_text_14";
inline constexpr std::string_view kMessageTooManyMacros = "message_text_17";
inline constexpr std::string_view kMessageMacroNotSaved = "message_text_20";
inline constexpr std::string_view kMessageNoInputHooks = "macro_record_unavailable_text";
inline constexpr std::string_view kMessageKeyboardTaken = "macro_record_keyboard_taken_text";
inline constexpr std::string_view kRecordStartText = "macro_btn_star_redio_text";
inline constexpr std::string_view kRecordStopText = "macro_btn_stop_redio_text";
inline constexpr std::string_view kPressText = "macro_press_text";
inline constexpr std::string_view kReleaseText = "macro_release_text";

class MacroEditor {
  public:
    // `macrosChanged` tells key assignment that names or positions changed.
    MacroEditor(const MacroEditorDevice& device, skin::Skin& skin, MacroStore& store,
                KeyMapAccess& maps, MacroRecordSource& recorder,
                std::function<void()> macrosChanged);

    const MacroEditorDevice& device() const { return device_; }
    std::string control(std::string_view name) const { return macroControl(device_.prefix, name); }

    // Start-up: the name list from the store; the combos' rows in the current
    // language (again after a language change).
    void fillNameList();
    void fillComboRows();

    void addMacro();
    void macroSelected();
    void renameMacro();
    void deleteMacro();

    void actionClicked();
    void keyChosen();
    void pressChosen();
    void mouseItemChosen();
    void pauseTyped(bool mouseEditor);
    void distanceTyped();

    enum class Move { up, down, top, bottom };
    void moveAction(Move move);
    void deleteAction();
    void deleteAllActions();
    void insertButton(std::size_t button, bool press);
    void insertMove(std::size_t move);
    void showInsertPage(std::size_t button);
    void insertPanelToggled();

    void save();
    void cancel();

    void toggleRecording();
    void recorded(const platform::InputEvent& event);
    bool recording() const { return recording_; }

    bool unsaved() const;
    const std::vector<MacroAction>& actions() const { return actions_; }

  private:
    skin::Control* find(std::string_view name) const;
    void setVisible(std::string_view name, bool visible);
    void setEnabled(std::string_view name, bool enabled);
    std::string text(std::string_view name) const;
    int selectedMacro() const;
    int selectedAction() const;
    std::vector<std::string> listedNames() const;

    skin::Row actionRow(const MacroAction& action) const;
    void showActions(int select);
    void setActionRow(int row);
    void loadActions(const std::string& name);
    void beginEditing();
    void endEditing();
    void enableMacroButtons(bool enabled);
    void enableEditing(bool enabled);
    void fillActionEditor(const MacroAction& action);

    MacroEditorDevice device_;
    skin::Skin& skin_;
    MacroStore& store_;
    KeyMapAccess& maps_;
    MacroRecordSource& recorder_;
    std::function<void()> macrosChanged_;

    std::vector<MacroAction> actions_;
    MacroRecording recording_state_;
    bool recording_ = false;
    int previousMacro_ = -1;
};

}  // namespace quillon::keys
