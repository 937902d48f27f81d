#pragma once

// The function editor of one device kind: shows the assignment of the chosen
// key slot in the editor's controls, builds an assignment from them and
// stores it in the current profile's key map, captures a key, restores a
// key's factory assignment and names every key's function on the device
// picture. Keyboard and mouse run this same code with their KeyEditorDevice.
// GUI thread only.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "keys/assignable_macros.h"
#include "keys/key_capture.h"
#include "keys/key_editor_device.h"
#include "keys/key_map_access.h"
#include "skin/skin.h"

namespace quillon::keys {

// An on-screen key or button and the slot it shows.
struct KeyLabelTarget {
    std::string control;
    std::size_t slot;
};

class KeyEditor {
  public:
    KeyEditor(const KeyEditorDevice& device, skin::Skin& skin, KeyMapAccess& maps,
              const MacroCatalogue& macros, KeyCaptureSource& capture);
    KeyEditor(const KeyEditor&) = delete;
    KeyEditor& operator=(const KeyEditor&) = delete;

    const KeyEditorDevice& device() const { return device_; }
    // The slot shown, if any.
    std::optional<std::size_t> slot() const { return slot_; }
    KeyAssignment current() const { return current_; }

    // Loads the slot's assignment from the current profile into the controls.
    void showAssignment(std::size_t slot);
    // Builds the assignment from the controls and stores it at the slot shown.
    void applyEditor();
    // A key press while capturing.
    void captureKey(std::uint16_t virtualKey, std::uint32_t flags);
    // The slot's factory assignment back into the key map.
    void restoreDefault();
    // Names every target's function (tooltips; the mouse also its text).
    void refreshLabels();

    // --- the controls' own events
    void mainItemChosen();
    void subSelectorChosen(int combo);
    void editTyped(int edit);

    // Where the labels go: set when the device's picture changes. The
    // targets of the slot shown are marked current.
    void setLabelTargets(std::vector<KeyLabelTarget> targets);
    // The macro selector's rows: the kind's macro names.
    void fillMacroNames();
    // The selectors' rows in the current language (again after a language change).
    void fillSelectorRows();
    // Capture ends; the slot is forgotten (the device left).
    void forgetSlot();

  private:
    skin::Control* control(std::string_view name);
    skin::Control* numbered(std::string_view prefix, int n);
    int editValue(int edit);
    void setEdit(int edit, int value);
    void selectRow(std::string_view prefix, int n, int row);
    int selectedRow(std::string_view prefix, int n);
    void showPage(int item);
    void showMacroCountPage();
    void presetBlankControls(std::uint8_t type);
    std::optional<KeyAssignment> fromControls();
    void store(const KeyAssignment& a);
    void startCapture();
    void stopCapture();
    bool onlyLeftClick(std::size_t slot, const KeyMap& map) const;
    // The targets of the slot shown marked current, the others not.
    void markShownSlot();

    const KeyEditorDevice& device_;
    skin::Skin& skin_;
    KeyMapAccess& maps_;
    const MacroCatalogue& macros_;
    KeyCaptureSource& capture_;
    std::vector<KeyLabelTarget> targets_;

    std::optional<std::size_t> slot_;
    KeyAssignment current_;
    // What the last capture (or the shown key assignment) makes.
    std::optional<KeyAssignment> captured_;
    bool capturing_ = false;
    // A key profile that could not be written was told to the user.
    bool saveFailureShown_ = false;
};

}  // namespace quillon::keys
