#include "lighting/lighting_view.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string>

#include "lighting/colour_tables.h"
#include "lighting/custom_paint.h"
#include "lighting/mode_views.h"
#include "lighting/sync_start.h"

namespace quillon::lighting {

namespace {

using link::DeviceKind;
using skin::NotifyType;

constexpr std::array<DeviceKind, 3> kKinds{DeviceKind::keyboard, DeviceKind::mouse,
                                           DeviceKind::mousepad};

std::string_view prefixOf(DeviceKind kind) {
    switch (kind) {
        case DeviceKind::mouse:
            return "ms_";
        case DeviceKind::mousepad:
            return "mp_";
        default:
            return "kb_";
    }
}

std::string nameOf(DeviceKind kind, std::string_view suffix) {
    std::string name(prefixOf(kind));
    name += suffix;
    return name;
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Control names are matched without regard to case, as the event dispatch does.
bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

bool isNamed(std::string_view name, DeviceKind kind, std::string_view suffix) {
    const std::string_view p = prefixOf(kind);
    return name.size() == p.size() + suffix.size() && sameName(name.substr(0, p.size()), p) &&
           sameName(name.substr(p.size()), suffix);
}

// The number after `prefix` in names like "kb_Deng_color_btn_7"; nullopt when
// the name has another prefix or no plain decimal number.
std::optional<std::size_t> indexAfter(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || !sameName(name.substr(0, prefix.size()), prefix)) {
        return std::nullopt;
    }
    const std::string_view digits = name.substr(prefix.size());
    std::size_t v = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (ec != std::errc{} || ptr != digits.data() + digits.size())
        return std::nullopt;
    return v;
}

template <class Records>
auto& recordOf(Records& r, DeviceKind kind) {
    switch (kind) {
        case DeviceKind::mouse:
            return r.mouse.lighting;
        case DeviceKind::mousepad:
            return r.mousepad.lighting;
        default:
            return r.keyboard.lighting;
    }
}

std::uint32_t argbOf(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return 0xFF000000u | static_cast<std::uint32_t>(red) << 16 |
           static_cast<std::uint32_t>(green) << 8 | blue;
}

std::uint8_t channelOf(std::uint32_t argb, int shift) {
    return static_cast<std::uint8_t>(argb >> shift);
}

// A typed channel: digits only, clamped to 0..255; anything else reads as 0.
std::uint8_t parseChannel(const std::string& text) {
    unsigned v = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec == std::errc::result_out_of_range)
        return 255;
    if (ec != std::errc{} || ptr == text.data())
        return 0;
    return static_cast<std::uint8_t>(v > 255 ? 255 : v);
}

// The mode combo of each keyboard variant.
constexpr std::array<std::string_view, 3> kKeyboardCombos{"kb_deng_combo_modeSelect",
                                                          "kb_deng_onecolor_combo_modeSelect",
                                                          "kb_deng_film_combo_modeSelect"};

}  // namespace

LightingKind LightingView::lightingKindOf(DeviceKind kind) const {
    switch (kind) {
        case DeviceKind::mouse:
            return LightingKind::mouse;
        case DeviceKind::mousepad:
            return LightingKind::mousepad;
        default:
            return keyboardKind(engine_.keyboardVariant.load());
    }
}

void LightingView::startSync(DeviceKind source) {
    class Views final : public SyncStartViews {
      public:
        explicit Views(LightingView& view) : view_(view) {}
        void refreshView(DeviceKind kind) override { view_.refresh(kind); }
        void saveProfile(DeviceKind kind) override { view_.save(kind); }

      private:
        LightingView& view_;
    };
    Views views(*this);
    startSynchronisation(
        source, engine_.settings,
        SyncLinkFlags{flags_.keyboard, flags_.mouse, flags_.mousepad, flags_.watch}, views,
        lightingKindOf(DeviceKind::keyboard) == LightingKind::oneColourKeyboard);
}

bool LightingView::handle(const skin::Notification& n) {
    const std::string_view name = n.name;

    // Same-mode buttons start synchronised lighting.
    if (n.type == NotifyType::click) {
        if (const auto source = syncButtonSource(name)) {
            startSync(*source);
            return true;
        }
    }

    // Mode combos.
    if (n.type == NotifyType::itemSelect) {
        for (std::size_t v = 0; v < kKeyboardCombos.size(); ++v) {
            if (sameName(name, kKeyboardCombos[v])) {
                selectMode(DeviceKind::keyboard, keyboardKind(static_cast<std::uint8_t>(v)), n.row);
                return true;
            }
        }
        if (isNamed(name, DeviceKind::mouse, "deng_combo_modeSelect")) {
            selectMode(DeviceKind::mouse, LightingKind::mouse, n.row);
            return true;
        }
        if (isNamed(name, DeviceKind::mousepad, "deng_combo_modeSelect")) {
            selectMode(DeviceKind::mousepad, LightingKind::mousepad, n.row);
            return true;
        }
    }

    // A slider acts while it is dragged as when it is let go.
    const bool slid = n.type == NotifyType::valueChanged || n.type == NotifyType::moveValueChanged;
    for (DeviceKind kind : kKinds) {
        if (slid && isNamed(name, kind, "deng_light_slider")) {
            const auto level = static_cast<std::uint8_t>(std::clamp<std::int64_t>(n.value, 0, 255));
            engine_.settings.edit(
                [&](LightingRecords& r) { recordOf(r, kind).brightness = level; });
            commit(kind);
            return true;
        }
        if (slid && isNamed(name, kind, "deng_speed_slider")) {
            // The slider runs the other way: its right end is speed 0, the fastest.
            const auto speed =
                static_cast<std::uint8_t>(std::clamp<std::int64_t>(14 - n.value, 0, 14));
            engine_.settings.edit([&](LightingRecords& r) { recordOf(r, kind).speed = speed; });
            commit(kind);
            return true;
        }
        if (n.type == NotifyType::colorChanged && isNamed(name, kind, "deng_Color_Pallet")) {
            applyColour(kind, static_cast<std::uint32_t>(n.value), false);
            return true;
        }
        if (n.type == NotifyType::textChanged &&
            (isNamed(name, kind, "Deng_edit_R") || isNamed(name, kind, "Deng_edit_G") ||
             isNamed(name, kind, "Deng_edit_B"))) {
            auto channel = [&](std::string_view suffix) {
                skin::Control* c = skin_.find(nameOf(kind, suffix));
                return c != nullptr ? parseChannel(c->text()) : std::uint8_t{0};
            };
            applyColour(
                kind,
                argbOf(channel("Deng_edit_R"), channel("Deng_edit_G"), channel("Deng_edit_B")),
                true);
            return true;
        }
        // The check box reports its new state after the click.
        if (n.type == NotifyType::selectChanged && isNamed(name, kind, "Deng_7color_check")) {
            const std::uint8_t multi = n.value != 0 ? 1 : 0;
            engine_.settings.edit(
                [&](LightingRecords& r) { recordOf(r, kind).multiColour = multi; });
            commit(kind);
            return true;
        }
        if (n.type != NotifyType::click)
            continue;
        if (const auto preset = indexAfter(name, nameOf(kind, "Deng_color_btn_"))) {
            // A preset outside the table is ignored.
            if (*preset < PresetColours.size())
                applyColour(kind, PresetColours[*preset], false);
            return true;
        }
        if (isNamed(name, kind, "Deng_FXL_check") || isNamed(name, kind, "Deng_FXR_check")) {
            setDirection(kind, isNamed(name, kind, "Deng_FXL_check") ? 1 : 0);
            return true;
        }
    }

    if (n.type == NotifyType::click &&
        (sameName(name, "ms_Deng_FXL_btn") || sameName(name, "ms_Deng_FXR_btn"))) {
        // The mouse's arrows run the other way round from its boxes; they
        // tick the box of the direction they store, so the two never disagree.
        engine_.settings.edit([](LightingRecords& r) { r.mouseDirty = true; });
        setDirection(DeviceKind::mouse, sameName(name, "ms_Deng_FXL_btn") ? 0 : 1);
        return true;
    }
    return handleKeyboardOnly(n) || handleCustomTools(n);
}

bool LightingView::handleKeyboardOnly(const skin::Notification& n) {
    if (n.type != NotifyType::itemSelect || !sameName(n.name, "kb_deng_combo_curtom_count")) {
        return false;
    }
    if (n.row >= 0 && n.row < static_cast<int>(kCustomSetCount)) {
        engine_.settings.edit(
            [&](LightingRecords& r) { r.custom.customSet = static_cast<std::uint8_t>(n.row); });
        uncheckAllKeysBoxes();
        save(DeviceKind::keyboard);
    }
    return true;
}

bool LightingView::handleCustomTools(const skin::Notification& n) {
    if (n.type != NotifyType::click)
        return false;
    const std::string_view name = n.name;
    const LightingKind lk = lightingKindOf(DeviceKind::keyboard);
    if (sameName(name, "kb_Deng_on_bright_check") || sameName(name, "kb_Deng_off_kill_check")) {
        const std::uint8_t on = sameName(name, "kb_Deng_on_bright_check") ? 1 : 0;
        engine_.settings.edit([&](LightingRecords& r) { r.custom.brushOn = on; });
        return true;
    }
    if (sameName(name, "kb_Deng_all_bright_check") || sameName(name, "kb_Deng_all_kill_check")) {
        const bool light = sameName(name, "kb_Deng_all_bright_check");
        engine_.settings.edit([&](LightingRecords& r) {
            if (light) {
                lightUnlitKeys(r.custom, lk);
            } else {
                clearAllKeys(r.custom, lk);
            }
        });
        save(DeviceKind::keyboard);
        return true;
    }
    std::optional<std::size_t> key = indexAfter(name, "kb_dkey_");
    if (!key)
        key = indexAfter(name, "kb_fkey_");
    if (!key)
        return false;
    // Keys paint only in the custom mode of the attached keyboard.
    bool custom = false;
    const bool painted = engine_.settings.edit([&](LightingRecords& r) {
        custom = r.keyboard.lighting.mode == customMode(lk);
        return custom && paintKey(r.custom, lk, *key);
    });
    // One key set by hand: the whole keyboard is no longer all lit or all dark.
    if (custom)
        uncheckAllKeysBoxes();
    if (painted)
        save(DeviceKind::keyboard);
    return true;
}

void LightingView::selectMode(DeviceKind kind, LightingKind lk, int row) {
    if (row < 0 || row > 255)
        return;
    const auto mode = static_cast<std::uint8_t>(row);
    flags_.keyboard = 0;
    flags_.mouse = 0;
    flags_.mousepad = 0;
    engine_.requestModeSelection(lk, mode);
    showModeGroups(kind, lk, mode);
    const LightingRecords now = engine_.settings.edit([&](LightingRecords& r) {
        recordOf(r, kind).mode = mode;
        if (kind == DeviceKind::mouse)
            r.mouseDirty = true;
        if (kind == DeviceKind::mousepad)
            r.mousepadDirty = true;
        return r;
    });
    // The devices' own threads take them back from the synchronised thread.
    announceFlags();
    if (kind == DeviceKind::keyboard) {
        const LightingRecord& rec = now.keyboard.lighting;
        if (lk == LightingKind::oneColourKeyboard) {
            showColour(kind, kOneColourPicker, true);
        } else if (mode == customMode(lk)) {
            showColour(kind,
                       argbOf(now.custom.paintRed, now.custom.paintGreen, now.custom.paintBlue),
                       true);
        } else {
            showColour(kind, argbOf(rec.red, rec.green, rec.blue), true);
        }
        save(kind);
        uncheckAllKeysBoxes();
        return;
    }
    save(kind);
}

void LightingView::showModeGroups(DeviceKind kind, LightingKind lk, std::uint8_t mode) {
    const auto views = modeViews(lk);
    const ModeView v = mode < views.size()
                           ? views[mode]
                           : ModeView{false, false, DirectionBox::hidden, {}, {}, false,
                                      true,  false, SyncButton::disabled};
    const bool direction = v.direction != DirectionBox::hidden;
    auto group = [&](std::string_view suffix, bool shown) {
        const std::string name = nameOf(kind, suffix);
        setVisible(name, shown);
        if (shown)
            setEnabled(name, true);
    };
    group("deng_fx_layout", direction);
    if (direction)
        setEnabled(nameOf(kind, "deng_fx_layout"), v.direction == DirectionBox::shown);
    group("deng_color_layout", v.colour);
    group("deng_7colorselect_layout", v.multiColour);
    group("deng_speed_layout", v.speed);
    group("deng_Color_Pallet", v.colour);
    group("deng_light_layout", v.brightness);
    if (kind == DeviceKind::keyboard) {
        group("deng_color_display_layout", v.colour && !v.customTools);
        group("deng_rgb_layout", v.colour);
        group("deng_color_lump", v.colour);
        group("deng_custom_tool_layout", v.customTools);
        group("deng_custom_select_layout", v.customTools);
        group("deng_custom_color_layout", v.customTools);
        if (!v.firstLabel.empty())
            setTextKey("kb_Deng_label_FXL", v.firstLabel);
        if (!v.secondLabel.empty())
            setTextKey("kb_Deng_label_FXR", v.secondLabel);
    }
    bool sync = v.sync == SyncButton::enabled;
    // A one-colour keyboard takes no part in synchronised lighting.
    if (kind == DeviceKind::mouse && engine_.keyboardVariant.load() == 1)
        sync = false;
    if (v.sync != SyncButton::unchanged)
        setEnabled(nameOf(kind, "deng_same_mode"), sync);
}

void LightingView::applyColour(DeviceKind kind, std::uint32_t argb, bool typed) {
    const std::uint8_t red = channelOf(argb, 16);
    const std::uint8_t green = channelOf(argb, 8);
    const std::uint8_t blue = channelOf(argb, 0);
    if (kind == DeviceKind::keyboard) {
        const LightingKind lk = lightingKindOf(kind);
        const bool custom = engine_.settings.edit([&](LightingRecords& r) {
            if (r.keyboard.lighting.mode != customMode(lk))
                return false;
            r.custom.paintRed = red;
            r.custom.paintGreen = green;
            r.custom.paintBlue = blue;
            return true;
        });
        if (custom) {
            if (skin::Control* b = skin_.find("kb_Deng_custom_colordp_btn")) {
                b->setBackgroundColour(argb);
            }
            if (!typed)
                showColour(kind, argb, true);
            save(kind);
            return;
        }
    }
    engine_.settings.edit([&](LightingRecords& r) {
        LightingRecord& rec = recordOf(r, kind);
        rec.red = red;
        rec.green = green;
        rec.blue = blue;
        rec.multiColour = 0;
    });
    // Typed values stay as the user typed them; a picked colour fills the fields.
    showColour(kind, argb, !typed);
    setChecked(nameOf(kind, "Deng_7color_check"), false);
    commit(kind);
}

void LightingView::showColour(DeviceKind kind, std::uint32_t argb, bool fields) {
    if (skin::Control* p = skin_.find(nameOf(kind, "deng_Color_Pallet")))
        p->setColour(argb);
    if (skin::Control* b = skin_.find(nameOf(kind, "Deng_colordp_btn")))
        b->setBackgroundColour(argb);
    if (!fields)
        return;
    const std::array<std::pair<std::string_view, int>, 3> edits{
        {{"Deng_edit_R", 16}, {"Deng_edit_G", 8}, {"Deng_edit_B", 0}}};
    for (const auto& [suffix, shift] : edits) {
        if (skin::Control* e = skin_.find(nameOf(kind, suffix))) {
            e->setText(std::to_string(channelOf(argb, shift)));
        }
    }
}

void LightingView::setDirection(DeviceKind kind, std::uint8_t direction) {
    const std::uint8_t mode = engine_.settings.edit([&](LightingRecords& r) {
        recordOf(r, kind).direction = direction;
        return recordOf(r, kind).mode;
    });
    setChecked(nameOf(kind, "Deng_FXL_check"), direction == 1);
    setChecked(nameOf(kind, "Deng_FXR_check"), direction == 0);
    commit(kind);
    if (kind == DeviceKind::keyboard)
        engine_.signals.membraneDirectionChanged = true;
    // The mouse restarts its effect from the start LED of the new direction.
    if (kind == DeviceKind::mouse)
        engine_.requestModeSelection(LightingKind::mouse, mode);
}

void LightingView::commit(DeviceKind kind) {
    switch (kind) {
        case DeviceKind::keyboard:
            flags_.keyboard = 0;
            break;
        case DeviceKind::mouse:
            flags_.mouse = 0;
            // The mouse keeps its lighting in its own memory: the next flush sends it.
            engine_.settings.edit([](LightingRecords& r) { r.mouseDirty = true; });
            break;
        case DeviceKind::mousepad:
            // The mousepad leaves synchronised lighting with the settings write.
            engine_.settings.edit([](LightingRecords& r) { r.mousepadDirty = true; });
            break;
    }
    announceFlags();
    save(kind);
}

void LightingView::announceFlags() {
    if (flags_.watch != nullptr)
        flags_.watch->announce();
}

void LightingView::save(DeviceKind kind) {
    if (save_)
        save_(kind);
}

void LightingView::uncheckAllKeysBoxes() {
    setChecked("kb_Deng_all_bright_check", false);
    setChecked("kb_Deng_all_kill_check", false);
}

void LightingView::refresh(DeviceKind kind) {
    showRecord(kind, true);
}

void LightingView::showAtStart() {
    for (DeviceKind kind : kKinds)
        showRecord(kind, false);
    for (std::string_view palette :
         {"Pallet", "ms_deng_Color_Pallet", "mp_deng_Color_Pallet", "kb_deng_Color_Pallet"}) {
        if (skin::Control* p = skin_.find(palette))
            p->setColour(kStartPaletteColour);
    }
}

void LightingView::showRecord(DeviceKind kind, bool colours) {
    const LightingRecords r = engine_.settings.snapshot();
    const LightingKind lk = lightingKindOf(kind);
    const LightingRecord rec = recordOf(r, kind);
    if (kind == DeviceKind::keyboard) {
        const std::size_t variant = lk == LightingKind::oneColourKeyboard  ? 1
                                    : lk == LightingKind::membraneKeyboard ? 2
                                                                           : 0;
        for (std::size_t v = 0; v < kKeyboardCombos.size(); ++v) {
            setVisible(kKeyboardCombos[v], v == variant);
        }
        if (skin::Control* c = skin_.find(kKeyboardCombos[variant]))
            c->selectRow(rec.mode, false);
        if (skin::Control* c = skin_.find("kb_deng_combo_curtom_count")) {
            c->selectRow(r.custom.customSet, false);
        }
    } else if (skin::Control* c = skin_.find(nameOf(kind, "deng_combo_modeSelect"))) {
        c->selectRow(rec.mode, false);
    }
    if (skin::Control* s = skin_.find(nameOf(kind, "deng_light_slider")))
        s->setValue(rec.brightness);
    if (skin::Control* s = skin_.find(nameOf(kind, "deng_speed_slider"))) {
        s->setValue(rec.speed > 14 ? 0 : 14 - rec.speed);
    }
    const bool oneColour = lk == LightingKind::oneColourKeyboard;
    if (!colours) {
        // The colour controls keep what they show.
    } else if (oneColour) {
        showColour(kind, kOneColourPicker, true);
    } else if (kind == DeviceKind::keyboard && rec.mode == customMode(lk)) {
        showColour(kind, argbOf(r.custom.paintRed, r.custom.paintGreen, r.custom.paintBlue), true);
    } else {
        showColour(kind, argbOf(rec.red, rec.green, rec.blue), true);
    }
    if (kind == DeviceKind::keyboard && colours) {
        if (skin::Control* b = skin_.find("kb_Deng_custom_colordp_btn")) {
            b->setBackgroundColour(
                oneColour ? kOneColourPicker
                          : argbOf(r.custom.paintRed, r.custom.paintGreen, r.custom.paintBlue));
        }
    }
    setChecked(nameOf(kind, "Deng_7color_check"), rec.multiColour == 1 && !oneColour);
    setChecked(nameOf(kind, "Deng_FXL_check"), rec.direction == 1);
    setChecked(nameOf(kind, "Deng_FXR_check"), rec.direction != 1);
    showModeGroups(kind, lk, rec.mode);
    // Showing the ripple starts its first wave.
    if (lk == LightingKind::rgbKeyboard && rec.mode == 5)
        engine_.requestSeed(lk, 5);
}

void LightingView::setVisible(std::string_view name, bool visible) {
    if (skin::Control* c = skin_.find(name))
        c->setVisible(visible);
}
void LightingView::setEnabled(std::string_view name, bool enabled) {
    if (skin::Control* c = skin_.find(name))
        c->setEnabled(enabled);
}
void LightingView::setChecked(std::string_view name, bool checked) {
    if (skin::Control* c = skin_.find(name))
        c->setChecked(checked, false);
}
void LightingView::setTextKey(std::string_view name, std::string_view key) {
    if (skin::Control* c = skin_.find(name))
        c->setTextKey(key);
}

}  // namespace quillon::lighting
