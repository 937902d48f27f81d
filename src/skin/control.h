#pragma once

// One named control of the skin and the rows of combo boxes and lists.
// Threading and lifetime: see skin.h.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon::skin {

// ---------------------------------------------------------------------------
// Rows of combo boxes and lists

struct RowCell {
    // Not an aggregate, so that {text, style} stays complete without the key.
    RowCell(std::string text = {}, std::string style = {}, std::string textKey = {})
        : text(std::move(text)), style(std::move(style)), textKey(std::move(textKey)) {}

    std::string text;
    std::string style;    // skin style name; empty = the list's default
    std::string textKey;  // language key of the text; empty = a fixed text
};

struct Row {
    std::vector<RowCell> cells;  // combo rows have one cell; list rows one per column
    int height = 0;              // fixed height in pixels; 0 = the skin's default
    std::string userData;
    std::string style;  // the row's own style; empty = default
    std::string name;   // the row element's name (e.g. "macro_action"); may be empty

    // A one-cell row: what combos and the name lists hold.
    static Row text(std::string_view text, int height = 0, std::string_view userData = {}) {
        Row r;
        r.cells.push_back(RowCell{std::string(text)});
        r.height = height;
        r.userData = std::string(userData);
        return r;
    }
    // A one-cell row whose text follows the language: `translated` now, the
    // key's text again on every Skin::reloadTexts.
    static Row keyed(std::string_view key, std::string_view translated, int height = 0,
                     std::string_view userData = {}) {
        Row r = text(translated, height, userData);
        r.cells.front().textKey = std::string(key);
        return r;
    }
};

// ---------------------------------------------------------------------------
// A control. Operations that do not apply to a control's kind do nothing and
// getters then return the neutral value (false, empty, 0, -1).

class Control {
  public:
    virtual ~Control() = default;

    virtual std::string name() const = 0;

    // --- every control
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual std::string text() const = 0;
    virtual void setText(std::string_view text) = 0;
    // Shows the current language's text for `key` and keeps the key, so that
    // Skin::reloadTexts shows the new language's text. setText drops the key.
    virtual void setTextKey(std::string_view key) = 0;
    virtual std::string textKey() const = 0;
    virtual std::string tooltip() const = 0;
    virtual void setTooltip(std::string_view text) = 0;
    virtual std::uint32_t backgroundColour() const = 0;  // 0xAARRGGBB; 0 = none
    virtual void setBackgroundColour(std::uint32_t argb) = 0;
    // The colour of the control's text, 0xAARRGGBB; 0 = the skin's own.
    virtual std::uint32_t textColour() const { return 0; }
    virtual void setTextColour(std::uint32_t argb) { (void)argb; }
    virtual std::string backgroundImage() const = 0;
    virtual void setBackgroundImage(std::string_view image) = 0;  // empty = none
    virtual std::string userData() const = 0;
    virtual void setUserData(std::string_view data) = 0;
    virtual void setFocus() = 0;

    // --- colour overlay (any control): tints the control with a colour packed
    // green * 65536 + blue * 256 + red, at alpha 0 (invisible) .. 255 (opaque)
    virtual bool overlayEnabled() const = 0;
    virtual void setOverlayEnabled(bool on) = 0;
    virtual std::uint32_t overlayColour() const = 0;
    virtual void setOverlayColour(std::uint32_t gbr) = 0;
    virtual std::uint8_t overlayAlpha() const = 0;
    virtual void setOverlayAlpha(std::uint8_t alpha) = 0;

    // --- check boxes and options (tab buttons). With raiseEvent the control
    // sends "selectchanged" (also when the state did not change). Checking an
    // option unchecks the other options of its group.
    virtual bool isChecked() const { return false; }
    virtual void setChecked(bool checked, bool raiseEvent) {
        (void)checked;
        (void)raiseEvent;
    }

    // --- the control the user works on (the key being edited): the skin
    // marks it until it is no longer current. Any control; raises no event.
    virtual bool isCurrent() const { return false; }
    virtual void setCurrent(bool current) { (void)current; }

    // --- combo boxes and lists
    virtual int rowCount() const { return 0; }
    // Appends a row and returns its index.
    virtual int addRow(const Row& row) {
        (void)row;
        return -1;
    }
    // Inserts before `at` (clamped to 0..rowCount()); returns the index.
    virtual int insertRow(int at, const Row& row) {
        (void)at;
        (void)row;
        return -1;
    }
    // Out-of-range indices are ignored. Removing the selected row leaves no selection.
    virtual void removeRow(int index) { (void)index; }
    virtual void clearRows() {}
    virtual std::optional<Row> row(int index) const {
        (void)index;
        return std::nullopt;
    }
    // Replaces a row in place (keeps the selection); out of range is ignored.
    virtual void setRow(int index, const Row& row) {
        (void)index;
        (void)row;
    }
    // Selects a row. Nothing at all happens when it is already the selected
    // row or out of range (-1 clears the selection, without an event). Otherwise
    // the selection moves and, with raiseEvent, "itemselect" is sent before
    // this returns. Returns whether the selection moved.
    virtual bool selectRow(int index, bool raiseEvent) {
        (void)index;
        (void)raiseEvent;
        return false;
    }
    virtual int currentRow() const { return -1; }  // -1: none

    // --- tab layouts (a stack of pages)
    virtual int currentPage() const { return -1; }
    virtual void selectPage(int page) { (void)page; }

    // --- sliders and progress controls. setValue clamps into the range and
    // raises no event.
    virtual void setRange(int minimum, int maximum) {
        (void)minimum;
        (void)maximum;
    }
    virtual int minimum() const { return 0; }
    virtual int maximum() const { return 0; }
    virtual int value() const { return 0; }
    virtual void setValue(int value) { (void)value; }

    // --- palettes: the selected colour, 0xAARRGGBB
    virtual std::uint32_t colour() const { return 0; }
    virtual void setColour(std::uint32_t argb) { (void)argb; }

  protected:
    Control() = default;
    Control(const Control&) = default;
    Control& operator=(const Control&) = default;
};

}  // namespace quillon::skin
