// The skin's lighting views hold every control the lighting views act on.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string readSkin(const std::string& file) {
    std::ifstream in(std::string(QUILLON_SOURCE_DATA_DIR) + "/skin/" + file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool holds(const std::string& xml, const std::string& name) {
    return xml.find("name=\"" + name + "\"") != std::string::npos;
}

std::vector<std::string> sharedNames(const std::string& p) {
    std::vector<std::string> names;
    for (const char* s :
         {"deng_combo_modeSelect", "deng_light_slider", "deng_speed_slider", "deng_Color_Pallet",
          "Deng_edit_R", "Deng_edit_G", "Deng_edit_B", "Deng_colordp_btn", "Deng_7color_check",
          "Deng_FXL_check", "Deng_FXR_check", "deng_same_mode", "deng_fx_layout",
          "deng_color_layout", "deng_7colorselect_layout", "deng_speed_layout"}) {
        names.push_back(p + s);
    }
    for (int n = 0; n < 30; ++n)
        names.push_back(p + "Deng_color_btn_" + std::to_string(n));
    return names;
}

TEST(LightingSkin, KeyboardViewHoldsEveryLightingControl) {
    const std::string xml = readSkin("keyboard_deng.xml");
    ASSERT_FALSE(xml.empty());
    std::vector<std::string> names = sharedNames("kb_");
    for (const char* s :
         {"kb_deng_onecolor_combo_modeSelect", "kb_deng_film_combo_modeSelect",
          "kb_deng_combo_curtom_count", "kb_Deng_custom_colordp_btn", "kb_Deng_label_FXL",
          "kb_Deng_label_FXR", "kb_Deng_all_bright_check", "kb_Deng_all_kill_check",
          "kb_Deng_on_bright_check", "kb_Deng_off_kill_check", "kb_deng_light_layout",
          "kb_deng_color_display_layout", "kb_deng_custom_tool_layout",
          "kb_deng_custom_select_layout", "kb_deng_custom_color_layout", "kb_deng_rgb_layout",
          "kb_deng_color_lump"}) {
        names.push_back(s);
    }
    for (int k = 0; k < 126; ++k)
        names.push_back("kb_dkey_" + std::to_string(k));
    for (const std::string& n : names)
        EXPECT_TRUE(holds(xml, n)) << n;
}

TEST(LightingSkin, MouseAndMousepadViewsHoldEveryLightingControl) {
    const std::string mouse = readSkin("Mouse_deng.xml");
    const std::string pad = readSkin("MousePad_deng.xml");
    ASSERT_FALSE(mouse.empty());
    ASSERT_FALSE(pad.empty());
    for (const std::string& n : sharedNames("ms_"))
        EXPECT_TRUE(holds(mouse, n)) << n;
    EXPECT_TRUE(holds(mouse, "ms_Deng_FXL_btn"));
    EXPECT_TRUE(holds(mouse, "ms_Deng_FXR_btn"));
    for (const std::string& n : sharedNames("mp_"))
        EXPECT_TRUE(holds(pad, n)) << n;
}

}  // namespace
