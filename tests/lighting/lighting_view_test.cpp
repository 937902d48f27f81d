// The lighting views driven through the in-memory skin as a user would.

#include "lighting/lighting_view.h"

#include <gtest/gtest.h>

#include <vector>

#include "effect_rig.h"
#include "lighting/settings_flush.h"
#include "skin/memory_skin.h"

namespace quillon::lighting {
namespace {

using link::DeviceKind;

struct ViewRig {
    skin::MemorySkin skin;
    link::DeviceIdentity identity;
    LightingEngine engine{identity};
    std::atomic<int> kbSync{1};
    std::atomic<int> msSync{1};
    std::atomic<int> mpSync{1};
    std::vector<DeviceKind> saved;
    LightingView view{skin, engine, SyncFlags{kbSync, msSync, mpSync},
                      [this](DeviceKind k) { saved.push_back(k); }};

    shell::NotificationRouter router;

    ViewRig() {
        view.install(router);
        skin.setNotificationSink([this](const skin::Notification& n) { (void)router.route(n); });
        for (const char* combo : {"kb_deng_combo_modeSelect", "ms_deng_combo_modeSelect",
                                  "mp_deng_combo_modeSelect", "kb_deng_combo_curtom_count"}) {
            for (int i = 0; i < 16; ++i)
                skin.at(combo).addRow(skin::Row::text("m"));
        }
        skin.at("kb_deng_light_slider").setRange(0, 14);
        skin.at("kb_deng_speed_slider").setRange(0, 20);
    }
    LightingRecords records() const { return engine.settings.snapshot(); }
};

TEST(LightingView, SelectingAModeEndsSynchronisationStoresItAndSaves) {
    ViewRig rig;
    rig.skin.userSelectRow("kb_deng_combo_modeSelect", 13);
    EXPECT_EQ(rig.records().keyboard.lighting.mode, 13);
    EXPECT_EQ(rig.kbSync + rig.msSync + rig.mpSync, 0);
    EXPECT_EQ(rig.saved, std::vector<DeviceKind>{DeviceKind::keyboard});
    // Rings: wheel always, so the colour groups hide; direction shown with its texts.
    EXPECT_FALSE(rig.skin.at("kb_deng_color_layout").isVisible());
    EXPECT_TRUE(rig.skin.at("kb_deng_fx_layout").isVisible());
    EXPECT_EQ(rig.skin.at("kb_Deng_label_FXL").textKey(), "Deng_FXSPEAD_text");
    EXPECT_FALSE(rig.skin.at("kb_deng_same_mode").isEnabled());
    rig.skin.userSelectRow("kb_deng_combo_modeSelect", 2);
    EXPECT_TRUE(rig.skin.at("kb_deng_same_mode").isEnabled());
    EXPECT_TRUE(rig.skin.at("kb_deng_color_layout").isVisible());
    // A mouse that is off has no brightness to set.
    rig.skin.userSelectRow("ms_deng_combo_modeSelect", 8);
    EXPECT_FALSE(rig.skin.at("ms_deng_light_layout").isVisible());
    rig.skin.userSelectRow("ms_deng_combo_modeSelect", 0);
    EXPECT_TRUE(rig.skin.at("ms_deng_light_layout").isVisible());
}

TEST(LightingView, ChangingOneDeviceEndsSynchronisationForThatDeviceOnly) {
    ViewRig rig;
    rig.skin.userSlide("kb_deng_light_slider", 9, false);
    EXPECT_EQ(rig.records().keyboard.lighting.brightness, 9);
    EXPECT_EQ(rig.kbSync, 0);
    EXPECT_EQ(rig.msSync, 1);
    EXPECT_EQ(rig.mpSync, 1);
    rig.skin.userSlide("ms_deng_light_slider", 3, false);
    EXPECT_EQ(rig.msSync, 0);
    EXPECT_TRUE(rig.records().mouseDirty);  // the next flush takes it to the mouse
    // The mousepad leaves with the settings write its change causes.
    rig.skin.userSlide("mp_deng_light_slider", 3, false);
    EXPECT_EQ(rig.mpSync, 1);
    EXPECT_TRUE(rig.records().mousepadDirty);
}

TEST(LightingView, SpeedSliderRunsBackwardsAndNeverStoresANegativeSpeed) {
    ViewRig rig;
    rig.skin.userSlide("kb_deng_speed_slider", 4, false);
    EXPECT_EQ(rig.records().keyboard.lighting.speed, 10);
    rig.skin.userSlide("kb_deng_speed_slider", 20, false);
    EXPECT_EQ(rig.records().keyboard.lighting.speed, 0);
    rig.skin.userSlide("kb_deng_speed_slider", 3, true);  // dragging acts at once
    EXPECT_EQ(rig.records().keyboard.lighting.speed, 11);
}

TEST(LightingView, PickedColourFillsTheFieldsAndEndsMultiColour) {
    ViewRig rig;
    rig.engine.settings.edit([](LightingRecords& r) { r.keyboard.lighting.multiColour = 1; });
    rig.skin.at("kb_Deng_7color_check").setChecked(true, false);
    rig.skin.userPickColour("kb_deng_Color_Pallet", 0xFF102030);
    const LightingRecord rec = rig.records().keyboard.lighting;
    EXPECT_EQ((Rgb{rec.red, rec.green, rec.blue}), (Rgb{0x10, 0x20, 0x30}));
    EXPECT_EQ(rec.multiColour, 0);
    EXPECT_EQ(rig.skin.at("kb_Deng_edit_G").text(), "32");
    EXPECT_EQ(rig.skin.at("kb_Deng_colordp_btn").backgroundColour(), 0xFF102030u);
    EXPECT_FALSE(rig.skin.at("kb_Deng_7color_check").isChecked());
}

TEST(LightingView, TypedChannelsAndPresetButtonsSetTheColour) {
    ViewRig rig;
    rig.skin.userType("ms_Deng_edit_R", "300");
    rig.skin.userType("ms_Deng_edit_B", "7");
    LightingRecord rec = rig.records().mouse.lighting;
    EXPECT_EQ((Rgb{rec.red, rec.green, rec.blue}), (Rgb{255, 0, 7}));
    rig.skin.userClick("mp_Deng_color_btn_4");  // 0xFF008AFF
    rec = rig.records().mousepad.lighting;
    EXPECT_EQ((Rgb{rec.red, rec.green, rec.blue}), (Rgb{0x00, 0x8A, 0xFF}));
    rig.saved.clear();
    rig.skin.userClick("mp_Deng_color_btn_30");  // outside the table: ignored
    rig.skin.userClick("mp_Deng_color_btn_x");
    EXPECT_TRUE(rig.saved.empty());
}

TEST(LightingView, ColourPickedInCustomModeChangesOnlyThePaintColour) {
    ViewRig rig;
    rig.skin.userSelectRow("kb_deng_combo_modeSelect", 11);
    rig.engine.settings.edit([](LightingRecords& r) {
        r.keyboard.lighting.red = 1;
        r.keyboard.lighting.multiColour = 1;
    });
    rig.skin.userPickColour("kb_deng_Color_Pallet", 0xFFAABBCC);
    const LightingRecords r = rig.records();
    EXPECT_EQ((Rgb{r.custom.paintRed, r.custom.paintGreen, r.custom.paintBlue}),
              (Rgb{0xAA, 0xBB, 0xCC}));
    EXPECT_EQ(r.keyboard.lighting.red, 1);
    EXPECT_EQ(r.keyboard.lighting.multiColour, 1);
    EXPECT_EQ(rig.skin.at("kb_Deng_custom_colordp_btn").backgroundColour(), 0xFFAABBCCu);
}

TEST(LightingView, DirectionBoxesExcludeEachOtherAndRestartTheMembraneStack) {
    ViewRig rig;
    rig.skin.userClick("kb_Deng_FXR_check");
    EXPECT_EQ(rig.records().keyboard.lighting.direction, 0);
    EXPECT_TRUE(rig.skin.at("kb_Deng_FXR_check").isChecked());
    EXPECT_FALSE(rig.skin.at("kb_Deng_FXL_check").isChecked());
    EXPECT_TRUE(rig.engine.signals.membraneDirectionChanged.load());
    rig.skin.userClick("kb_Deng_FXL_check");
    EXPECT_EQ(rig.records().keyboard.lighting.direction, 1);
    // The mouse's buttons run the other way round.
    rig.skin.userClick("ms_Deng_FXL_check");
    rig.skin.userClick("ms_Deng_FXL_btn");
    EXPECT_EQ(rig.records().mouse.lighting.direction, 0);
    EXPECT_TRUE(rig.records().mouseDirty);
    // ...and the boxes follow what the arrow stored.
    EXPECT_TRUE(rig.skin.at("ms_Deng_FXR_check").isChecked());
    EXPECT_FALSE(rig.skin.at("ms_Deng_FXL_check").isChecked());
}

TEST(LightingView, SevenColourBoxFollowsItsCheck) {
    ViewRig rig;
    rig.skin.userCheck("ms_Deng_7color_check", true);
    EXPECT_EQ(rig.records().mouse.lighting.multiColour, 1);
    EXPECT_EQ(rig.msSync, 0);
    rig.skin.userCheck("ms_Deng_7color_check", false);
    EXPECT_EQ(rig.records().mouse.lighting.multiColour, 0);
}

TEST(LightingView, RefreshShowsTheRecordAndOnlyTheAttachedVariantsCombo) {
    ViewRig rig;
    rig.identity.keyboardVariant = link::KeyboardVariant::oneColour;
    rig.engine.settings.edit([](LightingRecords& r) {
        r.keyboard.lighting = {4, 7, 3, 0, 1, 9, 9, 9};
        r.custom.customSet = 2;
    });
    rig.skin.at("kb_deng_onecolor_combo_modeSelect").addRow(skin::Row::text("a"));
    for (int i = 0; i < 12; ++i) {
        rig.skin.at("kb_deng_onecolor_combo_modeSelect").addRow(skin::Row::text("m"));
    }
    rig.view.refresh(DeviceKind::keyboard);
    EXPECT_EQ(rig.skin.at("kb_deng_onecolor_combo_modeSelect").currentRow(), 4);
    EXPECT_FALSE(rig.skin.at("kb_deng_combo_modeSelect").isVisible());
    EXPECT_TRUE(rig.skin.at("kb_deng_onecolor_combo_modeSelect").isVisible());
    EXPECT_EQ(rig.skin.at("kb_deng_light_slider").value(), 7);
    EXPECT_EQ(rig.skin.at("kb_deng_speed_slider").value(), 11);
    EXPECT_EQ(rig.skin.at("kb_deng_Color_Pallet").colour(), kOneColourPicker);
    EXPECT_FALSE(rig.skin.at("kb_Deng_7color_check").isChecked());  // never on one-colour
    EXPECT_TRUE(rig.skin.at("kb_Deng_FXR_check").isChecked());
    EXPECT_EQ(rig.skin.at("kb_deng_combo_curtom_count").currentRow(), 2);
    EXPECT_TRUE(rig.skin.notifications().empty() ||
                rig.skin.notifications().back().type != skin::NotifyType::itemSelect);
}

TEST(LightingView, ShowingTheViewInRippleModeStartsAWaveWithoutAReset) {
    ViewRig rig;
    rig.engine.settings.edit([](LightingRecords& r) { r.keyboard.lighting.mode = 5; });
    rig.engine.effectState().keyboard.keyLevel[3] = 77;
    rig.view.refresh(DeviceKind::keyboard);
    rig.engine.applyPendingSelection(LightingKind::rgbKeyboard, 1);
    const KeyboardScratch& s = rig.engine.effectState().keyboard;
    for (const RipplePlane& p : s.ripple)
        EXPECT_EQ(p[9], 1u << 6);
    EXPECT_EQ(s.keyLevel[3], 77);
}

TEST(LightingView, CustomSetSelectionUnchecksTheAllKeysBoxes) {
    ViewRig rig;
    rig.skin.at("kb_Deng_all_bright_check").setChecked(true, false);
    rig.skin.userSelectRow("kb_deng_combo_curtom_count", 3);
    EXPECT_EQ(rig.records().custom.customSet, 3);
    EXPECT_FALSE(rig.skin.at("kb_Deng_all_bright_check").isChecked());
    EXPECT_EQ(rig.saved, std::vector<DeviceKind>{DeviceKind::keyboard});
}

TEST(LightingView, KeysPaintOnlyInCustomModeAndEachPaintSaves) {
    ViewRig rig;
    rig.engine.settings.edit([](LightingRecords& r) {
        r.custom.paintRed = 5;
        r.custom.paintGreen = 6;
        r.custom.paintBlue = 7;
    });
    rig.skin.userClick("kb_dkey_13");
    EXPECT_EQ(rig.records().custom.sets[0][3 * 14], 0);  // not in custom mode
    rig.skin.userSelectRow("kb_deng_combo_modeSelect", 11);
    rig.saved.clear();
    rig.skin.userClick("kb_dkey_13");  // LED 14
    EXPECT_EQ(rig.records().custom.sets[0][3 * 14], 5);
    EXPECT_EQ(rig.saved.size(), 1u);
    rig.skin.userClick("kb_Deng_off_kill_check");
    rig.skin.userClick("kb_fkey_13");
    EXPECT_EQ(rig.records().custom.sets[0][3 * 14], 0);
    rig.skin.userClick("kb_dkey_62");   // no LED: nothing
    rig.skin.userClick("kb_dkey_999");  // outside the table: nothing
    EXPECT_EQ(rig.saved.size(), 2u);
}

TEST(LightingView, AKeyPaintedInCustomModeUnchecksTheAllKeysBoxes) {
    ViewRig rig;
    rig.skin.at("kb_Deng_all_bright_check").setChecked(true, false);
    rig.skin.userClick("kb_dkey_13");  // not in custom mode: the boxes stay
    EXPECT_TRUE(rig.skin.at("kb_Deng_all_bright_check").isChecked());
    rig.skin.userSelectRow("kb_deng_combo_modeSelect", 11);
    rig.skin.at("kb_Deng_all_bright_check").setChecked(true, false);
    rig.skin.at("kb_Deng_all_kill_check").setChecked(true, false);
    rig.skin.userClick("kb_dkey_62");  // a key without an LED unchecks them too
    EXPECT_FALSE(rig.skin.at("kb_Deng_all_bright_check").isChecked());
    EXPECT_FALSE(rig.skin.at("kb_Deng_all_kill_check").isChecked());
}

TEST(LightingView, AtStartThePalettesKeepTheStartColourWhileTheModesShow) {
    ViewRig rig;
    rig.engine.settings.edit([](LightingRecords& r) {
        r.keyboard.lighting = {2, 7, 3, 0, 0, 9, 9, 9};
        r.mouse.lighting = {1, 7, 3, 0, 0, 1, 2, 3};
    });
    rig.view.showAtStart();
    for (const char* palette :
         {"Pallet", "kb_deng_Color_Pallet", "ms_deng_Color_Pallet", "mp_deng_Color_Pallet"}) {
        EXPECT_EQ(rig.skin.at(palette).colour(), 0xFF0199CBu) << palette;
    }
    EXPECT_EQ(rig.skin.at("kb_deng_combo_modeSelect").currentRow(), 2);
    EXPECT_EQ(rig.skin.at("ms_deng_combo_modeSelect").currentRow(), 1);
    EXPECT_EQ(rig.skin.at("kb_deng_light_slider").value(), 7);
}

// Counts settings writes.
class CountingWriter final : public SettingsWriter {
  public:
    link::Status writeSettings(DeviceKind kind, std::span<const std::uint8_t> bytes) override {
        writes.push_back({kind, std::vector<std::uint8_t>(bytes.begin(), bytes.end())});
        return answer;
    }
    bool connected(DeviceKind) const override { return attached; }
    std::vector<std::pair<DeviceKind, std::vector<std::uint8_t>>> writes;
    link::Status answer = link::Status::ok;
    bool attached = true;
};

TEST(SettingsFlush, AMouseBrightnessDragOverThreeSecondsMakesOneToThreeWrites) {
    ViewRig rig;
    rig.skin.at("ms_deng_light_slider").setRange(0, 14);
    CountingWriter writer;
    SettingsFlushTimer timer(rig.engine.settings, writer);
    // A move every 50 ms; the flush ticks once a second.
    for (int move = 1; move <= 60; ++move) {
        rig.skin.userSlide("ms_deng_light_slider", move % 15, true);
        if (move % 20 == 0)
            (void)timer.tick();
    }
    (void)timer.tick();
    ASSERT_GE(writer.writes.size(), 1u);
    EXPECT_LE(writer.writes.size(), 3u);
    EXPECT_EQ(writer.writes.back().second[2], 60 % 15);  // the brightness let go at
}

TEST(SettingsFlush, AFailedWriteKeepsTheRecordMarkedWhileTheMouseIsAttached) {
    LightingSettings settings;
    CountingWriter writer;
    writer.answer = link::Status::noExchange;
    settings.edit([](LightingRecords& r) { r.mouseDirty = true; });
    EXPECT_TRUE(flushDirtySettings(settings, writer).mouseWritten);
    EXPECT_TRUE(settings.snapshot().mouseDirty);
    (void)flushDirtySettings(settings, writer);
    EXPECT_EQ(writer.writes.size(), 2u);  // retried on the next tick
    writer.attached = false;
    (void)flushDirtySettings(settings, writer);
    EXPECT_FALSE(settings.snapshot().mouseDirty);  // a mouse that left is read anew on return
}

TEST(SettingsFlush, SeveralMouseChangesWithinASecondMakeOneWrite) {
    ViewRig rig;
    CountingWriter writer;
    rig.skin.userSelectRow("ms_deng_combo_modeSelect", 2);
    rig.skin.userClick("ms_Deng_FXR_btn");
    rig.skin.userSelectRow("ms_deng_combo_modeSelect", 3);
    rig.engine.settings.edit([](LightingRecords& r) { r.mouse.dpiStage = 4; });
    SettingsFlushTimer timer(rig.engine.settings, writer);
    EXPECT_TRUE(timer.tick().mouseWritten);
    ASSERT_EQ(writer.writes.size(), 1u);
    EXPECT_EQ(writer.writes[0].first, DeviceKind::mouse);
    const auto& bytes = writer.writes[0].second;
    ASSERT_EQ(bytes.size(), 56u);
    EXPECT_EQ(bytes[1], 3);   // mode
    EXPECT_EQ(bytes[4], 1);   // direction
    EXPECT_EQ(bytes[21], 4);  // DPI stage
    EXPECT_TRUE(
        std::all_of(bytes.begin() + 23, bytes.end(), [](std::uint8_t b) { return b == 0; }));
    // Nothing changed since: the next tick writes nothing.
    EXPECT_FALSE(timer.tick().mouseWritten);
    EXPECT_EQ(writer.writes.size(), 1u);
}

TEST(SettingsFlush, MousepadRecordGoesOutAsTwentyOneBytesOfFiftySix) {
    LightingSettings settings;
    CountingWriter writer;
    settings.edit([](LightingRecords& r) {
        r.mousepad.carried[10] = 0xEE;
        r.mousepadDirty = true;
    });
    const FlushOutcome out = flushDirtySettings(settings, writer);
    EXPECT_FALSE(out.mouseWritten);
    ASSERT_EQ(writer.writes.size(), 1u);
    EXPECT_EQ(writer.writes[0].second[20], 0xEE);
    EXPECT_EQ(writer.writes[0].second[21], 0);
}

}  // namespace
}  // namespace quillon::lighting
