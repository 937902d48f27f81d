// Every RGB effect runs for thousands of ticks on lighting threads while the
// GUI thread works the lighting views. Run under ThreadSanitizer, this shows
// that the settings, the scratch state and the screen mirror are shared
// without data races.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "effect_rig.h"
#include "lighting/lighting_view.h"
#include "race_channels.h"
#include "skin/memory_skin.h"

namespace quillon::lighting {
namespace {

using testing::FreePacer;
using testing::SinkChannel;

TEST(LightingRaces, EffectsRunWhileTheViewsChangeTheSettings) {
    link::DeviceIdentity identity;
    LightingEngine engine{identity};
    skin::MemorySkin skin;
    SinkChannel keyboard;
    SinkChannel mouse;
    SinkChannel mousepad;
    LightingView view(skin, engine, SyncFlags{keyboard.sync, mouse.sync, mousepad.sync}, nullptr);
    shell::NotificationRouter router;
    view.install(router);
    skin.setNotificationSink([&](const skin::Notification& n) { (void)router.route(n); });
    for (int i = 0; i < 16; ++i) {
        skin.at("kb_deng_combo_modeSelect").addRow(skin::Row::text("m"));
        skin.at("ms_deng_combo_modeSelect").addRow(skin::Row::text("m"));
        skin.at("mp_deng_combo_modeSelect").addRow(skin::Row::text("m"));
    }
    const LightingChannels channels{keyboard, mouse, mousepad};
    std::atomic<int> passes{0};
    std::atomic<bool> done{false};

    auto run = [&](bool (*pass)(LightingEngine&, const LightingChannels&, Pacer&), bool count) {
        FreePacer pacer;
        while (!done.load()) {
            (void)pass(engine, channels, pacer);
            if (count)
                passes.fetch_add(1);
        }
    };
    std::thread kb(run, keyboardPass, true);
    std::thread ms(run, mousePass, false);
    std::thread mp(run, mousepadPass, false);
    std::thread sy(run, syncPass, false);

    constexpr int kTicksPerMode = 300;
    for (int mode = 0; mode < 16; ++mode) {
        skin.userSelectRow("kb_deng_combo_modeSelect", mode);
        skin.userSelectRow("ms_deng_combo_modeSelect", mode % 10);
        skin.userSelectRow("mp_deng_combo_modeSelect", mode % 10);
        const int target = passes.load() + kTicksPerMode;
        int i = 0;
        while (passes.load() < target) {
            // What a user does meanwhile: every lighting control of the views.
            skin.userSlide("kb_deng_light_slider", i % 15, false);
            skin.userSlide("kb_deng_speed_slider", i % 15, false);
            skin.userPickColour("kb_deng_Color_Pallet",
                                0xFF000000u + static_cast<unsigned>(i) * 977u);
            skin.userClick(i % 2 ? "kb_Deng_FXL_check" : "kb_Deng_FXR_check");
            skin.userCheck("kb_Deng_7color_check", i % 3 == 0);
            skin.userClick("kb_dkey_" + std::to_string(i % 126));
            skin.userSelectRow("kb_deng_combo_curtom_count", i % 5);
            skin.userSlide("ms_deng_light_slider", i % 15, false);
            skin.userClick("mp_Deng_color_btn_" + std::to_string(i % 30));
            keyboard.sync = i % 7 == 0;
            engine.outputEnabled = i % 11 != 0;
            view.refresh(link::DeviceKind::keyboard);
            // The GUI repaints from the mirror at its own pace.
            volatile std::uint32_t seen =
                engine.mirrors.keyboard.cell(static_cast<std::size_t>(i % 126)).colour;
            (void)seen;
            ++i;
        }
    }
    done = true;
    kb.join();
    ms.join();
    mp.join();
    sy.join();
    EXPECT_GE(passes.load(), 16 * kTicksPerMode);
    EXPECT_GT(keyboard.frames.load(), 0);
}

}  // namespace
}  // namespace quillon::lighting
