// The device pictures: they mirror what the lighting generators draw, in
// every mode, and the keyboard picture is laid out like the keyboard of the
// attached variant.

#include "gui/device_picture.h"

#include <gtest/gtest.h>

#include <QStackedWidget>
#include <QTest>
#include <atomic>
#include <set>

#include "gui/device_pictures.h"
#include "gui/light_key.h"
#include "gui/qt_skin.h"
#include "lighting/lighting_engine.h"
#include "link/device_identity.h"
#include "qt_test_app.h"

namespace quillon::gui {
namespace {

struct SilentChannel final : lighting::DeviceChannel {
    bool connected() const override { return true; }
    bool syncLighting() const override { return false; }
    void sendFrame(std::span<const std::uint8_t>) override {}
};

struct NoPause final : lighting::Pacer {
    bool sleepMs(int ms) override {
        now += static_cast<std::uint32_t>(ms);
        return true;
    }
    std::uint32_t nowMs() const override { return now; }
    std::uint32_t now = 0;
};

class DevicePictures : public ::testing::Test {
  protected:
    void SetUp() override {
        test::app();
        skin_ = std::make_unique<QtSkin>(test::skinDir());
        ASSERT_TRUE(skin_->build());
        pictures_ = attachDevicePictures(
            *skin_, {engine_.mirrors.keyboard, engine_.mirrors.mouse, engine_.mirrors.mousepad,
                     [this] { return variant_.load(); }});
        ASSERT_EQ(pictures_.size(), 5u);
    }

    DevicePicture* picture(const char* name) {
        return qobject_cast<DevicePicture*>(skin_->control(name)->widget());
    }
    // Shows the device page that holds `name` (0 keyboard, 1 mouse, 2 mousepad).
    void showPage(int page) {
        auto* pages = qobject_cast<QStackedWidget*>(skin_->control("tab_switch")->widget());
        pages->setCurrentIndex(page);
        skin_->mainWindow()->show();
    }
    void runFrame(lighting::LightingKind kind, const lighting::LightingRecord& record) {
        lighting::LightingChannels all{channel_, channel_, channel_};
        ASSERT_TRUE(engine_.runGenerator(kind, record, channel_, all, pacer_));
    }
    QColor shownAt(DevicePicture* picture, const char* light) {
        QWidget* led = skin_->control(light)->widget();
        return picture->grab().toImage().pixelColor(led->geometry().center());
    }
    QRect place(const std::string& name) { return skin_->control(name)->widget()->geometry(); }
    bool drawn(const std::string& name) { return !skin_->control(name)->widget()->isHidden(); }

    link::DeviceIdentity identity_;
    lighting::LightingEngine engine_{identity_};
    SilentChannel channel_;
    NoPause pacer_;
    std::atomic<int> variant_{0};
    std::unique_ptr<QtSkin> skin_;
    std::vector<DevicePicture*> pictures_;
};

TEST_F(DevicePictures, MousepadLedsChangeOverAFewFramesOfAStreamingMode) {
    showPage(2);
    DevicePicture* pad = picture("mp_picture");
    ASSERT_TRUE(pad->isVisible());
    EXPECT_TRUE(pad->polling());
    const lighting::LightingRecord wave{0, 14, 0, 1, 1, 0xff, 0, 0};
    std::set<QRgb> seen;
    for (int frame = 0; frame < 4; ++frame) {
        runFrame(lighting::LightingKind::mousepad, wave);
        pad->refresh();
        EXPECT_GT(pad->shownCell(0).alpha, 0) << "frame " << frame;
        seen.insert(shownAt(pad, "mp_dkey_0").rgb());
    }
    EXPECT_GE(seen.size(), 3u) << "the LED's colour on screen moves with the wave";
}

TEST_F(DevicePictures, MousePictureIsDarkWhenTheMouseShowsNothing) {
    showPage(1);
    DevicePicture* mouse = picture("ms_deng_key");
    ASSERT_TRUE(mouse->isVisible());
    const QColor unlit = shownAt(mouse, "ms_dkey_0");
    runFrame(lighting::LightingKind::mouse, {0, 14, 0, 1, 0, 0, 0xff, 0});  // static green
    mouse->refresh();
    ASSERT_GT(mouse->shownCell(0).alpha, 0);
    EXPECT_NE(shownAt(mouse, "ms_dkey_0"), unlit);

    for (std::uint8_t mode : {8, 9}) {  // off, the device's own effect
        runFrame(lighting::LightingKind::mouse, {0, 14, 0, 1, 0, 0, 0xff, 0});
        mouse->refresh();
        runFrame(lighting::LightingKind::mouse, {mode, 14, 0, 1, 0, 0, 0xff, 0});
        mouse->refresh();
        for (std::size_t i = 0; i < 20; ++i) {
            EXPECT_EQ(mouse->shownCell(i).alpha, 0) << "mode " << int(mode) << ", LED " << i;
        }
        EXPECT_EQ(shownAt(mouse, "ms_dkey_0"), unlit) << "mode " << int(mode);
    }
}

TEST_F(DevicePictures, HiddenPicturesDoNotPollAndCatchUpWhenShown) {
    DevicePicture* keys = picture("kb_mechanical_light");
    EXPECT_FALSE(keys->polling()) << "nothing polls while the window is hidden";
    engine_.mirrors.keyboard.draw(3, lighting::Rgb{0x10, 0x20, 0x30}, 180);
    engine_.mirrors.keyboard.publish();
    showPage(0);
    EXPECT_TRUE(keys->polling());
    EXPECT_EQ(keys->shownCell(3), (lighting::MirrorCell{0x203010u, 180}))
        << "green * 65536 + blue * 256 + red";
    EXPECT_FALSE(picture("kb_film_light")->polling()) << "the membrane picture is hidden";

    // Unchanged lights are not painted again.
    QTest::qWait(100);  // what showing the window asked for is painted
    const int paints = keys->paintCount();
    EXPECT_GT(paints, 0);
    engine_.mirrors.keyboard.publish();
    keys->refresh();
    QCoreApplication::processEvents();
    EXPECT_EQ(keys->paintCount(), paints);

    skin_->mainWindow()->hide();
    EXPECT_FALSE(keys->polling());
}

TEST_F(DevicePictures, KeyboardIsLaidOutLikeAFullSizeKeyboard) {
    showPage(0);
    const QRect esc = place("kb_dkey_0"), space = place("kb_dkey_108");
    EXPECT_GT(space.width(), 5 * esc.width()) << "Space is a long bar";
    EXPECT_GT(place("kb_dkey_34").width(), place("kb_dkey_33").width() * 3 / 2) << "Backspace";
    // The numpad: a column under Num Lock, Enter and + two rows high.
    for (const char* key : {"kb_dkey_59", "kb_dkey_76", "kb_dkey_97"}) {
        EXPECT_EQ(place(key).x(), place("kb_dkey_38").x()) << key;
    }
    EXPECT_GT(place("kb_dkey_118").height(), place("kb_dkey_117").height() * 3 / 2);
    EXPECT_GT(place("kb_dkey_119").height(), place("kb_dkey_117").height() * 3 / 2);
    // The arrows: an inverted T between the main block and the numpad, in
    // the bottom row.
    EXPECT_EQ(place("kb_dkey_96").center().x(), place("kb_dkey_114").center().x());
    EXPECT_EQ(place("kb_dkey_113").y(), place("kb_dkey_108").y());
    EXPECT_GT(place("kb_dkey_113").x(), place("kb_dkey_112").right());
    EXPECT_LT(place("kb_dkey_115").right(), place("kb_dkey_116").x());
    EXPECT_EQ(place("kb_dkey_56").x(), place("kb_dkey_35").x()) << "Del under Insert";

    // Positions without a key or an LED are not drawn; no two drawn keys
    // overlap; every drawn key lies inside the picture.
    for (int position : {16, 62, 79, 102, 120, 125}) {
        EXPECT_FALSE(drawn("kb_dkey_" + std::to_string(position))) << position;
    }
    const QRect area = picture("kb_mechanical_light")->rect();
    std::vector<QRect> keys;
    for (int i = 0; i < 126; ++i) {
        const std::string name = "kb_dkey_" + std::to_string(i);
        if (drawn(name)) {
            EXPECT_TRUE(area.contains(place(name))) << name;
            for (const QRect& other : keys) {
                EXPECT_FALSE(other.intersects(place(name))) << name;
            }
            keys.push_back(place(name));
        }
    }
    EXPECT_EQ(keys.size(), 108u) << "104 keys and the four LEDs above the numpad";
}

TEST_F(DevicePictures, KeyboardPictureFollowsTheAttachedVariantsLeds) {
    showPage(0);
    DevicePicture* keys = picture("kb_mechanical_light");
    EXPECT_TRUE(drawn("kb_dkey_17"));
    EXPECT_FALSE(drawn("kb_dkey_122"));
    variant_ = 1;  // the one-colour keyboard drives its LEDs through 122..125
    keys->refresh();
    EXPECT_FALSE(drawn("kb_dkey_17"));
    EXPECT_TRUE(drawn("kb_dkey_122"));
    EXPECT_EQ(place("kb_dkey_122"), place("kb_dkey_17"));

    // The membrane picture and the key-assignment keyboard draw keys only.
    EXPECT_FALSE(drawn("kb_fkey_17"));
    EXPECT_FALSE(drawn("kb_key_17"));
    EXPECT_FALSE(drawn("kb_key_122"));
    EXPECT_TRUE(drawn("kb_key_108"));
}

}  // namespace
}  // namespace quillon::gui
