// The macro editor pages driven through the in-memory skin the way a user
// clicks and types, over a store in a fresh folder and key maps held here.

#include "keys/macro_editor.h"

#include <gtest/gtest.h>

#include "platform/user_folders.h"
#include "profiles/temp_folder.h"
#include "skin/memory_skin.h"

namespace quillon::keys {
namespace {

using link::DeviceKind;

struct MapsHeldHere final : KeyMapAccess {
    KeyMap factory{};
    std::array<KeyMap, 5> slots{};
    link::DeviceInfo info{};
    int saves = 0;

    KeyMap factoryMap(DeviceKind) const override { return factory; }
    KeyMap slotMap(DeviceKind, int s) const override { return slots[std::size_t(s)]; }
    void setSlotMap(DeviceKind, int s, const KeyMap& m) override { slots[std::size_t(s)] = m; }
    int activeSlot(DeviceKind) const override { return 0; }
    link::DeviceInfo deviceInfo(DeviceKind) const override { return info; }
    bool saveKeyProfile(DeviceKind) override { return ++saves > 0; }
};

struct RecordSourceHere final : MacroRecordSource {
    std::function<void(const platform::InputEvent&)> sink;
    platform::InputStartResult answer = platform::InputStartResult::ok;
    platform::InputRequest request;
    platform::InputStartResult startRecording(
        DeviceKind, const platform::InputRequest& r,
        std::function<void(const platform::InputEvent&)> s) override {
        request = r;
        if (answer == platform::InputStartResult::ok)
            sink = std::move(s);
        return answer;
    }
    void removeHooks() override { sink = nullptr; }
};

class MacroEditorPage : public ::testing::Test {
  protected:
    profiles::testing::TempFolder root;
    platform::FixedUserFolders users{root.path() / "Documents", {}, root.path() / "overlay"};
    profiles::ProfileFolders folders{users};
    profiles::IniStore ini;
    MacroStore store{folders, ini, kMouseMacroStore};
    MapsHeldHere maps;
    RecordSourceHere recorder;
    skin::MemorySkin skin;
    int changes = 0;
    MacroEditor editor{kMouseMacroEditor, skin, store, maps, recorder, [this] { ++changes; }};

    void SetUp() override {
        std::filesystem::create_directories(root.path() / "Documents");
        editor.fillNameList();
        editor.fillComboRows();
    }
    skin::MemoryControl& at(std::string_view name) { return skin.at(editor.control(name)); }
    std::vector<std::string> rowTexts() {
        std::vector<std::string> t;
        for (int i = 0; i < at("Macro_list").rowCount(); ++i)
            t.push_back(at("Macro_list").row(i)->userData);
        return t;
    }
    void selectAction(int row) {
        at("Macro_list").selectRow(row, false);
        editor.actionClicked();
    }
};

TEST_F(MacroEditorPage, AddingNamesTheNextFreeNumberAndStopsAtFifty) {
    ASSERT_EQ(store.add("Macro_1"), MacroStoreResult::ok);
    ASSERT_EQ(store.add("Macro_3"), MacroStoreResult::ok);
    editor.fillNameList();
    editor.addMacro();
    EXPECT_EQ(at("MacroName_list").row(2)->userData, "Macro_4");
    EXPECT_EQ(at("MacroName_list").currentRow(), 2);
    EXPECT_EQ(at("macro_edit_macroname").text(), "Macro_4");
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(at("macro_btn_redio").isEnabled());

    while (at("MacroName_list").rowCount() < int(kMaxMacros))
        editor.addMacro();
    skin.clearMessages();
    (void)skin.loadLanguageText(
        R"(<language code="en"><text key="message_text_17">At most %d.</text></language>)");
    editor.addMacro();
    ASSERT_EQ(skin.messages().size(), 1u);
    EXPECT_EQ(skin.messages()[0].text, "At most 50.");
    std::vector<std::string> names;
    ASSERT_EQ(store.readNames(names), MacroStoreResult::ok);
    EXPECT_EQ(names.size(), kMaxMacros);
}

TEST_F(MacroEditorPage, InsertedMovesAndButtonsGoBeforeTheSelectionAndStaySavedOnlyOnSave) {
    editor.addMacro();
    at("mouse_x_right_edit").setText("20");
    editor.insertMove(1);  // right, nothing selected: at the top
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"5,0,4,20,0,mouse_move_to_right_text"}));
    const auto row = at("Macro_list").row(0);
    EXPECT_EQ(row->cells[0].text, "20");
    EXPECT_EQ(row->cells[2].text, "50");
    EXPECT_TRUE(editor.unsaved());
    EXPECT_FALSE(at("MacroName_list").isEnabled());

    selectAction(0);
    editor.insertButton(4, true);  // back press, before the move
    EXPECT_EQ(rowTexts()[0], "5,0,129,8,1,mouse_key_back");
    at("mouse_y_up_edit").setText("999");
    editor.insertMove(2);
    EXPECT_EQ(rowTexts()[0], "5,0,133,255,1,mouse_move_to_up_text") << "distance capped at 255";

    // Cancel goes back to the stored (empty) macro; the same edits saved stay.
    editor.cancel();
    EXPECT_TRUE(rowTexts().empty());
    EXPECT_FALSE(editor.unsaved());
    editor.insertMove(1);
    editor.save();
    std::vector<MacroAction> stored;
    ASSERT_EQ(store.readActions("Macro_1", stored), MacroStoreResult::ok);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(formatMacroAction(stored[0]), "5,0,4,20,0,mouse_move_to_right_text");
}

TEST_F(MacroEditorPage, EditingTheSelectedActionRewritesItsTextAndCapsItsValues) {
    editor.addMacro();
    ASSERT_EQ(store.saveActions(
                  "Macro_1", std::vector{*parseMacroAction("0,0,138,4,1,keyboard_key_A"),
                                         *parseMacroAction("5,0,4,20,0,mouse_move_to_right_text")}),
              MacroStoreResult::ok);
    editor.macroSelected();
    selectAction(0);
    EXPECT_EQ(at("tab_macro_edit").currentPage(), 1);
    EXPECT_EQ(at("macro_combo_upordown").currentRow(), 1);
    skin.userType(editor.control("_macro_edit_ActionDelay"), "65536");
    editor.pauseTyped(false);
    EXPECT_EQ(at("_macro_edit_ActionDelay").text(), "65535");
    EXPECT_EQ(at("Macro_list").row(0)->cells[2].text, "655350");
    at("macro_combo_upordown").selectRow(0, false);
    editor.pressChosen();
    EXPECT_EQ(rowTexts()[0], "255,255,10,4,0,keyboard_key_A");

    selectAction(1);
    EXPECT_EQ(at("tab_macro_edit").currentPage(), 2);
    EXPECT_EQ(at("macro_combo_mouselect").currentRow(), 11);
    EXPECT_TRUE(at("macro_tab_mou_pointer_skewing").isVisible());
    at("macro_combo_mouselect").selectRow(10, false);  // now a move left, distance kept
    editor.mouseItemChosen();
    EXPECT_EQ(rowTexts()[1], "5,0,132,20,1,mouse_move_to_left_text");
    at("macro_combo_mouselect").selectRow(3, false);  // right release
    editor.mouseItemChosen();
    EXPECT_EQ(rowTexts()[1], "5,0,1,2,0,mouse_key_right");
    EXPECT_FALSE(at("macro_tab_mou_pointer_skewing").isVisible());

    // Moving the first up or the last down changes nothing; to the top does.
    selectAction(0);
    editor.moveAction(MacroEditor::Move::up);
    selectAction(1);
    editor.moveAction(MacroEditor::Move::down);
    EXPECT_EQ(rowTexts()[1], "5,0,1,2,0,mouse_key_right");
    editor.moveAction(MacroEditor::Move::top);
    EXPECT_EQ(rowTexts()[0], "5,0,1,2,0,mouse_key_right");
    EXPECT_EQ(at("Macro_list").currentRow(), 0);
}

TEST_F(MacroEditorPage, DeletingAMacroMovesLaterKeysDownAndGivesItsKeysTheirFactoryAssignment) {
    for (int i = 0; i < 3; ++i)
        editor.addMacro();
    maps.factory[3 * 3] = FN_MOUSE_BUTTON;  // forward button's factory assignment
    maps.factory[3 * 3 + 1] = 0x10;
    (void)setAssignment(maps.slots[0], 3, {FN_MACRO, 1, 2});        // on macro 1 (the second)
    (void)setAssignment(maps.slots[4], 4, {FN_MACRO_COUNT, 2, 9});  // on macro 2 (the third)
    (void)setAssignment(maps.slots[2], 30, {FN_MACRO, 1, 0});       // past the six buttons
    at("MacroName_list").selectRow(1, false);
    editor.macroSelected();

    skin.queueMessageAnswer(0);  // "in use: delete anyway?" declined
    editor.deleteMacro();
    EXPECT_EQ(at("MacroName_list").rowCount(), 3);
    skin.clearMessages();
    editor.deleteMacro();
    ASSERT_EQ(skin.messages().size(), 2u);
    EXPECT_EQ(skin.messages()[0].key, kMessageMacroInUse);
    EXPECT_EQ(skin.messages()[1].key, kMessageDeleteMacro);

    EXPECT_EQ(assignmentAt(maps.slots[0], 3), (KeyAssignment{FN_MOUSE_BUTTON, 0x10, 0}));
    EXPECT_EQ(assignmentAt(maps.slots[4], 4), (KeyAssignment{FN_MACRO_COUNT, 1, 9}));
    EXPECT_EQ(assignmentAt(maps.slots[2], 30), (KeyAssignment{FN_MACRO, 1, 0}));
    EXPECT_EQ(maps.saves, 1);
    std::vector<std::string> names;
    ASSERT_EQ(store.readNames(names), MacroStoreResult::ok);
    EXPECT_EQ(names, (std::vector<std::string>{"Macro_1", "Macro_3"}));
    EXPECT_EQ(at("MacroName_list").currentRow(), 0);

    // The last one gone: the pattern names are back and the buttons are off.
    for (int i = 0; i < 2; ++i)
        editor.deleteMacro();
    EXPECT_EQ(at("MacroName_list").rowCount(), 0);
    EXPECT_FALSE(at("macro_btn_redio").isEnabled());
    EXPECT_EQ(ini.readString(store.indexPath(), "CURSORNAME", "3"), "name_4");
}

TEST_F(MacroEditorPage, UnsavedEditsGuardAddSelectAndDelete) {
    editor.addMacro();
    editor.addMacro();
    editor.insertButton(0, true);
    skin.clearMessages();
    editor.addMacro();
    editor.deleteMacro();
    at("MacroName_list").selectRow(0, false);
    editor.macroSelected();
    EXPECT_EQ(skin.messages().size(), 3u);
    for (const auto& m : skin.messages())
        EXPECT_EQ(m.key, kMessageUnsavedMacro);
    EXPECT_EQ(at("MacroName_list").currentRow(), 1) << "the edited macro stays selected";
    EXPECT_EQ(at("MacroName_list").rowCount(), 2);
}

TEST_F(MacroEditorPage, RenameRefusesTakenAndBadNamesAndKeepsThePosition) {
    editor.addMacro();
    editor.addMacro();
    skin.userType(editor.control("macro_edit_macroname"), "MACRO_1");
    editor.renameMacro();
    EXPECT_EQ(skin.messages().back().key, kMessageMacroNameTaken);
    EXPECT_EQ(at("macro_edit_macroname").text(), "Macro_2");
    skin.userType(editor.control("macro_edit_macroname"), "../evil");
    editor.renameMacro();
    EXPECT_EQ(skin.messages().back().key, kMessageBadMacroName);
    skin.userType(editor.control("macro_edit_macroname"), "Jump");
    editor.renameMacro();
    EXPECT_EQ(at("MacroName_list").row(1)->userData, "Jump");
    std::vector<std::string> names;
    ASSERT_EQ(store.readNames(names), MacroStoreResult::ok);
    EXPECT_EQ(names, (std::vector<std::string>{"Macro_1", "Jump"}));
}

TEST_F(MacroEditorPage, RecordingAppendsRowsLocksTheListAndSaysWhyItCannotStart) {
    editor.addMacro();
    at("macro_keyboard_event").setChecked(true, false);
    at("macro_mouse_click").setChecked(true, false);
    recorder.answer = platform::InputStartResult::unavailable;
    editor.toggleRecording();
    EXPECT_FALSE(editor.recording());
    EXPECT_EQ(skin.messages().back().key, kMessageNoInputHooks);

    recorder.answer = platform::InputStartResult::ok;
    editor.toggleRecording();
    ASSERT_TRUE(editor.recording());
    EXPECT_TRUE(recorder.request.keys && recorder.request.consumeKeys && recorder.request.buttons);
    EXPECT_EQ(at("macro_btn_redio").textKey(), kRecordStopText);
    EXPECT_FALSE(at("Macro_list").isEnabled());
    EXPECT_FALSE(at("macro_btn_save").isEnabled());
    platform::InputEvent a{.type = platform::InputEvent::Type::key,
                           .pressed = true,
                           .virtualKey = 0x41,
                           .timeMs = 1000};
    recorder.sink(a);
    a.pressed = false;
    a.timeMs = 2500;
    recorder.sink(a);
    EXPECT_EQ(rowTexts(), (std::vector<std::string>{"150,0,138,4,1,keyboard_key_A",
                                                    "0,0,10,4,0,keyboard_key_A"}));
    EXPECT_EQ(at("Macro_list").row(0)->cells[2].text, "1500");

    editor.toggleRecording();
    EXPECT_FALSE(editor.recording());
    EXPECT_EQ(recorder.sink, nullptr) << "the hooks are gone";
    EXPECT_TRUE(at("macro_btn_save").isEnabled());
    EXPECT_TRUE(editor.unsaved());
}

}  // namespace
}  // namespace quillon::keys
