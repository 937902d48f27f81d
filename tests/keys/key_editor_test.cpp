// The function editors of keyboard and mouse, driven through the in-memory
// skin the way a user clicks and types, over key maps held in the test.

#include <gtest/gtest.h>

#include "emu/factory_keymap.h"
#include "emu/virtual_bus.h"
#include "keys/key_name_table.h"
#include "keys/keys_module.h"
#include "shell/queue_event_loop.h"
#include "skin/memory_skin.h"

namespace quillon::keys {
namespace {

using link::DeviceKind;

struct FakeMaps final : KeyMapAccess {
    std::array<KeyMap, 2> factory{};
    std::array<std::array<KeyMap, 5>, 2> slots{};
    std::array<int, 2> active{};
    std::array<link::DeviceInfo, 2> info{};
    int saves = 0;
    bool saveWorks = true;

    static std::size_t at(DeviceKind k) { return k == DeviceKind::mouse ? 1 : 0; }
    KeyMap factoryMap(DeviceKind k) const override { return factory[at(k)]; }
    KeyMap slotMap(DeviceKind k, int s) const override { return slots[at(k)][std::size_t(s)]; }
    void setSlotMap(DeviceKind k, int s, const KeyMap& m) override {
        slots[at(k)][std::size_t(s)] = m;
    }
    int activeSlot(DeviceKind k) const override { return active[at(k)]; }
    link::DeviceInfo deviceInfo(DeviceKind k) const override { return info[at(k)]; }
    bool saveKeyProfile(DeviceKind) override {
        ++saves;
        return saveWorks;
    }
};

struct FakeCapture final : KeyCaptureSource {
    CapturedKeySink sink;
    std::optional<CaptureMode> mode;
    void startCapture(CaptureMode m, CapturedKeySink s) override {
        mode = m;
        sink = std::move(s);
    }
    void stopCapture() override {
        mode.reset();
        sink = nullptr;
    }
    void press(std::uint16_t vk, std::uint32_t flags = 0) {
        if (sink)
            sink(vk, flags);
    }
};

struct FakeMacros final : MacroCatalogue {
    std::vector<std::string> names;
    std::optional<std::vector<std::uint8_t>> image = std::vector<std::uint8_t>{};
    std::vector<std::string> macroNames(DeviceKind) const override { return names; }
    std::optional<std::vector<std::uint8_t>> macroImage(DeviceKind) const override { return image; }
};

constexpr std::size_t kRgbKeys = 104;
constexpr std::size_t kSlotOfA = 58;  // A's slot on the mechanical keyboards
constexpr std::size_t kPositionOfA = 64;

struct KeyEditors : ::testing::Test {
    KeyEditors() : app(skin, loop, bus) {
        maps.factory[0] = emu::factoryKeymapImage(emu::kRgbKeyboardFactoryKeys);
        maps.factory[1] = emu::factoryKeymapImage(emu::kMouseFactoryKeys);
        for (std::size_t k = 0; k < 2; ++k)
            maps.slots[k].fill(maps.factory[k]);
        maps.info[0].bytes[link::DeviceInfo::kKeyCount] = kRgbKeys;
        module.install();
        skin.setNotificationSink([this](const skin::Notification& n) { app.notify(n); });
        app.windowInit();
        app.events().publish(link::KeyboardKeyMapRead{int(kRgbKeys)});
    }
    ~KeyEditors() override { (void)app.shutdown(); }

    std::string name(DeviceKind k, std::string_view suffix) {
        return std::string(k == DeviceKind::mouse ? "ms_" : "kb_") + std::string(suffix);
    }
    void chooseMain(DeviceKind k, std::uint8_t type) {
        const auto items = k == DeviceKind::mouse
                               ? std::span<const std::uint8_t>(kMouseMainItems)
                               : std::span<const std::uint8_t>(kKeyboardMainItems);
        skin.userSelectRow(name(k, "key_fct_combo"), *mainItemOf(items, type));
    }
    void type(DeviceKind k, int edit, std::string_view text) {
        skin.userType(name(k, "key_fct_edit_" + std::to_string(edit)), text);
    }
    std::string edit(DeviceKind k, int edit) {
        return skin.at(name(k, "key_fct_edit_" + std::to_string(edit))).text();
    }
    int row(DeviceKind k, std::string_view combo) { return skin.at(name(k, combo)).currentRow(); }
    KeyAssignment stored(DeviceKind k, std::size_t slot, int profile = 0) {
        return assignmentAt(maps.slots[FakeMaps::at(k)][std::size_t(profile)], slot);
    }
    void show(DeviceKind k, std::size_t slot) { module.editor(k).showAssignment(slot); }
    std::size_t messagesOf(std::string_view key) {
        return std::size_t(std::count_if(skin.messages().begin(), skin.messages().end(),
                                         [&](const auto& m) { return m.key == key; }));
    }

    FakeMaps maps;
    FakeCapture capture;
    FakeMacros macros;
    emu::VirtualBus bus;
    shell::QueueEventLoop loop;
    skin::MemorySkin skin;
    shell::Application app;
    link::DeviceIdentity identity;
    KeysModule module{app, maps, identity, macros, capture};
};

TEST_F(KeyEditors, AStoredFactoryAssignmentShowsTheDefaultItemWhateverItsType) {
    show(DeviceKind::mouse, 5);  // DPI cycle from the factory
    EXPECT_EQ(row(DeviceKind::mouse, "key_fct_combo"), 0);
    EXPECT_TRUE(skin.at("ms_tab_function_0").isVisible());
    EXPECT_FALSE(skin.at("ms_tab_function_4").isVisible());

    // The same bytes on a slot whose factory function differs are a DPI step.
    chooseMain(DeviceKind::mouse, FN_DPI);
    skin.userSelectRow("ms_key_fct_combo_14", 2);
    show(DeviceKind::mouse, 4);
    chooseMain(DeviceKind::mouse, FN_DPI);
    skin.userSelectRow("ms_key_fct_combo_14", 2);
    show(DeviceKind::mouse, 5);
    show(DeviceKind::mouse, 4);
    EXPECT_EQ(row(DeviceKind::mouse, "key_fct_combo"), 4);
    EXPECT_EQ(row(DeviceKind::mouse, "key_fct_combo_14"), 2);
}

TEST_F(KeyEditors, ScrollStepsStoreTheirBytesAndShowBackOnBothDevices) {
    for (DeviceKind k : {DeviceKind::keyboard, DeviceKind::mouse}) {
        SCOPED_TRACE(k == DeviceKind::mouse ? "mouse" : "keyboard");
        const std::size_t slot = k == DeviceKind::mouse ? 3 : kSlotOfA;
        show(k, slot);
        chooseMain(k, FN_HSCROLL);
        type(k, 17, "2");
        type(k, 20, "3");
        skin.userSelectRow(name(k, "key_fct_combo_12"), 1);
        type(k, 15, "5");
        EXPECT_EQ(stored(k, slot), (KeyAssignment{FN_HSCROLL, 0x23, 0x85}));
        show(k, 0);
        type(k, 15, "9");  // another page's edit: not this key's business
        show(k, slot);
        EXPECT_EQ(row(k, "key_fct_combo_12"), 1);
        EXPECT_EQ(edit(k, 15), "5");
        EXPECT_EQ(edit(k, 17), "2");

        chooseMain(k, FN_VSCROLL);
        skin.userSelectRow(name(k, "key_fct_combo_13"), 1);
        type(k, 16, "3");
        EXPECT_EQ(stored(k, slot).p2, 0xFD);
        show(k, 0);
        show(k, slot);
        EXPECT_EQ(
            row(k, "key_fct_combo"),
            *mainItemOf(k == DeviceKind::mouse ? std::span<const std::uint8_t>(kMouseMainItems)
                                               : std::span<const std::uint8_t>(kKeyboardMainItems),
                        FN_VSCROLL));
        EXPECT_EQ(row(k, "key_fct_combo_13"), 1);
        EXPECT_EQ(edit(k, 16), "3");
    }
}

TEST_F(KeyEditors, CaptureTellsTheKeypadEnterFromTheMainEnterAndIgnoresMediaKeys) {
    show(DeviceKind::keyboard, kSlotOfA);
    chooseMain(DeviceKind::keyboard, FN_KEY);
    ASSERT_EQ(capture.mode, CaptureMode::keyboardEditor);
    EXPECT_EQ(stored(DeviceKind::keyboard, kSlotOfA), keyboardKey(0x04)) << "nothing pressed yet";

    capture.press(kVkReturn, 0x01);  // Enter with the extended flag
    EXPECT_EQ(stored(DeviceKind::keyboard, kSlotOfA), keyboardKey(0x58));
    capture.press(kVkKeypadEnter);
    EXPECT_EQ(stored(DeviceKind::keyboard, kSlotOfA), keyboardKey(0x58));
    capture.press(kVkReturn);
    EXPECT_EQ(stored(DeviceKind::keyboard, kSlotOfA), keyboardKey(0x28));
    EXPECT_EQ(skin.at("kb_key_fct_edit_21").textKey(), "keyboard_key_Enter");

    capture.press(0xB3);  // play/pause
    capture.press(kVkSleep);
    capture.press(0x07);  // no key at all
    EXPECT_EQ(stored(DeviceKind::keyboard, kSlotOfA), keyboardKey(0x28));

    // Another main item ends the capture; showing a key stored as a key starts it.
    chooseMain(DeviceKind::keyboard, FN_DPI);
    EXPECT_FALSE(capture.mode);
    skin.userSelectRow("kb_key_fct_combo_14", 0);
    show(DeviceKind::keyboard, kSlotOfA);
    EXPECT_FALSE(capture.mode) << "a DPI step is no key";
    show(DeviceKind::mouse, 3);
    chooseMain(DeviceKind::mouse, FN_KEY);
    EXPECT_EQ(capture.mode, CaptureMode::mouseEditor);
    capture.press(0x41);
    EXPECT_EQ(stored(DeviceKind::mouse, 3), keyboardKey(0x04));
}

TEST_F(KeyEditors, AKeyNameLeftFromAnotherKeyIsNotStoredForTheNextOne) {
    show(DeviceKind::keyboard, kSlotOfA);
    chooseMain(DeviceKind::keyboard, FN_KEY);
    capture.press(0x42);  // B
    show(DeviceKind::keyboard, kSlotOfA + 1);
    chooseMain(DeviceKind::keyboard, FN_KEY);
    EXPECT_EQ(stored(DeviceKind::keyboard, kSlotOfA + 1), keyboardKey(0x16)) << "S stays S";
}

TEST_F(KeyEditors, MacroAssignmentsNeedAMacroThatExists) {
    macros.names = {"reload", "burst"};
    module.macrosChanged(DeviceKind::keyboard);
    ASSERT_EQ(skin.at("kb_key_fct_combo_23").rowCount(), 2);
    show(DeviceKind::keyboard, kSlotOfA);
    chooseMain(DeviceKind::keyboard, FN_MACRO);
    EXPECT_EQ(stored(DeviceKind::keyboard, kSlotOfA), keyboardKey(0x04)) << "no macro chosen";
    skin.userSelectRow("kb_key_fct_combo_23", 1);
    skin.userSelectRow("kb_key_fct_combo_24", 2);
    EXPECT_EQ(stored(DeviceKind::keyboard, kSlotOfA), (KeyAssignment{FN_MACRO, 1, 2}));
    EXPECT_FALSE(skin.at("kb_tab_function_26").isVisible());
    skin.userSelectRow("kb_key_fct_combo_24", kMacroCountItem);
    EXPECT_TRUE(skin.at("kb_tab_function_26").isVisible());
    type(DeviceKind::keyboard, 25, "300");
    EXPECT_EQ(edit(DeviceKind::keyboard, 25), "255");
    EXPECT_EQ(stored(DeviceKind::keyboard, kSlotOfA), (KeyAssignment{FN_MACRO_COUNT, 1, 255}));

    // The macro list shrank: the stored number names no macro any more.
    macros.names = {"reload"};
    module.macrosChanged(DeviceKind::keyboard);
    show(DeviceKind::keyboard, kSlotOfA);
    EXPECT_EQ(row(DeviceKind::keyboard, "key_fct_combo_23"), -1);
    EXPECT_EQ(row(DeviceKind::keyboard, "key_fct_combo"), 9);
}

TEST_F(KeyEditors, TheOnlyLeftButtonKeepsItsFunction) {
    show(DeviceKind::mouse, 0);
    EXPECT_EQ(messagesOf("message_text_6"), 1u);
    EXPECT_FALSE(skin.at("ms_tab_function").isVisible());
    EXPECT_FALSE(module.editor(DeviceKind::mouse).slot());

    // Forward becomes a second left button: now either may change, once.
    show(DeviceKind::mouse, 3);
    chooseMain(DeviceKind::mouse, FN_MOUSE_BUTTON);
    skin.userSelectRow("ms_key_fct_combo_11", 0);
    ASSERT_EQ(stored(DeviceKind::mouse, 3), kMouseButtonSelector[0].assignment);
    show(DeviceKind::mouse, 0);
    EXPECT_EQ(messagesOf("message_text_6"), 1u);
    EXPECT_TRUE(skin.at("ms_tab_function").isVisible());
    chooseMain(DeviceKind::mouse, FN_MOUSE_BUTTON);
    skin.userSelectRow("ms_key_fct_combo_11", 2);  // right button
    show(DeviceKind::mouse, 3);
    EXPECT_EQ(messagesOf("message_text_6"), 2u);
    EXPECT_EQ(stored(DeviceKind::mouse, 3), kMouseButtonSelector[0].assignment);
}

TEST_F(KeyEditors, OutOfRangeValuesAreCorrectedWhereTheyAreTyped) {
    show(DeviceKind::keyboard, kSlotOfA);
    chooseMain(DeviceKind::keyboard, FN_FIRE);
    type(DeviceKind::keyboard, 11, "999");
    type(DeviceKind::keyboard, 12, "0");
    EXPECT_EQ(edit(DeviceKind::keyboard, 11), "255");
    EXPECT_EQ(edit(DeviceKind::keyboard, 12), "1");
    EXPECT_EQ(stored(DeviceKind::keyboard, kSlotOfA), (KeyAssignment{FN_FIRE, 255, 1}));

    show(DeviceKind::mouse, 4);
    chooseMain(DeviceKind::mouse, FN_FIRE);
    type(DeviceKind::mouse, 11, "40");
    type(DeviceKind::mouse, 12, "7");
    EXPECT_EQ(edit(DeviceKind::mouse, 11), "36");
    EXPECT_EQ(stored(DeviceKind::mouse, 4), (KeyAssignment{FN_FIRE, 36, 7}));

    chooseMain(DeviceKind::mouse, FN_HSCROLL);
    type(DeviceKind::mouse, 15, "128");
    type(DeviceKind::mouse, 17, "16");
    EXPECT_EQ(edit(DeviceKind::mouse, 15), "127");
    EXPECT_EQ(edit(DeviceKind::mouse, 17), "15");
}

TEST_F(KeyEditors, LabelsNameTheNewFunctionAndRestoreDefaultTakesItBack) {
    ASSERT_TRUE(skin.loadLanguageText(R"(<language code="en" name="English">
        <text key="keyboard_key_A">A</text><text key="Key_Set"> → </text>
        <text key="mouse_key_right_Swing">Scroll right</text>
        <text key="mouse_key_forward">Forward button</text></language>)") ==
                skin::LanguageLoad::ok);
    module.editor(DeviceKind::keyboard).refreshLabels();
    EXPECT_EQ(skin.at("kb_key_" + std::to_string(kPositionOfA)).tooltip(), "A");
    show(DeviceKind::keyboard, kSlotOfA);
    chooseMain(DeviceKind::keyboard, FN_HSCROLL);
    skin.userSelectRow("kb_key_fct_combo_12", 1);
    EXPECT_EQ(skin.at("kb_key_" + std::to_string(kPositionOfA)).tooltip(), "A → Scroll right");
    EXPECT_GT(maps.saves, 0);

    skin.userClick("kb_key_butt_keydefalut");
    EXPECT_EQ(stored(DeviceKind::keyboard, kSlotOfA), keyboardKey(0x04));
    EXPECT_EQ(skin.at("kb_key_" + std::to_string(kPositionOfA)).tooltip(), "A");
    EXPECT_EQ(row(DeviceKind::keyboard, "key_fct_combo"), 0);

    // The mouse shows the function on the button, a macro by its own name.
    macros.names = {"reload"};
    module.macrosChanged(DeviceKind::mouse);
    EXPECT_EQ(skin.at("ms_key_3").text(), "Forward button");
    show(DeviceKind::mouse, 3);
    chooseMain(DeviceKind::mouse, FN_MACRO);
    skin.userSelectRow("ms_key_fct_combo_23", 0);
    EXPECT_EQ(skin.at("ms_key_3").text(), "reload");
}

TEST_F(KeyEditors, APositionWithoutASlotIsIgnoredAndTheActiveSlotIsEdited) {
    skin.at("kb_tab_function").setVisible(false);
    skin.userClick("kb_key_102");  // the ISO key the RGB keyboard does not have
    EXPECT_FALSE(skin.at("kb_tab_function").isVisible());
    EXPECT_FALSE(module.editor(DeviceKind::keyboard).slot());
    skin.userClick("kb_key_63");
    EXPECT_TRUE(skin.at("kb_tab_function").isVisible());
    EXPECT_EQ(module.editor(DeviceKind::keyboard).slot(), kSlotOfA - 1);  // Caps Lock

    maps.active[1] = 3;
    skin.userClick("ms_key_2");
    chooseMain(DeviceKind::mouse, FN_SYSTEM);
    skin.userSelectRow("ms_key_fct_combo_22", 1);
    EXPECT_EQ(stored(DeviceKind::mouse, 2, 3), (KeyAssignment{FN_SYSTEM, 0x02, 0}));
    EXPECT_EQ(stored(DeviceKind::mouse, 2, 0), kMouseButtonSelector[2].assignment);
    skin.userClick("ms_key_9");  // no such button
    EXPECT_EQ(module.editor(DeviceKind::mouse).slot(), 2u);
}

TEST_F(KeyEditors, AProfileFileThatCannotBeWrittenIsToldOnce) {
    maps.saveWorks = false;
    show(DeviceKind::keyboard, kSlotOfA);
    chooseMain(DeviceKind::keyboard, FN_DPI);
    skin.userSelectRow("kb_key_fct_combo_14", 1);
    EXPECT_EQ(stored(DeviceKind::keyboard, kSlotOfA), (KeyAssignment{FN_DPI, 2, 0}));
    EXPECT_EQ(messagesOf("message_text_20"), 1u);
}

TEST_F(KeyEditors, AFunctionPickedFirstStartsFromItsFirstChoiceNotFromZeros) {
    show(DeviceKind::mouse, 4);
    chooseMain(DeviceKind::mouse, FN_VSCROLL);
    EXPECT_EQ(stored(DeviceKind::mouse, 4), (KeyAssignment{FN_VSCROLL, 0x00, 0x01}));
    chooseMain(DeviceKind::mouse, FN_FIRE);
    EXPECT_EQ(stored(DeviceKind::mouse, 4), (KeyAssignment{FN_FIRE, 10, 3}));
    chooseMain(DeviceKind::mouse, FN_GUN);
    EXPECT_EQ(stored(DeviceKind::mouse, 4), (KeyAssignment{FN_GUN, 0, 0}));
    // What the user set before stays.
    type(DeviceKind::mouse, 11, "20");
    chooseMain(DeviceKind::mouse, FN_DPI);
    chooseMain(DeviceKind::mouse, FN_FIRE);
    EXPECT_EQ(stored(DeviceKind::mouse, 4), (KeyAssignment{FN_FIRE, 20, 3}));
}

TEST_F(KeyEditors, MacrosThatDoNotFitStopTheSaveBeforeAnythingIsSent) {
    ASSERT_TRUE(skin.loadLanguageText(R"(<language code="en" name="English">
        <text key="message_text_16">Remove at least %d actions.</text></language>)") ==
                skin::LanguageLoad::ok);
    macros.names = {"reload"};
    maps.info[0].bytes[link::DeviceInfo::kMacroMemoryUnits] = 2;  // 256 bytes
    macros.image = std::vector<std::uint8_t>(256 + 9);            // 9 bytes too many
    module.saveToDevice(DeviceKind::keyboard);
    ASSERT_EQ(skin.messages().size(), 1u);
    EXPECT_EQ(skin.messages()[0].text, "Remove at least 3 actions.");

    macros.image.reset();  // no memory to build it in
    module.saveToDevice(DeviceKind::keyboard);
    ASSERT_EQ(skin.messages().size(), 2u);
    EXPECT_EQ(skin.messages()[1].key, "message_text_7");
}

TEST_F(KeyEditors, TheButtonUnderThePointerShowsItsDownPictureOnItsModel) {
    skin.raise({skin::NotifyType::mouseEnter, "ms_key_2"});
    EXPECT_EQ(skin.at("ms_key_2_0").backgroundImage(), "file='ms/key_right_down.png'");
    // From the name beside the picture onto the picture: leave comes after enter.
    skin.raise({skin::NotifyType::mouseEnter, "ms_key_2_0"});
    skin.raise({skin::NotifyType::mouseLeave, "ms_key_2"});
    EXPECT_EQ(skin.at("ms_key_2_0").backgroundImage(), "file='ms/key_right_down.png'");
    skin.raise({skin::NotifyType::mouseLeave, "ms_key_2_0"});
    EXPECT_EQ(skin.at("ms_key_2_0").backgroundImage(), "file='ms/key_right_normal.png'");
    identity.mouseModel = link::MouseModel::model2;
    skin.raise({skin::NotifyType::mouseEnter, "ms2_key_5_0"});
    EXPECT_EQ(skin.at("ms2_key_5_0").backgroundImage(), "file='ms/key_dpi_down_2.png'");
    identity.mouseModel = link::MouseModel::secondEdition;
    skin.raise({skin::NotifyType::mouseEnter, "ms_key_1"});
    EXPECT_EQ(skin.at("ms_key_1_0").backgroundImage(), "file='ms/key_wheel_normal.png'");
    EXPECT_EQ(skin.at("ms2_key_1_0").backgroundImage(), "file='ms/key_wheel_normal_2.png'");
}

TEST_F(KeyEditors, TheKeyBeingEditedStaysMarkedUntilAnotherIsChosenOrItsDeviceLeaves) {
    skin.userClick("kb_key_63");
    skin.userClick("kb_key_64");
    EXPECT_TRUE(skin.at("kb_key_64").isCurrent());
    EXPECT_FALSE(skin.at("kb_key_63").isCurrent());
    skin.userClick("kb_key_102");  // no key there: the edited one stays
    EXPECT_TRUE(skin.at("kb_key_64").isCurrent());
    EXPECT_FALSE(skin.at("kb_key_102").isCurrent());
    app.events().publish(link::DeviceLeft{DeviceKind::keyboard});
    EXPECT_FALSE(skin.at("kb_key_64").isCurrent());

    // The mouse: the button beside the picture and its overlay, also when the
    // overlay was clicked and the pointer has gone.
    skin.userClick("ms_key_3_0");
    EXPECT_EQ(module.editor(DeviceKind::mouse).slot(), 3u);
    EXPECT_TRUE(skin.at("ms_key_3").isCurrent());
    skin.raise({skin::NotifyType::mouseLeave, "ms_key_3_0"});
    EXPECT_EQ(skin.at("ms_key_3_0").backgroundImage(), "file='ms/key_forward_down.png'");
    skin.userClick("ms_key_4");
    EXPECT_FALSE(skin.at("ms_key_3").isCurrent());
    EXPECT_EQ(skin.at("ms_key_3_0").backgroundImage(), "file='ms/key_forward_normal.png'");
    EXPECT_EQ(skin.at("ms_key_4_0").backgroundImage(), "file='ms/key_back_down.png'");
    // The only left button cannot be edited: nothing stays marked.
    skin.userClick("ms_key_0");
    EXPECT_FALSE(module.editor(DeviceKind::mouse).slot());
    EXPECT_FALSE(skin.at("ms_key_0").isCurrent());
    EXPECT_FALSE(skin.at("ms_key_4").isCurrent());
    EXPECT_EQ(skin.at("ms_key_4_0").backgroundImage(), "file='ms/key_back_normal.png'");
}

}  // namespace
}  // namespace quillon::keys
