// The mouse performance view: what its controls store, mark and apply, and
// how it shows the records without writing anything back.

#include <gtest/gtest.h>

#include "mouse/dpi_controls.h"
#include "mouse/mouse_rig.h"

namespace quillon::mouse {
namespace {

using testing::DpiRig;
using testing::sensor3360;

TEST(DpiView, ASliderLetGoStoresItsLevelMarksTheMouseAndSaves) {
    DpiRig rig;
    rig.describeMouse(sensor3360());
    rig.skin.at("ms_DPI3_slider").setRange(0, 119);
    rig.skin.userSlide("ms_DPI3_slider", 50, false);
    EXPECT_EQ(rig.mouse().dpiLevels[2], 50);
    EXPECT_EQ(rig.skin.at("ms_DPI3_label_value").text(), "5100");
    EXPECT_TRUE(rig.dirty());
    EXPECT_EQ(rig.saves, 1);
}

TEST(DpiView, ADraggedSliderMovesOnlyItsLabel) {
    DpiRig rig;
    rig.describeMouse(sensor3360());
    rig.skin.at("ms_DPI6_slider").setRange(0, 119);
    rig.skin.userSlide("ms_DPI6_slider", 20, true);
    EXPECT_EQ(rig.skin.at("ms_DPI6_label_value").text(), "2100");
    EXPECT_EQ(rig.mouse().dpiLevels[5], 0);
    EXPECT_FALSE(rig.dirty());
    EXPECT_EQ(rig.saves, 0);
}

TEST(DpiView, SlidersOfAMouseThatDescribedNoSensorChangeNothing) {
    DpiRig rig;
    rig.lighting.edit([](lighting::LightingRecords& r) { r.mouse.dpiLevels[0] = 31; });
    rig.skin.userSlide("ms_DPI1_slider", 0, false);
    EXPECT_EQ(rig.mouse().dpiLevels[0], 31);
    EXPECT_FALSE(rig.dirty());
}

TEST(DpiView, RefreshShowsTheCurrentStageInRedAndTheModelsStages) {
    DpiRig rig;
    rig.describeMouse(sensor3360());
    rig.identity.mouseModel = link::MouseModel::model2;
    rig.lighting.edit([](lighting::LightingRecords& r) {
        r.mouse.dpiLevels = {3, 7, 15, 31, 63, 119};
        r.mouse.dpiStage = 2;  // changed on the mouse itself
        r.mouse.reportRate = 3;
        r.mouse.liftOff = 2;
        r.mouse.dpiRed = 0x12;
        r.mouse.dpiGreen = 0x34;
        r.mouse.dpiBlue = 0x56;
    });
    rig.view.refresh();
    EXPECT_EQ(rig.skin.at("ms_DPI3_label_rank").textColour(), 0xFFFF0000u);
    EXPECT_EQ(rig.skin.at("ms_DPI3_label_value").textColour(), 0xFFFF0000u);
    EXPECT_EQ(rig.skin.at("ms_DPI1_label_rank").textColour(), 0xFFFFFFFFu);
    EXPECT_EQ(rig.skin.at("ms_DPI2_label_value").text(), "800");
    EXPECT_EQ(rig.skin.at("ms_DPI4_slider").maximum(), 119);
    EXPECT_EQ(rig.skin.at("ms_DPI4_slider").value(), 31);
    EXPECT_EQ(rig.skin.at("ms_DPI1_max").text(), "12000");
    EXPECT_TRUE(rig.skin.at("ms_DPI4_va").isVisible());
    EXPECT_FALSE(rig.skin.at("ms_DPI5_va").isVisible());
    EXPECT_FALSE(rig.skin.at("ms_DPI6_la").isVisible());
    EXPECT_EQ(rig.skin.at("ms_sensor_height_slider").value(), 2);
    EXPECT_EQ(rig.skin.at("Pallet").colour(), 0xFF123456u);
    EXPECT_EQ(rig.skin.at("ms_DPI_edit_G").text(), "52");
    // Showing is not changing.
    EXPECT_FALSE(rig.dirty());
    EXPECT_EQ(rig.saves, 0);
    EXPECT_TRUE(rig.skin.notifications().empty());

    rig.identity.mouseModel = link::MouseModel::first;
    rig.view.refresh();
    EXPECT_TRUE(rig.skin.at("ms_DPI5_va").isVisible());
    EXPECT_FALSE(rig.skin.at("ms_DPI6_va").isVisible());
}

TEST(DpiView, ColoursComeFromThePalettePresetsAndTheEditsWithThe255Rule) {
    DpiRig rig;
    rig.skin.userPickColour("Pallet", 0xFF102030u);
    EXPECT_EQ(rig.mouse().dpiRed, 0x10);
    EXPECT_EQ(rig.skin.at("ms_DPI_edit_B").text(), "48");
    EXPECT_EQ(rig.skin.at("ms_DPI_colordp_btn").backgroundColour(), 0xFF102030u);

    rig.skin.userClick("ms_DPI_color_btn_1");  // the second preset, 0x00F6FF
    EXPECT_EQ(rig.mouse().dpiGreen, 0xF6);
    EXPECT_EQ(rig.mouse().dpiRed, 0x00);
    const auto before = rig.mouse();
    rig.skin.userClick("ms_DPI_color_btn_30");  // past the table
    rig.skin.userClick("ms_DPI_color_btn_");    // routed as 0, but not a preset button
    EXPECT_EQ(rig.mouse(), before);

    rig.skin.userType("ms_DPI_edit_R", "300");
    EXPECT_EQ(rig.skin.at("ms_DPI_edit_R").text(), "255");
    EXPECT_EQ(rig.mouse().dpiRed, 255);
    EXPECT_EQ(rig.skin.at("Pallet").colour(), 0xFFFFF6FFu);
    rig.skin.userType("ms_DPI_edit_B", "zz");
    EXPECT_EQ(rig.mouse().dpiBlue, 0);
    EXPECT_EQ(rig.skin.at("ms_DPI_colordp_btn").backgroundColour(), 0xFFFFF600u);
    EXPECT_TRUE(rig.dirty());
    EXPECT_EQ(rig.saves, 4);
}

TEST(DpiView, ReportRateAndLiftOffAreStoredAsTheyCome) {
    DpiRig rig;
    rig.skin.at("ms_report_fct_combo").addRow(skin::Row::text("125 Hz"));
    rig.skin.at("ms_report_fct_combo").addRow(skin::Row::text("250 Hz"));
    rig.skin.userSelectRow("ms_report_fct_combo", 1);
    EXPECT_EQ(rig.mouse().reportRate, 1);
    rig.skin.at("ms_sensor_height_slider").setRange(-5, 5);
    rig.skin.userSlide("ms_sensor_height_slider", -3, false);
    EXPECT_EQ(rig.mouse().liftOff, 0);
    rig.skin.userSlide("ms_sensor_height_slider", 2, false);
    EXPECT_EQ(rig.mouse().liftOff, 2);
    EXPECT_EQ(rig.saves, 3);
}

TEST(DpiView, PointerSpeedAndWheelLinesGoToTheRecordAndTheDesktop) {
    DpiRig rig;
    rig.skin.at("ms_point_speed_slider").setRange(0, 9);
    rig.skin.userSlide("ms_point_speed_slider", 9, false);
    EXPECT_EQ(rig.system().pointerSpeed, 20);

    rig.skin.at("ms_gunlun_speed_edit").setText("15");
    rig.skin.userClick("ms_gunlun_speed_up_btn");
    EXPECT_EQ(rig.skin.at("ms_gunlun_speed_edit").text(), "10");
    rig.skin.at("ms_gunlun_speed_edit").setText("15");
    rig.skin.userClick("ms_gunlun_speed_down_btn");
    EXPECT_EQ(rig.skin.at("ms_gunlun_speed_edit").text(), "9");
    EXPECT_EQ(rig.system().wheelLines, 9);
    EXPECT_EQ(rig.saves, 3);
    // Neither goes to the mouse.
    EXPECT_FALSE(rig.dirty());

    rig.pointer.waitIdle();
    EXPECT_EQ(rig.desktop.speeds().back(), 20);
    EXPECT_EQ(rig.desktop.lines().back(), 9);
}

TEST(DpiView, RestoringAProfileShowsAndAppliesItsSettingsWithoutRaisingThem) {
    DpiRig rig;
    rig.skin.at("ms_point_speed_slider").setRange(0, 9);
    rig.stores.edit([](attach::StoredData& d) {
        d.mouseSystem.pointerSpeed = 11;  // odd: between two slider positions
        d.mouseSystem.wheelLines = 7;
    });
    for (int i = 0; i < 3; ++i)
        rig.view.restoreSystemSettings();
    EXPECT_EQ(rig.system().pointerSpeed, 11);
    EXPECT_EQ(rig.skin.at("ms_point_speed_slider").value(), 4);
    EXPECT_EQ(rig.skin.at("ms_gunlun_speed_edit").text(), "7");
    EXPECT_EQ(rig.saves, 0);
    rig.pointer.waitIdle();
    EXPECT_EQ(rig.desktop.speeds().back(), 11);
    EXPECT_EQ(rig.desktop.lines().back(), 7);
}

TEST(DpiView, TheFactoryResetGivesTheDesktopSpeedTenAndThreeLines) {
    DpiRig rig;
    rig.skin.at("ms_point_speed_slider").setRange(0, 9);
    rig.view.resetSystemSettings();
    EXPECT_EQ(rig.skin.at("ms_point_speed_slider").value(), 5);
    EXPECT_EQ(rig.skin.at("ms_gunlun_speed_edit").text(), "3");
    EXPECT_EQ(rig.system().pointerSpeed, 10);
    EXPECT_EQ(rig.system().wheelLines, 3);
    rig.pointer.waitIdle();
    EXPECT_EQ(rig.desktop.speeds().back(), 10);
    EXPECT_EQ(rig.desktop.lines().back(), 3);
}

}  // namespace
}  // namespace quillon::mouse
