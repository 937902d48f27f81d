// quillonctl's macro commands over a fresh account's data folder.

#include <gtest/gtest.h>

#include <sstream>

#include "cli/command_line.h"
#include "emu/virtual_bus.h"
#include "profiles/profile_fixture.h"

namespace quillon::cli {
namespace {

struct MacroCommands : ::testing::Test {
    emu::VirtualBus bus;
    profiles::testing::FreshAccount account;
    std::ostringstream out, err;

    int run(std::vector<std::string> words) {
        out.str("");
        err.str("");
        const Environment env{out, err, account.users,
                              [this](bool) -> platform::HidBackend& { return bus; },
                              [] { return false; }};
        return runCommandLine(words, env);
    }
};

TEST_F(MacroCommands, ImportedMacrosListShowAndMakeTheImageAsItWouldBeSent) {
    const auto file = account.root.path() / "Combo.mac";
    profiles::testing::writeText(file,
                                 "[MACROACTIONCOUNT]\ncount=3\n[MACROACTION]\n"
                                 "0=1,0,138,4,1,keyboard_key_A\n1=0,0,10,4,0,keyboard_key_A\n"
                                 "2=5,0,4,20,0,mouse_move_to_right_text\n");
    ASSERT_EQ(run({"macro", "add", "keyboard"}), 0) << err.str();
    ASSERT_EQ(run({"macro", "import", "keyboard", file.string()}), 0) << err.str();
    EXPECT_EQ(run({"macro", "import", "keyboard", file.string()}), 1) << "the name is taken";
    ASSERT_EQ(run({"macro", "list", "keyboard"}), 0);
    EXPECT_NE(out.str().find("1 Combo (3 actions)"), std::string::npos) << out.str();
    ASSERT_EQ(run({"macro", "show", "keyboard", "combo"}), 0);
    EXPECT_NE(out.str().find("2 5,0,4,20,0,mouse_move_to_right_text  (pause 50 ms)"),
              std::string::npos)
        << out.str();

    // 16 + 2 × 2 + (4 + 12) + 4 = 40 bytes: offsets 20 and 24 after the empty Macro_1.
    ASSERT_EQ(run({"macro", "image", "keyboard"}), 0);
    EXPECT_EQ(out.str(),
              "aa 55 28 00 02 00 00 00 00 00 00 00 00 00 00 00\n"
              "14 00 18 00 00 00 00 00 03 00 00 00 01 00 8a 04\n"
              "00 00 0a 04 05 00 04 14\n");
    EXPECT_EQ(run({"macro", "image", "mouse"}), 0);
    EXPECT_NE(out.str().find("no macros"), std::string::npos);
}

TEST_F(MacroCommands, RenameDeleteAndExportReportWhatWentWrong) {
    ASSERT_EQ(run({"macro", "add", "mouse", "Jump"}), 0);
    EXPECT_EQ(run({"macro", "rename", "mouse", "jump", "a/b"}), 1);
    EXPECT_NE(err.str().find("valid name"), std::string::npos) << err.str();
    EXPECT_EQ(run({"macro", "rename", "mouse", "jump", "Leap"}), 0) << err.str();
    const auto exported = account.root.path() / "leap.mac";
    EXPECT_EQ(run({"macro", "export", "mouse", "Leap", exported.string()}), 0) << err.str();
    EXPECT_EQ(profiles::testing::readText(exported), "[MACROACTIONCOUNT]\ncount=0\n");
    EXPECT_EQ(run({"macro", "delete", "mouse", "Jump"}), 1);
    EXPECT_EQ(run({"macro", "delete", "mouse", "Leap"}), 0);
    EXPECT_EQ(run({"macro", "list", "mouse"}), 0);
    EXPECT_NE(out.str().find("0 macros"), std::string::npos) << out.str();
    EXPECT_EQ(run({"macro", "list", "pad"}), 2) << "a usage error";
}

}  // namespace
}  // namespace quillon::cli
