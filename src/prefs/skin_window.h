#pragma once

// The skin window: a small tool window below the caption's `skinbtn` where the
// user picks the main window's background — a stock image (kept in
// "main.ini"), a colour (this run only), a picture of their own (this run
// only) or the default again. Every choice is broadcast as SkinChosen.

#include <array>
#include <memory>
#include <string_view>

#include "prefs/preference_files.h"
#include "shell/event_bus.h"
#include "skin/skin.h"

namespace quillon::prefs {

// The skin window's controls ("skin.xml"). Stock buttons carry their image
// or colour as their background; several may share a prefix with an index.
struct SkinWindowControls {
    std::string_view tab = "skin_tab";
    std::string_view imagePage = "skin_image";
    std::string_view colourPage = "skin_color";
    std::string_view imageButton = "skin_image_btn";
    std::string_view colourButton = "skin_color_btn";
    std::string_view reset = "skin_reset";
    std::string_view custom = "skin_Custom";

    constexpr std::array<std::string_view, 5> fixed() const {
        return {tab, imagePage, colourPage, reset, custom};
    }
};
inline constexpr SkinWindowControls kSkinWindowControls{};

// What the front end gives the skin window.
class SkinWindowShell {
  public:
    virtual ~SkinWindowShell() = default;
    virtual skin::Skin& skin() = 0;
    // Shows it right-aligned below the main window's control `anchor`; it
    // closes by itself when it loses the focus.
    virtual void showBelow(std::string_view anchor) = 0;

  protected:
    SkinWindowShell() = default;
    SkinWindowShell(const SkinWindowShell&) = default;
    SkinWindowShell& operator=(const SkinWindowShell&) = default;
};

class SkinWindow {
  public:
    SkinWindow(std::unique_ptr<SkinWindowShell> shell, PreferenceFiles& files,
               const shell::EventBus& events);
    ~SkinWindow();
    SkinWindow(const SkinWindow&) = delete;
    SkinWindow& operator=(const SkinWindow&) = delete;

    void open(std::string_view anchor) { shell_->showBelow(anchor); }
    void click(std::string_view name);

  private:
    std::unique_ptr<SkinWindowShell> shell_;
    PreferenceFiles& files_;
    const shell::EventBus& events_;
};

}  // namespace quillon::prefs
