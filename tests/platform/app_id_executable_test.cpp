// From a Wayland app_id to the executable a user links: desktop entry, PATH,
// then the user's running processes, always as the real file's path.

#include "platform/foreground/app_id_executable.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/autostart_entry.h"
#include "profiles/temp_folder.h"

#define LLVMFuzzerTestOneInput fuzzDesktopEntryProgram
#include "../../fuzz/fuzz_desktop_entry_program.cpp"
#undef LLVMFuzzerTestOneInput

namespace quillon::platform {
namespace {

namespace fs = std::filesystem;
using profiles::testing::readText;
using profiles::testing::TempFolder;
using profiles::testing::writeText;

TEST(DesktopEntryProgram, ReadsTheExecLinesProgram) {
    EXPECT_EQ(desktopEntryProgram("[Desktop Entry]\nName=Game\nExec=game --fast %U\n"), "game");
    // Quoting, string escapes and "%%" undone; "env VAR=value" skipped.
    EXPECT_EQ(desktopEntryProgram(
                  "[Desktop Entry]\nExec=env A=1 B=2 \"/opt/My Games/run\\\\$game\" %f\n"),
              "/opt/My Games/run$game");
    EXPECT_EQ(desktopEntryProgram("[Desktop Entry]\r\nExec = \"/usr/bin/100%%\\sgame\"\r\n"),
              "/usr/bin/100% game");
    // Only the main group's own key counts.
    EXPECT_EQ(desktopEntryProgram("[Desktop Action new]\nExec=other\n[Desktop Entry]\n"
                                  "Exec[de]=spiel\nExec=game\n"),
              "game");
    EXPECT_EQ(desktopEntryProgram("[Desktop Entry]\nName=Game\n[Other]\nExec=game\n"), "");
    EXPECT_EQ(desktopEntryProgram("[Desktop Entry]\nExec=\"game\n"), "");
    EXPECT_EQ(desktopEntryProgram("[Desktop Entry]\nExec=env A=1\n"), "");
    // What this program writes into its own entries reads back.
    const std::string odd = "/home/me/Spiele \"100%\" $HOME\\`x`";
    EXPECT_EQ(desktopEntryProgram("[Desktop Entry]\nExec=" + desktopExecArgument(odd) + " --x\n"),
              odd);
}

class AppIdExecutable : public ::testing::Test {
  protected:
    AppIdExecutable() {
        fs::create_directories(root_.path() / "apps");
        fs::create_directories(root_.path() / "bin");
        fs::create_directories(root_.path() / "opt");
        search_.applicationFolders = {(root_.path() / "none").string(),
                                      (root_.path() / "apps").string()};
        search_.path = (root_.path() / "bin").string();
    }
    fs::path program(const fs::path& where) {
        writeText(where, "#!/bin/sh\n");
        fs::permissions(where, fs::perms::owner_all);
        return where;
    }
    void entry(const std::string& appId, const std::string& exec) {
        writeText(root_.path() / "apps" / (appId + ".desktop"),
                  "[Desktop Entry]\nType=Application\nExec=" + exec + "\n");
    }

    TempFolder root_;
    AppIdSearch search_;
};

TEST_F(AppIdExecutable, DesktopEntryThenPath) {
    const fs::path real = program(root_.path() / "opt" / "game-bin");
    fs::create_symlink(real, root_.path() / "bin" / "game");
    // The entry names a program on PATH: the link resolved, as /proc/PID/exe is.
    entry("org.example.Game", "game %U");
    EXPECT_EQ(appIdExecutable("org.example.Game", search_), fs::canonical(real).string());
    // No entry: the app_id itself on PATH, lower case too.
    EXPECT_EQ(appIdExecutable("Game", search_), fs::canonical(real).string());
    // An entry whose program is gone falls through to PATH.
    entry("game", "/nowhere/game");
    EXPECT_EQ(appIdExecutable("game", search_), fs::canonical(real).string());
    // A full path in the entry needs no PATH.
    const fs::path tool = program(root_.path() / "opt" / "tool");
    entry("tool", "\"" + tool.string() + "\"");
    EXPECT_EQ(appIdExecutable("tool", search_), fs::canonical(tool).string());
    // A file that cannot run is no program.
    writeText(root_.path() / "bin" / "notes", "text");
    EXPECT_EQ(appIdExecutable("notes", search_), "");
}

TEST_F(AppIdExecutable, NamesThatLeaveTheFoldersAreRefused) {
    program(root_.path() / "bin" / "game");
    entry("game", "game");
    for (const char* appId : {"", ".", "..", "../apps/game", "bin/game", "game\n"})
        EXPECT_EQ(appIdExecutable(appId, search_), "") << appId;
}

TEST_F(AppIdExecutable, ARunningProcessOfThatNameIsTheLastResort) {
    // This test program runs: its own name finds it, with nothing on PATH.
    const fs::path self = fs::read_symlink("/proc/self/exe");
    EXPECT_EQ(appIdExecutable(self.filename().string(), search_), self.string());
    EXPECT_EQ(appIdExecutable("no-such-program-runs", search_), "");
}

TEST(DesktopEntryProgram, FuzzSeedsRunThroughTheTarget) {
    int seeds = 0;
    const auto folder = fs::path(QUILLON_SOURCE_DATA_DIR).parent_path() / "fuzz" / "corpus" /
                        "desktop_entry_program";
    for (const auto& seed : fs::directory_iterator(folder)) {
        const std::string text = readText(seed.path());
        EXPECT_EQ(fuzzDesktopEntryProgram(reinterpret_cast<const std::uint8_t*>(text.data()),
                                          text.size()),
                  0)
            << seed.path();
        ++seeds;
    }
    EXPECT_GE(seeds, 5);
}

}  // namespace
}  // namespace quillon::platform
