#pragma once

// The skin: every window, view and text the logic touches, reached by control
// name. The core talks only to these two interfaces; gui/ implements them over
// Qt widgets, MemorySkin implements them headless for tests.
//
// Threading: every call, and every notification, happens on the GUI thread.
// Worker threads hand view changes to the GUI thread through the event loop
// (shell/event_loop.h); they never hold a Control*.
//
// Lifetime: a Control* returned by Skin::find stays valid as long as the Skin.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "skin/control.h"
#include "skin/notification.h"

namespace quillon::skin {

// ---------------------------------------------------------------------------
// File dialogs

struct FileDialogRequest {
    // The filter exactly as the behaviour gives it, pairs of "label|pattern|"
    // ending in "||", e.g. "(*.led) | *.led |(*.*)|*.*||". Blanks around the
    // parts are not significant.
    std::string filter;
    std::string defaultExtension;   // without dot: "led"
    std::string initialName;        // e.g. "*.led"
    bool confirmOverwrite = false;  // save dialogs: ask before replacing a file
};

// ---------------------------------------------------------------------------
// Menus

// An item the program adds to a menu resource; its text is the language's
// text for the key.
struct MenuItem {
    std::string_view name;
    std::string_view textKey;
};

// ---------------------------------------------------------------------------
// Main window commands

enum class WindowCommand : std::uint8_t {
    show,  // show and activate
    hide,  // hide (the program keeps running in the tray)
    minimise,
    maximise,
    restore,
    bringToFront,  // raise above other windows without staying on top
    relayout,      // repaint the whole window and lay it out again
};

// ---------------------------------------------------------------------------
// The skin

class Skin {
  public:
    virtual ~Skin() = default;

    // The control of that name, or nullptr when the skin has none. Names are
    // matched exactly.
    virtual Control* find(std::string_view name) = 0;

    // Notifications of every control go to this sink (one at a time; a new
    // sink replaces the previous one; an empty sink drops them).
    virtual void setNotificationSink(NotificationSink sink) = 0;

    // --- main window
    virtual void windowCommand(WindowCommand command) = 0;
    virtual bool windowVisible() const = 0;
    // Minimised (a minimised window may still count as visible).
    virtual bool windowMinimised() const { return false; }

    // --- language
    // The code of the current language ("en", ...); empty before any load.
    virtual std::string languageCode() const = 0;
    // Loads a language file (language_file.h format) as the current language.
    // On failure the previous language stays.
    [[nodiscard]] virtual bool loadLanguage(std::string_view code,
                                            const std::filesystem::path& file) = 0;
    // The current language's text for key; the key itself when it has none.
    virtual std::string translate(std::string_view key) const = 0;
    // Shows every text-key control's text in the current language.
    virtual void reloadTexts() = 0;

    // --- modal windows (block the caller on the GUI thread; notifications of
    // other controls may be delivered meanwhile)
    // The message window with the language text of textKey (the skin's
    // default text when empty): 1 when confirmed, 0 when cancelled or closed.
    virtual int showMessage(std::string_view textKey) = 0;
    // The same window with a text already made (e.g. a formatted message).
    virtual int showMessageText(std::string_view text) = 0;
    // nullopt when cancelled.
    virtual std::optional<std::filesystem::path> openFileDialog(
        const FileDialogRequest& request) = 0;
    virtual std::optional<std::filesystem::path> saveFileDialog(
        const FileDialogRequest& request) = 0;
    // A menu built from a menu resource ("menu.xml", "setmenu.xml") with the
    // `added` items after its first item, shown just above the pointer (no
    // anchor) or below `anchor`; the chosen item's name, nullopt when dismissed.
    virtual std::optional<std::string> showMenu(std::string_view menuResource,
                                                std::string_view anchor,
                                                std::span<const MenuItem> added = {}) = 0;

  protected:
    Skin() = default;
    Skin(const Skin&) = default;
    Skin& operator=(const Skin&) = default;
};

}  // namespace quillon::skin
