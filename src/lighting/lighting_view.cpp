#include "lighting/lighting_view.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string>

#include "lighting/colour_tables.h"
#include "lighting/custom_paint.h"
#include "lighting/lighting_controls.h"
#include "lighting/mode_numbers.h"
#include "lighting/mode_views.h"
#include "lighting/sync_start.h"
#include "shell/control_name.h"

namespace quillon::lighting {

namespace {

using link::DeviceKind;
using skin::NotifyType;

constexpr std::array<DeviceKind, 3> kKinds{DeviceKind::keyboard, DeviceKind::mouse,
                                           DeviceKind::mousepad};

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
constexpr std::array<std::string_view, 3> kKeyboardCombos{kKeyboardLighting.modeCombo,
                                                          kKeyboardOnlyLighting.oneColourModeCombo,
                                                          kKeyboardOnlyLighting.membraneModeCombo};

}  // namespace

LightingKind LightingView::lightingKindOf(DeviceKind kind) const {
    switch (kind) {
        case DeviceKind::mouse:
            return LightingKind::mouse;
        case DeviceKind::mousepad:
            return LightingKind::mousepad;
        default:
            return keyboardKind(engine_.keyboardVariant());
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

void LightingView::install(shell::NotificationRouter& router) {
    using shell::Flow;
    using skin::Notification;
    for (DeviceKind kind : kKinds) {
        // Same-mode buttons start synchronised lighting.
        router.addName(NotifyType::click, lightingControls(kind).sameMode,
                       [this, kind](const Notification&, int) { startSync(kind); });
        // A slider acts while it is dragged as when it is let go.
        for (NotifyType slid : {NotifyType::valueChanged, NotifyType::moveValueChanged}) {
            router.addName(
                slid, lightingControls(kind).brightnessSlider,
                [this, kind](const Notification& n, int) { setBrightness(kind, n.value); });
            router.addName(slid, lightingControls(kind).speedSlider,
                           [this, kind](const Notification& n, int) { setSpeed(kind, n.value); });
        }
        router.addName(NotifyType::colorChanged, lightingControls(kind).palette,
                       [this, kind](const Notification& n, int) {
                           applyColour(kind, static_cast<std::uint32_t>(n.value), false);
                       });
        const KindLightingControls& names = lightingControls(kind);
        for (std::string_view edit : {names.editRed, names.editGreen, names.editBlue}) {
            router.addName(NotifyType::textChanged, edit,
                           [this, kind](const Notification&, int) { applyTypedColour(kind); });
        }
        // The check box reports its new state after the click.
        router.addName(NotifyType::selectChanged, lightingControls(kind).multiColourCheck,
                       [this, kind](const Notification& n, int) { setMultiColour(kind, n.value); });
        // A preset outside the table is ignored; the click goes on to the name routes.
        router.addPrefix(
            NotifyType::click, lightingControls(kind).presetPrefix,
            [this, kind](const Notification& n, int preset) {
                if (shell::isNumberedName(n.name) && preset >= 0 &&
                    static_cast<std::size_t>(preset) < PresetColours.size())
                    applyColour(kind, PresetColours[static_cast<std::size_t>(preset)], false);
            },
            Flow::continues);
        router.addName(NotifyType::click, lightingControls(kind).leftCheck,
                       [this, kind](const Notification&, int) { setDirection(kind, 1); });
        router.addName(NotifyType::click, lightingControls(kind).rightCheck,
                       [this, kind](const Notification&, int) { setDirection(kind, 0); });
    }

    for (std::size_t v = 0; v < kKeyboardCombos.size(); ++v) {
        const LightingKind lk = keyboardKind(link::keyboardVariantOf(static_cast<std::uint8_t>(v)));
        router.addName(NotifyType::itemSelect, kKeyboardCombos[v],
                       [this, lk](const Notification& n, int) {
                           selectMode(DeviceKind::keyboard, lk, n.row);
                       });
    }
    router.addName(NotifyType::itemSelect, kMouseLighting.modeCombo,
                   [this](const Notification& n, int) {
                       selectMode(DeviceKind::mouse, LightingKind::mouse, n.row);
                   });
    router.addName(NotifyType::itemSelect, kMousepadLighting.modeCombo,
                   [this](const Notification& n, int) {
                       selectMode(DeviceKind::mousepad, LightingKind::mousepad, n.row);
                   });
    router.addName(NotifyType::itemSelect, kKeyboardOnlyLighting.customSetCombo,
                   [this](const Notification& n, int) { selectCustomSet(n.row); });

    router.addName(NotifyType::click, kMouseOnlyLighting.leftButton,
                   [this](const Notification&, int) { setMouseButtonDirection(0); });
    router.addName(NotifyType::click, kMouseOnlyLighting.rightButton,
                   [this](const Notification&, int) { setMouseButtonDirection(1); });

    router.addNames(
        NotifyType::click,
        {kKeyboardOnlyLighting.brushOnCheck, kKeyboardOnlyLighting.brushOffCheck},
        [this](const Notification& n, int) {
            setBrush(shell::equalsIgnoringCase(n.name, kKeyboardOnlyLighting.brushOnCheck));
        });
    router.addNames(
        NotifyType::click, {kKeyboardOnlyLighting.allLitCheck, kKeyboardOnlyLighting.allClearCheck},
        [this](const Notification& n, int) {
            setAllKeys(shell::equalsIgnoringCase(n.name, kKeyboardOnlyLighting.allLitCheck));
        });
    for (std::string_view keys :
         {kKeyboardOnlyLighting.keyPrefix, kKeyboardOnlyLighting.membraneKeyPrefix}) {
        router.addPrefix(NotifyType::click, keys, [this](const Notification& n, int key) {
            if (shell::isNumberedName(n.name))
                paintCustomKey(key);
        });
    }
}

void LightingView::setBrightness(DeviceKind kind, std::int64_t value) {
    const auto level = static_cast<std::uint8_t>(std::clamp<std::int64_t>(value, 0, 255));
    engine_.settings.edit([&](LightingRecords& r) { recordOf(r, kind).brightness = level; });
    commit(kind);
}

void LightingView::setSpeed(DeviceKind kind, std::int64_t value) {
    // The slider runs the other way: its right end is speed 0, the fastest.
    const auto speed = static_cast<std::uint8_t>(std::clamp<std::int64_t>(14 - value, 0, 14));
    engine_.settings.edit([&](LightingRecords& r) { recordOf(r, kind).speed = speed; });
    commit(kind);
}

void LightingView::applyTypedColour(DeviceKind kind) {
    auto channel = [&](std::string_view name) {
        skin::Control* c = skin_.find(name);
        return c != nullptr ? parseChannel(c->text()) : std::uint8_t{0};
    };
    const KindLightingControls& names = lightingControls(kind);
    applyColour(kind,
                argbOf(channel(names.editRed), channel(names.editGreen), channel(names.editBlue)),
                true);
}

void LightingView::setMultiColour(DeviceKind kind, std::int64_t checked) {
    const std::uint8_t multi = checked != 0 ? 1 : 0;
    engine_.settings.edit([&](LightingRecords& r) { recordOf(r, kind).multiColour = multi; });
    commit(kind);
}

void LightingView::setMouseButtonDirection(std::uint8_t direction) {
    // The mouse's arrows run the other way round from its boxes; they tick
    // the box of the direction they store, so the two never disagree.
    engine_.settings.edit([](LightingRecords& r) { r.mouseDirty = true; });
    setDirection(DeviceKind::mouse, direction);
}

void LightingView::selectCustomSet(int row) {
    if (row < 0 || row >= static_cast<int>(kCustomSetCount))
        return;
    engine_.settings.edit(
        [&](LightingRecords& r) { r.custom.customSet = static_cast<std::uint8_t>(row); });
    uncheckAllKeysBoxes();
    save(DeviceKind::keyboard);
}

void LightingView::setBrush(bool on) {
    engine_.settings.edit([&](LightingRecords& r) { r.custom.brushOn = on ? 1 : 0; });
}

void LightingView::setAllKeys(bool light) {
    const LightingKind lk = lightingKindOf(DeviceKind::keyboard);
    engine_.settings.edit([&](LightingRecords& r) {
        if (light) {
            lightUnlitKeys(r.custom, lk);
        } else {
            clearAllKeys(r.custom, lk);
        }
    });
    save(DeviceKind::keyboard);
}

void LightingView::paintCustomKey(int key) {
    if (key < 0)
        return;
    const LightingKind lk = lightingKindOf(DeviceKind::keyboard);
    // Keys paint only in the custom mode of the attached keyboard.
    bool custom = false;
    const bool painted = engine_.settings.edit([&](LightingRecords& r) {
        custom = r.keyboard.lighting.mode == customMode(lk);
        return custom && paintKey(r.custom, lk, static_cast<std::size_t>(key));
    });
    // One key set by hand: the whole keyboard is no longer all lit or all dark.
    if (custom)
        uncheckAllKeysBoxes();
    if (painted)
        save(DeviceKind::keyboard);
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
    const KindLightingControls& names = lightingControls(kind);
    auto group = [&](std::string_view name, bool shown) {
        setVisible(name, shown);
        if (shown)
            setEnabled(name, true);
    };
    group(names.directionLayout, direction);
    if (direction)
        setEnabled(names.directionLayout, v.direction == DirectionBox::shown);
    group(names.colourLayout, v.colour);
    group(names.multiColourLayout, v.multiColour);
    group(names.speedLayout, v.speed);
    group(names.palette, v.colour);
    group(names.brightnessLayout, v.brightness);
    if (kind == DeviceKind::keyboard) {
        group(kKeyboardOnlyLighting.colourDisplayLayout, v.colour && !v.customTools);
        group(kKeyboardOnlyLighting.rgbLayout, v.colour);
        group(kKeyboardOnlyLighting.colourLump, v.colour);
        group(kKeyboardOnlyLighting.customToolLayout, v.customTools);
        group(kKeyboardOnlyLighting.customSelectLayout, v.customTools);
        group(kKeyboardOnlyLighting.customColourLayout, v.customTools);
        if (!v.firstLabel.empty())
            setTextKey(kKeyboardOnlyLighting.leftLabel, v.firstLabel);
        if (!v.secondLabel.empty())
            setTextKey(kKeyboardOnlyLighting.rightLabel, v.secondLabel);
    }
    bool sync = v.sync == SyncButton::enabled;
    // A one-colour keyboard takes no part in synchronised lighting.
    if (kind == DeviceKind::mouse && engine_.keyboardVariant() == link::KeyboardVariant::oneColour)
        sync = false;
    if (v.sync != SyncButton::unchanged)
        setEnabled(lightingControls(kind).sameMode, sync);
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
            if (skin::Control* b = skin_.find(kKeyboardOnlyLighting.customColourButton)) {
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
    setChecked(lightingControls(kind).multiColourCheck, false);
    commit(kind);
}

void LightingView::showColour(DeviceKind kind, std::uint32_t argb, bool fields) {
    if (skin::Control* p = skin_.find(lightingControls(kind).palette))
        p->setColour(argb);
    if (skin::Control* b = skin_.find(lightingControls(kind).colourButton))
        b->setBackgroundColour(argb);
    if (!fields)
        return;
    const KindLightingControls& names = lightingControls(kind);
    const std::array<std::pair<std::string_view, int>, 3> edits{
        {{names.editRed, 16}, {names.editGreen, 8}, {names.editBlue, 0}}};
    for (const auto& [name, shift] : edits) {
        if (skin::Control* e = skin_.find(name)) {
            e->setText(std::to_string(channelOf(argb, shift)));
        }
    }
}

void LightingView::setDirection(DeviceKind kind, std::uint8_t direction) {
    const std::uint8_t mode = engine_.settings.edit([&](LightingRecords& r) {
        recordOf(r, kind).direction = direction;
        return recordOf(r, kind).mode;
    });
    setChecked(lightingControls(kind).leftCheck, direction == 1);
    setChecked(lightingControls(kind).rightCheck, direction == 0);
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
    setChecked(kKeyboardOnlyLighting.allLitCheck, false);
    setChecked(kKeyboardOnlyLighting.allClearCheck, false);
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
        if (skin::Control* c = skin_.find(kKeyboardOnlyLighting.customSetCombo)) {
            c->selectRow(r.custom.customSet, false);
        }
    } else if (skin::Control* c = skin_.find(lightingControls(kind).modeCombo)) {
        c->selectRow(rec.mode, false);
    }
    if (skin::Control* s = skin_.find(lightingControls(kind).brightnessSlider))
        s->setValue(rec.brightness);
    if (skin::Control* s = skin_.find(lightingControls(kind).speedSlider)) {
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
        if (skin::Control* b = skin_.find(kKeyboardOnlyLighting.customColourButton)) {
            b->setBackgroundColour(
                oneColour ? kOneColourPicker
                          : argbOf(r.custom.paintRed, r.custom.paintGreen, r.custom.paintBlue));
        }
    }
    setChecked(lightingControls(kind).multiColourCheck, rec.multiColour == 1 && !oneColour);
    setChecked(lightingControls(kind).leftCheck, rec.direction == 1);
    setChecked(lightingControls(kind).rightCheck, rec.direction != 1);
    showModeGroups(kind, lk, rec.mode);
    // Showing the ripple starts its first wave.
    if (lk == LightingKind::rgbKeyboard && rec.mode == kRgbRippleMode)
        engine_.requestSeed(lk, kRgbRippleMode);
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
