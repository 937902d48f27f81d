// The one-colour, membrane, mouse, mousepad and synchronised effects run on
// their lighting threads while the GUI thread changes settings, starts and
// ends synchronisation and the mouse event thread clicks. Run under
// ThreadSanitizer, this shows their state is shared without data races.

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

TEST(DeviceEffectRaces, EveryDeviceEffectRunsWhileTheUserAndTheMouseAct) {
    link::DeviceIdentity identity;
    LightingEngine engine{identity};
    skin::MemorySkin skin;
    SinkChannel keyboard, mouse, mousepad;
    LightingView view(skin, engine, SyncFlags{keyboard.sync, mouse.sync, mousepad.sync}, nullptr);
    shell::NotificationRouter router;
    view.install(router);
    skin.setNotificationSink([&](const skin::Notification& n) { (void)router.route(n); });
    for (const char* combo : {"kb_deng_onecolor_combo_modeSelect", "kb_deng_film_combo_modeSelect",
                              "ms_deng_combo_modeSelect", "mp_deng_combo_modeSelect"}) {
        for (int i = 0; i < 12; ++i)
            skin.at(combo).addRow(skin::Row::text("m"));
    }
    const LightingChannels channels{keyboard, mouse, mousepad};
    std::atomic<int> passes{0};
    std::atomic<bool> done{false};
    auto run = [&](bool (*pass)(LightingEngine&, const LightingChannels&, Pacer&)) {
        FreePacer pacer(3);
        while (!done.load()) {
            (void)pass(engine, channels, pacer);
            passes.fetch_add(1);
        }
    };
    std::thread kb(run, keyboardPass);
    std::thread ms(run, mousePass);
    std::thread mp(run, mousepadPass);
    std::thread sy(run, syncPass);
    // The mouse event thread: clicks now and then.
    std::thread clicks([&] {
        while (!done.load()) {
            engine.signals.mouseClickPulse = true;
            engine.signals.mousepadClickPulse = true;
            std::this_thread::yield();
        }
    });

    constexpr int kPassesPerStep = 200;
    for (int step = 0; step < 24; ++step) {
        const std::uint8_t variant = step % 2 == 0 ? 1 : 2;
        identity.keyboardVariant = link::keyboardVariantOf(variant);
        skin.userSelectRow(
            variant == 1 ? "kb_deng_onecolor_combo_modeSelect" : "kb_deng_film_combo_modeSelect",
            step % (variant == 1 ? 12 : 7));
        skin.userSelectRow("ms_deng_combo_modeSelect", step % 10);
        skin.userSelectRow("mp_deng_combo_modeSelect", (step + 3) % 10);
        const int target = passes.load() + kPassesPerStep;
        for (int i = 0; passes.load() < target; ++i) {
            skin.userClick(i % 2 ? "kb_Deng_FXL_check" : "ms_Deng_FXR_check");
            skin.userSlide("mp_deng_light_slider", i % 15, false);
            skin.userCheck("ms_Deng_7color_check", i % 3 == 0);
            if (i % 50 == 0)
                skin.userClick(i % 100 ? "ms_deng_same_mode" : "kb_deng_same_mode");
            engine.signals.mouseControlsVisible = i % 4 ? 0xFFFFFu : 0x3FFu;
            engine.outputEnabled = i % 13 != 0;
            volatile std::uint32_t seen =
                engine.mirrors.mouse.cell(static_cast<std::size_t>(i % 20)).colour +
                engine.mirrors.mousepad.cell(static_cast<std::size_t>(i % 15)).colour;
            (void)seen;
        }
    }
    done = true;
    for (std::thread* t : {&kb, &ms, &mp, &sy, &clicks})
        t->join();
    // Which device sends how much depends on the modes and the same-mode
    // clicks the scheduler happened to interleave (a device handed to the
    // synchronised thread sends nothing of its own); some frames must flow.
    EXPECT_GT(keyboard.frames.load() + mouse.frames.load() + mousepad.frames.load(), 0);
}

}  // namespace
}  // namespace quillon::lighting
