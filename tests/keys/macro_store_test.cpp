// The macro stores of the keyboard and the mouse on disk.

#include "keys/macro_store.h"

#include <gtest/gtest.h>

#include "platform/user_folders.h"
#include "profiles/temp_folder.h"

namespace quillon::keys {
namespace {

using profiles::testing::readText;
using profiles::testing::writeText;

struct StoreRig {
    profiles::testing::TempFolder root;
    platform::FixedUserFolders users{
        root.path() / "Documents", {root.path() / "program"}, root.path() / "overlay"};
    profiles::ProfileFolders folders{users};
    profiles::IniStore ini;
    MacroStore keyboard{folders, ini, kKeyboardMacroStore};
    MacroStore mouse{folders, ini, kMouseMacroStore};

    StoreRig() {
        std::filesystem::create_directories(root.path() / "Documents");
        std::filesystem::create_directories(root.path() / "program");
    }
    std::filesystem::path kb() const { return root.path() / "Documents" / "Kv" / "kb"; }
    std::filesystem::path ms() const { return root.path() / "Documents" / "Kv" / "ms"; }
    std::vector<std::string> names(const MacroStore& store) const {
        std::vector<std::string> n;
        EXPECT_EQ(store.readNames(n), MacroStoreResult::ok);
        return n;
    }
};

std::vector<MacroAction> pressAndReleaseA() {
    return {*parseMacroAction("12,0,138,4,1,keyboard_key_A"),
            *parseMacroAction("0,0,10,4,0,keyboard_key_A")};
}

TEST(MacroNames, NewNameSkipsTakenNumbersWithoutRegardToCase) {
    const std::vector<std::string> oneAndThree{"Macro_1", "Macro_3"};
    EXPECT_EQ(nextMacroName(oneAndThree), "Macro_4");
    const std::vector<std::string> lower{"macro_2"};
    EXPECT_EQ(nextMacroName(lower), "Macro_3");
    EXPECT_EQ(nextMacroName({}), "Macro_1");
}

TEST(MacroStore, AddSaveAndReadBackInTheFilesOwnFormat) {
    StoreRig rig;
    ASSERT_EQ(rig.keyboard.add("Macro_1"), MacroStoreResult::ok);
    ASSERT_EQ(rig.keyboard.add("Macro_2"), MacroStoreResult::ok);
    ASSERT_EQ(rig.keyboard.saveActions("macro_1", pressAndReleaseA()), MacroStoreResult::ok);

    EXPECT_EQ(readText(rig.kb() / "Macro_1.mac"),
              "[MACROACTIONCOUNT]\ncount=2\n[MACROACTION]\n0=12,0,138,4,1,keyboard_key_A\n"
              "1=0,0,10,4,0,keyboard_key_A\n");
    const std::string index = readText(rig.kb() / "kbMacro.ini");
    EXPECT_NE(index.find("[MACROCOUNT]\ncount=2"), std::string::npos) << index;
    EXPECT_NE(index.find("1=Macro_2"), std::string::npos) << index;
    EXPECT_EQ(index.find("CURSOR"), std::string::npos) << "a keyboard store never names patterns";

    std::vector<Macro> macros;
    ASSERT_EQ(rig.keyboard.readMacros(macros), MacroStoreResult::ok);
    ASSERT_EQ(macros.size(), 2u);
    EXPECT_EQ(macros[0].actions, pressAndReleaseA());
    EXPECT_TRUE(macros[1].actions.empty()) << "a macro without a file has no actions";
}

TEST(MacroStore, RefusesNamesThatAreTakenNotPlainOrOneTooMany) {
    StoreRig rig;
    ASSERT_EQ(rig.keyboard.add("Macro_1"), MacroStoreResult::ok);
    EXPECT_EQ(rig.keyboard.add("MACRO_1"), MacroStoreResult::nameTaken);
    for (const char* bad : {"../x", "a/b", "", " lead", "tail.", "..", "a\nb"})
        EXPECT_EQ(rig.keyboard.add(bad), MacroStoreResult::badName) << bad;
    for (std::size_t i = 2; i <= kMaxMacros; ++i)
        ASSERT_EQ(rig.keyboard.add("Macro_" + std::to_string(i)), MacroStoreResult::ok);
    EXPECT_EQ(rig.keyboard.add("one more"), MacroStoreResult::full);
    EXPECT_EQ(rig.names(rig.keyboard).size(), kMaxMacros);
    EXPECT_FALSE(std::filesystem::exists(rig.root.path() / "Documents" / "x.mac"));
}

TEST(MacroStore, RenameKeepsPositionAndActionsAndLeavesNoOldFile) {
    StoreRig rig;
    ASSERT_EQ(rig.keyboard.add("Macro_1"), MacroStoreResult::ok);
    ASSERT_EQ(rig.keyboard.add("Macro_2"), MacroStoreResult::ok);
    ASSERT_EQ(rig.keyboard.saveActions("Macro_1", pressAndReleaseA()), MacroStoreResult::ok);

    EXPECT_EQ(rig.keyboard.rename(0, "macro_2", pressAndReleaseA()), MacroStoreResult::nameTaken);
    EXPECT_EQ(rig.keyboard.rename(0, "bad/name", pressAndReleaseA()), MacroStoreResult::badName);
    ASSERT_EQ(rig.keyboard.rename(0, "Jump", pressAndReleaseA()), MacroStoreResult::ok);
    EXPECT_EQ(rig.names(rig.keyboard), (std::vector<std::string>{"Jump", "Macro_2"}));
    EXPECT_FALSE(std::filesystem::exists(rig.kb() / "Macro_1.mac"));
    std::vector<MacroAction> actions;
    ASSERT_EQ(rig.keyboard.readActions("Jump", actions), MacroStoreResult::ok);
    EXPECT_EQ(actions, pressAndReleaseA());
    // A change of case only is a rename of its own.
    ASSERT_EQ(rig.keyboard.rename(0, "JUMP", actions), MacroStoreResult::ok);
    EXPECT_EQ(rig.names(rig.keyboard)[0], "JUMP");
    ASSERT_EQ(rig.keyboard.readActions("JUMP", actions), MacroStoreResult::ok);
    EXPECT_EQ(actions.size(), 2u);
}

TEST(MacroStore, DeletingTheOnlyMouseMacroLeavesCountZeroAndThePatternNames) {
    StoreRig rig;
    ASSERT_EQ(rig.mouse.add("Macro_1"), MacroStoreResult::ok);
    ASSERT_EQ(rig.mouse.saveActions("Macro_1", pressAndReleaseA()), MacroStoreResult::ok);
    ASSERT_EQ(rig.mouse.remove(0), MacroStoreResult::ok);
    EXPECT_EQ(readText(rig.ms() / "msMacro.ini"),
              "[MACROCOUNT]\ncount=0\n[CURSORCOUNT]\ncount=4\n[CURSORNAME]\n0=name_1\n"
              "1=name_2\n2=name_3\n3=name_4\n");
    EXPECT_FALSE(std::filesystem::exists(rig.ms() / "Macro_1.mac"));
    EXPECT_EQ(rig.mouse.remove(0), MacroStoreResult::noSuchMacro);

    // The keyboard's rewrite of its index never gains the pattern sections.
    ASSERT_EQ(rig.keyboard.add("Macro_1"), MacroStoreResult::ok);
    ASSERT_EQ(rig.keyboard.add("Macro_2"), MacroStoreResult::ok);
    ASSERT_EQ(rig.keyboard.remove(0), MacroStoreResult::ok);
    EXPECT_EQ(readText(rig.kb() / "kbMacro.ini"),
              "[MACROCOUNT]\ncount=1\n[MACRONAME]\n0=Macro_2\n");
}

TEST(MacroStore, HandWrittenFilesAreReadWithinWhatTheyHold) {
    StoreRig rig;
    std::filesystem::create_directories(rig.kb());
    // A count beyond the names, a name that would leave the folder, a short row.
    writeText(rig.kb() / "kbMacro.ini",
              "[MACROCOUNT]\ncount=2147483647\n[MACRONAME]\n0=Fire\n1=../../escape\n");
    writeText(rig.kb() / "fire.mac",
              "[MACROACTIONCOUNT]\ncount=9\n[MACROACTION]\n0=0,0,10,4,0,keyboard_key_A\n"
              "1=broken\n2=5,0,4,20,0,mouse_move_to_right_text\n");
    std::vector<Macro> macros;
    ASSERT_EQ(rig.keyboard.readMacros(macros), MacroStoreResult::ok);
    ASSERT_EQ(macros.size(), 2u);
    EXPECT_EQ(macros[0].actions.size(), 2u) << "found without regard to case, bad row left out";
    EXPECT_TRUE(macros[1].actions.empty());
    EXPECT_EQ(rig.keyboard.saveActions("../../escape", pressAndReleaseA()),
              MacroStoreResult::badName);
    EXPECT_FALSE(std::filesystem::exists(rig.root.path() / "escape.mac"));
}

TEST(MacroStore, MouseStartUpNamesThePatternsAndCopiesOnlyMissingFactoryFiles) {
    StoreRig rig;
    for (int k = 1; k <= 4; ++k)
        writeText(rig.root.path() / "program" / ("name_" + std::to_string(k) + ".cur"),
                  "[MACROACTIONCOUNT]\ncount=0\n");
    std::filesystem::create_directories(rig.ms());
    writeText(rig.ms() / "name_2.cur", "mine");
    auto factory = [&](std::string_view name) { return rig.folders.programFile(name); };

    ASSERT_EQ(rig.keyboard.preparePatterns(factory), MacroStoreResult::ok);
    EXPECT_FALSE(std::filesystem::exists(rig.kb() / "kbMacro.ini"));
    ASSERT_EQ(rig.mouse.preparePatterns(factory), MacroStoreResult::ok);
    EXPECT_NE(readText(rig.ms() / "msMacro.ini").find("[CURSORNAME]\n0=name_1"), std::string::npos);
    EXPECT_EQ(readText(rig.ms() / "name_1.cur"), "[MACROACTIONCOUNT]\ncount=0\n");
    EXPECT_EQ(readText(rig.ms() / "name_2.cur"), "mine");
    EXPECT_TRUE(std::filesystem::exists(rig.ms() / "name_4.cur"));
}

TEST(MacroStore, ImportTakesTheBaseNameAndExportWritesTheSameFormat) {
    StoreRig rig;
    writeText(rig.root.path() / "Combo.mac",
              "[MACROACTIONCOUNT]\ncount=2\n[MACROACTION]\n0=12,0,138,4,1,keyboard_key_A\n"
              "1=0,0,10,4,0,keyboard_key_A\n");
    std::string name;
    ASSERT_EQ(rig.keyboard.importFile(rig.root.path() / "Combo.mac", name), MacroStoreResult::ok);
    EXPECT_EQ(name, "Combo");
    EXPECT_EQ(rig.keyboard.importFile(rig.root.path() / "Combo.mac", name),
              MacroStoreResult::nameTaken);
    EXPECT_EQ(rig.keyboard.importFile(rig.root.path() / "none.mac", name),
              MacroStoreResult::noSuchMacro);
    ASSERT_EQ(rig.keyboard.exportFile("combo", rig.root.path() / "out.mac"), MacroStoreResult::ok);
    EXPECT_EQ(readText(rig.root.path() / "out.mac"), readText(rig.kb() / "Combo.mac"));
    EXPECT_EQ(rig.names(rig.keyboard), (std::vector<std::string>{"Combo"}));
}

}  // namespace
}  // namespace quillon::keys
